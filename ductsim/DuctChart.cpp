#include "ductsim/DuctChart.h"

#include <QMenu>
#include <QMenuBar>

#include "core/ui/Text.h"

#include <memory>
#include "ductsim/CoolingChart.h"
#include "ductsim/DuctForm.h"

namespace vimtal {

namespace ductsim {

namespace {

// The chart's first run: the air properties passed on as they become known,
// the frame drawn once the outside air is known.
class FirstRun : public SimulationListener {
public:
    FirstRun(charts::Canvas& canvas, int W, int H, SimulationListener& window)
        : canvas_(canvas), W_(W), H_(H), window_(window) {}
    void OutsideAirKnown(const AirState& outside) override {
        window_.OutsideAirKnown(outside);
        charts::DrawFrame(canvas_, W_, H_, {QStringLiteral("ti [C]"), QStringLiteral("t [s]"), QStringLiteral("ti=f(t)")});
    }
    void InsideAirKnown(const InsideStart& inside) override { window_.InsideAirKnown(inside); }

private:
    charts::Canvas& canvas_;
    int W_, H_;
    SimulationListener& window_;
};

}  // namespace

void DrawCoolingChart(charts::Canvas& canvas, int W, int H, const InputTexts& texts, MessageSink& messages,
                      SimulationListener& listener, std::vector<charts::PlotPoint>* points, RunControl* control) {
    // First run: the checks, the frame, and the end of the run for the scales.
    FirstRun firstRun(canvas, W, H, listener);
    const std::optional<Request> request = PrepareRequest(texts, kChartT0, messages, firstRun);
    if (!request) return;
    const DuctSimulation& simulation = request->simulation;
    const Inputs& inputs = simulation.inputs();
    const CoolingChartScale scale(W, H, inputs.ti, inputs.te, simulation.Run({}, RunWatch(control, 0, 2)));
    charts::DrawTicks(canvas, W, H, scale.TimeTicks(), scale.TemperatureTicks());

    // Second run: one segment per step, drawn only when it reaches another
    // pixel (ten million steps land on a few hundred pixels).
    charts::Curve curve(canvas, points);
    bool start = true;
    simulation.Run([&](double tau, double t) {
        if (start) {
            curve.MoveTo(scale.X(tau), scale.Y(t), {tau, t});
            start = false;
        } else {
            curve.LineTo(scale.X(tau), scale.Y(t), [&] { return charts::PlotPoint{tau, t}; });
        }
    }, RunWatch(control, 1, 2));
}

void CoolingCharts::Draw(charts::Canvas& canvas, int W, int H, RunControl* control) {
    if (!traced_ || traced_->W != W || traced_->H != H) {
        // The frame, ticks and curve are drawn on a canvas of their own and
        // the pixels of the curve kept; then drawn here from what was kept.
        Traced traced{W, H, {}, {}, {}};
        RecordingMessageSink messages;
        SimulationListener quiet;
        const std::optional<Request> request = PrepareRequest(texts_, kChartT0, messages, quiet);
        if (request) {
            const DuctSimulation& simulation = request->simulation;
            const Inputs& inputs = simulation.inputs();
            const CoolingChartScale scale(W, H, inputs.ti, inputs.te, simulation.Run({}, RunWatch(control, 0, 2)));
            ++runs_;
            traced.time = scale.TimeTicks();
            traced.temperature = scale.TemperatureTicks();
            simulation.Run([&](double tau, double t) {
                const QPoint p(scale.X(tau), scale.Y(t));
                if (traced.curve.empty() || traced.curve.back() != p) traced.curve.push_back(p);
            }, RunWatch(control, 1, 2));
            ++runs_;
        }
        traced_ = std::move(traced);
    }
    charts::DrawFrame(canvas, W, H, {QStringLiteral("ti [C]"), QStringLiteral("t [s]"), QStringLiteral("ti=f(t)")});
    if (traced_->curve.empty()) return;
    charts::DrawTicks(canvas, W, H, traced_->time, traced_->temperature);
    charts::Curve curve(canvas);
    curve.MoveTo(traced_->curve.front().x(), traced_->curve.front().y());
    for (std::size_t i = 1; i < traced_->curve.size(); ++i) curve.LineTo(traced_->curve[i].x(), traced_->curve[i].y());
}

}  // namespace ductsim

TForm13::TForm13(TForm9& duct) : ChartWindow(QStringLiteral("TForm13"), QStringLiteral("Wykres"), {497, 305}), duct_(duct) {
    // Empty as designed, but for the exports.
    Opcje1 = MenuBar()->addMenu(QStringLiteral("Opcje"));
    Opcje1->setObjectName(QStringLiteral("Opcje1"));
    AddExportItems(Opcje1);
    SetClientSize(498, 328);
}

charts::ChartWindow::ExportNames TForm13::Exports() const {
    return {QStringLiteral("wykres_ti_t.png"), QStringLiteral("dane_wykresu_ti_t.csv"), "t [s]", "ti [°C]"};
}

charts::ChartWindow::Drawing TForm13::PrepareDrawing(int W, int H) {
    // The inputs as typed in the simulation window, not its last results.
    auto air = std::make_shared<AirProperties>();
    Drawing drawing;
    drawing.draw = [air, texts = duct_.CurrentInputs(), W, H](charts::Canvas& canvas, MessageSink& messages,
                                                            std::vector<charts::PlotPoint>& points,
                                                            RunControl& control) {
        ductsim::DrawCoolingChart(canvas, W, H, texts, messages, *air, &points, &control);
    };
    drawing.done = [this, air] { air->ShowIn(duct_); };
    return drawing;
}

}  // namespace vimtal
