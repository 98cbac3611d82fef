#include "app/Links.h"
#include "app/testing/AppHarness.h"
#include "core/AmbientAir.h"
#include "core/Numbers.h"
#include "core/ui/Platform.h"

#include <QAction>
#include <QLineEdit>
#include <QToolButton>

#include <gtest/gtest.h>

namespace vimtal {
namespace {

TEST(StartUp, OnlyTheLauncherIsVisibleAndTheAirIsComputed) {
    AppHarness app;
    const auto& forms = app.Windows();
    ASSERT_FALSE(forms.empty());
    EXPECT_EQ(forms.front()->objectName(), "TForm18");
    EXPECT_EQ(platform().MainForm(), forms.front());
    for (Form* form : forms) EXPECT_EQ(form->isVisible(), form->objectName() == "TForm18") << form->objectName().toStdString();
    EXPECT_EQ(app.Window("TForm18")->windowTitle(), "Vimtal v 1.05");
    // The settings window's displays are filled before it is ever opened.
    EXPECT_EQ(app.Text("TForm2", "Edit1"), "1,2");
    EXPECT_EQ(app.Text("TForm2", "Edit4"), "0,000015");
    EXPECT_NEAR(app.Air().Density(), 1.19727, 1e-5);
    EXPECT_EQ(app.Text("TForm18", "Edit5"), "0,1");
    EXPECT_EQ(LocaleSeparator(), ',');
    EXPECT_EQ(ForeignSeparator(), '.');
    EXPECT_EQ(app.Fake().StartDirectory(), app.Fake().currentDirectory);
    EXPECT_TRUE(app.Messages().isEmpty());
}

TEST(StartUp, WindowsAreCreatedInTheStartUpOrder) {
    AppHarness app;
    // The fixed order of the program; windows of modules still to come are
    // simply absent, but those present keep their relative order.
    const QStringList order{"TForm18", "TForm1",  "TForm2",  "TForm3",  "TForm10", "TForm4",  "TForm5",
                            "TForm6",  "TForm7",  "TForm8",  "TForm9",  "TForm11", "TForm12", "TForm13",
                            "TForm14", "TForm15", "TForm16", "TForm17", "TForm19", "IxChartForm",
                            "IxRangeForm", "IxStateForm", "IxProcessForm"};
    int last = -1;
    for (Form* form : app.Windows()) {
        const int position = order.indexOf(form->objectName());
        ASSERT_GE(position, 0) << form->objectName().toStdString();
        EXPECT_GT(position, last) << form->objectName().toStdString();
        last = position;
    }
    for (const char* shell : {"TForm2", "TForm3", "TForm4", "TForm8", "TForm11", "TForm12", "TForm14"}) {
        EXPECT_NE(app.FindWindow(shell), nullptr) << shell;
    }
}

// Each module's button is enabled when its window exists and opens it,
// with its caption and its client area at the design size.
TEST(StartUp, ModuleButtonsOpenTheWindowsOfTheModulesThatExist) {
    AppHarness app;
    struct Case {
        const char* button;
        const char* window;
        const char* caption;
        QSize client;
    } cases[] = {
        {"SpeedButton3", "TForm5", "Symulacja czasu ładowania zbiornika C.W.U", {761, 491}},
        {"SpeedButton6", "TForm19", "Dobór mocy oraz pojemności zasobnika CWU wg. PN PN-90/B-01706 (mieszkania)",
         {823, 320}},
        {"SpeedButton4", "TForm9", "Symulacja szybkości wychladzania powietrza w kanale wentylacyjnym", {798, 526}},
        {"SpeedButton2", "TForm10", "Kalkulator powietrza", {253, 434}},
        {"SpeedButton1", "TForm1", "Moduł doboru kryz osiowosymetrycznych", {394, 514}},
        {"SpeedButton5", "TForm15", "Kalkulator strat ciśnienia - obiegu krytycznego", {892, 295}},
    };
    for (const Case& c : cases) {
        auto* control = app.Control<QToolButton>("TForm18", c.button);
        EXPECT_EQ(control->isEnabled(), app.FindWindow(c.window) != nullptr) << c.button;
        EXPECT_EQ(control->size(), QSize(81, 81)) << c.button;
        if (control->isEnabled()) {
            app.ClearRecords();
            app.Click("TForm18", c.button);
            EXPECT_EQ(app.Shown(), QStringList{c.window}) << c.button;
            EXPECT_EQ(app.Window(c.window)->windowTitle(), QString::fromUtf8(c.caption)) << c.window;
            EXPECT_EQ(app.Window(c.window)->Client()->size(), c.client) << c.window;
            app.Close(c.window);
        }
    }
}

TEST(Launcher, MenuItemsAndTheirShortcuts) {
    AppHarness app;
    struct Item {
        const char* name;
        const char* caption;
        QKeySequence shortcut;
    } items[] = {
        {"Zamknij1", "Zamknij", QKeySequence(Qt::CTRL | Qt::Key_X)},
        {"Ustawienia1", "Ustawienia", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"Stronawww1", "Strona www", QKeySequence(Qt::CTRL | Qt::Key_W)},
        {"Kontaktemail1", "Kontakt e-mail", QKeySequence(Qt::CTRL | Qt::Key_K)},
        {"About1", "About...", QKeySequence(Qt::CTRL | Qt::Key_I)},
    };
    for (const Item& item : items) {
        auto* action = app.Control<QAction>("TForm18", item.name);
        EXPECT_EQ(action->text(), item.caption);
        EXPECT_EQ(action->shortcut(), item.shortcut) << item.name;
        EXPECT_FALSE(action->icon().isNull()) << item.name;
    }

    app.Click("TForm18", "Ustawienia1");
    app.Close("TForm2");
    app.Click("TForm18", "About1");
    app.Close("TForm3");
    EXPECT_EQ(app.Shown(), (QStringList{"TForm2", "TForm3"}));

    app.Click("TForm18", "Stronawww1");
    app.Click("TForm18", "Kontaktemail1");
    app.Click("TForm18", "Image1");
    EXPECT_EQ(app.Fake().shellOpened, (std::vector<QString>{kWebPage, "mailto:" + kContactMail, kWebPage}));

    app.Click("TForm18", "Zamknij1");
    EXPECT_FALSE(app.IsVisible("TForm18"));
}

TEST(Launcher, ActivationAfterAModalWindowRefreshesSeparatorDirectoryAndAir) {
    AppHarness app;
    app.Click("TForm18", "Ustawienia1");
    // While the settings are open the process changes folder and the
    // pressure-loss windows would have stored the rounded figures.
    app.Fake().currentDirectory = "/tmp/projekt";
    app.Air().UseDisplayedFigures();
    ASSERT_EQ(app.Air().Density(), 1.2);
    app.SetText("TForm18", "Edit5", "");
    app.Close("TForm2");
    EXPECT_EQ(app.Fake().StartDirectory(), "/tmp/projekt");
    EXPECT_EQ(app.Text("TForm18", "Edit5"), "0,1");
    EXPECT_EQ(LocaleSeparator(), ',');
    EXPECT_NEAR(app.Air().Density(), 1.19727, 1e-5);
    EXPECT_NE(app.Air().Density(), 1.2);
}

TEST(Launcher, ADotLocaleIsDetected) {
    AppHarness app('.');
    EXPECT_EQ(LocaleSeparator(), '.');
    EXPECT_EQ(ForeignSeparator(), ',');
    // The settings' defaults have no separator, so they still convert.
    EXPECT_EQ(app.Text("TForm2", "Edit1"), "1.2");
    EXPECT_EQ(app.Text("TForm2", "Edit4"), "0.000015");
}

TEST(Launcher, AnUnconvertibleSettingIsReportedAtEachActivation) {
    AppHarness app;
    app.Click("TForm18", "Ustawienia1");
    app.SetText("TForm2", "Edit3", "5O");  // a letter O typed for a zero
    EXPECT_EQ(app.ErrorCount(), 1);
    app.Close("TForm2");
    EXPECT_EQ(app.ErrorCount(), 2);
    EXPECT_EQ(app.LastError(), "'5O' is not a valid floating point value.");
    EXPECT_EQ(app.Text("TForm18", "Edit5"), "0,1");  // the steps before the air still ran
    EXPECT_EQ(app.Fake().StartDirectory(), app.Fake().currentDirectory);
}

}  // namespace
}  // namespace vimtal
