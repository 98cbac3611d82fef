// Long runs of the charging simulation: refused before they start when they
// would take more than a hundred million steps, computed on a worker thread
// with the progress dialog while the window's thread goes on, and stopped by
// "Anuluj" with the windows as they were.
#include "app/testing/AppHarness.h"
#include "charts/ChartWindow.h"
#include "core/ui/testing/PdfTools.h"
#include "core/ui/testing/ProgressDialogs.h"
#include "dhwsim/DhwChartForm.h"
#include "dhwsim/DhwSimForm.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>

namespace vimtal {
namespace {

using namespace std::chrono_literals;

const QString F5 = QStringLiteral("TForm5");
const QString F6 = QStringLiteral("TForm6");
const QString kTooMany = QStringLiteral(
    "Symulacja wymagałaby ponad 100 000 000 kroków czasowych - zwiększ długość kroku czasowego symulacji lub "
    "zmniejsz liczbę iteracji");

// Every box of the window and its notes label, as the user sees them.
QStringList Shown(AppHarness& app, const QString& window) {
    QStringList shown;
    for (const QLineEdit* box : app.Window(window)->findChildren<QLineEdit*>()) {
        shown << box->objectName() + QLatin1Char('=') + box->text();
    }
    shown << app.Text(window, QStringLiteral("LabelUwagi"));
    return shown;
}

// The simulation window opened from the launcher, with a 98-litre tank
// heated by 10 kW; a run towards 55 C takes a few thousand steps.
class DhwLongRun : public ModuleTest {
protected:
    DhwLongRun() : ModuleTest("SpeedButton3") {
        app.Type(F5, "Edit2", "0,5");
        app.Type(F5, "Edit12", "0,5");
        app.Type(F5, "Edit9", "10");
        app.Type(F5, "Edit7", "55");
    }

    // A run that gave results and notes (the supply colder than the
    // return), its chart closed again; then a target at the mean source
    // temperature of 80 C, which the tank never reaches: the next run goes
    // on for the ten million steps of the limit, about half a second.
    void RunThenAimAtTheLimit() {
        app.SetText(F5, "Edit4", "70");
        app.SetText(F5, "Edit5", "90");
        app.Click(F5, "Button1");
        app.Close(F6);
        ASSERT_FALSE(app.Text(F5, "Edit8").isEmpty());
        ASSERT_EQ(app.Text(F5, "LabelUwagi"), "⚠ Uwagi: 1");
        app.SetText(F5, "Edit7", "80");
        app.ClearRecords();
    }
};

// dtau = 1E-9 s asks for 1E16 steps: the run, a chart and the report refuse
// it at once, and nothing the window shows changes.
TEST_F(DhwLongRun, ATimeStepOfANanosecondIsRefusedAtOnce) {
    app.Click(F5, "Button1");
    app.Close(F6);
    app.SetText(F5, "Edit3", "1E-9");
    app.ClearRecords();
    const QStringList before = Shown(app, F5);
    testing::ProgressDialogs progress;

    QElapsedTimer clock;
    clock.start();
    app.Click(F5, "Button1");
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(app.Messages(), QStringList{kTooMany});
    EXPECT_EQ(app.Fake().messages.at(0).title, "VIMTAL info");
    EXPECT_EQ(progress.Shown(), 0);
    EXPECT_EQ(app.Shown(), QStringList{});
    // The notes of the run before go with the refusal, as with any other.
    QStringList expected = before;
    expected.last() = QString();
    EXPECT_EQ(Shown(app, F5), expected);

    app.ClearRecords();
    clock.restart();
    app.Click(F5, "Button4");  // "Wykres Qzr=f(t)"
    app.Grab(F6);              // the chart's message follows its first paint
    AppHarness::RunQueued();
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(app.Shown(), QStringList{F6});
    EXPECT_EQ(app.Messages(), QStringList{kTooMany});
    EXPECT_EQ(Shown(app, F5), expected);
    app.Close(F6);

    clock.restart();
    const QString report = testing::PdfPageTexts(app.SaveReport(F5)).join(QLatin1Char('\n'));
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_TRUE(report.contains(QStringLiteral("Wykresy nie zostały narysowane: ") + kTooMany.left(40)));
    EXPECT_EQ(app.ErrorCount(), 0) << app.LastError().toStdString();
}

// A ten-million-step run: the dialog appears over the window, the window's
// timers go on, and the run's message follows it.
TEST_F(DhwLongRun, ATenMillionStepRunShowsItsProgressWhileTheWindowGoesOn) {
    RunThenAimAtTheLimit();
    testing::ProgressDialogs progress;
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);
    progress.Start();
    app.Click(F5, "Button1");
    EXPECT_EQ(progress.Shown(), 1);
    EXPECT_EQ(progress.Labels().value(0), "Trwają obliczenia...");
    EXPECT_EQ(progress.Titles().value(0), app.Window(F5)->windowTitle());
    // The window's thread ran its timers all along (a blocked one would run
    // none before the run returns); a loaded machine delays some.
    EXPECT_GE(ticks, 5);
    // The limit was reached: the message, and no chart.
    EXPECT_EQ(app.Messages(), QStringList{"Dla zadanych warunków nie osiągnięto wymaganej temperatury"});
    EXPECT_EQ(app.Shown(), QStringList{});
}

// "Anuluj" 150 ms into the run ends it within 0.1 s: no message, no chart,
// every box and the notes as they were before the click.
TEST_F(DhwLongRun, AnulujEndsTheRunAtOnceWithTheWindowAsItWas) {
    RunThenAimAtTheLimit();
    const QStringList before = Shown(app, F5);
    const dhwsim::KeptValues kept = app.WindowAs<TForm5>(F5)->Kept();
    testing::ProgressDialogs progress;
    progress.CancelAt(150ms);
    progress.Start();
    app.Click(F5, "Button1");
    const qint64 sincePress = progress.SincePress();
    ASSERT_GE(progress.PressedAt(), 150);
    EXPECT_LT(sincePress, 100);
    EXPECT_EQ(Shown(app, F5), before);
    EXPECT_EQ(app.WindowAs<TForm5>(F5)->Kept().targetTemperature, kept.targetTemperature);
    EXPECT_EQ(app.Messages(), QStringList{});
    EXPECT_EQ(app.Shown(), QStringList{});
}

// A chart computes both its passes on the worker thread: "Anuluj" while it
// is opened leaves it closed and the results of the window untouched (the
// first pass writes them only once the chart is drawn); while it zooms, it
// keeps its size and its image.
TEST_F(DhwLongRun, AnulujWhileAChartComputesKeepsTheChartAndTheResults) {
    RunThenAimAtTheLimit();
    const QStringList before = Shown(app, F5);
    const qint64 opening = testing::PressAnulujAt(150ms, [&] { app.Click(F5, "Button3"); });
    EXPECT_GE(opening, 0);
    EXPECT_LT(opening, 100);
    EXPECT_EQ(app.Shown(), QStringList{});
    EXPECT_FALSE(app.IsVisible(F6));
    EXPECT_EQ(Shown(app, F5), before);

    // Drawn to the end once, as the user waits for it.
    app.Click(F5, "Button3");
    ASSERT_TRUE(app.IsVisible(F6));
    auto* chart = app.WindowAs<charts::ChartWindow>(F6);
    const QImage image = chart->Image();
    const QSize client = chart->Client()->size();
    const QStringList drawn = Shown(app, F5);
    EXPECT_NE(drawn, before);  // the first pass's time at the limit
    const qint64 zooming = testing::PressAnulujAt(150ms, [&] { app.Click(F6, "Powiksz1"); });
    EXPECT_GE(zooming, 0);
    EXPECT_LT(zooming, 100);
    EXPECT_EQ(chart->ChartSize(), QSize(500, 305));
    EXPECT_EQ(chart->Client()->size(), client);
    EXPECT_EQ(chart->Image(), image);
    EXPECT_EQ(Shown(app, F5), drawn);
    EXPECT_EQ(app.Messages(), QStringList{});
}

// The report's three charts run the model (a first pass and one trace):
// "Anuluj" while the sheet is drawn writes no file and prints nothing.
TEST_F(DhwLongRun, AnulujWhileTheReportIsDrawnWritesNoFileAndPrintsNothing) {
    RunThenAimAtTheLimit();
    app.Click(F5, "RadioButton4");
    app.SetText(F5, "Edit10", "10000000");
    app.Click(F5, "Button1");  // to the time: results, then the chart
    app.Close(F6);
    ASSERT_FALSE(app.Text(F5, "Edit11").isEmpty());
    app.ClearRecords();
    QByteArray pdf;
    const qint64 saving = testing::PressAnulujAt(150ms, [&] { pdf = app.SaveReport(F5); });
    EXPECT_GE(saving, 0);
    EXPECT_LT(saving, 100);
    EXPECT_TRUE(pdf.isEmpty());
    EXPECT_EQ(app.Fake().saveRequests.size(), 1u);

    app.Fake().printAnswers = {true};
    const qint64 printing = testing::PressAnulujAt(150ms, [&] { app.Click(F5, "Drukuj1"); });
    EXPECT_GE(printing, 0);
    EXPECT_LT(printing, 100);
    ASSERT_EQ(app.Fake().printed.size(), 1u);
    EXPECT_TRUE(app.Fake().printed[0].isEmpty());
    EXPECT_EQ(app.Messages(), QStringList{});
}

// The tank sizing hands its tank over and runs the simulation; "Anuluj"
// puts back every box it wrote, and the simulation window does not open.
TEST(DhwHandOver, AnulujPutsTheSimulationBackAndOpensNothing) {
    AppHarness app;
    const QString F19 = QStringLiteral("TForm19");
    app.SetText(QStringLiteral("TForm7"), "Edit1", "100000000");  // a hundred million seconds to 60 C
    app.Click(F19, "Button1");
    // A source of 10 W, which loses the race with the tank's losses long
    // before 60 C: the run goes on to the limit.
    app.SetText(F19, "Edit14", "0,01");
    const QStringList before = Shown(app, F5);
    const qint64 handOver = testing::PressAnulujAt(150ms, [&] { app.Click(F19, "Button2"); });
    EXPECT_GE(handOver, 0);
    EXPECT_LT(handOver, 100);
    EXPECT_EQ(Shown(app, F5), before);
    EXPECT_EQ(app.Shown(), QStringList{});
    EXPECT_EQ(app.Messages(), QStringList{});
}

}  // namespace
}  // namespace vimtal
