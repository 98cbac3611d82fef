// One binding per field: the table that ties a window's controls to the
// model's inputs, the record its file keeps and the rows of its report.
//
// A window that computes, saves or opens lists its fields once, in a table of
// rows built from its controls:
//
//   bindings_ = {
//       Bind::Edit(Edit1, FieldRole::Input, {"Temperatura początkowa wody", "t", "w0", "°C"},
//                  &WindowInputs::initialTemperature, &CwuRecord::initialTemperature),
//       Bind::Choice(CheckBox1, CheckBox2, {"Ogrzewanie", "wodne", "elektryczne"},
//                    &WindowInputs::waterHeating, &CwuRecord::waterHeating),
//       ...
//   };
//
// and the model's inputs (ReadInto), the saved record (ToRecord), the opened
// record (Load, in the record's own order, each text through its box as if
// typed so that its change reaction runs) and the report's rows (Rows) all
// walk that one table. Adding a field is one row (and, when it is saved, one
// row of the record's format).
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

namespace vimtal {

// What a report says of an edit: its caption, symbol, subscript and unit.
struct EditCaption {
    const char* label = "";
    const char* symbol = "";
    const char* subscript = "";
    const char* unit = "";
};

// What a report says of a choice: its caption and the words of its two
// states ("Ogrzewanie": "wodne" / "elektryczne").
struct ChoiceCaption {
    const char* label = "";
    const char* onWord = "";
    const char* offWord = "";
};

// A record type for windows without a file; an input type for windows whose
// model takes no texts from the table.
struct NoRecord {};
struct NoInputs {};

template <typename Inputs, typename Record>
struct FieldBinding {
    using Row = FieldBinding;

    // An edit field. `input` and `field` may be null (not read by the model,
    // not kept in the file). A row without a caption's label is left out of
    // reports (a second record field kept in the same box).
    static Row Edit(QLineEdit* edit, FieldRole role, EditCaption caption, std::string Inputs::*input = nullptr,
                    std::string Record::*field = nullptr) {
        return Row{edit, nullptr, nullptr, role, caption, {}, input, nullptr, field, nullptr};
    }
    // A choice of two buttons: `on` is ticked or selected when the flag is
    // true, `off` when it is false.
    static Row Choice(QAbstractButton* on, QAbstractButton* off, ChoiceCaption caption, bool Inputs::*input = nullptr,
                      bool Record::*field = nullptr) {
        return Row{nullptr, on, off, FieldRole::Input, {}, caption, nullptr, input, nullptr, field};
    }

    bool IsChoice() const { return on != nullptr; }

    QLineEdit* edit = nullptr;
    QAbstractButton* on = nullptr;
    QAbstractButton* off = nullptr;
    FieldRole role = FieldRole::Input;
    EditCaption edit_caption;
    ChoiceCaption choice_caption;
    std::string Inputs::*text = nullptr;
    bool Inputs::*flag = nullptr;
    std::string Record::*textField = nullptr;
    bool Record::*flagField = nullptr;
};

template <typename Inputs, typename Record = NoRecord>
class FieldBindings {
public:
    using Row = FieldBinding<Inputs, Record>;

    FieldBindings() = default;
    FieldBindings(std::initializer_list<Row> rows) : rows_(rows) {}

    const std::vector<Row>& Rows() const { return rows_; }
    // A row after the others: a window that lays out its rows from its own
    // tables binds each row where it lays it out.
    void Add(Row row) { rows_.push_back(std::move(row)); }

    // The texts and choices as the model reads them.
    void ReadInto(Inputs& inputs) const {
        for (const Row& r : rows_) {
            if (r.text) inputs.*r.text = r.edit->text().toStdString();
            if (r.flag) inputs.*r.flag = r.on->isChecked();
        }
    }
    Inputs Read() const {
        Inputs inputs{};
        ReadInto(inputs);
        return inputs;
    }

    // Writes the texts of `values` into the boxes of the rows of `role` that
    // name a member, in the table's order, as if typed (a change runs the
    // box's reaction): the results a model returns as texts.
    void Write(const Inputs& values, FieldRole role) const {
        for (const Row& r : rows_) {
            if (r.text && !r.IsChoice() && r.role == role) r.edit->setText(QString::fromStdString(values.*r.text));
        }
    }

    // The record as the file keeps it: each box's text, each choice's flag.
    Record ToRecord() const {
        Record record{};
        for (const Row& r : rows_) {
            if (r.textField) record.*r.textField = r.edit->text().toStdString();
            if (r.flagField) record.*r.flagField = r.on->isChecked();
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
                if (f.text && r.textField == f.text) {
                    r.edit->setText(QString::fromStdString(record.*f.text));
                } else if (f.flag && r.flagField == f.flag) {
                    const bool value = record.*f.flag;
                    r.on->setChecked(value);
                    r.off->setChecked(!value);
                } else {
                    continue;
                }
                break;
            }
            if (stop && stop()) return;
        }
    }

    // The report's rows of one role, in the table's order.
    FieldRows Report(FieldRole role) const {
        return Report(role, [](const Row&) { return true; });
    }
    // The same, only the rows `keep` takes (a window leaves out what it
    // hides, or a box left empty); `keep` is asked about the rows of the role
    // only.
    template <typename Keep>
    FieldRows Report(FieldRole role, Keep&& keep) const {
        FieldRows rows;
        for (const Row& r : rows_) {
            if (r.IsChoice()) {
                if (role != FieldRole::Input || !*r.choice_caption.label || !keep(r)) continue;
                rows.push_back({role, r.choice_caption.label, "", "",
                                r.on->isChecked() ? r.choice_caption.onWord : r.choice_caption.offWord, "", true});
            } else if (r.role == role && *r.edit_caption.label && keep(r)) {
                rows.push_back({role, r.edit_caption.label, r.edit_caption.symbol, r.edit_caption.subscript,
                                r.edit->text().toStdString(), r.edit_caption.unit});
            }
        }
        return rows;
    }

private:
    std::vector<Row> rows_;
};

}  // namespace vimtal
