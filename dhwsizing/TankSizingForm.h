// "Dobór mocy oraz pojemności zasobnika CWU wg. PN PN-90/B-01706
// (mieszkania)": the sizing of a DHW tank for dwellings, and the hand-over
// of the chosen tank to the charging simulation.
#pragma once

#include "core/FieldRow.h"
#include "core/ui/FieldBinding.h"
#include "core/ui/Form.h"
#include "core/ui/ReportRenderer.h"
#include "dhwsizing/TankSizing.h"
#include "core/ui/WidgetsFwd.h"

namespace vimtal {

class TForm5;

class TForm19 : public Form {
    Q_OBJECT
public:
    // `simulation`: the charging simulation the chosen tank is handed to.
    explicit TForm19(TForm5& simulation);

    // "Oblicz"
    void Button1Click();
    // "Symuluj czas ładaowania dobranego zasobnika CWU": fills the
    // simulation window with the chosen tank, runs it and shows it.
    void Button2Click();

    const dhwsizing::SizingValues& Values() const { return values_; }
    // The inputs or the results as a report shows them: caption, symbol,
    // the box's text and unit.
    FieldRows Report(FieldRole role) const { return fields_.Report(role); }
    // The calculation sheet of the window as it is: "Drukuj..." and "Zapisz
    // raport PDF..." of its context menu (Ctrl+P).
    vimtal::Report BuildReport() const;

private:
    // The texts of the window: what the model reads and what it returns.
    struct SizingBoxes : dhwsizing::SizingTexts, dhwsizing::SizingResults {};
    using Fields = FieldBindings<SizingBoxes>;

    void BuildInputs(QGroupBox* group);
    void BuildResults(QGroupBox* group);

    QGroupBox* GroupBox1 = nullptr;  // Dane
    QGroupBox* GroupBox2 = nullptr;  // Wyniki
    QLineEdit* Edit1 = nullptr;  // n
    QLineEdit* Edit2 = nullptr;  // k
    QLineEdit* Edit3 = nullptr;  // qc
    QLineEdit* Edit4 = nullptr;  // tau
    QLineEdit* Edit5 = nullptr;  // Phi
    QLineEdit* Edit6 = nullptr;  // tz
    QLineEdit* Edit7 = nullptr;  // tc
    QLineEdit* Edit8 = nullptr;   // qds
    QLineEdit* Edit9 = nullptr;   // qhs
    QLineEdit* Edit10 = nullptr;  // qhm
    QLineEdit* Edit11 = nullptr;  // Nh
    QLineEdit* Edit12 = nullptr;  // Voz
    QLineEdit* Edit13 = nullptr;  // Vdz (the user may choose another)
    QLineEdit* Edit14 = nullptr;  // Qdz
    QLineEdit* Edit16 = nullptr;  // Qbz
    QLineEdit* Edit15 = nullptr;  // Phi_r (hidden)
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

    // Every box, in the window's order; each group binds its rows as it
    // lays them out.
    Fields fields_;
    dhwsizing::SizingValues values_;
    TForm5& simulation_;
};

}  // namespace vimtal
