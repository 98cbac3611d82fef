#include "KanFile.h"

#include "core/Files.h"

#include <array>
#include <stdexcept>

namespace vimtal::ductsim {

namespace {
constexpr std::size_t kCapacity = 10;  // characters of every text field
constexpr std::size_t kShapeOffset = 110;

// The text fields in the order of the record; each takes 11 bytes from its
// offset.
template <typename Record>
auto Fields(Record& r) {
    struct Field {
        std::size_t offset;
        decltype(&r.ti) text;
    };
    return std::to_array<Field>({
        {0, &r.ti},
        {11, &r.te},
        {22, &r.phiI},
        {33, &r.phiE},
        {44, &r.pb},
        {55, &r.flow},
        {66, &r.lambda1},
        {77, &r.delta1},
        {88, &r.lambda2},
        {99, &r.delta2},
        // 110: shape byte
        {111, &r.length},
        {122, &r.sideA},
        {133, &r.sideB},
        {144, &r.diameter},
        {155, &r.timeStep},
        {166, &r.totalTime},
        {177, &r.velocity},
        {188, &r.finalTemperature},
        {199, &r.reynolds},
        {210, &r.densityInside},
        {221, &r.densityOutside},
        {232, &r.viscosityInside},
        {243, &r.viscosityOutside},
        {254, &r.alphaInside},
        {265, &r.alphaOutside},
        {276, &r.transmittance},
        {287, &r.heatLoss},
    });
}
}  // namespace

Bytes EncodeKanRecord(const KanRecord& record) {
    RecordBuffer buffer(kKanRecordSize);
    for (const auto& field : Fields(record)) buffer.PutString(field.offset, kCapacity, *field.text);
    buffer.PutFlag(kShapeOffset, record.rectangular);
    return buffer.bytes();
}

KanRecord DecodeKanRecord(const Bytes& bytes) {
    if (bytes.size() < kKanRecordSize) throw std::logic_error("a .kan record needs 298 bytes");
    const RecordBuffer buffer(Bytes(bytes.begin(), bytes.begin() + kKanRecordSize));
    KanRecord record;
    for (const auto& field : Fields(record)) *field.text = buffer.GetString(field.offset, kCapacity);
    record.rectangular = buffer.GetByte(kShapeOffset) == 1;
    return record;
}

void SaveKanFile(const std::string& path, const KanRecord& record) {
    WriteFileAtomically(path, EncodeKanRecord(record));
}

KanRecord LoadKanFile(const std::string& path) {
    return DecodeKanRecord(ReadFirstRecord(path, kKanRecordSize));
}

}  // namespace vimtal::ductsim
