// The launcher "Vimtal v 1.05": the main window, offering the six modules.
#pragma once

#include "core/ui/Form.h"

class QAction;
class QLineEdit;
class QToolButton;

namespace vimtal {

class PictureBox;

class TForm18 : public Form {
    Q_OBJECT
public:
    TForm18();

    // Enables the button of each module whose window exists.
    void EnableModuleButtons();

protected:
    void FormActivate() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void OpenModule(const QString& className);
    void Image1Click();
    void Zamknij1Click();
    void Ustawienia1Click();
    void Stronawww1Click();
    void Kontaktemail1Click();
    void About1Click();

    PictureBox* Image1 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QToolButton* SpeedButton5 = nullptr;
    QToolButton* SpeedButton6 = nullptr;
    QAction* Zamknij1 = nullptr;
    QAction* Ustawienia1 = nullptr;
    QAction* Stronawww1 = nullptr;
    QAction* Kontaktemail1 = nullptr;
    QAction* About1 = nullptr;
};

}  // namespace vimtal
