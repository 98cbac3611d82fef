// "Kalkulator powietrza": the state of moist air from any two of i, x, t, phi.
#pragma once

#include <array>
#include <optional>

#include "aircalc/AirCalculator.h"
#include "core/ui/FieldBinding.h"
#include "core/ui/Form.h"
#include "core/ui/ReportRenderer.h"
#include "core/ui/WidgetsFwd.h"
#include "core/ui/WindowLink.h"

namespace vimtal {

class IxChartForm;
class NotesLabel;

class TForm10 : public Form {
    Q_OBJECT
public:
    // `help`: the air calculator's help window, opened from "Pomoc";
    // `chart`: the i-x chart, opened from "Wykres i-x".
    TForm10(const FormLink& help, WindowLink<IxChartForm>& chart);

    void Button1Click();  // "Oblicz"
    void Button2Click();  // "Wyczyść"
    void Pomoc1Click();
    void Wykresix1Click();
    void Edit1Change() { LockAfterChange(0); }
    void Edit2Change() { LockAfterChange(1); }
    void Edit3Change() { LockAfterChange(2); }
    void Edit4Change() { LockAfterChange(3); }

    // The module values, kept between calculations.
    const aircalc::AirState& State() const { return state_; }
    // The state the fields show: that of the last calculation, until
    // "Wyczyść" or another "Oblicz" that computes nothing or fails.
    std::optional<aircalc::AirState> LastState() const { return lastState_; }
    // The pressure as typed in pb.
    QString PressureText() const;
    // A state from elsewhere (the i-x chart): "Wyczyść", t and phi typed,
    // "Oblicz".
    void InsertState(const QString& t, const QString& phi);

    // The calculation sheet of the window as it is: the two properties the
    // last calculation was given and the pressure as inputs, the two it
    // completed and the six results as results. "Drukuj..." and "Zapisz raport PDF..." of its
    // context menu (Ctrl+P).
    Report BuildReport() const;

private:
    void BuildMenu();
    // The property, pressure and result rows from the grid's top; returns
    // the first line after them.
    int BuildFields(QGridLayout* grid);
    QHBoxLayout* BuildButtons(QWidget* parent);
    void Connect();
    void LockAfterChange(int changed);
    std::array<QLineEdit*, 4> PropertyFields() const { return {Edit1, Edit2, Edit3, Edit4}; }

    QLineEdit* Edit1 = nullptr;   // i
    QLineEdit* Edit2 = nullptr;   // x
    QLineEdit* Edit3 = nullptr;   // t
    QLineEdit* Edit4 = nullptr;   // phi
    QLineEdit* Edit5 = nullptr;   // pb
    QLineEdit* Edit6 = nullptr;   // ps
    QLineEdit* Edit9 = nullptr;   // pp
    QLineEdit* edit10 = nullptr;  // pg
    QLineEdit* Edit7 = nullptr;   // tr
    QLineEdit* edit11 = nullptr;  // tm
    QLineEdit* Edit8 = nullptr;   // rho
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QAction* Pomoc1 = nullptr;
    QAction* Wykresix1 = nullptr;
    NotesLabel* LabelUwagi = nullptr;  // the assumptions the last state leaves

    aircalc::AirState state_;
    int lastCase_ = 0;  // the case of the last calculation shown (0: none)
    std::optional<aircalc::AirState> lastState_;
    // i, x, t, phi, pb as the calculation reads them, and the six results.
    FieldBindings<aircalc::AirTexts> fields_;

    const FormLink& help_;
    WindowLink<IxChartForm>& chart_;
};

}  // namespace vimtal
