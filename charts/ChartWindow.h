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
//
// "Zapisz wykres..." saves the kept image as it is, a PNG or an SVG of the
// same pixels at the chart's size, and "Eksportuj dane..." the kept points
// as CSV: neither runs the model again.
#pragma once

#include "charts/ChartScale.h"
#include "core/Messages.h"
#include "core/ui/Form.h"

#include <QImage>
#include <QSize>

#include <exception>
#include <string>
#include <vector>

class QMenu;
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
    // Draws the whole chart from the current inputs on `painter`, whose
    // W x H pixels are white. Messages go to `messages`, the curve's points
    // to `points`; an error ends the drawing where it happened.
    virtual void DrawChart(QPainter& painter, int W, int H, MessageSink& messages,
                           std::vector<PlotPoint>& points) = 0;

    // A new size of the paint area (zoom): computed at once when shown.
    void SetChartSize(QSize size);

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
