#include "Launcher.h"

#include "ExitQuestions.h"
#include "Links.h"
#include "ModuleFiles.h"
#include "Settings.h"
#include "core/Numbers.h"
#include "core/Version.h"
#include "core/ui/FileDrops.h"
#include "core/ui/Guard.h"
#include "core/ui/PictureBox.h"
#include "core/ui/Platform.h"
#include "core/ui/Text.h"
#include "core/ui/Widgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSessionManager>
#include <QToolButton>
#include <QVBoxLayout>

namespace vimtal {

// One of the six module buttons: where it stands, its picture, the caption
// below it and the module window it opens.
struct TForm18::ModuleButton {
    QToolButton* TForm18::*button;
    const char* name;
    int row;
    int column;
    const char* picture;
    const char* caption;  // the caption lines below the button
    const FormLink* Modules::*module;
};

// Top row: the three simulations and the tank sizing; bottom row: the
// calculators.
const TForm18::ModuleButton TForm18::kModuleButtons[] = {
    {&TForm18::SpeedButton3, "SpeedButton3", 0, 0, ":/images/module_dhwsim.svg",
     "Symulacja czasu\nładowania zasobnika\nCWU", &Modules::dhwSimulation},
    {&TForm18::SpeedButton6, "SpeedButton6", 0, 1, ":/images/module_dhwsizing.svg",
     "Wyznaczanie niezbędnej\nobjętości zasobnika CWU\nwg. PN-90/B-01706", &Modules::dhwSizing},
    {&TForm18::SpeedButton4, "SpeedButton4", 0, 2, ":/images/module_ductsim.svg",
     "Symulacja czasu\nwychładzania powietrza\nw kanale wentylacyjnym", &Modules::ductCooling},
    {&TForm18::SpeedButton2, "SpeedButton2", 1, 0, ":/images/module_aircalc.svg", "Kalkulator IX",
     &Modules::airCalculator},
    {&TForm18::SpeedButton1, "SpeedButton1", 1, 1, ":/images/module_orifice.svg",
     "Dobór kryz \nosiowosymetrycznych\ni przepustnic powietrza", &Modules::orifice},
    {&TForm18::SpeedButton5, "SpeedButton5", 1, 2, ":/images/module_pressureloss.svg",
     "Kalkulator strat ciśnienia\nobiegu krytycznego", &Modules::pressureLoss},
};

namespace {

// The desktop session ends: the questions of the launcher's closing, where
// the session manager lets the program ask; "Anuluj" cancels the end.
void AskWhenTheSessionEnds(QObject* context, const ExitQuestions& questions) {
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, context, [&questions](QSessionManager& manager) {
        const bool mayAsk = manager.allowsInteraction();
        bool mayEnd = true;
        Guarded([&] { mayEnd = questions.MaySessionEnd(mayAsk); });
        if (mayAsk) manager.release();
        if (!mayEnd) manager.cancel();
    });
}
}  // namespace

TForm18::TForm18(WindowLink<TForm2>& settings, const FormLink& about, const Modules& modules,
                 const ModuleFiles& files, const ExitQuestions& exitQuestions)
    : Form(QStringLiteral("TForm18"), QString::fromUtf8(kProgramCaption)),
      settings_(settings),
      about_(about),
      modules_(modules),
      files_(files),
      exitQuestions_(exitQuestions) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setWindowOpacity(230.0 / 255.0);
    setWindowIcon(QIcon(QStringLiteral(":/images/logo.svg")));
    SetTextColor(this, colors::Teal);
    SetClientSize(662, 306);
    BuildMenus();

    auto* row = new QHBoxLayout(Client());
    row->setContentsMargins(8, 8, 8, 8);
    row->setSpacing(10);
    Image1 = new PictureBox(Client(), QStringLiteral("Image1"));
    Image1->SetSvg(QStringLiteral(":/images/logo.svg"));
    Image1->setCursor(Qt::CrossCursor);
    Image1->setToolTip(kWebPage);
    Image1->setFixedWidth(160);
    row->addWidget(Image1);
    // Only the separator detection uses it; it is never shown.
    Edit5 = NewEdit(Client(), QStringLiteral("Edit5"));
    Edit5->setVisible(false);
    row->addWidget(BuildModuleButtons(), 1);

    Connect();
}

void TForm18::BuildMenus() {
    QMenuBar* bar = MenuBar();
    QMenu* file = bar->addMenu(QStringLiteral("   Plik   "));
    Zamknij1 = NewAction(file, "Zamknij1", QStringLiteral("Zamknij"), QKeySequence(Qt::CTRL | Qt::Key_X),
                         QIcon(QStringLiteral(":/images/menu_close.svg")));
    QMenu* options = bar->addMenu(QStringLiteral("Opcje   "));
    Ustawienia1 = NewAction(options, "Ustawienia1", QStringLiteral("Ustawienia"), QKeySequence(Qt::CTRL | Qt::Key_O),
                            QIcon(QStringLiteral(":/images/menu_settings.svg")));
    Stronawww1 = NewAction(options, "Stronawww1", QStringLiteral("Strona www"), QKeySequence(Qt::CTRL | Qt::Key_W),
                           QIcon(QStringLiteral(":/images/menu_www.svg")));
    Kontaktemail1 = NewAction(options, "Kontaktemail1", QStringLiteral("Kontakt e-mail"),
                              QKeySequence(Qt::CTRL | Qt::Key_K), QIcon(QStringLiteral(":/images/menu_mail.svg")));
    QMenu* aboutMenu = bar->addMenu(QStringLiteral("O programie"));
    About1 = NewAction(aboutMenu, "About1", QStringLiteral("About..."), QKeySequence(Qt::CTRL | Qt::Key_I),
                       QIcon(QStringLiteral(":/images/menu_about.svg")));
    // The shortcuts work wherever the launcher has the focus.
    for (QAction* action : {Zamknij1, Ustawienia1, Stronawww1, Kontaktemail1, About1}) addAction(action);
}

QGroupBox* TForm18::BuildModuleButtons() {
    auto* group = new QGroupBox(QStringLiteral("Dostępne moduły"), Client());
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(2);
    for (const ModuleButton& m : kModuleButtons) {
        auto* button = new QToolButton(group);
        button->setObjectName(QString::fromLatin1(m.name));
        button->setFixedSize(81, 81);
        button->setIcon(QIcon(QString::fromLatin1(m.picture)));
        button->setIconSize(QSize(75, 75));
        button->setCursor(Qt::PointingHandCursor);
        button->setAutoRaise(false);
        auto* caption = new QLabel(QString::fromUtf8(m.caption), group);
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        caption->setFixedHeight(44);
        grid->addWidget(button, m.row * 2, m.column, Qt::AlignHCenter);
        grid->addWidget(caption, m.row * 2 + 1, m.column);
        this->*m.button = button;
    }
    return group;
}

void TForm18::Connect() {
    for (const ModuleButton& m : kModuleButtons) {
        const FormLink* module = modules_.*m.module;
        On(this->*m.button, &QToolButton::clicked, [this, module] { OpenModule(*module); });
    }
    On(Image1, &PictureBox::clicked, [this] { Image1Click(); });
    OnEach(this, &QAction::triggered,
           {{Zamknij1, &TForm18::Zamknij1Click}, {Ustawienia1, &TForm18::Ustawienia1Click},
            {Stronawww1, &TForm18::Stronawww1Click}, {Kontaktemail1, &TForm18::Kontaktemail1Click},
            {About1, &TForm18::About1Click}});

    // Files dropped on the launcher open as if named on the command line.
    new FileDrops(this, FileDrops::Many, [this](const QStringList& paths) {
        std::vector<std::string> names;
        for (const QString& path : paths) names.push_back(ToStd(path));
        files_.Open(ResolveStartupFiles(names, ToStd(platform().CurrentDirectory())));
    });
    AskWhenTheSessionEnds(this, exitQuestions_);
}

void TForm18::EnableModuleButtons() {
    for (const ModuleButton& m : kModuleButtons) {
        QToolButton* button = this->*m.button;
        const bool exists = (modules_.*m.module)->Bound();
        button->setEnabled(exists);
        if (!exists) button->setToolTip(QStringLiteral("Moduł niedostępny"));
    }
}

void TForm18::FormActivate() {
    // 1. The locale's decimal separator, as the general display writes 0.1.
    Edit5->setText(FromStd(FloatToStr(0.1)));
    DetectSeparators(ToStd(Edit5->text()));
    // 2. The folder the program works in.
    platform().SetStartDirectory(platform().CurrentDirectory());
    // 3. The ambient air from the settings window.
    if (settings_.Bound()) settings_->UpdateAirProperties();
}

void TForm18::closeEvent(QCloseEvent* event) {
    // Work not saved is asked about first; "Anuluj" keeps the program.
    bool mayClose = false;
    Guarded([&] { mayClose = exitQuestions_.MayClose(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    Form::closeEvent(event);
    // Closing the launcher ends the program with every module window.
    if (event->isAccepted()) QApplication::quit();
}

void TForm18::OpenModule(const FormLink& module) {
    if (module.Bound()) module.ShowModal();
}

void TForm18::Image1Click() { platform().ShellOpen(kWebPage); }
void TForm18::Zamknij1Click() { close(); }
void TForm18::Ustawienia1Click() { OpenModule(settings_); }
void TForm18::Stronawww1Click() { platform().ShellOpen(kWebPage); }
void TForm18::Kontaktemail1Click() { platform().ShellOpen(QStringLiteral("mailto:") + kContactMail); }
void TForm18::About1Click() { OpenModule(about_); }

}  // namespace vimtal
