#include "core/RunControl.h"

namespace vimtal {

namespace {
thread_local RunControl* current = nullptr;
}  // namespace

RunControl* CurrentRunControl() noexcept { return current; }

CurrentRunScope::CurrentRunScope(RunControl& control) noexcept : previous_(current) { current = &control; }
CurrentRunScope::~CurrentRunScope() { current = previous_; }

}  // namespace vimtal
