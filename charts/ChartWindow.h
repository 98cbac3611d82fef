// The chart window of both simulations ("Wykres").
//
// A chart costs two runs of its model, up to a hundred million steps each,
// so the window computes it into a kept image and paints only that image:
// when the window is covered and uncovered, or anything else asks for a
// paint, the model does not run. It runs when the window opens (the
// simulation's inputs may have changed since the last opening), when the
// chart's size changes (zoom) and when Recompute() is asked for.
//
// A computation runs on a worker thread (core/ui/LongRun.h): the wait
// cursor, then a progress dialog with "Anuluj" over the window. The window
// takes copies of what it reads before; the chart draws on a recording
// canvas there, and the window's thread paints the recording into the image
// and writes what the chart computed into its windows after. "Anuluj" leaves everything as
// it was: the kept image, the size, the windows' fields; a chart being
// opened does not open.
//
// A computation may end with messages (refused inputs) or an error; they are
// shown once per computation, queued after the first paint of its image, so
// that no box opens in the middle of a paint and the user sees what was drawn
// behind the box.
//
// A chart draws itself through its Drawing on any canvas (a recording here;
// a file or a printed page at another size just as well) and hands the
// points of its curve to the list it is given, kept here as Points().
//
// "Zapisz wykres..." saves the kept image as it is, a PNG or an SVG of the
// same pixels at the chart's size, and "Eksportuj dane..." the kept points
// as CSV: neither runs the model again.
#pragma once

#include "charts/ChartScale.h"
#include "core/Messages.h"
#include "core/RunControl.h"
#include "core/ui/Form.h"

#include <QImage>
#include <QSize>

#include <exception>
#include <functional>
#include <string>
#include <vector>

class QMenu;

namespace vimtal::charts {

class Canvas;

class ChartWindow : public Form {
    Q_OBJECT
public:
    // The paint area "PaintBox1" of `chartSize` pixels sits at the top left
    // of the client area.
    ChartWindow(const QString& className, const QString& caption, QSize chartSize);

    // Computes the chart, then shows the window modally with it; false when
    // the computation was cancelled and the window did not open.
    bool Open();
    // Computes the chart again now (its inputs changed) and shows the new
    // image; a hidden window computes when it is shown. False when the
    // computation was cancelled (the image kept).
    bool Recompute();

    QSize ChartSize() const { return chartSize_; }
    // The kept image of the last computation (white before the first).
    const QImage& Image() const { return image_; }
    // The points of its curve, in the units of the axes.
    const std::vector<PlotPoint>& Points() const { return points_; }
    // How many times the chart has been computed.
    int Computations() const { return computations_; }

    // "Zapisz wykres..." (the save dialog: PNG or SVG by the filter chosen)
    // and "Eksportuj dane..." (CSV).
    void Zapiszwykres1Click();
    void Eksportujdane1Click();
    // What they write once the file is chosen: the kept image, as an SVG
    // when the name ends in ".svg" and as a PNG otherwise; the points of the
    // curve. Both the safe way; errors in the error box.
    void SaveChart(const QString& path) const;
    void SaveData(const QString& path) const;

    inline static const QString kPictureFilter = QStringLiteral("Obraz PNG (*.png);;Rysunek SVG (*.svg)");
    inline static const QString kDataFilter = QStringLiteral("Arkusz CSV (*.csv)");

protected:
    // One computation of the chart of W x H pixels.
    struct Drawing {
        // Runs on the worker thread and touches no window: draws the whole
        // chart on `canvas` (of W x H white pixels) from the copies the
        // chart took; messages go to `messages`, the curve's points to
        // `points`; its model runs report to `control`. An error ends the
        // drawing where it happened.
        std::function<void(Canvas& canvas, MessageSink& messages, std::vector<PlotPoint>& points,
                           RunControl& control)>
            draw;
        // Runs on the window's thread once the drawing has ended, after an
        // error too, but not after "Anuluj": writes what the chart computed
        // into the windows (may be empty).
        std::function<void()> done;
    };
    // Takes, on the window's thread, what the chart reads from its windows.
    virtual Drawing PrepareDrawing(int W, int H) = 0;

    // A new size of the paint area (zoom): computed at once when shown;
    // false when that computation was cancelled and the size kept.
    bool SetChartSize(QSize size);

    // What the exports of the chart on show are called, and the quantities
    // and units of its axes for the data's header.
    struct ExportNames {
        QString picture;  // "wykres_tw_t.png"
        QString data;     // "dane_wykresu_tw_t.csv"
        std::string x;    // "t [min]"
        std::string y;    // "tw [°C]"
    };
    virtual ExportNames Exports() const = 0;
    // Puts "Zapisz wykres..." (Zapiszwykres1) and "Eksportuj dane..."
    // (Eksportujdane1) at the end of `menu`, after a separator when the
    // menu has items.
    void AddExportItems(QMenu* menu);

    void showEvent(QShowEvent* event) override;

private:
    friend class ChartView;
    // Computes the chart at `size` into the kept image; false when cancelled.
    bool Compute(QSize size);
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
    // The image was computed for the showing under way (Open).
    bool computedForShow_ = false;
};

}  // namespace vimtal::charts
