// The .cwu file: the state of the simulation window in one record of 234
// bytes, without header. Texts are short strings of capacity 10 (a length
// byte and 10 bytes of Windows-1250 text, zero-filled); a longer text is cut
// to its first 10 characters. Flags are one byte, 1 for true. Numbers are
// stored as the text their box showed.
//
// The fields stand in the order the window writes them back when a file is
// opened, each through its box so that the box's reaction runs.
#pragma once

#include "core/FixedRecord.h"

#include <string>

namespace vimtal::dhwsim {

struct CwuRecord {
    std::string initialTemperature;      // tw0, initial water temperature, degC
    std::string height;                  // H, tank height, m
    std::string diameter;                // D, tank diameter, m
    std::string insulation;              // diz, insulation thickness, mm
    std::string insulationConductivity;  // lambda_iz, of the insulation, W/(m K)
    std::string wallConductivity;        // lambda_cwu, of the tank wall, W/(m K)
    std::string airTemperature;          // ta, room air, degC
    std::string timeStep;                // dtau, s
    bool waterHeating = false;           // 1 water heating, 0 electric
    std::string supplyTemperature;       // tz, supply of the heating water, degC
    std::string returnTemperature;       // tp, return of the heating water, degC
    bool powerEntrySelected = false;     // 1 the source power given, 0 the mass flow given
    std::string power;                   // Q, source power, kW
    std::string massFlow;                // m, mass flow of heating water, kg/s
    bool targetTemperatureSelected = false;  // 1 to a target temperature, 0 for a target time
    std::string targetTemperature;       // tk, degC
    std::string targetTime;              // tau_k, s
    std::string time;                    // result: time the target was reached, s
    std::string minutes;                 // result: the same time, min
    std::string hours;                   // result: the same time, h
    std::string temperature;             // result: temperature after the target time, degC
    std::string draw;                    // result: constant draw, l/s
    std::string cubicMetres;             // tank volume, m3
    std::string litres;                  // tank volume, dm3
};

inline constexpr FixedField<CwuRecord> kCwuFields[] = {
    // Boundary conditions.
    {0, 10, &CwuRecord::initialTemperature}, {11, 10, &CwuRecord::height}, {22, 10, &CwuRecord::diameter},
    {33, 10, &CwuRecord::insulation}, {44, 10, &CwuRecord::insulationConductivity},
    {55, 10, &CwuRecord::wallConductivity},
    {66, 10, &CwuRecord::airTemperature}, {77, 10, &CwuRecord::timeStep},
    // Heat source: water heating (1) or electric, supply and return, the power (1) or the mass flow.
    {88, &CwuRecord::waterHeating}, {89, 10, &CwuRecord::supplyTemperature}, {100, 10, &CwuRecord::returnTemperature},
    {111, &CwuRecord::powerEntrySelected}, {112, 10, &CwuRecord::power}, {123, 10, &CwuRecord::massFlow},
    // Target: a temperature (1) or a time.
    {134, &CwuRecord::targetTemperatureSelected}, {135, 10, &CwuRecord::targetTemperature},
    {146, 10, &CwuRecord::targetTime},
    // Results: the time in s, min and h; the temperature reached and the draw; the volume in m3 and dm3.
    {157, 10, &CwuRecord::time}, {168, 10, &CwuRecord::minutes}, {179, 10, &CwuRecord::hours},
    {190, 10, &CwuRecord::temperature}, {201, 10, &CwuRecord::draw},
    {212, 10, &CwuRecord::cubicMetres}, {223, 10, &CwuRecord::litres},
};

// Save writes the one record (the file replaced safely); Load reads the first
// record of a file and raises FileError when it is missing or shorter.
inline constexpr FixedRecordFormat<CwuRecord> kCwuFormat{234, kCwuFields};
static_assert(kCwuFormat.Valid());

}  // namespace vimtal::dhwsim
