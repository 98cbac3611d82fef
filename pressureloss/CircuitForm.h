// "Kalkulator strat ciśnienia - obiegu krytycznego": the critical circuit of
// the duct network as eleven synchronised columns, seven fittings at a time,
// with the circuit's total loss and the commands on the circuit (add, edit,
// delete, new, open and save a .moh file).
//
// The calculator's state (the circuit table, the kind being entered, the
// edit flag, the running total and the calculation's values) is the session
// the program shares between this window, the catalogue and the editor.
#pragma once

#include "core/Report.h"
#include "core/ui/Form.h"
#include "core/ui/ModuleWork.h"
#include "core/ui/ReportRenderer.h"
#include "core/ui/WindowLink.h"
#include "pressureloss/Session.h"

#include <array>
#include "core/ui/WidgetsFwd.h"

namespace vimtal {

class AmbientAir;
class NotesLabel;
class RecentFiles;
class TForm16;

class TForm15 : public Form, public ModuleWork {
    Q_OBJECT
public:
    // `air`: the calculator works with the density and viscosity as the
    // settings window shows them, taken at every activation; `session`: the
    // circuit and the calculation; `catalogue`: opened to add a fitting and
    // asked to prepare the editor for a stored one.
    TForm15(AmbientAir& air, pressureloss::Session& session, WindowLink<TForm16>& catalogue);

    pressureloss::Circuit& Circuit() { return session_.circuit; }

    // The fitting being edited: the selected row plus the scroll position
    // (-1 when no row is selected).
    int EditedIndex() const;
    // The total field, whose text is the base of the next total.
    QString TotalText() const;
    void SetTotalText(const QString& text);
    // The seven visible rows again from the scroll position (no selection).
    void Refill();
    void SetScrollMaximum(int maximum);

    // What "Otwórz obliczenia" and "Zapisz obliczenia" do once the file is
    // chosen: the circuit read from the .moh file (the view at its first
    // fitting, the total summed) or written to it. Errors are shown as the
    // menu shows them; a file that cannot be read leaves the circuit as it
    // was. A file read or written goes first in "Ostatnio otwierane";
    // Open and Save tell whether the file was read or written.
    bool Open(const QString& path) override;
    bool Save(const QString& path) override;
    // The save dialog offers the name chosen last.
    bool SaveAs() override;

    // The calculation sheet of the circuit ("Drukuj...", "Zapisz raport
    // PDF..."): the air as the calculator uses it, the eleven columns of
    // every fitting with the total, then each fitting's sizes and make.
    vimtal::Report BuildReport() const;
    // The circuit as the columns show it, with "Σ" and the total field's
    // text below: the sheet's table and the CSV file's lines.
    report::Table CircuitTable() const;
    // "Eksportuj do CSV...": the dialog, then ExportCsv.
    void EksportujdoCSV1Click();
    // Writes the circuit's table to `path` for a spreadsheet (core/Csv.h),
    // the safe way; errors are shown in the error box.
    void ExportCsv(const QString& path);

    // Handlers.
    void ListBoxClick(int column);  // ListBox1Click ... ListBox11Click
    void ListBoxDblClick();         // ListBox1DblClick ... ListBox11DblClick
    void ScrollBar1Change();
    void SpeedButton1Click();       // also Dodajksztatk1Click, Dodajksztatk2Click
    void Edytujksztatk1Click();     // also Waciwociksztatki1Click
    void Usuksztatk1Click();        // also Usuksztatk2Click
    void Noweobliczenia1Click();
    void Zapiszobliczenia1Click();
    void Otwrzobliczenia1Click();
    void Zamknij1Click();
    void Pomocprogramu1Click();

protected:
    void FormActivate() override;

private:
    Bytes WorkRecord() const override;  // the circuit's .moh bytes
    struct ColumnList;
    static const ColumnList kColumnLists[];

    void BuildMenus();
    void BuildColumns();
    QListWidget* NewColumnList(int column, const QRect& geometry, const QFont& font);
    void BuildTotal();
    void BuildOptions();
    void EmptyColumns();

    // Columns left to right: Lp, name, V, w, L, d, zeta, dpl, dpm, dpp, dpc.
    std::array<QListWidget*, 11> columns_{};
    QListWidget* ListBox1 = nullptr;
    QListWidget* ListBox2 = nullptr;
    QListWidget* ListBox3 = nullptr;
    QListWidget* ListBox4 = nullptr;
    QListWidget* ListBox5 = nullptr;
    QListWidget* ListBox6 = nullptr;
    QListWidget* ListBox7 = nullptr;
    QListWidget* ListBox8 = nullptr;
    QListWidget* ListBox9 = nullptr;
    QListWidget* ListBox10 = nullptr;  // dpc, the last column
    QListWidget* ListBox11 = nullptr;  // dpp, the column before it
    QScrollBar* ScrollBar1 = nullptr;
    QLineEdit* Edit1 = nullptr;        // total loss
    NotesLabel* LabelUwagi = nullptr;  // the notes of every fitting computed in this session
    QToolButton* SpeedButton1 = nullptr;
    QPushButton* BitBtn1 = nullptr;    // "Zamknij"
    QPushButton* BitBtn2 = nullptr;    // "Anuluj"
    QMenu* PopupMenu1 = nullptr;

    bool syncing_ = false;
    QString lastSaveName_;
    RecentFiles* recentFiles_ = nullptr;  // "Ostatnio otwierane"

    AmbientAir& air_;
    pressureloss::Session& session_;
    pressureloss::Circuit& circuit_;
    WindowLink<TForm16>& catalogue_;
};

}  // namespace vimtal
