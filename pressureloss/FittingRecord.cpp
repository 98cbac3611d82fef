#include "FittingRecord.h"

#include "core/Errors.h"
#include "core/Files.h"
#include "core/FloatingPoint.h"
#include "core/Numbers.h"

#include <stdexcept>

namespace vimtal::pressureloss {

namespace {
// Each field follows the one before it: the record has no gaps, and the
// enumeration of the fields indexes the format's table.
constexpr bool WithoutGaps() {
    std::size_t at = 0;
    for (const FixedField<FittingRecord>& f : kFittingFields) {
        if (f.offset != at) return false;
        at += f.Width();
    }
    return at == kRecordSize;
}
static_assert(WithoutGaps(), "the fields fill the 379-byte record without gaps");
static_assert(FieldFormat(Field::Flow).text == &FittingRecord::flow && FieldFormat(Field::Flow).offset == 144);
static_assert(FieldFormat(Field::Kind).text == &FittingRecord::kind && FieldFormat(Field::Kind).offset == 276);
static_assert(FieldFormat(Field::RoundElbowTypeCopy).text == &FittingRecord::roundElbowTypeCopy);

void CheckUsed(int index, int count) {
    if (index < 0 || index >= count) throw std::out_of_range("fitting index outside the circuit");
}
}  // namespace

std::string FullCircuitMessage() {
    return "Obieg ma już " + IntToStr(kTableSlots) +
           " kształtek - więcej nie można dodać. Kształtka nie została zapisana.";
}

const std::string& FittingRecord::Get(Field field) const { return this->*FieldFormat(field).text; }

void FittingRecord::Set(Field field, const std::string& text) {
    const FixedField<FittingRecord>& f = FieldFormat(field);
    this->*f.text = FitShortString(text, f.capacity);
}

const FittingRecord& Circuit::Slot(int index) const {
    if (index < 0 || index >= kTableSlots) throw std::out_of_range("slot outside the circuit table");
    return table_[static_cast<std::size_t>(index)];
}

std::string Circuit::FieldText(int index, Field field) const {
    if (index < 0 || index >= kTableSlots) return {};
    return table_[static_cast<std::size_t>(index)].Get(field);
}

int Circuit::Append(FittingRecord record, Notes notes) {
    if (Full()) throw NoticeError(FullCircuitMessage(), kEditorTitle);
    const int slot = count_;
    record.Set(Field::Ordinal, IntToStr(slot));
    table_[static_cast<std::size_t>(slot)] = std::move(record);
    notes_[static_cast<std::size_t>(slot)] = std::move(notes);
    ++count_;
    return slot;
}

void Circuit::Replace(int index, FittingRecord record, Notes notes) {
    CheckUsed(index, count_);
    record.Set(Field::Ordinal, IntToStr(index));
    table_[static_cast<std::size_t>(index)] = std::move(record);
    notes_[static_cast<std::size_t>(index)] = std::move(notes);
}

void Circuit::Delete(int index) {
    CheckUsed(index, count_);
    for (int i = index; i + 1 < count_; ++i) {
        FittingRecord moved = table_[static_cast<std::size_t>(i + 1)];
        moved.Set(Field::Ordinal, IntToStr(i));
        table_[static_cast<std::size_t>(i)] = std::move(moved);
        notes_[static_cast<std::size_t>(i)] = std::move(notes_[static_cast<std::size_t>(i + 1)]);
    }
    table_[static_cast<std::size_t>(count_ - 1)] = FittingRecord{};
    notes_[static_cast<std::size_t>(count_ - 1)].clear();
    --count_;
}

void Circuit::Clear() {
    for (int i = 0; i < count_; ++i) {
        table_[static_cast<std::size_t>(i)] = FittingRecord{};
        notes_[static_cast<std::size_t>(i)].clear();
    }
    count_ = 0;
    runningTotal = 0.0;
}

Notes Circuit::AllNotes() const {
    Notes all;
    for (int i = 0; i < count_; ++i) {
        const std::string lp = table_[static_cast<std::size_t>(i)].Get(Field::Ordinal);
        for (const std::string& note : notes_[static_cast<std::size_t>(i)]) all.push_back("Lp " + lp + ": " + note);
    }
    return all;
}

Bytes Circuit::Serialize() const {
    // The records one after another: no header, no count.
    Bytes bytes(static_cast<std::size_t>(count_) * kRecordSize, 0);
    for (int i = 0; i < count_; ++i) {
        kFittingFormat.EncodeInto(table_[static_cast<std::size_t>(i)], bytes.data() + static_cast<std::size_t>(i) * kRecordSize);
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
        const std::size_t at = static_cast<std::size_t>(i) * kRecordSize;
        table_[static_cast<std::size_t>(i)] = kFittingFormat.Decode(bytes.data() + at, bytes.size() - at);
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
