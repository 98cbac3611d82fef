#include "charts/ChartWindow.h"

#include "charts/ChartExport.h"
#include "charts/ChartFrame.h"
#include "core/Files.h"
#include "core/ui/Guard.h"
#include "core/ui/LongRun.h"
#include "core/ui/Platform.h"
#include "core/ui/Text.h"
#include "core/ui/Widgets.h"

#include <QAction>
#include <QBuffer>
#include <QMenu>
#include <QPainter>
#include <QShowEvent>

#include <optional>
#include <utility>

namespace vimtal::charts {

// The paint area: shows the kept image, nothing more.
class ChartView : public QWidget {
public:
    ChartView(ChartWindow& chart, QWidget* parent) : QWidget(parent), chart_(chart) {
        setObjectName(QStringLiteral("PaintBox1"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (chart_.image_.isNull()) {
            painter.fillRect(rect(), Qt::white);
        } else {
            painter.drawImage(0, 0, chart_.image_);
        }
        painter.end();
        chart_.ReportAfterPaint();
    }

private:
    ChartWindow& chart_;
};

ChartWindow::ChartWindow(const QString& className, const QString& caption, QSize chartSize)
    : Form(className, caption), chartSize_(chartSize) {
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    PaintBox1 = new ChartView(*this, Client());
    PaintBox1->setGeometry(QRect(QPoint(0, 0), chartSize_));
}

bool ChartWindow::SetChartSize(QSize size) {
    if (isVisible() && !Compute(size)) return false;
    chartSize_ = size;
    PaintBox1->setGeometry(QRect(QPoint(0, 0), chartSize_));
    return true;
}

void ChartWindow::showEvent(QShowEvent* event) {
    Form::showEvent(event);
    // A window restored by the window manager shows what it had.
    if (event->spontaneous()) return;
    if (std::exchange(computedForShow_, false)) return;
    Recompute();
}

bool ChartWindow::Open() {
    if (!Compute(chartSize_)) return false;
    computedForShow_ = true;
    platform().ShowModal(this);
    computedForShow_ = false;
    return true;
}

bool ChartWindow::Recompute() { return Compute(chartSize_); }

bool ChartWindow::Compute(QSize size) {
    Drawing drawing = PrepareDrawing(size.width(), size.height());
    CanvasRecording recording;
    RecordingMessageSink messages;
    std::vector<PlotPoint> points;
    std::exception_ptr error;
    RunControl control;
    // Over the chart once it shows, over the window that opens it before.
    const bool finished = RunWithProgress(this, control, [&] {
        Canvas canvas(recording);
        try {
            drawing.draw(canvas, messages, points, control);
        } catch (const Cancelled&) {
            throw;
        } catch (...) {
            // What was drawn before the error stays; the error is shown
            // after the first paint, with the messages.
            error = std::current_exception();
        }
    });
    if (!finished) return false;
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        Canvas canvas(painter);
        recording.Replay(canvas);
    }
    if (drawing.done) drawing.done();
    image_ = std::move(image);
    points_ = std::move(points);
    ++computations_;
    messages_ = std::move(messages.messages);
    error_ = error;
    reportDue_ = !messages_.empty() || error_;
    PaintBox1->update();
    return true;
}

void ChartWindow::ReportAfterPaint() {
    if (!reportDue_) return;
    reportDue_ = false;
    // Dropped with the window if it goes first.
    QMetaObject::invokeMethod(
        this, [messages = std::exchange(messages_, {}), error = std::exchange(error_, nullptr)] { Report(messages, error); },
        Qt::QueuedConnection);
}

void ChartWindow::Report(const std::vector<RecordingMessageSink::Message>& messages, std::exception_ptr error) {
    for (const auto& m : messages) Guarded([&] { platform().MessageBox(FromStd(m.text), FromStd(m.title)); });
    if (error) Guarded([&] { std::rethrow_exception(error); });
}

void ChartWindow::AddExportItems(QMenu* menu) {
    if (!menu->actions().isEmpty()) menu->addSeparator();
    QAction* picture = NewAction(menu, QStringLiteral("Zapiszwykres1"), QStringLiteral("Zapisz wykres..."));
    QAction* data = NewAction(menu, QStringLiteral("Eksportujdane1"), QStringLiteral("Eksportuj dane..."));
    On(picture, &QAction::triggered, [this] { Zapiszwykres1Click(); });
    On(data, &QAction::triggered, [this] { Eksportujdane1Click(); });
}

void ChartWindow::Zapiszwykres1Click() {
    const std::optional<QString> path = platform().SaveFileDialog(
        platform().SaveRecordDialog(kPictureFilter, QStringLiteral("png"), Exports().picture));
    if (!path || path->isEmpty()) return;
    SaveChart(*path);
}

void ChartWindow::Eksportujdane1Click() {
    const std::optional<QString> path =
        platform().SaveFileDialog(platform().SaveRecordDialog(kDataFilter, QStringLiteral("csv"), Exports().data));
    if (!path || path->isEmpty()) return;
    SaveData(*path);
}

void ChartWindow::SaveChart(const QString& path) const {
    Guarded([&] {
        QByteArray bytes;
        if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
            bytes = PixelExactSvg(image_);
        } else {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            image_.save(&buffer, "PNG");
        }
        WriteFileAtomically(ToStd(path), Bytes(bytes.begin(), bytes.end()));
    });
}

void ChartWindow::SaveData(const QString& path) const {
    Guarded([&] {
        const ExportNames names = Exports();
        WriteFileAtomically(ToStd(path), PointsCsv(names.x, names.y, points_));
    });
}

}  // namespace vimtal::charts
