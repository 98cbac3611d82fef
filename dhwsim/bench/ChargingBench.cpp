// Speed of the charging simulation: a run that never reaches its target makes
// as many steps as the limit allows (ten million at the defaults).
#include "dhwsim/ChargingChart.h"
#include "dhwsim/ChargingModel.h"
#include "dhwsim/DhwChartForm.h"
#include "dhwsim/DhwSettingsForm.h"
#include "dhwsim/DhwSimForm.h"
#include "dhwsim/tests/TankInputs.h"

#include "charts/ChartFrame.h"
#include "core/Numbers.h"
#include "core/ui/ReportRenderer.h"
#include "core/ui/WindowLink.h"
#include "core/ui/testing/FakePlatform.h"
#include "core/ui/testing/SampleReports.h"

#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>

#include <benchmark/benchmark.h>

namespace vimtal::dhwsim {
namespace {

// Water heating to the mean source temperature with losses: the tank settles
// just below it, so the run goes to the limit. The flow is derived from the
// power as the window derives it when the power is typed.
struct NeverReached {
    NeverReached(std::int64_t limit, bool losses) {
        SetDecimalSeparator(',');
        kept.source = PowerToFlow(kept.source, {w.initialTemperature, w.supplyTemperature, w.returnTemperature},
                                  &w.power, std::nullopt, sink)
                          .source;
        settings.limit = std::to_string(limit);
        settings.losses = losses;
    }
    WindowInputs w = TankInputs("1,2", "0,5", "10", "80");
    SimulationSettings settings;
    RecordingMessageSink sink;
    KeptValues kept;
};

void BM_RunToTheLimit(benchmark::State& state) {
    NeverReached run(state.range(0), state.range(1) != 0);
    RunReport report;
    for (auto _ : state) {
        report = RunSimulation(run.w, run.settings, run.kept, run.sink);
        benchmark::DoNotOptimize(report.stop);
    }
    state.counters["steps"] = static_cast<double>(report.end.t);
    state.counters["tw"] = report.end.tw;
}
// With losses and without.
BENCHMARK(BM_RunToTheLimit)->Args({10000000, 1})->Args({10000000, 0})->Unit(benchmark::kMillisecond)->Iterations(3);

// The same simulation as the window runs it on its worker thread: every
// kPollSteps steps the simulated time goes to the progress dialog's control
// and its stop request is read (SimulateWatched with a RunControl). Beside
// the unwatched loop, in one run, what watching costs.
void BM_SimulateWatched(benchmark::State& state) {
    NeverReached run(10000000, true);
    const std::optional<Inputs> inputs = Prepare(run.w, run.settings, Purpose::Run, run.kept, run.sink);
    const bool watched = state.range(0) != 0;
    RunControl control;
    Result result;
    for (auto _ : state) {
        result = watched ? SimulateWatched(*inputs, RunWatch(&control)) : Simulate(*inputs);
        benchmark::DoNotOptimize(result.end.tw);
    }
    state.counters["steps"] = result.end.t;
    state.counters["fraction"] = control.Fraction();
}
BENCHMARK(BM_SimulateWatched)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

// A full paint of the chart at the largest zoom: two runs of ten million
// steps each and the curve drawn from the second.
void BM_ChartPaintToTheLimit(benchmark::State& state) {
    NeverReached run(state.range(0), true);
    const int kind = static_cast<int>(state.range(1));
    QImage image(1074, 655, QImage::Format_RGB32);
    long long segments = 0;
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        charts::Canvas canvas(painter);
        const std::optional<Inputs> inputs = Prepare(run.w, run.settings, Purpose::Chart, run.kept, run.sink);
        const ChartDrawing drawing =
            DrawChargingChart(canvas, image.width(), image.height(), kind, *inputs, [](const Result&) {});
        segments = drawing.segments;
    }
    state.counters["segments"] = static_cast<double>(segments);
}
BENCHMARK(BM_ChartPaintToTheLimit)
    ->Args({10000000, 1})
    ->Args({10000000, 2})
    ->Args({10000000, 3})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

// The simulation window's own report, as "Zapisz raport PDF..." makes it,
// after a run of ten million steps towards a time: the inputs, settings and
// results, and the three charts drawn onto the PDF by the chart window's
// drawing code from one first pass and one trace of the three curves.
void BM_ReportAtTheLimit(benchmark::State& state) {
    FakePlatform fake;  // the run opens the chart window
    SetPlatform(&fake);
    SetDecimalSeparator(',');
    TForm7 settings;
    WindowLink<TForm7> settingsLink;
    settingsLink.Bind(settings);
    WindowLink<TForm6> chartLink;
    const FormLink assumptions, scheme;  // not opened
    TForm5 window(chartLink, settingsLink, assumptions, scheme);
    TForm6 chart(window);
    chartLink.Bind(chart);
    const std::string limit = std::to_string(state.range(0));
    settings.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QString::fromStdString(limit));
    const std::pair<const char*, std::string> texts[] = {{"Edit2", "1,2"}, {"Edit12", "0,5"}, {"Edit9", "10"}};
    for (const auto& [box, text] : texts) window.findChild<QLineEdit*>(box)->setText(QString::fromStdString(text));
    window.findChild<QRadioButton*>(QStringLiteral("RadioButton4"))->setChecked(true);
    window.findChild<QLineEdit*>(QStringLiteral("Edit10"))->setText(QString::fromStdString(limit));
    window.Button1Click();

    qsizetype bytes = 0;
    for (auto _ : state) bytes = ReportPdf(window.BuildReport(), testing::StoppedClock()).size();
    state.counters["pdf_kB"] = static_cast<double>(bytes) / 1024.0;
    state.counters["message_boxes"] = static_cast<double>(fake.messages.size());
    SetPlatform(nullptr);
}
BENCHMARK(BM_ReportAtTheLimit)->Arg(10'000'000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace vimtal::dhwsim
