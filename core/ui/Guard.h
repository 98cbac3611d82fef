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

}  // namespace vimtal
