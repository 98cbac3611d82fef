// The progress dialogs of long computations in a widget test
// (core/ui/LongRun.h): they appear after a short delay, so that a test does
// not hang on the machine's speed; the test learns how many appeared and
// over which window, and may press "Anuluj" at a chosen moment of the
// computation, timed from Start().
//
//   ProgressDialogs progress;
//   progress.CancelAt(150ms);
//   progress.Start();
//   app.Click("TForm5", "Button1");
//   EXPECT_LT(progress.SincePress(), 100);
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>

namespace vimtal::testing {

class ProgressDialogs {
public:
    explicit ProgressDialogs(std::chrono::milliseconds delay = std::chrono::milliseconds(20));
    ~ProgressDialogs();
    ProgressDialogs(const ProgressDialogs&) = delete;
    ProgressDialogs& operator=(const ProgressDialogs&) = delete;

    // Presses "Anuluj" of the first dialog `sinceStart` after Start() (at
    // once when the dialog appears later).
    void CancelAt(std::chrono::milliseconds sinceStart) { cancelAt_ = sinceStart; }
    // Starts the clock: call it just before the click that starts the work.
    void Start() { clock_.start(); }

    // The dialogs shown so far: their texts and the titles of their windows.
    int Shown() const { return static_cast<int>(labels_.size()); }
    const QStringList& Labels() const { return labels_; }
    const QStringList& Titles() const { return titles_; }
    // Milliseconds from Start() to the press of "Anuluj" (-1: not pressed),
    // and from that press to now.
    qint64 PressedAt() const { return pressedAt_; }
    qint64 SincePress() const { return pressedAt_ < 0 ? -1 : clock_.elapsed() - pressedAt_; }

private:
    QElapsedTimer clock_;
    std::optional<std::chrono::milliseconds> cancelAt_;
    QStringList labels_;
    QStringList titles_;
    qint64 pressedAt_ = -1;
};

// Runs `click`, which starts a long computation, and presses "Anuluj" `at`
// after its start: the milliseconds from the press to the return of
// `click`, or -1 when no dialog appeared to be pressed.
qint64 PressAnulujAt(std::chrono::milliseconds at, const std::function<void()>& click);

}  // namespace vimtal::testing
