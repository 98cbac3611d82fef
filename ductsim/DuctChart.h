// "Wykres": the air temperature of the slice against time, ti = f(t), for the
// inputs currently typed in the duct cooling window. The chart validates the
// inputs, runs the model once to find the end of the run for the scales and
// a second time to draw the curve step by step, and writes the air
// properties it computes into the duct cooling window. It is computed when
// the window opens and kept for every paint (charts/ChartWindow.h).
#pragma once

#include "charts/ChartFrame.h"
#include "charts/ChartWindow.h"
#include "ductsim/DuctModel.h"

#include <vector>

class QMenu;

namespace vimtal {

namespace ductsim {

// Draws the chart of the inputs `texts` on a W x H paint area. The first
// empty field or a laminar flow gives its message to `messages`; the air
// properties go to `listener` as soon as they are known (outside before the
// frame, inside after it); the curve's points (t [s], ti [C]) to `points`.
// Conversion and floating-point errors are thrown, leaving what was drawn.
void DrawCoolingChart(charts::Canvas& canvas, int W, int H, const InputTexts& texts, MessageSink& messages,
                      SimulationListener& listener, std::vector<charts::PlotPoint>* points = nullptr);

}  // namespace ductsim

class TForm9;

class TForm13 : public charts::ChartWindow {
    Q_OBJECT
public:
    // `duct`: the window whose inputs the chart runs and into which it
    // writes the air properties it computes.
    explicit TForm13(TForm9& duct);

protected:
    void DrawChart(QPainter& painter, int W, int H, MessageSink& messages,
                   std::vector<charts::PlotPoint>& points) override;
    ExportNames Exports() const override;

private:
    QMenu* Opcje1 = nullptr;
    TForm9& duct_;
};

}  // namespace vimtal
