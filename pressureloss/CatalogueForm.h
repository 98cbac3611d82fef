// "Kształtki": the catalogue of the 18 fitting kinds. Choosing a kind
// prepares the fitting editor for it (inputs, starting sizes, name, type
// code, picture, velocities) and opens the editor; editing a stored fitting
// runs the same preparation without showing the catalogue.
#pragma once

#include "core/ui/Form.h"

#include <array>

class QPushButton;
class QToolButton;

namespace vimtal {

class TForm16 : public Form {
    Q_OBJECT
public:
    TForm16();

    // SpeedButton1Click ... SpeedButton18Click: the preparation of `kind`
    // (1..18), then the editor shown modally. When the preparation fails the
    // edit flag is cleared and the editor does not open.
    void PrepareKind(int kind);

protected:
    void FormActivate() override;

private:
    std::array<QToolButton*, 18> buttons_{};  // by kind
    QPushButton* BitBtn1 = nullptr;            // "ZAMKNIJ"
    QPushButton* BitBtn2 = nullptr;            // "ANULUJ"
};

}  // namespace vimtal
