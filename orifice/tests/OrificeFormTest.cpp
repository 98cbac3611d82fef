#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QRadioButton>

#include "app/testing/AppHarness.h"
#include "core/ui/testing/PdfTools.h"

#include <QKeySequence>
#include <QMenu>

namespace vimtal {
namespace {

const QString F = QStringLiteral("TForm1");

bool Visible(AppHarness& app, const char* name) {
    return !app.Control<QWidget>(F, QString::fromLatin1(name))->isHidden();
}

void Fill(AppHarness& app, const QString& dp, const QString& flow, const QString& a, const QString& b = {}) {
    app.SetText(F, "Edit1", dp);
    app.SetText(F, "Edit2", flow);
    app.SetText(F, "Edit3", a);
    app.SetText(F, "Edit4", b);
}

// The orifice window opened from the launcher, as most tests start.
class OrificeWindow : public ModuleTest {
protected:
    OrificeWindow() : ModuleTest("SpeedButton1") {}
};

// Its caption and size: the launcher's test of the module buttons.
TEST_F(OrificeWindow, OpensFromTheLauncherInItsStartState) {
    for (const char* edit : {"Edit1", "Edit2", "Edit3", "Edit4"}) EXPECT_EQ(app.Text(F, edit), "") << edit;
    EXPECT_TRUE(app.Control<QRadioButton>(F, "RadioButton4")->isChecked());
    EXPECT_TRUE(app.Control<QRadioButton>(F, "RadioButton1")->isChecked());
    EXPECT_EQ(app.Text(F, "Label5"), "Podaj srednicę przewodu");
    EXPECT_EQ(app.Text(F, "Label9"), "Srednica kryzy wynosi");
    EXPECT_EQ(app.Text(F, "Label13"), "mm");
    EXPECT_EQ(app.Text(F, "Label10"), "Dlugosc boku B kryzy wynosi");
    EXPECT_EQ(app.Text(F, "GroupBox1"), "  Przekrój kanału wentylacyjnego");
    EXPECT_EQ(app.Text(F, "RadioGroup1"), "      Wybierz typ elementu regulacyjnego");
    EXPECT_EQ(app.Text(F, "Button1"), "Oblicz");
    EXPECT_EQ(app.Text(F, "BitBtn1"), "Anuluj");
    for (const char* hidden : {"Label7", "Edit4", "Label8", "Label10", "Label12", "Label14"})
        EXPECT_FALSE(Visible(app, hidden)) << hidden;
    // Inputs blue, group captions green, results red.
    EXPECT_EQ(app.Control<QLineEdit>(F, "Edit1")->palette().color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_EQ(app.Control<QWidget>(F, "GroupBox1")->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_EQ(app.Control<QLabel>(F, "Label11")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
}

TEST_F(OrificeWindow, WorkedExampleInEveryLayout) {
    ASSERT_EQ(app.Text("TForm2", "Edit1"), "1,2");  // density of the default air
    Fill(app, "50", "500", "200");
    app.Click(F, "Button1");
    EXPECT_EQ(app.Text(F, "Label11"), "139");
    EXPECT_EQ(app.Text(F, "Label13"), "mm");
    // Again without changing anything: the same result.
    app.Click(F, "Button1");
    EXPECT_EQ(app.Text(F, "Label11"), "139");

    app.Click(F, "RadioButton2");
    EXPECT_EQ(app.Text(F, "Label11"), "");
    app.Click(F, "Button1");
    EXPECT_EQ(app.Text(F, "Label11"), "59");
    EXPECT_EQ(app.Text(F, "Label13"), "deg");

    app.Click(F, "RadioButton5");
    app.Click(F, "RadioButton1");
    Fill(app, "50", "500", "300", "200");
    app.Click(F, "Button1");
    EXPECT_EQ(app.Text(F, "Label11"), "171");
    EXPECT_EQ(app.Text(F, "Label12"), "114");
    EXPECT_EQ(app.ErrorCount(), 0);
    EXPECT_TRUE(app.Messages().isEmpty());
}

// Each option handler: captions, cleared values, visibility of side B and of
// the second result line.
TEST(OrificeStart, OptionsSetCaptionsVisibilityAndClearResults) {
    struct Step {
        std::vector<const char*> clicks;  // from the start state
        const char* label5;
        const char* label9;
        const char* label13;
        bool sideB;       // Label7, Edit4, Label8
        bool secondLine;  // Label10, Label12, Label14
    } steps[] = {
        {{"RadioButton5"}, "Podaj wymiar boku A", "Długosc boku A kryzy wynosi", "mm", true, true},
        {{"RadioButton5", "RadioButton2"}, "Podaj wymiar boku A", "Kąt otwarcia przepustnicy", "deg", true, false},
        {{"RadioButton2", "RadioButton5"}, "Podaj wymiar boku A", "Kąt otwarcia przepustnicy", "deg", true, false},
        {{"RadioButton5", "RadioButton2", "RadioButton1"},
         "Podaj wymiar boku A",
         "Długosc boku A kryzy wynosi",
         "mm",
         true,
         true},
        {{"RadioButton5", "RadioButton4"}, "Podaj srednicę przewodu", "Srednica kryzy wynosi", "mm", false, false},
        {{"RadioButton2"}, "Podaj srednicę przewodu", "Kąt otwarcia przepustnicy", "deg", false, false},
        {{"RadioButton2", "RadioButton5", "RadioButton4"},
         "Podaj srednicę przewodu",
         "Kąt otwarcia przepustnicy",
         "deg",
         false,
         false},
        {{"RadioButton2", "RadioButton1"}, "Podaj srednicę przewodu", "Srednica kryzy wynosi", "mm", false, false},
    };
    for (const Step& s : steps) {
        AppHarness app;
        app.Click("TForm18", "SpeedButton1");
        std::string trace;
        for (const char* click : s.clicks) {
            // Put results in place first, so that each click must clear them.
            app.Control<QLabel>(F, "Label11")->setText("123");
            app.Control<QLabel>(F, "Label12")->setText("45");
            app.Click(F, click);
            trace += std::string(click) + " ";
            EXPECT_EQ(app.Text(F, "Label11"), "") << trace;
            EXPECT_EQ(app.Text(F, "Label12"), "") << trace;
        }
        EXPECT_EQ(app.Text(F, "Label5"), s.label5) << trace;
        EXPECT_EQ(app.Text(F, "Label9"), s.label9) << trace;
        EXPECT_EQ(app.Text(F, "Label13"), s.label13) << trace;
        for (const char* name : {"Label7", "Edit4", "Label8"}) EXPECT_EQ(Visible(app, name), s.sideB) << trace << name;
        for (const char* name : {"Label10", "Label12", "Label14"})
            EXPECT_EQ(Visible(app, name), s.secondLine) << trace << name;
    }
}

TEST_F(OrificeWindow, BadInputShowsTheErrorBoxAndKeepsTheResults) {
    Fill(app, "50", "500", "200");
    app.Click(F, "Button1");
    ASSERT_EQ(app.Text(F, "Label11"), "139");

    struct {
        const char* edit;
        const char* text;
        const char* error;
    } cases[] = {
        {"Edit1", "", "'' is not a valid floating point value."},
        {"Edit2", "5OO", "'5OO' is not a valid floating point value."},
        {"Edit3", "200.5", "'200.5' is not a valid floating point value."},
        {"Edit2", "0", "Floating point division by zero"},
        {"Edit3", "0", "Floating point division by zero"},
    };
    for (const auto& c : cases) {
        app.ClearRecords();
        Fill(app, "50", "500", "200");
        app.SetText(F, c.edit, c.text);
        app.Click(F, "Button1");
        EXPECT_EQ(app.ErrorCount(), 1) << c.edit << "=" << c.text;
        EXPECT_EQ(app.LastError(), c.error) << c.edit << "=" << c.text;
        EXPECT_EQ(app.Fake().messages.back().title, "VIMTAL");
        EXPECT_EQ(app.Text(F, "Label11"), "139") << c.edit << "=" << c.text;
    }

    // No pressure to throttle: the element stays fully open.
    app.ClearRecords();
    Fill(app, "0", "500", "200");
    app.Click(F, "Button1");
    EXPECT_EQ(app.Text(F, "Label11"), "200");
    EXPECT_EQ(app.ErrorCount(), 0);
}

TEST_F(OrificeWindow, AbsurdDuctIsRefusedWithAMessage) {
    app.Click(F, "RadioButton5");
    Fill(app, "50", "500", "300", "200");
    app.Click(F, "Button1");
    ASSERT_EQ(app.Text(F, "Label11"), "171");
    Fill(app, "0", "500", "5000000", "5000000");  // 5 km
    app.Click(F, "Button1");
    ASSERT_EQ(app.Fake().messages.size(), 1u);
    EXPECT_EQ(app.Fake().messages[0].title, "Vimtal info");
    EXPECT_FALSE(app.Fake().messages[0].error);
    EXPECT_TRUE(app.LastMessage().startsWith("Wymiary kanału są zbyt duże")) << app.LastMessage().toStdString();
    EXPECT_EQ(app.Text(F, "Label11"), "171");
    EXPECT_EQ(app.Text(F, "Label12"), "114");
}

TEST(OrificeStart, DensityComesFromTheSettingsDisplay) {
    AppHarness app;
    // Cold air: the settings window shows a higher density.
    app.Click("TForm18", "Ustawienia1");
    app.SetText("TForm2", "Edit2", "-20");
    const QString density = app.Text("TForm2", "Edit1");
    ASSERT_EQ(density, "1,39");
    app.Close("TForm2");
    app.Click("TForm18", "SpeedButton1");
    Fill(app, "50", "500", "200");
    app.Click(F, "Button1");
    // rho 1.39: zeta 3.864, eps 0.50492 (independent figures), bore 142 mm.
    EXPECT_EQ(app.Text(F, "Label11"), "142");
    EXPECT_EQ(app.ErrorCount(), 0);
}

TEST_F(OrificeWindow, CancelClosesTheWindowAndKeepsItsContents) {
    Fill(app, "50", "500", "200");
    app.Click(F, "Button1");
    app.Click(F, "BitBtn1");
    EXPECT_FALSE(app.IsVisible(F));
    app.Click("TForm18", "SpeedButton1");
    EXPECT_EQ(app.Text(F, "Edit1"), "50");
    EXPECT_EQ(app.Text(F, "Label11"), "139");
}

TEST(OrificeStart, Screenshots) {
    AppHarness app;
    const QString folder = qEnvironmentVariable("VIMTAL_SHOTS_DIR");
    app.Click("TForm18", "SpeedButton1");
    Fill(app, "50", "500", "200");
    app.Click(F, "Button1");
    const QImage round = app.Grab(F);
    app.Click(F, "RadioButton5");
    Fill(app, "50", "500", "300", "200");
    app.Click(F, "Button1");
    const QImage rectangular = app.Grab(F);
    EXPECT_NE(round, rectangular);
    EXPECT_GE(round.width(), 394);
    if (!folder.isEmpty()) {
        round.save(folder + "/TForm1_round.png");
        rectangular.save(folder + "/TForm1_rectangular.png");
    }
}

// The calculation sheet: the inputs with their units and choices as words,
// the result lines as the window shows them; "Brak wyników" before the
// first calculation. The items sit in a context menu: the window has no
// "Plik" menu and keeps its size.
TEST_F(OrificeWindow, ReportShowsTheWindowAsItIs) {
    EXPECT_EQ(app.Window(F)->findChild<QWidget*>("Client")->size(), QSize(394, 514));
    auto* menu = app.Control<QMenu>(F, "PopupMenu1");
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->objectName(), "Drukuj1");
    EXPECT_EQ(menu->actions()[0]->shortcut(), QKeySequence("Ctrl+P"));
    EXPECT_EQ(menu->actions()[1]->text(), "Zapisz raport PDF...");

    Fill(app, "50", "500", "200");
    QString text = testing::PdfPageTexts(app.SaveReport(F)).join("\n");
    EXPECT_TRUE(text.contains("Moduł doboru kryz osiowosymetrycznych"));
    EXPECT_TRUE(text.contains("Brak wyników: uruchom obliczenia"));
    ASSERT_EQ(app.Fake().saveRequests.size(), 1u);
    EXPECT_EQ(app.Fake().saveRequests[0].fileName, "dobor_kryzy.pdf");
    EXPECT_EQ(app.Fake().saveRequests[0].filter, "Dokument PDF (*.pdf)");

    app.Click(F, "RadioButton5");
    Fill(app, "50", "500", "300", "200");
    app.Click(F, "Button1");
    text = testing::PdfPageTexts(app.SaveReport(F)).join("\n");
    for (const char* expected : {"Ciśnienie do zdławienia", "Przekrój kanału: prostokątny", "Bok B przewodu",
                                 "Element regulacyjny: kryza osiowosymetryczna", "Gęstość powietrza (z ustawień)",
                                 "Bok A kryzy", "171", "Bok B kryzy", "114"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    }
    EXPECT_FALSE(text.contains("Brak wyników"));
    EXPECT_EQ(app.ErrorCount(), 0) << app.LastError().toStdString();
}

}  // namespace
}  // namespace vimtal
