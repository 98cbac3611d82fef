#include "ductsim/DuctChart.h"

#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QWidget>

#include "charts/ChartFrame.h"
#include "core/ui/Guard.h"
#include "core/ui/Platform.h"
#include "core/ui/Text.h"
#include "core/ui/WaitCursor.h"
#include "ductsim/CoolingChart.h"
#include "ductsim/DuctForm.h"

namespace vimtal {

namespace {

using namespace ductsim;

class PaintBox : public QWidget {
public:
    PaintBox(TForm13& chart, QWidget* parent) : QWidget(parent), chart_(chart) {
        setObjectName(QStringLiteral("PaintBox1"));
        setAutoFillBackground(false);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        chart_.PaintArea(painter, width(), height());
    }

private:
    TForm13& chart_;
};

}  // namespace

TForm13::TForm13(TForm9& duct) : Form(QStringLiteral("TForm13"), QStringLiteral("Wykres")), duct_(duct) {
    // An empty menu, as designed.
    Opcje1 = MenuBar()->addMenu(QStringLiteral("Opcje"));
    Opcje1->setObjectName(QStringLiteral("Opcje1"));
    SetClientSize(498, 328);
    QPalette white = palette();
    white.setColor(QPalette::Window, QColor(255, 255, 255));
    setPalette(white);
    setAutoFillBackground(true);
    PaintBox1 = new PaintBox(*this, Client());
    PaintBox1->setGeometry(0, 0, 497, 305);
}

void TForm13::FormShow() { reported_ = false; }

void TForm13::PaintArea(QPainter& painter, int W, int H) {
    painter.fillRect(0, 0, W, H, QColor(255, 255, 255));
    RecordingMessageSink messages;
    std::exception_ptr error;
    {
        WaitCursor busy;
        try {
            PaintBox1Paint(painter, W, H, messages);
        } catch (...) {
            error = std::current_exception();
        }
    }
    if (messages.messages.empty() && !error) return;
    if (reported_) return;
    reported_ = true;
    QPointer<TForm13> self(this);
    QMetaObject::invokeMethod(
        this, [self, list = messages.messages, error] { if (self) self->Report(list, error); }, Qt::QueuedConnection);
}

void TForm13::Report(const std::vector<RecordingMessageSink::Message>& messages, std::exception_ptr error) {
    for (const auto& m : messages) {
        Guarded([&] { platform().MessageBox(FromStd(m.text), FromStd(m.title)); });
    }
    if (error) Guarded([&] { std::rethrow_exception(error); });
}

void TForm13::PaintBox1Paint(QPainter& painter, int W, int H, MessageSink& messages) {
    TForm9* duct = &duct_;
    // The inputs as typed in the simulation window, not its last results.
    const InputTexts texts = duct->CurrentInputs();
    if (const auto missing = MissingInputMessage(texts)) {
        messages.ShowMessage(*missing, kInfoTitle);
        return;
    }
    const Inputs inputs = ConvertInputs(texts);
    const DuctSimulation simulation(inputs, kChartT0);
    duct->ShowOutsideAir(simulation.OutsideAir());

    charts::Canvas canvas(painter);
    charts::DrawFrame(canvas, W, H, {QStringLiteral("ti [C]"), QStringLiteral("t [s]"), QStringLiteral("ti=f(t)")});

    const InsideStart inside = simulation.InsideAir();
    duct->ShowInsideAir(inside);
    if (DuctSimulation::IsLaminar(inside.reynolds)) {
        messages.ShowMessage(kLaminarMessage, kInfoTitle);
        return;
    }

    // First run: the end of the run for the scales.
    const RunResult first = simulation.Run();
    const CoolingChartScale scale(W, H, inputs.ti, inputs.te, first);
    for (const ChartTick& tick : scale.TimeTicks()) {
        charts::DrawHorizontalTick(canvas, H, tick.position, tick.labelPosition, FromStd(tick.label));
    }
    for (const ChartTick& tick : scale.TemperatureTicks()) {
        charts::DrawVerticalTick(canvas, W, tick.position, tick.labelPosition, FromStd(tick.label));
    }

    // Second run: one segment per step, drawn only when it reaches another
    // pixel (ten million steps land on a few hundred pixels).
    charts::Curve curve(canvas);
    bool first_point = true;
    simulation.Run([&](double tau, double t) {
        if (first_point) {
            curve.MoveTo(scale.X(tau), scale.Y(t));
            first_point = false;
        } else {
            curve.LineTo(scale.X(tau), scale.Y(t));
        }
    });
}

}  // namespace vimtal
