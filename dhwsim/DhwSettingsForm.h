// "Ustawienia symulacji": the limit of a run and whether heat losses count.
// The window has no code of its own: every run and chart paint reads its two
// controls. Nothing here is saved; the program starts with the defaults.
#pragma once

#include "core/FieldRow.h"
#include "core/ui/FieldBinding.h"
#include "core/ui/Form.h"
#include "dhwsim/ChargingModel.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace vimtal {

class TForm7 : public Form {
    Q_OBJECT
public:
    TForm7();

    // The two settings as the model reads them.
    dhwsim::SimulationSettings Settings() const { return fields_.Read(); }
    // The settings as a report shows them.
    FieldRows Report() const { return fields_.Report(FieldRole::Input); }

private:
    QLineEdit* Edit1 = nullptr;     // limit N, s of simulated time
    QCheckBox* CheckBox1 = nullptr;  // include heat losses
    QPushButton* BitBtn1 = nullptr;
    FieldBindings<dhwsim::SimulationSettings> fields_;
};

}  // namespace vimtal
