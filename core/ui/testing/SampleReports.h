// Reports the tests and benchmarks share: a pressure-loss circuit as its
// window shows it, and a clock stopped at one moment (header-only, so a
// benchmark uses it without the test library).
#pragma once

#include "core/ui/ReportRenderer.h"

#include <string>

namespace vimtal::testing {

// The headers' date and time: 14.03.2025, 10:42.
inline ReportRenderOptions StoppedClock() {
    ReportRenderOptions options;
    options.clock = [] { return QDateTime(QDate(2025, 3, 14), QTime(10, 42, 17)); };
    return options;
}

// Eleven columns, `rows` fittings named "<fitting> nr <n>" and the total.
inline Report CircuitReport(int rows, const std::string& fitting = "Kolano prostokątne 90°") {
    Report report{ReportDocument("Kalkulator strat ciśnienia - obiegu krytycznego"), {}};
    report::Table& table = report.document.AddTable(
        "Obieg krytyczny",
        {{"Lp"}, {"Nazwa kształtki"}, {"Przepływ\nV [m3/h]"}, {"Prędkość\nw [m/s]"}, {"Długość\nL [mm]"},
         {"Średnica\nzastępcza"}, {"ξ\n[-]"}, {"Strata liniowa\ndpl [Pa]"}, {"Strata miejscowa\ndpm [Pa]"},
         {"Strata +\ndpp [Pa]"}, {"Strata całkowita\ndpc [Pa]"}});
    for (int i = 1; i <= rows; ++i) {
        const std::string n = std::to_string(i);
        table.AddRow({n, fitting + " nr " + n, "1200", "4,17", "500", "200", "0,21", "0,53", "2,19", "0",
                      std::to_string(2 + i % 7) + ",72"});
    }
    table.SetSummary({"", "Σ", "", "", "", "", "", "", "", "", "371,5"});
    return report;
}

}  // namespace vimtal::testing
