// Sizing of a throttling element for one branch of a ventilation duct.
//
// Given the pressure the branch must lose, its air flow and the duct's
// cross-section, find the open-area ratio eps (opening area over duct area)
// at which a thin sharp-edged orifice plate - or a single-blade damper -
// produces that loss, and report it as the orifice bore (round duct), the
// orifice's side lengths (rectangular duct, same aspect ratio as the duct) or
// the damper's opening angle.
//
// Every formula step is evaluated in extended precision and stored as a
// double before the next step reads it; faults (a zero flow or size, ...) are
// raised as FloatingPointError at the step where they happen, a text that is
// not a number as ConversionError, and a size whose side search could not end
// in reasonable time as a NoticeError titled "Vimtal info".
#pragma once

#include <optional>
#include <string>

namespace vimtal::orifice {

enum class DuctShape { Round, Rectangular };
enum class Element { Orifice, Damper };

// The texts of the window, converted as typed (locale separator, no
// normalisation).
struct SizingInput {
    std::string density;   // rho [kg/m3], the settings window's display (rounded to 0.01)
    std::string pressure;  // pressure to throttle dp [Pa]
    std::string flow;      // air flow V [m3/h]
    std::string sizeA;     // duct diameter D, or side A [mm]
    std::string sizeB;     // side B [mm], rectangular duct only
    DuctShape shape = DuctShape::Round;
    Element element = Element::Orifice;
};

// Every intermediate value of one calculation, and the texts to show.
struct SizingResult {
    double density = 0;                     // rho [kg/m3]
    double velocity = 0;                    // mean velocity w in the duct [m/s]
    double hydraulicDiameter = 0;           // Dh [m]
    double correction = 0;                  // k, between 0.93 and 1.18
    double correctedPressure = 0;           // k * dp [Pa]
    double zeta = 0;                        // required loss coefficient
    double openRatio = 0;                   // eps, on the 0.00001 grid, 1 when fully open
    double first = 0;                       // bore [mm], side A [mm] or angle [deg]
    double second = 0;                      // side B [mm] of a rectangular orifice, else 0
    std::string firstText;                  // whole display of `first`
    std::optional<std::string> secondText;  // rectangular orifice only
};

// The orifice coefficient of a thin sharp-edged plate at open-area ratio eps:
// c = ((1 + 0.707 * sqrt(1 - eps)) / eps - 1)^2, referred to the duct velocity.
double OrificeCoefficient(double eps);

// Smallest ratio on the 0.00001 grid whose coefficient does not exceed zeta,
// by stepping from 0; at the 100 000th step the element is taken as fully
// open (exactly 1). A zeta of zero or less therefore gives 1.
double OpenRatioFor(double zeta);

// Sides a, b [m] of a rectangular opening of area f0 [m2] with a / b = ratio,
// stepping b by 0.1 mm (a by 0.1 mm * ratio) until a * b reaches f0. Refuses
// (NoticeError, "Vimtal info") when the search could not end within
// kMaxSideSteps steps: sides of kilometres, or sides of opposite signs whose
// product never reaches f0.
struct Sides {
    double a = 0;
    double b = 0;
};
Sides OrificeSides(double f0, double ratio);
inline constexpr long long kMaxSideSteps = 10'000'000;  // b up to 1000 m

// The whole calculation of the "Oblicz" button. Texts are converted in the
// order density, pressure, flow, size A, size B (B only for a rectangular
// duct); the first failure propagates and nothing is returned.
SizingResult Size(const SizingInput& input);

}  // namespace vimtal::orifice
