// What one fitting is computed from: the texts of the fitting editor, as the
// user typed them, and the figures the calculation takes from them.
//
// A typed number may use either decimal separator. Sizes are typed in mm and
// used in m. Round fittings take the flow in m3/h, rectangular ones in m3/s.
#pragma once

#include "core/Numbers.h"

#include <string>

namespace vimtal::pressureloss {

// The texts of the fitting editor's controls.
struct FittingInputs {
    std::string name;            // "NAZWA"
    std::string typeCode;        // "TYP"
    std::string length;          // L [mm]
    std::string diameter1;       // round diameter 1 [mm]
    std::string diameter2;       // round diameter 2 [mm]
    std::string sideA, sideB;    // rectangular section [mm]
    std::string sideC, sideD;    // second rectangular section [mm]
    std::string angle;           // alpha [deg]
    std::string radius;          // elbow radius [mm]
    std::string offsetE;         // offset dimension e [mm]
    std::string roundElbowType;  // "ŁUK GŁADKI", "KOLANO", "5-SEGMENTÓW", ...
    std::string rectElbowType;   // "ŁUK" or "KOLANO"
    std::string teePath;         // "PRZELOT" or "ODGAŁĘŹIENIE"
    std::string teeFlow;         // "ROZPŁYW" or "ŁĄCZENIE STRUG"
    std::string flow;            // V [m3/h]
    std::string branchFlow;      // Vo [m3/h]
    std::string velocity1;       // w1 [m/s] as shown (computed, read only)
    std::string velocity2;       // w2 [m/s] as shown (computed, read only)
    std::string extraLoss;       // additional loss dpp [Pa]
    std::string extraZeta;       // additional coefficient [-]
    bool extraLossChosen = true; // the additional loss is typed as a pressure (else as a coefficient)
    std::string material;        // "PVC", "Stal ocynk", "Inny"
    std::string roughness;       // k [mm]
};

// The figures of one fitting as the last velocity and loss steps took or
// computed them (SI units; flows as used: m3/h round, m3/s rectangular).
struct FittingValues {
    double flow = 0.0, branchFlow = 0.0;         // V, Vo
    double d = 0.0, d2 = 0.0;                    // (equivalent) diameters [m]
    double a = 0.0, b = 0.0, c = 0.0, dd = 0.0;  // sides A, B, C, D [m]
    double w1 = 0.0, w2 = 0.0;                   // velocities [m/s]
    double length = 0.0, roughness = 0.0, radius = 0.0, offset = 0.0;  // [m]
    double angle = 0.0;                          // [deg]
    double extraLoss = 0.0;                      // dpp [Pa]
    double reynolds = 0.0, lambda = 0.0, zeta = 0.0;
    double frictionLoss = 0.0, localLoss = 0.0, totalLoss = 0.0;  // dpl, dpm, dpc [Pa]
    int frictionSteps = 0;
};

// A number typed in the calculator: either separator.
inline double ToNumber(const std::string& text) { return StrToFloat(NormalizeSeparator(text)); }

}  // namespace vimtal::pressureloss
