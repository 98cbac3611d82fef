#include "Guard.h"

#include "Platform.h"
#include "Text.h"
#include "core/Errors.h"

#include <exception>

namespace vimtal {

bool Guarded(const std::function<void()>& handler) {
    // A second error raised while the box of the first is shown must not
    // escape either, hence the nested guards around the boxes themselves.
    auto show = [](const std::function<void()>& box) {
        try {
            box();
        } catch (...) {
        }
    };
    try {
        handler();
        return true;
    } catch (const NoticeError& e) {
        show([&] { platform().MessageBox(FromStd(e.what()), FromStd(e.Title())); });
    } catch (const std::exception& e) {
        show([&] { platform().ErrorBox(FromStd(e.what())); });
    } catch (...) {
        show([&] { platform().ErrorBox(QStringLiteral("Unknown error")); });
    }
    return false;
}

}  // namespace vimtal
