// The circuit as a table: the eleven columns the circuit window shows, left
// to right, with their headers and the record field each shows, and the
// texts of every fitting in them - for the window, a printed report or an
// export alike.
#pragma once

#include "FittingRecord.h"

#include <iterator>
#include <string>
#include <vector>

namespace vimtal::pressureloss {

struct CircuitColumn {
    const char* list;     // the window's list box ("ListBox1")
    const char* header1;  // the header's first line ("Przepływ")
    const char* header2;  // its second line ("V [m3/h]"), may be empty
    const char* hint;     // what the column holds
    Field field;          // the record field it shows, exactly as stored
    int width;            // pixels in the window
};

// Left to right; the dpp column is ListBox11 and the last one ListBox10.
inline constexpr CircuitColumn kCircuitColumns[] = {
    {"ListBox1", "Lp", "", "Liczba porządkowa", Field::Ordinal, 20},
    {"ListBox2", "Nazwa kształtki", "", "Nazwa kształtki", Field::Name, 270},
    {"ListBox3", "Przepływ", "V [m3/h]", "Przepływ powietrza w kształtce", Field::Flow, 56},
    {"ListBox4", "Prędkość", "w [m/s]", "Prędkość przepływu powietrza przez kształtkę", Field::Velocity1, 54},
    {"ListBox5", "Długość", "L [mm]", "Długość kształtki", Field::Length, 52},
    {"ListBox6", "Średnica", "zastępcza", "Średnica/średnica zastępcza kształtki", Field::EquivDiameter, 56},
    {"ListBox7", "ξ", "[-]", "Współczynnik oporów miejscowych kształtki", Field::Zeta, 36},
    {"ListBox8", "Strata liniowa", "dpl [Pa]", "Liniowe straty ciśnienia", Field::FrictionLoss, 82},
    {"ListBox9", "Strata miejscowa", "dpm [Pa]", "Miejscowe straty ciśnienia", Field::LocalLoss, 94},
    {"ListBox11", "Strata +", "dpp [Pa]", "Dodatkowe straty ciśnienia", Field::ExtraLoss, 48},
    {"ListBox10", "Strata całkowita", "dpc [Pa]", "Całkowite straty ciśnienia", Field::TotalLoss, 94},
};
inline constexpr int kCircuitColumnCount = static_cast<int>(std::size(kCircuitColumns));

// A column's title as its heading shows it: the second line under the first.
std::string ColumnTitle(const CircuitColumn& column);

// The circuit's fittings in the columns, every text as the window shows it.
struct CircuitTable {
    std::vector<std::string> titles;             // the header's lines as the window shows them: "Przepływ\nV [m3/h]"
    std::vector<std::vector<std::string>> rows;  // one per fitting, in circuit order
};
CircuitTable TableOfCircuit(const Circuit& circuit);

// What a report says of a fitting besides the columns: the sizes, angle,
// radius, construction, material and roughness its kind has, every text as
// the record keeps it. A record of an unknown kind shows every size it keeps.
struct FittingDetails {
    std::string sizes;         // "L = 2000; Φ1 = 200" [mm], in the editor's order
    std::string angle;         // α [°]
    std::string radius;        // r [mm]
    std::string construction;  // an elbow's type; a tee's path and flow pattern
    std::string material;
    std::string roughness;     // k [mm]
};
FittingDetails DetailsOf(const FittingRecord& record);

}  // namespace vimtal::pressureloss
