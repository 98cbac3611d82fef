// One description per field: the rows a window lays out, binds to the
// model's inputs, keeps in its record file and shows in its report.
//
// A row says what the window shows (the box's name, caption, symbol with its
// subscript, unit), how a report names the field (each part it leaves null is
// the window's), its role, the model's input and the record's slot:
//
//   const Fields::Row rows[] = {
//       {"Edit1", &Edit1, {"Temperatura początkowa wody", "t", "w0", "°C"}, {},
//        FieldRole::Input, &WindowInputs::initialTemperature, &CwuRecord::initialTemperature},
//       ...
//   };
//   LayFields(grid, 0, rows, look, fields_);   // core/ui/FieldGrid.h
//
// LayFields makes each box (named, in the window's member, holding the
// model's starting text) with its caption, symbol and unit, and adds the row
// to the window's FieldBindings. A choice of two buttons, or a box the
// window makes itself (a list's text), is a row too (Row::Choice, Row::Edit).
// The model's inputs (Read), the saved record (ToRecord), the opened record
// (Load, in the record's own order, each text through its box as if typed so
// that its change reaction runs) and the report's rows (Report) all walk the
// same rows.
#pragma once

#include "core/FieldRow.h"
#include "core/FixedRecord.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QString>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

class QWidget;

namespace vimtal {

// What the window or a report says of a box: its caption, symbol, subscript
// and unit. A part may be null: nothing shown, or in a report's caption, the
// window's part.
struct EditCaption {
    const char* label = nullptr;
    const char* symbol = nullptr;
    const char* subscript = nullptr;
    const char* unit = nullptr;
};

// A report caption that leaves the row out of reports (a second record slot
// kept in the same box, a box the window hides).
inline constexpr EditCaption kNotReported{""};

// What a report says of a choice: its caption and the words of its two
// states ("Ogrzewanie": "wodne" / "elektryczne").
struct ChoiceCaption {
    const char* label = "";
    const char* onWord = "";
    const char* offWord = "";
};

// A record type for windows without a file; an input type for windows whose
// model takes no texts from the rows.
struct NoRecord {};
struct NoInputs {};

template <typename Inputs, typename Record = NoRecord>
struct Field {
    using Row = Field;

    // A box the window made itself (a list's text, a box laid by hand):
    // `caption` is what a report says of it. `input` and `slot` may be null
    // (not read by the model, not kept in the file).
    static Row Edit(QLineEdit* edit, FieldRole role, EditCaption caption, std::string Inputs::*input = nullptr,
                    std::string Record::*slot = nullptr) {
        Row row{nullptr, nullptr, {}, caption, role, input, slot};
        row.edit = edit;
        return row;
    }
    // A choice of two buttons: `on` is ticked or selected when the flag is
    // true, `off` when it is false (`off` may be null: unticked `on`).
    static Row Choice(QAbstractButton* on, QAbstractButton* off, ChoiceCaption caption, bool Inputs::*flag = nullptr,
                      bool Record::*flagSlot = nullptr) {
        Row row;
        row.choiceCaption = caption;
        row.flag = flag;
        row.flagSlot = flagSlot;
        row.on = on;
        row.off = off;
        return row;
    }

    bool IsChoice() const { return on != nullptr; }

    // The report's caption: each part the report leaves null is the window's.
    EditCaption ReportCaption() const {
        auto either = [](const char* own, const char* shown) { return own ? own : shown; };
        return {either(report.label, caption.label), either(report.symbol, caption.symbol),
                either(report.subscript, caption.subscript), either(report.unit, caption.unit)};
    }
    // The row as a report shows it now: the box's text, or the choice's word.
    FieldRow Shown() const {
        auto text = [](const char* part) { return std::string(part ? part : ""); };
        if (IsChoice()) {
            return {FieldRole::Input, choiceCaption.label, "", "",
                    on->isChecked() ? choiceCaption.onWord : choiceCaption.offWord, "", true};
        }
        const EditCaption c = ReportCaption();
        return {role, text(c.label), text(c.symbol), text(c.subscript), edit->text().toStdString(), text(c.unit)};
    }
    // Whether a report shows the row at all: a caption with a label.
    bool Reported() const {
        if (IsChoice()) return *choiceCaption.label != '\0';
        const char* label = ReportCaption().label;
        return label && *label;
    }

    // What the window shows.
    const char* name = nullptr;  // the box's objectName, for a box LayFields makes
    QLineEdit** box = nullptr;   // the window's member that keeps the box (may be null)
    EditCaption caption{};       // caption, symbol, subscript and unit beside the box
    EditCaption report{};        // how a report names the field (see ReportCaption)
    FieldRole role = FieldRole::Input;
    std::string Inputs::*input = nullptr;  // the model's text (an input: also the box's text at start)
    std::string Record::*slot = nullptr;   // where the record file keeps the text
    QWidget* chooser = nullptr;  // a caption that is a control: the button choosing the box

    // A choice instead of a box.
    ChoiceCaption choiceCaption{};
    bool Inputs::*flag = nullptr;
    bool Record::*flagSlot = nullptr;

    // The controls, once made.
    QLineEdit* edit = nullptr;
    QAbstractButton* on = nullptr;
    QAbstractButton* off = nullptr;
};

template <typename Inputs, typename Record = NoRecord>
class FieldBindings {
public:
    using Row = Field<Inputs, Record>;

    FieldBindings() = default;
    FieldBindings(std::initializer_list<Row> rows) : rows_(rows) {}

    const std::vector<Row>& Rows() const { return rows_; }
    // A row after the others: LayFields adds each row it lays out.
    void Add(Row row) { rows_.push_back(std::move(row)); }

    // The texts and choices as the model reads them.
    void ReadInto(Inputs& inputs) const {
        for (const Row& r : rows_) {
            if (r.input) inputs.*r.input = r.edit->text().toStdString();
            if (r.flag) inputs.*r.flag = r.on->isChecked();
        }
    }
    Inputs Read() const {
        Inputs inputs{};
        ReadInto(inputs);
        return inputs;
    }

    // Writes the texts of `values` into the boxes of the rows of `role` that
    // name a member, in the rows' order, as if typed (a change runs the
    // box's reaction): the results a model returns as texts.
    void Write(const Inputs& values, FieldRole role) const {
        for (const Row& r : rows_) {
            if (r.input && !r.IsChoice() && r.role == role) r.edit->setText(QString::fromStdString(values.*r.input));
        }
    }

    // The record as the file keeps it: each box's text, each choice's flag.
    Record ToRecord() const {
        Record record{};
        for (const Row& r : rows_) {
            if (r.slot) record.*r.slot = r.edit->text().toStdString();
            if (r.flagSlot) record.*r.flagSlot = r.on->isChecked();
        }
        return record;
    }

    // Writes the record back in the order of its format: each text into its
    // box as if typed (a change runs the box's reaction), each flag by
    // ticking or selecting `on` (and unticking `off`) or unticking `on` and
    // ticking or selecting `off`. After each field `stop` is asked; true ends
    // the load there (a reaction failed), the later boxes keep their texts.
    void Load(const FixedRecordFormat<Record>& format, const Record& record,
              const std::function<bool()>& stop = {}) const {
        for (const FixedField<Record>& f : format.Fields()) {
            for (const Row& r : rows_) {
                if (f.text && r.slot == f.text) {
                    r.edit->setText(QString::fromStdString(record.*f.text));
                } else if (f.flag && r.flagSlot == f.flag) {
                    const bool value = record.*f.flag;
                    r.on->setChecked(value);
                    if (r.off) r.off->setChecked(!value);
                } else {
                    continue;
                }
                break;
            }
            if (stop && stop()) return;
        }
    }

    // The report's rows of one role, in the rows' order; a choice counts as
    // an input.
    FieldRows Report(FieldRole role) const {
        return Report(role, [](const Row&) { return true; });
    }
    // The same, only the rows `keep` takes (a window leaves out what it
    // hides, or a box left empty); `keep` is asked about the reported rows of
    // the role only.
    template <typename Keep>
    FieldRows Report(FieldRole role, Keep&& keep) const {
        FieldRows rows;
        for (const Row& r : rows_) {
            const FieldRole rowRole = r.IsChoice() ? FieldRole::Input : r.role;
            if (rowRole == role && r.Reported() && keep(r)) rows.push_back(r.Shown());
        }
        return rows;
    }

private:
    std::vector<Row> rows_;
};

}  // namespace vimtal
