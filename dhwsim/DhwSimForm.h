// "Symulacja czasu ładowania zbiornika C.W.U": the window of the tank
// charging simulation. It holds every input, keeps the source power and the
// mass flow of heating water in step while the user types, runs the model,
// shows the results, opens the charts, the settings, the assumptions, the
// scheme and the algorithm document, and saves and opens .cwu files.
#pragma once

#include "core/FieldRow.h"
#include "core/ui/FieldBinding.h"
#include "core/ui/Form.h"
#include "core/ui/ModuleWork.h"
#include "core/ui/ReportRenderer.h"
#include "core/ui/WindowLink.h"
#include "dhwsim/ChargingModel.h"
#include "dhwsim/CwuFile.h"
#include "core/ui/WidgetsFwd.h"

namespace vimtal {

class NotesLabel;
class RecentFiles;
class TForm6;
class TForm7;

class TForm5 : public Form, public ModuleWork {
    Q_OBJECT
public:
    // The windows it opens: the chart (which simulates this window's
    // inputs), the simulation settings (read at every run), the assumptions
    // and the calculation scheme.
    TForm5(WindowLink<TForm6>& chart, WindowLink<TForm7>& settings, const FormLink& assumptions,
           const FormLink& scheme);

    // The tank sizing's hand-over: the tank's height and diameter, the
    // initial (cold water) temperature, the source power and the target
    // temperature are written into their boxes as if typed, in that order -
    // the initial temperature before the power, so that the derived mass
    // flow delivers the power at that temperature - and one run follows. An
    // error ends the hand-over in the caller's handler. A run cancelled
    // with "Anuluj" puts every box back as it was before the hand-over and
    // returns false.
    struct TankHandOver {
        QString height, diameter, initialTemperature, power, targetTemperature;
    };
    bool RunTank(const TankHandOver& tank);

    // "Symulacja": one run; on success the chart "tw=f(t)" opens. The steps
    // run on a worker thread (core/ui/LongRun.h); "Anuluj" leaves the
    // window as it was before the click.
    void Button1Click();
    // The same; false when the run was cancelled.
    bool Run();
    // "Schemat"
    void Button2Click();
    // The chart buttons and menu entries: kind 1 "tw=f(t)", 2 "Qzr=f(t)",
    // 3 "Qzr=f(tw)".
    void OpenChart(int kind);

    void Otwrz1Click();   // open a .cwu file: the dialog, then Open
    void Zapisz1Click();  // save a .cwu file: the dialog, then Save
    bool SaveAs() override;
    // Opens the .cwu file at `path` as "Otwórz" does once a name is chosen:
    // each field goes back through its box or choice in the record's order,
    // every reaction running as if typed; a reaction that fails shows its
    // error and ends the opening at that field. A file that cannot be read
    // changes nothing.
    bool Open(const QString& path) override;
    // Saves the window's state to `path`.
    bool Save(const QString& path) override;

    void Ustawienia1Click();
    void Zaoenia1Click();
    void Algorytmsymulacji1Click();

    void CheckBox1Click();  // water heating ticked
    void CheckBox2Click();  // electric heating ticked
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void RadioButton4Click();
    void RadioButton5Click();
    void RadioButton6Click();
    void Edit1Change();
    void Edit2Change();
    void Edit12Change();
    void Edit4Change();
    void Edit5Change();
    void Edit6Change();
    void Edit7Change();
    void Edit8Change();
    void Edit9Change();
    void Edit10Change();

    // What the model reads from this window and the settings window.
    dhwsim::WindowInputs Inputs() const;
    dhwsim::SimulationSettings Settings() const;
    // The values the window keeps between runs: the source power and flow,
    // the targets last read.
    const dhwsim::KeptValues& Kept() const { return kept_; }
    // What a chart's reading of the inputs left of the kept values (a
    // chart reads the target as a run does), written back once it ended.
    void SetKept(const dhwsim::KeptValues& kept) { kept_ = kept; }
    // The chart kind the chart window draws.
    int ChartKind() const { return chartKind_; }
    // Writes result texts into their boxes (each box's reaction runs).
    void WriteResults(const dhwsim::ResultTexts& results);
    // The inputs or the results as a report shows them: caption, symbol,
    // the box's text and unit; the choices as words.
    FieldRows Report(FieldRole role) const { return fields_.Report(role); }

    // The calculation sheet of the window as it is ("Drukuj...", "Zapisz
    // raport PDF..."): the inputs it shows, the simulation settings, the
    // results, the notes of the last run and, once a run has given results,
    // the three charts of the current inputs.
    vimtal::Report BuildReport() const;

private:
    Bytes WorkRecord() const override;  // the .cwu record
    void BuildBoundaryGroup(QWidget* parent);
    void BuildSourceGroup(QWidget* parent);
    void BuildTargetGroup(QWidget* parent);
    void BuildResultGroup(QWidget* parent);
    void BuildMenu();
    void Connect();
    dhwsim::SourceTexts SourceTexts() const;
    // The power-to-flow exchange; a null `power` uses the stored power.
    void PowerToFlow(const std::string* power, bool ceilingTest);
    void UpdateVolume(const QLineEdit* changed, const QLineEdit* other);
    void FlowFromStoredPower(const QLineEdit* changed, const QLineEdit* other);
    // Runs a reaction under the guard.
    void React(void (TForm5::*reaction)());
    // While a file is being opened, a box it leaves empty is only emptied:
    // its reaction has nothing to convert.
    bool EmptiedByLoading(const QLineEdit* box) const;

    // Boundary conditions
    QGroupBox* GroupBox1 = nullptr;
    QRadioButton* RadioButton5 = nullptr;  // tank charging
    QRadioButton* RadioButton6 = nullptr;  // tank cooling (hidden)
    QLineEdit* Edit1 = nullptr;   // tw0, C
    QLineEdit* Edit2 = nullptr;   // H, m
    QLineEdit* Edit12 = nullptr;  // D, m
    QLineEdit* Edit25 = nullptr;  // wall thickness, mm
    QLineEdit* Edit13 = nullptr;  // insulation, mm
    QLineEdit* Edit14 = nullptr;  // conductivity of the insulation
    QLineEdit* Edit15 = nullptr;  // conductivity of the wall
    QLineEdit* Edit17 = nullptr;  // air temperature, C
    QLineEdit* Edit3 = nullptr;   // time step, s
    // Heat source
    QGroupBox* GroupBox2 = nullptr;
    QCheckBox* CheckBox1 = nullptr;  // water heating
    QCheckBox* CheckBox2 = nullptr;  // electric heating
    QLineEdit* Edit4 = nullptr;      // supply, C
    QLineEdit* Edit5 = nullptr;      // return, C
    QRadioButton* RadioButton1 = nullptr;  // power entry
    QRadioButton* RadioButton2 = nullptr;  // mass-flow entry (hidden)
    QLineEdit* Edit9 = nullptr;  // Q, kW
    QLineEdit* Edit6 = nullptr;  // m, kg/s (hidden)
    // Target
    QGroupBox* GroupBox3 = nullptr;
    QRadioButton* RadioButton3 = nullptr;  // target temperature
    QRadioButton* RadioButton4 = nullptr;  // temperature after a time
    QLineEdit* Edit7 = nullptr;   // tk, C
    QLineEdit* Edit10 = nullptr;  // tau_k, s
    // Results
    QGroupBox* GroupBox4 = nullptr;
    QLineEdit* Edit8 = nullptr;   // time, s
    QLineEdit* Edit20 = nullptr;  // min
    QLineEdit* Edit21 = nullptr;  // h
    QLineEdit* Edit11 = nullptr;  // temperature reached, C
    QLineEdit* Edit18 = nullptr;  // draw, l/s
    QLineEdit* Edit19 = nullptr;  // volume, m3
    QLineEdit* Edit16 = nullptr;  // volume, dm3

    QPushButton* Button1 = nullptr;  // Symulacja
    QPushButton* Button2 = nullptr;  // Schemat
    QPushButton* BitBtn1 = nullptr;  // Anuluj
    QPushButton* BitBtn2 = nullptr;  // Zamknij
    QPushButton* Button3 = nullptr;  // Wykres tw=f(t)
    QPushButton* Button4 = nullptr;  // Wykres Qzr=f(t)
    QPushButton* Button5 = nullptr;  // Wykres Qzr=f(tw)

    NotesLabel* LabelUwagi = nullptr;  // the assumptions the last run's inputs leave

    QAction* Otwrz1 = nullptr;
    QAction* Zapisz1 = nullptr;
    QAction* Symulacja1 = nullptr;
    QAction* Zamknij1 = nullptr;
    QAction* twft1 = nullptr;
    QAction* Qzrft1 = nullptr;
    QAction* Qzrftw1 = nullptr;
    QAction* Ustawienia1 = nullptr;
    QAction* Zaoenia1 = nullptr;
    QAction* Algorytmsymulacji1 = nullptr;
    RecentFiles* recentFiles_ = nullptr;  // "Ostatnio otwierane"

    WindowLink<TForm6>& chart_;
    WindowLink<TForm7>& settings_;
    const FormLink& assumptions_;
    const FormLink& scheme_;

    // Every box and choice the model reads, the file keeps or a report
    // shows, in the window's order; each group binds its rows as it lays
    // them out.
    using Fields = FieldBindings<dhwsim::WindowInputs, dhwsim::CwuRecord>;
    using Bind = Fields::Row;
    Fields fields_;

    dhwsim::KeptValues kept_;
    int chartKind_ = 1;
    QString powerSetAside_;  // Edit9's text while the tank-cooling choice hides the source
    // While a file is being opened; a reaction that failed ends the opening.
    bool loading_ = false;
    bool loadFailed_ = false;
    // While the power box is written from a mass flow given for a source
    // colder than the tank: the negative power derives nothing back.
    bool keepGivenFlow_ = false;
};

}  // namespace vimtal
