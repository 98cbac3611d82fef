// "Wykres": the chart window of the tank charging simulation. It keeps no
// data: every paint runs the model twice from the simulation window's
// current inputs (see ChargingChart.h) and writes the first run's results
// back into that window.
#pragma once

#include "core/Messages.h"
#include "core/ui/Form.h"

#include <QImage>

class QAction;
class QPainter;

namespace vimtal {

class TForm6;

// The paint box that covers the whole client area.
class ChartPaintBox : public QWidget {
    Q_OBJECT
public:
    ChartPaintBox(TForm6* form, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TForm6* form_;
    bool painting_ = false;
    QImage last_;  // shown when a message box above a paint asks for another
};

class TForm5;

class TForm6 : public Form {
    Q_OBJECT
public:
    // `simulation`: the window whose inputs and model the chart runs, and
    // into whose result boxes the first pass writes.
    explicit TForm6(TForm5& simulation);

    // Draws the chart of the kind the simulation window chose on a W x H
    // image. Messages of refused inputs are collected in `messages`.
    void PaintBox1Paint(QPainter& painter, int W, int H, RecordingMessageSink& messages);

    void Powiksz1Click();   // "Powiększ..." (Ins)
    void Pomniejsz1Click();  // "Pomniejsz..." (Del)

    QSize ChartSize() const { return {width_, height_}; }

private:
    void Resize(int sign);

    ChartPaintBox* PaintBox1 = nullptr;
    QAction* Powiksz1 = nullptr;
    QAction* Pomniejsz1 = nullptr;
    int width_ = 500;
    int height_ = 305;
    TForm5& simulation_;
};

}  // namespace vimtal
