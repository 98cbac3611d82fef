#include "core/ui/LongRun.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <cmath>
#include <exception>
#include <memory>
#include <utility>

namespace vimtal {

namespace {

std::chrono::milliseconds& Delay() {
    static std::chrono::milliseconds delay = kProgressDelay;
    return delay;
}

std::function<void(QProgressDialog&)>& DialogHook() {
    static std::function<void(QProgressDialog&)> hook;
    return hook;
}

constexpr int kBarSteps = 1000;
// The loop wakes at least this often to move the bar and show the dialog.
constexpr int kTickMs = 20;

// The dialog over the window, with the arrow cursor while it stands (the
// wait cursor would hide that "Anuluj" can be pressed).
class ProgressDialog {
public:
    ProgressDialog(QWidget* owner, RunControl& control)
        : dialog_(QStringLiteral("Trwają obliczenia..."), QStringLiteral("Anuluj"), 0, kBarSteps, OnScreen(owner)) {
        dialog_.setObjectName(QStringLiteral("ProgressDialog"));
        QWidget* parent = dialog_.parentWidget();
        dialog_.setWindowTitle(parent ? parent->window()->windowTitle() : QString());
        dialog_.setWindowModality(Qt::ApplicationModal);
        dialog_.setAutoClose(false);
        dialog_.setAutoReset(false);
        dialog_.setMinimumDuration(0);
        QObject::connect(&dialog_, &QProgressDialog::canceled, [&control] { control.RequestStop(); });
        QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
        Update(control);
        dialog_.show();
        if (DialogHook()) DialogHook()(dialog_);
    }
    ~ProgressDialog() {
        dialog_.hide();
        QApplication::restoreOverrideCursor();
    }
    ProgressDialog(const ProgressDialog&) = delete;
    ProgressDialog& operator=(const ProgressDialog&) = delete;

    void Update(const RunControl& control) {
        dialog_.setValue(static_cast<int>(std::lround(control.Fraction() * kBarSteps)));
    }

private:
    // The owner's window, or the active window while the owner is hidden
    // (a window that shows the results only once they are known).
    static QWidget* OnScreen(QWidget* owner) {
        if (owner && owner->isVisible()) return owner;
        return QApplication::activeWindow();
    }

    QProgressDialog dialog_;
};

}  // namespace

void SetProgressDelay(std::chrono::milliseconds delay) { Delay() = delay; }
void SetProgressDialogHook(std::function<void(QProgressDialog&)> hook) { DialogHook() = std::move(hook); }

bool RunWithProgress(QWidget* owner, RunControl& control, const std::function<void()>& work) {
    std::atomic<bool> finished{false};
    std::exception_ptr error;
    bool cancelled = false;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            work();
        } catch (const Cancelled&) {
            cancelled = true;
        } catch (...) {
            error = std::current_exception();
        }
        finished.store(true);
    }));

    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, [] {});  // wakes the loop
    QTimer tick;
    tick.start(kTickMs);
    QElapsedTimer clock;
    clock.start();
    thread->start();

    std::unique_ptr<ProgressDialog> dialog;
    while (!finished.load()) {
        if (!dialog && clock.elapsed() >= Delay().count()) dialog = std::make_unique<ProgressDialog>(owner, control);
        if (dialog) dialog->Update(control);
        // Before the dialog stands, clicks and keys wait for the end of the
        // run, as they would behind a busy window; paints and timers go on.
        const QEventLoop::ProcessEventsFlags flags =
            dialog ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;
        loop.processEvents(flags | QEventLoop::WaitForMoreEvents);
    }
    thread->wait();
    dialog.reset();
    QApplication::restoreOverrideCursor();

    if (error) std::rethrow_exception(error);
    return !cancelled;
}

}  // namespace vimtal
