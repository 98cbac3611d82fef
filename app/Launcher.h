// The launcher, captioned with the program's name and version: the main window, offering the six modules.
#pragma once

#include "core/ui/Form.h"
#include "core/ui/WindowLink.h"
#include "core/ui/WidgetsFwd.h"

namespace vimtal {

class ExitQuestions;
class ModuleFiles;
class PictureBox;
class TForm2;

class TForm18 : public Form {
    Q_OBJECT
public:
    // The module windows its six buttons open.
    struct Modules {
        const FormLink* dhwSimulation;  // SpeedButton3
        const FormLink* dhwSizing;      // SpeedButton6
        const FormLink* ductCooling;    // SpeedButton4
        const FormLink* airCalculator;  // SpeedButton2
        const FormLink* orifice;        // SpeedButton1
        const FormLink* pressureLoss;   // SpeedButton5
    };
    // `settings`: opened from the menu and asked to recompute the ambient
    // air at every activation; `about`: the About window; `files`: opens the
    // files dropped on the launcher in their modules; `exitQuestions`: asked
    // before the launcher closes and when the desktop session ends.
    TForm18(WindowLink<TForm2>& settings, const FormLink& about, const Modules& modules, const ModuleFiles& files,
            const ExitQuestions& exitQuestions);

    // Enables the button of each module whose window exists.
    void EnableModuleButtons();

protected:
    void FormActivate() override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct ModuleButton;
    static const ModuleButton kModuleButtons[];

    void BuildMenus();
    QGroupBox* BuildModuleButtons();
    void Connect();
    void OpenModule(const FormLink& module);
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

    WindowLink<TForm2>& settings_;
    const FormLink& about_;
    const Modules modules_;
    const ModuleFiles& files_;
    const ExitQuestions& exitQuestions_;
};

}  // namespace vimtal
