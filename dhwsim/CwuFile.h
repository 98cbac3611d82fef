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
    std::string initialTemperature;      // Edit1, tw0, C
    std::string height;                  // Edit2, H, m
    std::string diameter;                // Edit12, D, m
    std::string insulation;              // Edit13, mm
    std::string insulationConductivity;  // Edit14
    std::string wallConductivity;        // Edit15
    std::string airTemperature;          // Edit17, C
    std::string timeStep;                // Edit3, s
    bool waterHeating = false;           // CheckBox1: 1 water heating, 0 electric
    std::string supplyTemperature;       // Edit4, C
    std::string returnTemperature;       // Edit5, C
    bool powerEntrySelected = false;     // RadioButton1: 1 power given, 0 mass flow given
    std::string power;                   // Edit9, kW
    std::string massFlow;                // Edit6, kg/s
    bool targetTemperatureSelected = false;  // RadioButton3: 1 to a temperature, 0 for a time
    std::string targetTemperature;       // Edit7, C
    std::string targetTime;              // Edit10, s
    std::string time;                    // Edit8, result, s
    std::string minutes;                 // Edit20, result, min
    std::string hours;                   // Edit21, result, h
    std::string temperature;             // Edit11, result, C
    std::string draw;                    // Edit18, result, l/s
    std::string cubicMetres;             // Edit19, m3
    std::string litres;                  // Edit16, dm3
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
