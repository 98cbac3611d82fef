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
    const char* header1;  // the header's first line ("Przepływ")
    const char* header2;  // its second line ("V [m3/h]"), may be empty
    const char* hint;     // what the column holds
    Field field;          // the record field it shows, exactly as stored
    int width;            // the column's width on screen, in pixels
};

// Left to right: the ordinal, the name, the flow, the velocity, the length,
// the (equivalent) diameter, ζ, then the friction, local, additional and
// total losses.
inline constexpr CircuitColumn kCircuitColumns[] = {
    {"Lp", "", "Liczba porządkowa", Field::Ordinal, 20},
    {"Nazwa kształtki", "", "Nazwa kształtki", Field::Name, 270},
    {"Przepływ", "V [m3/h]", "Przepływ powietrza w kształtce", Field::Flow, 56},
    {"Prędkość", "w [m/s]", "Prędkość przepływu powietrza przez kształtkę", Field::Velocity1, 54},
    {"Długość", "L [mm]", "Długość kształtki", Field::Length, 52},
    {"Średnica", "zastępcza", "Średnica/średnica zastępcza kształtki", Field::EquivDiameter, 56},
    {"ξ", "[-]", "Współczynnik oporów miejscowych kształtki", Field::Zeta, 36},
    {"Strata liniowa", "dpl [Pa]", "Liniowe straty ciśnienia", Field::FrictionLoss, 82},
    {"Strata miejscowa", "dpm [Pa]", "Miejscowe straty ciśnienia", Field::LocalLoss, 94},
    {"Strata +", "dpp [Pa]", "Dodatkowe straty ciśnienia", Field::ExtraLoss, 48},
    {"Strata całkowita", "dpc [Pa]", "Całkowite straty ciśnienia", Field::TotalLoss, 94},
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
