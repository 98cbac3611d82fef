// The simulation window's texts for the model's tests and benchmarks: a tank
// of height H and diameter D heated with `power` kW of heating water towards
// `target` C, every other box at its default; and the changes the tests make
// most often.
#pragma once

#include "dhwsim/ChargingModel.h"

namespace vimtal::dhwsim {

inline WindowInputs TankInputs(const char* height, const char* diameter, const char* power, const char* target) {
    WindowInputs w;
    w.height = height;
    w.diameter = diameter;
    w.power = power;
    w.targetTemperature = target;
    return w;
}

// An electric heater of the typed power instead of heating water.
inline void Electric(WindowInputs& w) {
    w.waterHeating = false;
    w.electricHeating = true;
}

// Towards a time instead of a temperature.
inline void ForTime(WindowInputs& w, const char* seconds) {
    w.targetTemperatureSelected = false;
    w.targetTime = seconds;
}

// The mass flow of heating water typed into its box instead of the power.
inline void GivenFlow(WindowInputs& w, const char* flow) {
    w.powerEntrySelected = false;
    w.givenSource = SourceQuantity::MassFlow;
    w.massFlow = flow;
}

}  // namespace vimtal::dhwsim
