#include "core/ui/testing/ProgressDialogs.h"

#include "core/ui/LongRun.h"

#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace vimtal::testing {

ProgressDialogs::ProgressDialogs(std::chrono::milliseconds delay) {
    clock_.start();
    SetProgressDelay(delay);
    SetProgressDialogHook([this](QProgressDialog& dialog) {
        labels_.push_back(dialog.labelText());
        titles_.push_back(dialog.windowTitle());
        if (!cancelAt_ || labels_.size() > 1) return;
        auto* cancel = dialog.findChild<QPushButton*>();
        if (!cancel) return;
        const qint64 wait = std::max<qint64>(0, cancelAt_->count() - clock_.elapsed());
        QTimer::singleShot(static_cast<int>(wait), cancel, [this, cancel] {
            pressedAt_ = clock_.elapsed();
            cancel->click();
        });
    });
}

ProgressDialogs::~ProgressDialogs() {
    SetProgressDelay(kProgressDelay);
    SetProgressDialogHook({});
}

qint64 PressAnulujAt(std::chrono::milliseconds at, const std::function<void()>& click) {
    ProgressDialogs progress;
    progress.CancelAt(at);
    progress.Start();
    click();
    return progress.SincePress();
}

}  // namespace vimtal::testing
