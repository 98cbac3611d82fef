// "Wykres": the chart window of the tank charging simulation. It draws the
// chart of the kind the simulation window chose from that window's current
// inputs (see ChargingChart.h), and the first run's results are written back
// into that window. The chart is computed when the window opens and when it
// is zoomed, and kept for every paint (charts/ChartWindow.h).
#pragma once

#include "charts/ChartWindow.h"

class QAction;

namespace vimtal {

class TForm5;

class TForm6 : public charts::ChartWindow {
    Q_OBJECT
public:
    // `simulation`: the window whose inputs the chart simulates, and into
    // whose result boxes the first pass writes.
    explicit TForm6(TForm5& simulation);

    void Powiksz1Click();   // "Powiększ..." (Ins)
    void Pomniejsz1Click();  // "Pomniejsz..." (Del)

protected:
    // From copies of the simulation window's inputs, settings and kept
    // values; afterwards the values the chart's reading left and the first
    // pass's results go into that window.
    Drawing PrepareDrawing(int W, int H) override;
    // Named after the chart on show: "wykres_tw_t.png", "dane_wykresu_tw_t.csv".
    ExportNames Exports() const override;

private:
    void Resize(int sign);

    QAction* Powiksz1 = nullptr;
    QAction* Pomniejsz1 = nullptr;
    TForm5& simulation_;
};

}  // namespace vimtal
