// The one guard around every event handler.
//
// A handler that fails throws (core/Errors.h); the guard catches the error at
// the edge of the Qt frame and shows it: a NoticeError in a message box with
// its own title, any other error in the "VIMTAL" error box. No exception ever
// crosses into Qt, and the program goes on.
//
//   On(button, &QPushButton::clicked, [this] { Button1Click(); });
//   On(edit, &QLineEdit::textChanged, [this] { Edit2Change(); });
#pragma once

#include <QObject>

#include <functional>
#include <initializer_list>
#include <utility>

namespace vimtal {

// Runs the handler; returns true when it completed without an error.
bool Guarded(const std::function<void()>& handler);

// Connects a signal to a guarded call of `handler` (a callable taking no
// arguments; the signal's arguments are ignored). The connection lives as
// long as the sender.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection On(Sender* sender, Signal signal, Handler handler) {
    return QObject::connect(sender, signal, sender, [h = std::move(handler)]() { Guarded(h); });
}

// Connects each control's signal to a handler of the window, guarded - a
// window's menu items or buttons in one table:
//
//   OnEach(this, &QAction::triggered, {{Otwrz1, &TForm9::Otwrz1Click}, {Zapisz1, &TForm9::Zapisz1Click}});
template <typename Form, typename Sender, typename... Args>
void OnEach(Form* form, void (Sender::*signal)(Args...),
            std::initializer_list<std::pair<Sender*, void (Form::*)()>> handlers) {
    for (const auto& [sender, handler] : handlers) {
        On(sender, signal, [form, handler = handler] { (form->*handler)(); });
    }
}

}  // namespace vimtal
