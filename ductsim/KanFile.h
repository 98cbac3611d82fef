// .kan files: the whole state of the duct cooling window in one record.
//
// One record of 298 bytes, no header. Every value is stored as the text its
// field showed, in a short string of capacity 10 (a length byte and 10 bytes
// of Windows-1250 text, zero-filled); a longer text is cut to its first 10
// characters. Byte 110 holds the shape: 1 for a rectangular duct, 0 for a
// round one (any other byte reads as round). The size field is stored twice,
// as A (offset 122) and as D (offset 144); a window writing the record back
// in its order ends with D, so the second one wins. The heat transmittance
// is stored before the heat loss.
#pragma once

#include "core/FixedRecord.h"

#include <cstddef>
#include <string>

namespace vimtal::ductsim {

inline constexpr std::size_t kKanRecordSize = 298;
inline constexpr const char* kKanFilter = "Pliki Symulacji przewodu (*.kan)";
inline constexpr const char* kKanExtension = "kan";

struct KanRecord {
    // Inputs.
    std::string ti, te, phiI, phiE, pb, flow, lambda1, delta1, lambda2, delta2;
    bool rectangular = true;
    std::string length, sideA, sideB, diameter, timeStep;
    // Results.
    std::string totalTime, velocity, finalTemperature, reynolds, densityInside, densityOutside;
    std::string viscosityInside, viscosityOutside, alphaInside, alphaOutside, transmittance, heatLoss;
};

inline constexpr FixedField<KanRecord> kKanFields[] = {
    // Thermal and flow conditions.
    {0, 10, &KanRecord::ti}, {11, 10, &KanRecord::te}, {22, 10, &KanRecord::phiI}, {33, 10, &KanRecord::phiE},
    {44, 10, &KanRecord::pb},
    {55, 10, &KanRecord::flow}, {66, 10, &KanRecord::lambda1}, {77, 10, &KanRecord::delta1},
    {88, 10, &KanRecord::lambda2}, {99, 10, &KanRecord::delta2},
    // The shape (1: rectangular), the length, the size twice (as A, B and as D) and the time step.
    {110, &KanRecord::rectangular}, {111, 10, &KanRecord::length}, {122, 10, &KanRecord::sideA},
    {133, 10, &KanRecord::sideB}, {144, 10, &KanRecord::diameter}, {155, 10, &KanRecord::timeStep},
    // Results.
    {166, 10, &KanRecord::totalTime}, {177, 10, &KanRecord::velocity}, {188, 10, &KanRecord::finalTemperature},
    {199, 10, &KanRecord::reynolds}, {210, 10, &KanRecord::densityInside}, {221, 10, &KanRecord::densityOutside},
    {232, 10, &KanRecord::viscosityInside}, {243, 10, &KanRecord::viscosityOutside},
    {254, 10, &KanRecord::alphaInside}, {265, 10, &KanRecord::alphaOutside}, {276, 10, &KanRecord::transmittance},
    {287, 10, &KanRecord::heatLoss},
};

// Encode, Decode, Save (never destroying the previous file) and Load (the
// first record; FileError "Read beyond end of file" for a file shorter than
// one record, bytes after it ignored).
inline constexpr FixedRecordFormat<KanRecord> kKanFormat{kKanRecordSize, kKanFields};
static_assert(kKanFormat.Valid());

}  // namespace vimtal::ductsim
