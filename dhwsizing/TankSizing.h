// Domestic-hot-water tank capacity and heat power for dwellings after the
// Polish standard PN-90/B-01706.
//
// From the number of dwellings n, persons per dwelling k, daily demand per
// person qc, daily hours of use tau, the accumulation coefficient Phi of the
// tank and the cold and hot water temperatures tz and tc: the daily, mean
// hourly and maximum hourly demand, the hourly non-uniformity coefficient
// Nh = 9.32 * U^-0.244 (U = n * k persons), the design capacity
// Voz = log10(Nh) * 90 * Phi * U, the chosen capacity Vdz (Voz to whole
// tens), and the heat power without a tank (Qbz, an instantaneous heater for
// the maximum hourly demand) and with the chosen tank (Qdz).
#pragma once

#include "core/Messages.h"

#include <string>

namespace vimtal::dhwsizing {


// The texts of the input boxes.
struct SizingTexts {
    std::string dwellings = "1";       // n, dwellings in the building
    std::string persons = "4";         // k, persons per dwelling
    std::string dailyDemand = "130";   // qc, daily demand, dm3/day per person
    std::string hours = "15";          // tau, hours of use, h/day
    std::string accumulation = "0,35"; // Phi, accumulation coefficient of the tank
    std::string coldWater = "10";      // tz, cold water, degC
    std::string hotWater = "60";       // tc, hot water, degC
};

// The module values: inputs and results, zero before the first calculation
// and kept between calculations.
struct SizingValues {
    double n = 0, k = 0, qc = 0, tau = 0, phi = 0, tz = 0, tc = 0;
    double U = 0, Nh = 0, qds = 0, qhs = 0, qhm = 0, Qbz = 0, Voz = 0, Vdz = 0, phiR = 0, Qdz = 0;
};

// The result texts, rounded for display.
struct SizingResults {
    std::string qds, qhs, qhm, Nh;  // 3 decimals
    std::string Voz, Vdz;           // whole
    std::string Qdz, Qbz;           // 1 decimal
    std::string phiR;               // 2 decimals
};

// One "Oblicz". An empty box gives its message and the calculation goes on
// with the value stored for it; a text that is not a number and the
// floating-point faults (no persons, no hours of use) are thrown
// (core/Errors.h), leaving what was stored before.
SizingResults Calculate(SizingValues& values, const SizingTexts& texts, MessageSink& messages);

// The chosen capacity: the design capacity to the nearest ten dm3, a tie to
// the even ten (105 -> 100, 115 -> 120).
double ChosenCapacity(double designCapacity);

// The height in m of a tank of 0.5 m diameter holding `capacity` dm3, as the
// text of the capacity box gives it.
double TankHeight(const std::string& capacity);

}  // namespace vimtal::dhwsizing
