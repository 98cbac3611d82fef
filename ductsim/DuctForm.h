// "Symulacja szybkości wychladzania powietrza w kanale wentylacyjnym": the
// window of the duct cooling simulation. It holds the inputs, runs the model
// on "Symulacja", shows the results, opens the chart, the assumptions, the
// calculation scheme and the algorithm document, and keeps its whole state in
// .kan files.
#pragma once

#include "core/FieldRow.h"
#include "core/ui/FieldBinding.h"
#include "core/ui/Form.h"
#include "core/ui/ModuleWork.h"
#include "core/ui/ReportRenderer.h"
#include "core/ui/WindowLink.h"
#include "ductsim/DuctModel.h"
#include "ductsim/KanFile.h"

#include <array>
#include <optional>
#include "core/ui/WidgetsFwd.h"

namespace vimtal {

class NotesLabel;
class RecentFiles;
class TForm13;

class TForm9 : public Form, public ModuleWork {
    Q_OBJECT
public:
    // The windows it opens: the chart (which runs this window's inputs),
    // the simulation's assumptions and its calculation scheme.
    TForm9(WindowLink<TForm13>& chart, const FormLink& assumptions, const FormLink& scheme);

    // "Symulacja": the request runs on a worker thread (core/ui/LongRun.h);
    // what it writes and says comes afterwards, in its order. "Anuluj"
    // leaves the window as it was before the click.
    void Button1Click();
    void Button2Click();   // "Wykres"
    void Button3Click();   // "Schemat"
    void RadioButton1Click();  // rectangular duct
    void RadioButton2Click();  // round duct
    void Otwrz1Click();
    void Zapisz1Click();
    void Zamknij1Click();
    void tifta1Click();
    void Zalniasy1Click();
    void Algorytmsymulacji1Click();
    void Schematobliczeniowy1Click();

    // Loads a .kan file or saves the window into one, as "Otwórz" and
    // "Zapisz " do once their dialogs have named the file. A file that cannot
    // be read or written is reported in the error box; a file that cannot be
    // read changes no field. A file read or written goes first in "Ostatnio
    // otwierane"; Open and Save tell whether the file was read or written.
    bool Open(const QString& path) override;
    bool Save(const QString& path) override;
    // The save dialog offers the name chosen last.
    bool SaveAs() override;

    // The inputs as typed, for the window's run and for the chart.
    ductsim::InputTexts CurrentInputs() const;
    // The fields of one role as a report shows them: clean captions with
    // symbols and units, the shape as "Przekrój", the size as the diameter of
    // a round duct (without side B), the transmittance of a round duct per
    // metre of its length.
    FieldRows Report(FieldRole role) const;
    // The calculation sheet of the window as it is ("Drukuj...", "Zapisz
    // raport PDF..."): the inputs, the results shown, the notes of the last
    // run and, once a run has given results, the chart of the current inputs.
    vimtal::Report BuildReport() const;
    // The air properties at te and at ti, rounded for display (the chart
    // writes them too).
    void ShowOutsideAir(const ductsim::AirState& outside);
    void ShowInsideAir(const ductsim::InsideStart& inside);

private:
    Bytes WorkRecord() const override;  // the .kan record
    void BuildMenus();
    // The boundary conditions: the thermal and flow parameters, the duct's
    // geometry and the time step, each group binding its rows.
    QGroupBox* BuildConditions(QWidget* parent);
    QGroupBox* BuildThermalGroup(QWidget* parent);
    QGroupBox* BuildGeometryGroup(QWidget* parent);
    QGroupBox* BuildTimeStepGroup(QWidget* parent);
    // The results with the buttons below them.
    QGroupBox* BuildResults(QWidget* parent);
    void Connect();
    void ShowShape(bool rectangular);
    // The row of side B: caption, symbol, box and unit.
    std::array<QWidget*, 4> SideBRow() const;

    // Inputs.
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit15 = nullptr, *Edit16 = nullptr, *Edit17 = nullptr;
    QLineEdit *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr, *Edit6 = nullptr, *Edit7 = nullptr;
    QLineEdit *Edit8 = nullptr, *Edit9 = nullptr, *Edit10 = nullptr, *Edit11 = nullptr;
    QRadioButton *RadioButton1 = nullptr, *RadioButton2 = nullptr;
    // Results.
    QLineEdit *Edit12 = nullptr, *Edit13 = nullptr, *Edit14 = nullptr, *Edit18 = nullptr, *Edit19 = nullptr;
    QLineEdit *Edit20 = nullptr, *Edit21 = nullptr, *Edit22 = nullptr, *Edit23 = nullptr, *Edit24 = nullptr;
    QLineEdit *Edit25 = nullptr, *Edit26 = nullptr;
    // The size row: "Długość boku" A or "Średnica przewodu" with its symbol;
    // the row of side B.
    QLabel *SideALabel = nullptr, *SideASymbol = nullptr, *DiameterLabel = nullptr, *DiameterSymbol = nullptr;
    QLabel *SideBLabel = nullptr, *SideBSymbol = nullptr, *SideBUnit = nullptr;
    QLabel* TransmittanceUnit = nullptr;
    NotesLabel* LabelUwagi = nullptr;  // the assumptions the last run's inputs leave

    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr;
    QPushButton *BitBtn1 = nullptr, *BitBtn2 = nullptr;
    QAction *Otwrz1 = nullptr, *Zapisz1 = nullptr, *Zamknij1 = nullptr, *tifta1 = nullptr;
    QAction *Zalniasy1 = nullptr, *Algorytmsymulacji1 = nullptr, *Schematobliczeniowy1 = nullptr;

    // Each field once: the model's input, the record's field, the report's row.
    FieldBindings<ductsim::InputTexts, ductsim::KanRecord> bindings_;

    // The name chosen in the save dialog's previous use.
    QString savedFileName_;
    RecentFiles* recentFiles_ = nullptr;  // "Ostatnio otwierane"


    WindowLink<TForm13>& chart_;
    const FormLink& assumptions_;
    const FormLink& scheme_;
};

// The air properties a request computes, kept as they become known on the
// worker thread that runs it (the window's run and the chart's), and
// written into the duct cooling window afterwards, on the window's thread.
class AirProperties : public ductsim::SimulationListener {
public:
    void OutsideAirKnown(const ductsim::AirState& outside) override { outside_ = outside; }
    void InsideAirKnown(const ductsim::InsideStart& inside) override { inside_ = inside; }
    // What is known, the outside air first.
    void ShowIn(TForm9& window) const {
        if (outside_) window.ShowOutsideAir(*outside_);
        if (inside_) window.ShowInsideAir(*inside_);
    }

private:
    std::optional<ductsim::AirState> outside_;
    std::optional<ductsim::InsideStart> inside_;
};

}  // namespace vimtal
