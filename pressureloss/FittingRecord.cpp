#include "FittingRecord.h"

#include "core/Errors.h"
#include "core/Files.h"
#include "core/FloatingPoint.h"
#include "core/Numbers.h"

#include <stdexcept>

namespace vimtal::pressureloss {

namespace {
// Capacities of the 32 fields in record order; the offsets follow.
constexpr std::size_t kCapacities[kFieldCount] = {
    3,   // Ordinal
    40,  // Name
    10,  // TypeCode
    10, 10, 10, 10, 10, 10, 10, 10,  // Length, SideA, Diameter1, SideB, Diameter2, SideC, SideD, Angle
    10, 10,                          // Flow, BranchFlow
    10, 10, 10, 10, 10, 10, 10, 10,  // Velocity1, Velocity2, ExtraLoss, Zeta, Roughness, FrictionLoss, LocalLoss, TotalLoss
    10, 10,                          // EquivDiameter, EquivDiameter2
    2,                               // Kind
    11,                              // RoundElbowType
    6,                               // RectElbowType
    10, 10, 10,                      // Material, Radius, OffsetE
    15, 15, 15,                      // TeePath, TeeFlow, RoundElbowTypeCopy
};

constexpr std::array<std::size_t, kFieldCount> Offsets() {
    std::array<std::size_t, kFieldCount> offsets{};
    std::size_t at = 0;
    for (int i = 0; i < kFieldCount; ++i) {
        offsets[i] = at;
        at += kCapacities[i] + 1;
    }
    return offsets;
}
constexpr std::array<std::size_t, kFieldCount> kOffsets = Offsets();

static_assert(kOffsets[kFieldCount - 1] + kCapacities[kFieldCount - 1] + 1 == kRecordSize,
              "the fields fill the 379-byte record without gaps");
static_assert(kOffsets[static_cast<int>(Field::Flow)] == 144);
static_assert(kOffsets[static_cast<int>(Field::Kind)] == 276);
static_assert(kOffsets[static_cast<int>(Field::TeePath)] == 331);

void CheckUsed(int index, int count) {
    if (index < 0 || index >= count) throw std::out_of_range("fitting index outside the circuit");
}
}  // namespace

FieldLayout LayoutOf(Field field) {
    const int i = static_cast<int>(field);
    return {kOffsets[i], kCapacities[i]};
}

FittingRecord::FittingRecord() : buffer_(kRecordSize) {}

FittingRecord::FittingRecord(const std::uint8_t* bytes) : buffer_(Bytes(bytes, bytes + kRecordSize)) {}

std::string FittingRecord::Get(Field field) const {
    const FieldLayout layout = LayoutOf(field);
    return buffer_.GetString(layout.offset, layout.capacity);
}

void FittingRecord::Set(Field field, const std::string& text) {
    const FieldLayout layout = LayoutOf(field);
    buffer_.PutString(layout.offset, layout.capacity, text);
}

const FittingRecord& Circuit::Slot(int index) const {
    if (index < 0 || index >= kTableSlots) throw std::out_of_range("slot outside the circuit table");
    return table_[static_cast<std::size_t>(index)];
}

std::string Circuit::FieldText(int index, Field field) const {
    if (index < 0 || index >= kTableSlots) return {};
    return table_[static_cast<std::size_t>(index)].Get(field);
}

int Circuit::Append(FittingRecord record) {
    if (Full()) {
        throw NoticeError("Obieg ma już " + IntToStr(kTableSlots) +
                              " kształtek - więcej nie można dodać. Kształtka nie została zapisana.",
                          kEditorTitle);
    }
    const int slot = count_;
    record.Set(Field::Ordinal, IntToStr(slot));
    table_[static_cast<std::size_t>(slot)] = std::move(record);
    ++count_;
    return slot;
}

void Circuit::Replace(int index, FittingRecord record) {
    CheckUsed(index, count_);
    record.Set(Field::Ordinal, IntToStr(index));
    table_[static_cast<std::size_t>(index)] = std::move(record);
}

void Circuit::Delete(int index) {
    CheckUsed(index, count_);
    for (int i = index; i + 1 < count_; ++i) {
        FittingRecord moved = table_[static_cast<std::size_t>(i + 1)];
        moved.Set(Field::Ordinal, IntToStr(i));
        table_[static_cast<std::size_t>(i)] = std::move(moved);
    }
    table_[static_cast<std::size_t>(count_ - 1)] = FittingRecord();
    --count_;
}

void Circuit::Clear() {
    for (int i = 0; i < count_; ++i) table_[static_cast<std::size_t>(i)] = FittingRecord();
    count_ = 0;
    runningTotal = 0.0;
}

Bytes Circuit::Serialize() const {
    Bytes bytes;
    bytes.reserve(static_cast<std::size_t>(count_) * kRecordSize);
    for (int i = 0; i < count_; ++i) {
        const Bytes& record = table_[static_cast<std::size_t>(i)].bytes();
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    return bytes;
}

void Circuit::Save(const std::string& path) const { WriteFileAtomically(path, Serialize()); }

LoadResult Circuit::Load(const std::string& path, MessageSink& messages) {
    return LoadBytes(ReadFileBytes(path), messages);
}

LoadResult Circuit::LoadBytes(const Bytes& bytes, MessageSink& messages) {
    // The first record is read before the end of the file is tested, so a
    // file shorter than one record is a read beyond its end.
    if (bytes.size() < kRecordSize) throw FileError(FileFault::EndOfFile, 100);
    const std::size_t inFile = bytes.size() / kRecordSize;
    LoadResult result;
    result.truncated = inFile > static_cast<std::size_t>(kTableSlots);
    result.records = static_cast<int>(result.truncated ? kTableSlots : inFile);

    Clear();
    for (int i = 0; i < result.records; ++i) {
        table_[static_cast<std::size_t>(i)] = FittingRecord(bytes.data() + static_cast<std::size_t>(i) * kRecordSize);
    }
    count_ = result.records;
    if (result.truncated) {
        messages.ShowMessage("Plik zawiera " + IntToStr(static_cast<std::int64_t>(inFile)) +
                                 " kształtek, a obieg mieści najwyżej " + IntToStr(kTableSlots) +
                                 ". Wczytano pierwsze " + IntToStr(kTableSlots) + " kształtek.",
                             kCircuitTitle);
    }
    return result;
}

double Circuit::SumOfTotalLosses() const {
    double sum = 0.0;
    for (int i = 0; i < count_; ++i) {
        sum = fp::Store(static_cast<fp::real>(sum) + StrToFloat(table_[static_cast<std::size_t>(i)].Get(Field::TotalLoss)));
    }
    return sum;
}

}  // namespace vimtal::pressureloss
