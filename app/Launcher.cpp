#include "Launcher.h"

#include "ExitQuestions.h"
#include "Links.h"
#include "ModuleFiles.h"
#include "Settings.h"
#include "core/Numbers.h"
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

namespace {
struct ModuleButton {
    const char* name;
    int row;
    int column;
    const char* picture;
    const char* caption;  // the caption lines below the button
    const FormLink* TForm18::Modules::*module;  // the module window it opens
};

// Top row: the three simulations and the tank sizing; bottom row: the
// calculators.
const ModuleButton kModules[] = {
    {"SpeedButton3", 0, 0, ":/images/module_dhwsim.svg", "Symulacja czasu\nładowania zasobnika\nCWU",
     &TForm18::Modules::dhwSimulation},
    {"SpeedButton6", 0, 1, ":/images/module_dhwsizing.svg",
     "Wyznaczanie niezbędnej\nobjętości zasobnika CWU\nwg. PN-90/B-01706", &TForm18::Modules::dhwSizing},
    {"SpeedButton4", 0, 2, ":/images/module_ductsim.svg",
     "Symulacja czasu\nwychładzania powietrza\nw kanale wentylacyjnym", &TForm18::Modules::ductCooling},
    {"SpeedButton2", 1, 0, ":/images/module_aircalc.svg", "Kalkulator IX",
     &TForm18::Modules::airCalculator},
    {"SpeedButton1", 1, 1, ":/images/module_orifice.svg", "Dobór kryz \nosiowosymetrycznych\ni przepustnic powietrza",
     &TForm18::Modules::orifice},
    {"SpeedButton5", 1, 2, ":/images/module_pressureloss.svg", "Kalkulator strat ciśnienia\nobiegu krytycznego",
     &TForm18::Modules::pressureLoss},
};
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
    : Form(QStringLiteral("TForm18"), QStringLiteral("Vimtal v 1.05")),
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

    auto* group = new QGroupBox(QStringLiteral("Dostępne moduły"), Client());
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(2);
    for (const ModuleButton& m : kModules) {
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
        const FormLink* module = modules_.*m.module;
        On(button, &QToolButton::clicked, [this, module] { OpenModule(*module); });
    }
    SpeedButton1 = group->findChild<QToolButton*>(QStringLiteral("SpeedButton1"));
    SpeedButton2 = group->findChild<QToolButton*>(QStringLiteral("SpeedButton2"));
    SpeedButton3 = group->findChild<QToolButton*>(QStringLiteral("SpeedButton3"));
    SpeedButton4 = group->findChild<QToolButton*>(QStringLiteral("SpeedButton4"));
    SpeedButton5 = group->findChild<QToolButton*>(QStringLiteral("SpeedButton5"));
    SpeedButton6 = group->findChild<QToolButton*>(QStringLiteral("SpeedButton6"));
    row->addWidget(group, 1);

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
    for (const ModuleButton& m : kModules) {
        auto* button = findChild<QToolButton*>(QString::fromLatin1(m.name));
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
