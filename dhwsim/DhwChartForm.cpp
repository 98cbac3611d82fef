#include "dhwsim/DhwChartForm.h"

#include "charts/ChartFrame.h"
#include "core/FloatingPoint.h"
#include "core/ui/Guard.h"
#include "core/ui/Platform.h"
#include "core/ui/Text.h"
#include "core/ui/WaitCursor.h"
#include "core/ui/Widgets.h"
#include "dhwsim/ChargingChart.h"
#include "dhwsim/DhwSimForm.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QVBoxLayout>

namespace vimtal {

ChartPaintBox::ChartPaintBox(TForm6* form, QWidget* parent) : QWidget(parent), form_(form) {
    setObjectName(QStringLiteral("PaintBox1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartPaintBox::paintEvent(QPaintEvent*) {
    if (painting_) {
        // A message box shown by the paint below uncovered this box: show
        // what is there rather than run the model again inside the paint.
        QPainter(this).drawImage(0, 0, last_);
        return;
    }
    painting_ = true;
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    RecordingMessageSink messages;
    {
        WaitCursor busy;  // two runs of up to ten million steps
        QPainter painter(&image);
        Guarded([&] { form_->PaintBox1Paint(painter, width(), height(), messages); });
    }
    last_ = image;
    QPainter(this).drawImage(0, 0, image);
    for (const auto& m : messages.messages) platform().MessageBox(FromStd(m.text), FromStd(m.title));
    painting_ = false;
}

TForm6::TForm6(TForm5& simulation) : Form(QStringLiteral("TForm6"), QStringLiteral("Wykres")), simulation_(simulation) {
    QMenu* options = MenuBar()->addMenu(QStringLiteral("  Opcje..."));
    options->setObjectName(QStringLiteral("Opcje1"));
    Powiksz1 = NewAction(options, QStringLiteral("Powiksz1"), QStringLiteral("Powiększ..."), QKeySequence(Qt::Key_Insert));
    Pomniejsz1 =
        NewAction(options, QStringLiteral("Pomniejsz1"), QStringLiteral("Pomniejsz..."), QKeySequence(Qt::Key_Delete));

    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    SetClientSize(width_, height_);
    auto* layout = new QVBoxLayout(Client());
    layout->setContentsMargins(0, 0, 0, 0);
    PaintBox1 = new ChartPaintBox(this, Client());
    layout->addWidget(PaintBox1);

    On(Powiksz1, &QAction::triggered, [this] { Powiksz1Click(); });
    On(Pomniejsz1, &QAction::triggered, [this] { Pomniejsz1Click(); });
}

void TForm6::PaintBox1Paint(QPainter& painter, int W, int H, RecordingMessageSink& messages) {
    TForm5* simulation = &simulation_;
    charts::Canvas canvas(painter);
    dhwsim::DrawChargingChart(canvas, W, H, simulation->ChartKind(), simulation->Model(), simulation->Inputs(),
                              simulation->Settings(), messages,
                              [simulation](const dhwsim::ResultTexts& results) { simulation->WriteResults(results); });
}

void TForm6::Resize(int sign) {
    // The window keeps its proportions: 50 pixels more or less in height and
    // as much in width as the ratio asks.
    const fp::real ratio = fp::Div(width_, height_);
    const int dw = charts::Nearest(50.0L * ratio);
    height_ += sign * 50;
    width_ += sign * dw;
    SetClientSize(width_, height_);
}

void TForm6::Powiksz1Click() {
    if (width_ >= 1000) return;
    Resize(+1);
}

void TForm6::Pomniejsz1Click() {
    if (width_ <= 500) return;
    Resize(-1);
}

}  // namespace vimtal
