// The .cwu file: the state of the simulation window in one record of 234
// bytes, without header. Texts are short strings of capacity 10 (a length
// byte and 10 bytes of Windows-1250 text, zero-filled); a longer text is cut
// to its first 10 characters. Flags are one byte, 1 for true. Numbers are
// stored as the text their box showed.
//
// The fields stand in the order the window writes them back when a file is
// opened, each through its box so that the box's reaction runs.
#pragma once

#include "core/ShortString.h"

#include <array>
#include <cstddef>
#include <string>

namespace vimtal::dhwsim {

inline constexpr std::size_t kCwuRecordSize = 234;
inline constexpr std::size_t kCwuTextCapacity = 10;

struct CwuField {
    const char* control;  // the box or choice it holds ("Edit1", "CheckBox1")
    std::size_t offset;
    bool flag;  // one byte (1 = ticked or selected) instead of a text
};

inline constexpr std::array<CwuField, 24> kCwuFields{{
    {"Edit1", 0, false},           // initial water temperature, C
    {"Edit2", 11, false},          // tank height, m
    {"Edit12", 22, false},         // tank diameter, m
    {"Edit13", 33, false},         // insulation thickness, mm
    {"Edit14", 44, false},         // conductivity of the insulation
    {"Edit15", 55, false},         // conductivity of the wall
    {"Edit17", 66, false},         // surrounding air temperature, C
    {"Edit3", 77, false},          // time step, s
    {"CheckBox1", 88, true},       // 1 = water heating, 0 = electric
    {"Edit4", 89, false},          // supply temperature, C
    {"Edit5", 100, false},         // return temperature, C
    {"RadioButton1", 111, true},   // 1 = power entry, 0 = mass-flow entry
    {"Edit9", 112, false},         // source power, kW
    {"Edit6", 123, false},         // source mass flow, kg/s
    {"RadioButton3", 134, true},   // 1 = target temperature, 0 = target time
    {"Edit7", 135, false},         // target temperature, C
    {"Edit10", 146, false},        // target time, s
    {"Edit8", 157, false},         // result: time, s
    {"Edit20", 168, false},        // result: time, min
    {"Edit21", 179, false},        // result: time, h
    {"Edit11", 190, false},        // result: temperature reached, C
    {"Edit18", 201, false},        // result: constant draw, l/s
    {"Edit19", 212, false},        // tank volume, m3
    {"Edit16", 223, false},        // tank volume, dm3
}};

// One value per field of kCwuFields, in the same order.
struct CwuValue {
    std::string text;   // UTF-8
    bool flag = false;
};
using CwuRecord = std::array<CwuValue, kCwuFields.size()>;

Bytes EncodeCwu(const CwuRecord& record);
// Reads the first 234 bytes; a flag byte other than 1 reads as false.
CwuRecord DecodeCwu(const Bytes& bytes);

// The file replaced safely (core/Files.h); FileError on failure.
void SaveCwu(const std::string& path, const CwuRecord& record);
// FileError when the file is missing or shorter than one record.
CwuRecord LoadCwu(const std::string& path);

}  // namespace vimtal::dhwsim
