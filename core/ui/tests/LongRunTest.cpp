// A computation on a worker thread: its result, its errors, the progress
// dialog that appears after the delay, and "Anuluj".
#include "core/Errors.h"
#include "core/ui/LongRun.h"

#include <QElapsedTimer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <algorithm>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <thread>

namespace vimtal {
namespace {

using namespace std::chrono_literals;

class LongRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgressDelay(50ms);
        SetProgressDialogHook([this](QProgressDialog& dialog) {
            ++dialogs;
            label = dialog.labelText();
            // The bar's furthest position while the dialog stands.
            auto* watch = new QTimer(&dialog);
            QObject::connect(watch, &QTimer::timeout, [this, &dialog] { barSeen = std::max(barSeen, dialog.value()); });
            watch->start(5);
        });
    }
    void TearDown() override {
        SetProgressDelay(kProgressDelay);
        SetProgressDialogHook({});
    }

    // Work of `duration` that reports the share of its time elapsed and
    // stops when asked, as a stepping loop does.
    static int Busy(RunControl& control, std::chrono::milliseconds duration) {
        const auto start = std::chrono::steady_clock::now();
        int checks = 0;
        for (;;) {
            const auto elapsed = std::chrono::steady_clock::now() - start;
            if (elapsed >= duration) return checks;
            control.Report(std::chrono::duration<double>(elapsed) / duration);
            if (control.StopRequested()) throw Cancelled();
            ++checks;
            std::this_thread::sleep_for(1ms);
        }
    }

    QWidget window;
    int dialogs = 0;
    QString label;
    int barSeen = -1;
};

TEST_F(LongRunTest, AShortRunReturnsItsResultWithoutADialog) {
    const std::optional<int> result = RunWithProgress<int>(&window, [](RunControl&) { return 42; });
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, 42);
    EXPECT_EQ(dialogs, 0);
}

TEST_F(LongRunTest, AnErrorOfTheWorkIsThrownOnTheCallingThread) {
    const auto caller = std::this_thread::get_id();
    std::thread::id worker;
    EXPECT_THROW(RunWithProgress<int>(&window,
                                      [&](RunControl&) -> int {
                                          worker = std::this_thread::get_id();
                                          throw NoticeError("Za dużo kroków", "VIMTAL info");
                                      }),
                 NoticeError);
    EXPECT_NE(worker, caller);
}

TEST_F(LongRunTest, ALongRunShowsProgressWhileTheWindowsThreadGoesOn) {
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);
    const auto result = RunWithProgress<int>(&window, [](RunControl& c) { return Busy(c, 300ms); });
    ASSERT_TRUE(result.has_value());
    EXPECT_GT(*result, 0);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(label, QStringLiteral("Trwają obliczenia..."));
    // The bar followed the work's share of its time (0 to 1000).
    EXPECT_GT(barSeen, 500);
    EXPECT_LE(barSeen, 1000);
    // Timers of the window's thread ran all along (every 10 ms for 300 ms; a
    // blocked thread would count none before the run returns). A loaded
    // machine under X delays some.
    EXPECT_GE(ticks, 5);
}

TEST_F(LongRunTest, AnulujStopsTheRunWithoutAResult) {
    QElapsedTimer clock;
    qint64 pressedAt = -1;
    SetProgressDialogHook([&](QProgressDialog& dialog) {
        auto* cancel = dialog.findChild<QPushButton*>();
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(cancel->text(), QStringLiteral("Anuluj"));
        QTimer::singleShot(100, cancel, [&, cancel] {
            pressedAt = clock.elapsed();
            cancel->click();
        });
    });
    clock.start();
    const auto result = RunWithProgress<int>(&window, [](RunControl& c) { return Busy(c, 10s); });
    const qint64 endedAt = clock.elapsed();
    EXPECT_FALSE(result.has_value());
    ASSERT_GE(pressedAt, 0);
    EXPECT_LT(endedAt - pressedAt, 100);
}

}  // namespace
}  // namespace vimtal
