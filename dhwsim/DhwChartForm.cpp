#include "dhwsim/DhwChartForm.h"

#include "charts/ChartFrame.h"
#include "core/FloatingPoint.h"
#include "core/ui/Guard.h"
#include "core/ui/Widgets.h"
#include "dhwsim/ChargingChart.h"
#include "dhwsim/DhwSimForm.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <memory>
#include <optional>

namespace vimtal {

TForm6::TForm6(TForm5& simulation)
    : ChartWindow(QStringLiteral("TForm6"), QStringLiteral("Wykres"), {500, 305}), simulation_(simulation) {
    QMenu* options = MenuBar()->addMenu(QStringLiteral("  Opcje..."));
    options->setObjectName(QStringLiteral("Opcje1"));
    Powiksz1 = NewAction(options, QStringLiteral("Powiksz1"), QStringLiteral("Powiększ..."), QKeySequence(Qt::Key_Insert));
    Pomniejsz1 =
        NewAction(options, QStringLiteral("Pomniejsz1"), QStringLiteral("Pomniejsz..."), QKeySequence(Qt::Key_Delete));
    AddExportItems(options);
    // The paint area covers the whole client area.
    SetClientSize(ChartSize().width(), ChartSize().height());

    On(Powiksz1, &QAction::triggered, [this] { Powiksz1Click(); });
    On(Pomniejsz1, &QAction::triggered, [this] { Pomniejsz1Click(); });
}

charts::ChartWindow::Drawing TForm6::PrepareDrawing(int W, int H) {
    // What the drawing on the worker thread leaves for the window's thread.
    struct Outcome {
        dhwsim::KeptValues kept;
        std::optional<dhwsim::ResultTexts> firstPass;
    };
    auto outcome = std::make_shared<Outcome>(Outcome{simulation_.Kept(), std::nullopt});
    Drawing drawing;
    drawing.draw = [outcome, window = simulation_.Inputs(), settings = simulation_.Settings(),
                    kind = simulation_.ChartKind(), W, H](charts::Canvas& canvas, MessageSink& messages,
                                                          std::vector<charts::PlotPoint>& points, RunControl& control) {
        const std::optional<dhwsim::Inputs> inputs =
            dhwsim::Prepare(window, settings, dhwsim::Purpose::Chart, outcome->kept, messages);
        if (!inputs) return;
        dhwsim::DrawChargingChart(
            canvas, W, H, kind, *inputs,
            [&](const dhwsim::Result& first) { outcome->firstPass = dhwsim::ChartResults(*inputs, first); }, &points,
            &control);
    };
    drawing.done = [this, outcome] {
        simulation_.SetKept(outcome->kept);
        if (outcome->firstPass) simulation_.WriteResults(*outcome->firstPass);
    };
    return drawing;
}

charts::ChartWindow::ExportNames TForm6::Exports() const {
    switch (simulation_.ChartKind()) {
    case 1: return {QStringLiteral("wykres_tw_t.png"), QStringLiteral("dane_wykresu_tw_t.csv"), "t [min]", "tw [°C]"};
    case 2: return {QStringLiteral("wykres_Qzr_t.png"), QStringLiteral("dane_wykresu_Qzr_t.csv"), "t [min]", "Qzr [kW]"};
    default:
        return {QStringLiteral("wykres_Qzr_tw.png"), QStringLiteral("dane_wykresu_Qzr_tw.csv"), "tw [°C]", "Qzr [kW]"};
    }
}

void TForm6::Resize(int sign) {
    // The window keeps its proportions: 50 pixels more or less in height and
    // as much in width as the ratio asks.
    const QSize size = ChartSize();
    const fp::real ratio = fp::Div(size.width(), size.height());
    const int dw = charts::Nearest(50.0L * ratio);
    const QSize resized(size.width() + sign * dw, size.height() + sign * 50);
    // Computed first: "Anuluj" leaves the window at its size.
    if (SetChartSize(resized)) SetClientSize(resized.width(), resized.height());
}

void TForm6::Powiksz1Click() {
    if (ChartSize().width() >= 1000) return;
    Resize(+1);
}

void TForm6::Pomniejsz1Click() {
    if (ChartSize().width() <= 500) return;
    Resize(-1);
}

}  // namespace vimtal
