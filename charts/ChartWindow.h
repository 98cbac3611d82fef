// The chart window of both simulations ("Wykres").
//
// A chart costs two runs of its model, up to ten million steps each, so the
// window computes it into a kept image and paints only that image: when the
// window is covered and uncovered, or anything else asks for a paint, the
// model does not run. It runs when the window opens (the simulation's inputs
// may have changed since the last opening), when the chart's size changes
// (zoom) and when Recompute() is asked for, with the wait cursor on.
//
// A computation may end with messages (refused inputs) or an error; they are
// shown once per computation, queued after the first paint of its image, so
// that no box opens in the middle of a paint and the user sees what was drawn
// behind the box.
//
// A chart draws itself through DrawChart() on any painter (the kept image
// here; a file or a printed page at another size just as well) and hands the
// points of its curve to the list it is given, kept here as Points().
#pragma once

#include "charts/ChartScale.h"
#include "core/Messages.h"
#include "core/ui/Form.h"

#include <QImage>
#include <QSize>

#include <exception>
#include <vector>

class QPainter;

namespace vimtal::charts {

class ChartWindow : public Form {
    Q_OBJECT
public:
    // The paint area "PaintBox1" of `chartSize` pixels sits at the top left
    // of the client area.
    ChartWindow(const QString& className, const QString& caption, QSize chartSize);

    // Computes the chart again now (its inputs changed) and shows the new
    // image; a hidden window computes when it is shown.
    void Recompute();

    QSize ChartSize() const { return chartSize_; }
    // The kept image of the last computation (white before the first).
    const QImage& Image() const { return image_; }
    // The points of its curve, in the units of the axes.
    const std::vector<PlotPoint>& Points() const { return points_; }
    // How many times the chart has been computed.
    int Computations() const { return computations_; }

protected:
    // Draws the whole chart from the current inputs on `painter`, whose
    // W x H pixels are white. Messages go to `messages`, the curve's points
    // to `points`; an error ends the drawing where it happened.
    virtual void DrawChart(QPainter& painter, int W, int H, MessageSink& messages,
                           std::vector<PlotPoint>& points) = 0;

    // A new size of the paint area (zoom): computed at once when shown.
    void SetChartSize(QSize size);

    void showEvent(QShowEvent* event) override;

private:
    friend class ChartView;
    // After the first paint of an image: its messages and error, once.
    void ReportAfterPaint();
    static void Report(const std::vector<RecordingMessageSink::Message>& messages, std::exception_ptr error);

    QWidget* PaintBox1 = nullptr;
    QSize chartSize_;
    QImage image_;
    std::vector<PlotPoint> points_;
    int computations_ = 0;
    std::vector<RecordingMessageSink::Message> messages_;
    std::exception_ptr error_;
    bool reportDue_ = false;
};

}  // namespace vimtal::charts
