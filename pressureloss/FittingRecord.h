// The fitting record, the circuit table and the .moh calculation files.
//
// The critical circuit of a duct network is kept as an ordered table of
// fittings. Each fitting is one 379-byte record of short-string fields (a
// length byte and Windows-1250 text) that holds, as text, everything the user
// typed for the fitting and every result computed for it. A .moh file is the
// table's used records written one after another: no header, no count, no
// checksum, exactly count x 379 bytes.
#pragma once

#include "FittingKinds.h"

#include "core/FixedRecord.h"
#include "core/Messages.h"
#include "core/Notes.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace vimtal::pressureloss {

// The fields of a fitting record, in their order in the record.
enum class Field {
    Ordinal,             // 0-based position in the table ("Lp")
    Name,                // fitting name, e.g. "PROSTKA_OKRĄGŁA"
    TypeCode,            // short type code of the kind
    Length,              // L [mm]
    SideA,               // A [mm]
    Diameter1,           // diameter 1 [mm]
    SideB,               // B [mm]
    Diameter2,           // diameter 2 [mm] (tee branch, reducer end)
    SideC,               // C [mm]
    SideD,               // D [mm]
    Angle,               // alpha [deg]
    Flow,                // V [m3/h]
    BranchFlow,          // Vo [m3/h], the tee's other stream
    Velocity1,           // w1 [m/s], 3 decimals
    Velocity2,           // w2 [m/s], 3 decimals
    ExtraLoss,           // additional loss dpp [Pa], 2 decimals
    Zeta,                // local-loss coefficient [-], 3 decimals
    Roughness,           // k [mm]
    FrictionLoss,        // dpl [Pa], 2 decimals
    LocalLoss,           // dpm [Pa], 2 decimals
    TotalLoss,           // dpc [Pa], 2 decimals
    EquivDiameter,       // (equivalent) diameter of the main section [mm], 1 decimal
    EquivDiameter2,      // (equivalent) diameter of the second section [mm], 1 decimal
    Kind,                // "1".."18"
    RoundElbowType,      // circular elbow construction
    RectElbowType,       // rectangular elbow construction
    Material,            // "PVC", "Stal ocynk" or "Inny"
    Radius,              // elbow radius r [mm]
    OffsetE,             // offset dimension e [mm]
    TeePath,             // "PRZELOT" or "ODGAŁĘŹIENIE"
    TeeFlow,             // "ROZPŁYW" or "ŁĄCZENIE STRUG"
    RoundElbowTypeCopy,  // the circular elbow construction again (never read back)
};
inline constexpr int kFieldCount = 32;

inline constexpr std::size_t kRecordSize = 379;
inline constexpr int kTableSlots = 101;

// One fitting as it is stored: every field a text, as the user typed it or
// as the calculation rounded it.
struct FittingRecord {
    std::string ordinal, name, typeCode;
    std::string length, sideA, diameter1, sideB, diameter2, sideC, sideD, angle;
    std::string flow, branchFlow;
    std::string velocity1, velocity2, extraLoss, zeta, roughness, frictionLoss, localLoss, totalLoss;
    std::string equivDiameter, equivDiameter2;
    std::string kind, roundElbowType, rectElbowType, material, radius, offsetE, teePath, teeFlow;
    std::string roundElbowTypeCopy;

    const std::string& Get(Field field) const;
    // Stores the text as the field gives it back from a file: cut to its
    // capacity in Windows-1250 characters, a character the code page lacks
    // turned into '?'. The circuit window shows what the file will hold.
    void Set(Field field, const std::string& text);

    bool operator==(const FittingRecord&) const = default;
};

// The 379 bytes of a record: each field a length byte and its capacity of
// Windows-1250 characters, in the order of Field, without gaps.
inline constexpr FixedField<FittingRecord> kFittingFields[kFieldCount] = {
    // Ordinal, name and type code.
    {0, 3, &FittingRecord::ordinal}, {4, 40, &FittingRecord::name}, {45, 10, &FittingRecord::typeCode},
    // Sizes, angle and flows as typed.
    {56, 10, &FittingRecord::length}, {67, 10, &FittingRecord::sideA}, {78, 10, &FittingRecord::diameter1},
    {89, 10, &FittingRecord::sideB}, {100, 10, &FittingRecord::diameter2},
    {111, 10, &FittingRecord::sideC}, {122, 10, &FittingRecord::sideD}, {133, 10, &FittingRecord::angle},
    {144, 10, &FittingRecord::flow}, {155, 10, &FittingRecord::branchFlow},
    // Computed: velocities, additional loss, zeta, roughness, losses, diameters.
    {166, 10, &FittingRecord::velocity1}, {177, 10, &FittingRecord::velocity2}, {188, 10, &FittingRecord::extraLoss},
    {199, 10, &FittingRecord::zeta},
    {210, 10, &FittingRecord::roughness}, {221, 10, &FittingRecord::frictionLoss},
    {232, 10, &FittingRecord::localLoss}, {243, 10, &FittingRecord::totalLoss},
    {254, 10, &FittingRecord::equivDiameter}, {265, 10, &FittingRecord::equivDiameter2},
    // Kind, constructions, material, radius, offset, the tee's path and pattern, the construction again.
    {276, 2, &FittingRecord::kind}, {279, 11, &FittingRecord::roundElbowType},
    {291, 6, &FittingRecord::rectElbowType}, {298, 10, &FittingRecord::material},
    {309, 10, &FittingRecord::radius}, {320, 10, &FittingRecord::offsetE}, {331, 15, &FittingRecord::teePath},
    {347, 15, &FittingRecord::teeFlow}, {363, 15, &FittingRecord::roundElbowTypeCopy},
};
inline constexpr FixedRecordFormat<FittingRecord> kFittingFormat{kRecordSize, kFittingFields};
static_assert(kFittingFormat.Valid());

// The layout of one field: its offset and capacity.
constexpr const FixedField<FittingRecord>& FieldFormat(Field field) {
    return kFittingFields[static_cast<std::size_t>(field)];
}

// What Load found in the file.
struct LoadResult {
    int records = 0;         // records now in the table
    bool truncated = false;  // the file held more than the table takes
};

// The circuit state of the calculator: the table of 101 slots, the number of
// used slots, the kind being entered, the edit flag and the running total.
class Circuit {
public:
    int Count() const { return count_; }
    bool Full() const { return count_ >= kTableSlots; }

    // The record in slot `index` (0..100).
    const FittingRecord& Slot(int index) const;
    // A field of slot `index`; empty for an index outside the table, so a
    // view may ask for rows beyond the last slot.
    std::string FieldText(int index, Field field) const;

    // Writes the record into the next free slot with its ordinal; refuses a
    // fitting beyond the 101st with NoticeError (nothing changes then).
    // Returns the slot written. `notes`: the assumptions its calculation left
    // (kept beside the record for this session; a .moh file has no place
    // for them).
    int Append(FittingRecord record, Notes notes = {});
    // Rewrites the used slot `index` (its ordinal kept), with its notes.
    void Replace(int index, FittingRecord record, Notes notes = {});
    // Removes the used slot `index`: the later records move up and are
    // renumbered, the freed last slot is emptied.
    void Delete(int index);
    // Empties every used record; count 0, running total 0.
    void Clear();

    // The used records as they are written to a .moh file: each text after
    // its length byte, zeros behind it. A file the program wrote opens and
    // saves again byte for byte; one written elsewhere saves its texts (a
    // byte the code page leaves undefined as '?'), not the bytes behind them.
    Bytes Serialize() const;
    void Save(const std::string& path) const;

    // Reads a .moh file. The circuit is replaced only when the file was
    // read: a file that cannot be read, or is shorter than one record,
    // raises FileError and leaves the circuit as it was. Bytes after the
    // last whole record are ignored; records beyond the 101st are left out
    // and reported through `messages`. The running total is not summed here
    // (see SumOfTotalLosses).
    LoadResult Load(const std::string& path, MessageSink& messages);
    LoadResult LoadBytes(const Bytes& bytes, MessageSink& messages);

    // The notes of every fitting computed in this session, in the order of
    // the circuit, each prefixed with its "Lp" as the circuit shows it. A
    // fitting opened from a file has none until it is computed again.
    Notes AllNotes() const;

    // Sum of the used records' TotalLoss texts, each converted with the
    // locale's conversion (no separator normalisation); raises the
    // conversion error at the first text that does not convert.
    double SumOfTotalLosses() const;

    // The kind being entered, set by the catalogue.
    std::optional<FittingKind> currentKind;
    // Set while an existing fitting is being edited.
    bool editFlag = false;
    // The circuit's total loss [Pa]; the total field's text is what counts,
    // this double carries the value between steps.
    double runningTotal = 0.0;

private:
    std::array<FittingRecord, kTableSlots> table_{};
    std::array<Notes, kTableSlots> notes_{};
    int count_ = 0;
};

// What is said when a fitting is added to a circuit of 101 fittings.
std::string FullCircuitMessage();

}  // namespace vimtal::pressureloss
