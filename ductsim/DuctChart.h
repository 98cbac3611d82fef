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

#include <QPoint>

#include <optional>
#include <utility>
#include <vector>

class QMenu;

namespace vimtal {

namespace ductsim {

// Draws the chart of the inputs `texts` on a W x H paint area. The first
// empty field or a laminar flow gives its message to `messages`; the air
// properties go to `listener` as soon as they are known (outside before the
// frame, inside after it); the curve's points (t [s], ti [C]) to `points`.
// Conversion and floating-point errors are thrown, leaving what was drawn.
// With a `control`, the two runs report to it as the two halves of the work,
// and a stop request throws Cancelled.
void DrawCoolingChart(charts::Canvas& canvas, int W, int H, const InputTexts& texts, MessageSink& messages,
                      SimulationListener& listener, std::vector<charts::PlotPoint>* points = nullptr,
                      RunControl* control = nullptr);

// The chart of a report: drawn as DrawCoolingChart draws it, without its
// messages and air properties (inputs the chart refuses, which a report
// leaves out beforehand, draw only the frame). Its two runs are made once for a chart size
// and the curve's pixels kept, so that the report drawn again at that size
// (the printer, after the trial on the worker thread) runs no model.
class CoolingCharts {
public:
    explicit CoolingCharts(InputTexts texts) : texts_(std::move(texts)) {}
    // A run under a `control` reports to it; a stop request throws
    // Cancelled and keeps nothing.
    void Draw(charts::Canvas& canvas, int W, int H, RunControl* control = nullptr);
    // Runs of the model made so far (tests).
    int Runs() const { return runs_; }

private:
    // The chart at one size: its ticks and the pixels of its curve.
    struct Traced {
        int W = 0, H = 0;
        std::vector<charts::ChartTick> time, temperature;
        std::vector<QPoint> curve;
    };
    const InputTexts texts_;
    std::optional<Traced> traced_;
    int runs_ = 0;
};

}  // namespace ductsim

class TForm9;

class TForm13 : public charts::ChartWindow {
    Q_OBJECT
public:
    // `duct`: the window whose inputs the chart runs and into which it
    // writes the air properties it computes.
    explicit TForm13(TForm9& duct);

protected:
    // From a copy of the duct window's inputs; afterwards the air properties
    // the chart computed go into that window.
    Drawing PrepareDrawing(int W, int H) override;
    ExportNames Exports() const override;

private:
    QMenu* Opcje1 = nullptr;
    TForm9& duct_;
};

}  // namespace vimtal
