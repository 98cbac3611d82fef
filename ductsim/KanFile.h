// .kan files: the whole state of the duct cooling window in one record.
//
// One record of 298 bytes, no header. Every value is stored as the text its
// field showed, in a short string of capacity 10 (a length byte and 10 bytes
// of Windows-1250 text, zero-filled); a longer text is cut to its first 10
// characters. Byte 110 holds the shape: 1 for a rectangular duct, 0 for a
// round one. The size field is stored twice, as A (offset 122) and as D
// (offset 144); on loading the second one wins. The heat transmittance is
// stored before the heat loss.
#pragma once

#include "core/ShortString.h"

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

Bytes EncodeKanRecord(const KanRecord& record);
// Reads the first record of `bytes` (at least kKanRecordSize bytes; a
// shorter buffer is a logic error of the caller). Any shape byte other than
// 1 means a round duct.
KanRecord DecodeKanRecord(const Bytes& bytes);

// Writes the record without ever destroying the previous file; FileError on
// failure.
void SaveKanFile(const std::string& path, const KanRecord& record);
// The first record of the file; FileError "Read beyond end of file" for a
// file shorter than one record. Bytes after the first record are ignored.
KanRecord LoadKanFile(const std::string& path);

}  // namespace vimtal::ductsim
