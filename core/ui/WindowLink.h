// A window that another window opens or uses, created later at start-up.
//
// Every window is created once at start-up, in the program's fixed order,
// and most windows open windows created after them (the launcher its
// modules, a module its chart and information windows). Such a window gets,
// at construction, a link to each of them; start-up binds the link when it
// creates the target. The link is typed, so a renamed or missing window is a
// compile error, and using a link that was never bound (a module left out of
// the build) is a programming error raised as std::logic_error.
//
//   TForm9(WindowLink<TForm13>& chart, ...);      // the duct window's chart
//   chart_->ShowOutsideAir(...);                  // typed use
//   chart_.ShowModal();                           // platform().ShowModal
#pragma once

#include "core/ui/Form.h"

#include <stdexcept>
#include <string>

namespace vimtal {

// The untyped part: enough to show the window modally (the launcher's module
// buttons need nothing more).
class FormLink {
public:
    FormLink() = default;
    FormLink(const FormLink&) = delete;
    FormLink& operator=(const FormLink&) = delete;

    bool Bound() const { return form_ != nullptr; }
    Form& GetForm() const {
        if (!form_) throw std::logic_error("a window link used before its window was created");
        return *form_;
    }
    // Shows the window modally and returns its modal result.
    int ShowModal() const;

protected:
    void BindForm(Form& form) {
        if (form_) throw std::logic_error("a window link bound twice");
        form_ = &form;
    }
    Form* form_ = nullptr;
};

template <typename T>
class WindowLink : public FormLink {
public:
    void Bind(T& window) { BindForm(window); }
    T& operator*() const { return static_cast<T&>(GetForm()); }
    T* operator->() const { return &**this; }
};

}  // namespace vimtal
