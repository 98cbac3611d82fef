// "Kształtki": the catalogue of the 18 fitting kinds. Choosing a kind
// prepares the fitting editor for it (inputs, starting sizes, name, type
// code, picture, velocities) and opens the editor; editing a stored fitting
// runs the same preparation without showing the catalogue.
#pragma once

#include "core/ui/Form.h"
#include "core/ui/WidgetsFwd.h"
#include "core/ui/WindowLink.h"
#include "pressureloss/Session.h"

#include <array>

namespace vimtal {

class AmbientAir;
class TForm17;

class TForm16 : public Form {
    Q_OBJECT
public:
    // `air`: taken as the settings window shows it at every activation;
    // `session`: the circuit whose kind and edit flag the preparation sets;
    // `editor`: the fitting editor it prepares and opens.
    TForm16(AmbientAir& air, pressureloss::Session& session, WindowLink<TForm17>& editor);

    // SpeedButton1Click ... SpeedButton18Click: the preparation of `kind`,
    // then the editor shown modally. When the preparation fails the edit
    // flag is cleared and the editor does not open.
    void PrepareKind(pressureloss::FittingKind kind);

protected:
    void FormActivate() override;

private:
    std::array<QToolButton*, 18> buttons_{};  // by kind
    QPushButton* BitBtn1 = nullptr;            // "ZAMKNIJ"
    QPushButton* BitBtn2 = nullptr;            // "ANULUJ"

    AmbientAir& air_;
    pressureloss::Session& session_;
    WindowLink<TForm17>& editor_;
};

}  // namespace vimtal
