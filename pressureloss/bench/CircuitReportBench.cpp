// Speed of the circuit window's report: the sheet of a full circuit of 101
// fittings (the eleven columns over three pages, then each fitting's sizes
// and make) laid out and written as a PDF, as "Zapisz raport PDF..." does.
#include "pressureloss/CircuitForm.h"
#include "pressureloss/Session.h"
#include "pressureloss/tests/FullCircuit.h"

#include "core/AmbientAir.h"
#include "core/Numbers.h"
#include "core/ui/ReportRenderer.h"
#include "core/ui/WindowLink.h"
#include "core/ui/testing/SampleReports.h"

#include <benchmark/benchmark.h>

namespace vimtal {
class TForm16;
namespace {

void BM_CircuitWindowReportOf101Fittings(benchmark::State& state) {
    SetDecimalSeparator(',');
    AmbientAir air;
    air.Recompute("20", "50", "101300");
    air.UseDisplayedFigures();
    pressureloss::Session session(air);
    WindowLink<TForm16> catalogue;  // not opened
    TForm15 window(air, session, catalogue);
    const pressureloss::testing::FullCircuit full = pressureloss::testing::MakeFullCircuit(air);
    session.circuit = full.circuit;
    window.SetTotalText(QString::fromStdString(full.totalText));

    qsizetype bytes = 0;
    for (auto _ : state) bytes = ReportPdf(window.BuildReport(), testing::StoppedClock()).size();
    state.counters["pdf_kB"] = static_cast<double>(bytes) / 1024.0;
}
BENCHMARK(BM_CircuitWindowReportOf101Fittings)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace vimtal
