// "Ustawienia": the ambient air typed once for the whole run, and the density
// and viscosity derived from it.
#pragma once

#include "core/ui/Form.h"
#include "core/ui/WidgetsFwd.h"

namespace vimtal {

class AmbientAir;

class TForm2 : public Form {
    Q_OBJECT
public:
    // `air`: the program's ambient air, recomputed from this window.
    explicit TForm2(AmbientAir& air);

    // Recomputes the ambient air from the three inputs and refreshes the two
    // displays; does nothing while any input is empty.
    void UpdateAirProperties();

private:
    QLineEdit* Edit1 = nullptr;  // density display
    QLineEdit* Edit2 = nullptr;  // temperature
    QLineEdit* Edit3 = nullptr;  // relative humidity
    QLineEdit* Edit4 = nullptr;  // viscosity display
    QLineEdit* Edit5 = nullptr;  // barometric pressure
    QPushButton* BitBtn1 = nullptr;

    AmbientAir& air_;
};

}  // namespace vimtal
