// "O programie": the logo, the contact line and the list of modules.
#pragma once

#include "core/ui/Form.h"
#include "core/ui/WidgetsFwd.h"

namespace vimtal {

class PictureBox;

class TForm3 : public Form {
    Q_OBJECT
public:
    TForm3();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Image1Click();
    void Label2Click();
    void Label2MouseMove();
    void FormMouseMove();

    PictureBox* Image1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

}  // namespace vimtal
