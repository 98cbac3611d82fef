#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>

#include "aircalc/AirCalcForm.h"
#include "app/testing/AppHarness.h"
#include "core/ui/testing/PdfTools.h"

#include <QMenu>

namespace vimtal {
namespace {

const QString F = QStringLiteral("TForm10");
const char* const kProperties[] = {"Edit1", "Edit2", "Edit3", "Edit4"};
const char* const kResults[] = {"Edit6", "Edit9", "edit10", "Edit7", "edit11", "Edit8"};

bool Locked(AppHarness& app, const char* name) { return !app.Control<QLineEdit>(F, name)->isEnabled(); }

QStringList Shown(AppHarness& app, std::initializer_list<const char*> names) {
    QStringList texts;
    for (const char* name : names) texts << app.Text(F, name);
    return texts;
}

// The calculator opened from the launcher, as every test starts.
class AirCalcWindow : public ModuleTest {
protected:
    AirCalcWindow() : ModuleTest("SpeedButton2") {}
};

// Its caption and size: the launcher's test of the module buttons.
TEST_F(AirCalcWindow, OpensFromTheLauncherWithItsFields) {
    EXPECT_EQ(app.Text(F, "Edit5"), "101300");
    QStringList labels;
    for (QLabel* label : app.Window(F)->findChildren<QLabel*>()) labels << label->text();
    for (const char* symbol : {"i", "X", "t", "φ", "pb", "ps", "pp", "pg", "tr", "tm", "ρ", "°C", "kg/m³", "kJ/kg"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(symbol))) << symbol;
    for (const char* name : kResults)
        EXPECT_EQ(app.Control<QLineEdit>(F, name)->palette().color(QPalette::Base), QColor(255, 255, 225)) << name;
    EXPECT_EQ(app.Text(F, "Button1"), "Oblicz");
    EXPECT_EQ(app.Text(F, "Button2"), "Wyczyść");
    EXPECT_EQ(app.Text(F, "BitBtn1"), "Zamknij");
    app.Click(F, "Pomoc1");
    EXPECT_EQ(app.Shown(), (QStringList{F, "TForm4"}));
}

TEST_F(AirCalcWindow, TypingTwoPropertiesLocksTheOtherTwo) {
    struct {
        const char* first;
        const char* second;
        std::array<bool, 4> locked;
    } cases[] = {
        {"Edit1", "Edit2", {false, false, true, true}},
        {"Edit3", "Edit4", {true, true, false, false}},
        {"Edit1", "Edit4", {false, true, true, false}},
        {"Edit2", "Edit3", {true, false, false, true}},
    };
    for (const auto& c : cases) {
        app.Click(F, "Button2");  // "Wyczyść": every property open and empty
        app.Type(F, c.first, "1");
        for (const char* name : kProperties) EXPECT_FALSE(Locked(app, name)) << c.first << " " << name;
        app.Type(F, c.second, "2");
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(Locked(app, kProperties[k]), c.locked[k]) << c.first << "+" << c.second << " " << kProperties[k];
            if (c.locked[k]) {
                QLineEdit* edit = app.Control<QLineEdit>(F, kProperties[k]);
                EXPECT_EQ(edit->palette().color(QPalette::Base), edit->palette().color(QPalette::Button));
            }
        }
    }
}

TEST_F(AirCalcWindow, CalculationFillsAndLocksEveryPropertyThenRecalculatesFromCaseOne) {
    app.Type(F, "Edit3", "20");
    app.Type(F, "Edit4", "50");
    app.Click(F, "Button1");
    EXPECT_EQ(app.ErrorCount(), 0);
    EXPECT_EQ(Shown(app, {"Edit1", "Edit2", "Edit3", "Edit4"}), (QStringList{"38,5", "0,00726", "20", "50"}));
    EXPECT_EQ(Shown(app, {"Edit6", "Edit9", "edit10", "Edit7", "edit11", "Edit8"}),
              (QStringList{"2336,5", "1168,3", "100131,7", "9,2", "13,7", "1,2"}));
    for (const char* name : kProperties) EXPECT_TRUE(Locked(app, name)) << name;

    // i and x are now filled: a second "Oblicz" starts from them (case 1)
    // and the last digit of phi moves.
    app.Click(F, "Button1");
    EXPECT_EQ(Shown(app, {"Edit1", "Edit2", "Edit3", "Edit4"}), (QStringList{"38,5", "0,00726", "20", "50,1"}));
    EXPECT_EQ(Shown(app, {"Edit6", "Edit9", "edit10", "Edit7", "edit11", "Edit8"}),
              (QStringList{"2333", "1168,7", "100131,3", "9,2", "13,7", "1,2"}));
    EXPECT_NEAR(app.WindowAs<TForm10>(F)->State().t, 19.976012, 1e-6);
}

TEST_F(AirCalcWindow, ClearUnlocksAndEmptiesButKeepsPb) {
    app.SetText(F, "Edit5", "98000");
    app.Type(F, "Edit1", "38,5");
    app.Type(F, "Edit4", "50");
    app.Click(F, "Button1");
    EXPECT_EQ(app.Text(F, "Edit3"), "19,7");  // case 6 at 98000 Pa
    app.Click(F, "Button2");
    for (const char* name : kProperties) {
        EXPECT_FALSE(Locked(app, name)) << name;
        EXPECT_EQ(app.Text(F, name), "") << name;
        QLineEdit* edit = app.Control<QLineEdit>(F, name);
        EXPECT_NE(edit->palette().color(QPalette::Base), edit->palette().color(QPalette::Button)) << name;
    }
    for (const char* name : kResults) EXPECT_EQ(app.Text(F, name), "") << name;
    EXPECT_EQ(app.Text(F, "Edit5"), "98000");

    // A new state after clearing: case 3 from x and t.
    app.Type(F, "Edit2", "0,01");
    app.Type(F, "Edit3", "30");
    app.SetText(F, "Edit5", "101300");
    app.Click(F, "Button1");
    EXPECT_EQ(Shown(app, {"Edit1", "Edit4", "edit11", "Edit8"}), (QStringList{"55,7", "37,8", "19,5", "1,16"}));
}

TEST_F(AirCalcWindow, BadInputKeepsTheShownResults) {
    app.Type(F, "Edit3", "20");
    app.Type(F, "Edit4", "50");
    app.Click(F, "Button1");
    const QStringList before = Shown(app, {"Edit6", "Edit9", "edit10", "Edit7", "edit11", "Edit8"});
    app.Click(F, "Button2");

    struct {
        const char* t;
        const char* phi;
        const char* pb;
        const char* error;    // error box text, or "" for none
        const char* message;  // beginning of a "Vimtal info" message, or ""
    } cases[] = {
        {"2O", "50", "101300", "'2O' is not a valid floating point value.", ""},
        {"20", "50", "1013OO", "'1013OO' is not a valid floating point value.", ""},
        {"20", "0", "101300", "Floating point division by zero", ""},
        {"20", "50", "", "", ""},      // no pb: nothing happens
        {"20", "", "101300", "", ""},  // one property: nothing happens
        {"20", "50", "10", "", "Nie można wyznaczyć temperatury termometru mokrego"},
        {"20", "50", "0", "", "Ciśnienie barometryczne pb musi być większe od zera"},
    };
    for (const auto& c : cases) {
        const std::string trace = std::string(c.t) + " " + c.phi + " " + c.pb;
        app.Click(F, "Button2");
        for (int k = 0; k < 6; ++k) app.SetText(F, kResults[k], before[k]);
        app.ClearRecords();
        app.SetText(F, "Edit3", c.t);
        app.SetText(F, "Edit4", c.phi);
        app.SetText(F, "Edit5", c.pb);
        app.Click(F, "Button1");
        EXPECT_EQ(Shown(app, {"Edit6", "Edit9", "edit10", "Edit7", "edit11", "Edit8"}), before) << trace;
        EXPECT_EQ(app.Text(F, "Edit1"), "") << trace;
        if (*c.error) {
            EXPECT_EQ(app.ErrorCount(), 1) << trace;
            EXPECT_EQ(app.LastError(), c.error) << trace;
        } else if (*c.message) {
            ASSERT_EQ(app.Fake().messages.size(), 1u) << trace;
            EXPECT_EQ(app.Fake().messages[0].title, "Vimtal info") << trace;
            EXPECT_TRUE(app.LastMessage().startsWith(QString::fromUtf8(c.message))) << trace;
        } else {
            EXPECT_TRUE(app.Messages().isEmpty()) << trace;
        }
    }
}

TEST_F(AirCalcWindow, SearchThatCannotEndIsRefusedAndTheWindowGoesOn) {
    // Case 6 with a negative relative humidity: the temperature search would
    // never end.
    app.Type(F, "Edit1", "38,5");
    app.Type(F, "Edit4", "-50");
    app.Click(F, "Button1");
    ASSERT_EQ(app.Fake().messages.size(), 1u);
    EXPECT_EQ(app.Fake().messages[0].title, "Vimtal info");
    EXPECT_TRUE(app.LastMessage().startsWith("Nie można wyznaczyć temperatury t z entalpii"));
    EXPECT_EQ(app.Text(F, "Edit3"), "");
    for (const char* name : kResults) EXPECT_EQ(app.Text(F, name), "") << name;
    // The same state with a real humidity works at once.
    app.Type(F, "Edit4", "50");
    app.Click(F, "Button1");
    EXPECT_EQ(app.Text(F, "Edit3"), "20");
    EXPECT_EQ(app.Text(F, "Edit8"), "1,2");
}

TEST_F(AirCalcWindow, Screenshot) {
    app.Type(F, "Edit3", "20");
    app.Type(F, "Edit4", "50");
    app.Click(F, "Button1");
    const QImage image = app.Grab(F);
    EXPECT_GE(image.width(), 253);
    const QString folder = qEnvironmentVariable("VIMTAL_SHOTS_DIR");
    if (!folder.isEmpty()) image.save(folder + "/TForm10.png");
}

TEST_F(AirCalcWindow, NotesShowWhenTheStateLeavesTheLawsRangeAndClear) {
    QLabel* notes = app.Control<QLabel>(F, "LabelUwagi");
    EXPECT_TRUE(notes->isHidden());
    // Every other control keeps its place when the label appears.
    std::vector<QRect> places;
    for (QWidget* w : app.Window(F)->findChildren<QWidget*>()) {
        if (w != notes) places.push_back(w->geometry());
    }

    app.SetText(F, "Edit3", "-20");
    app.SetText(F, "Edit4", "50");
    app.Click(F, "Button1");
    EXPECT_FALSE(notes->isHidden());
    EXPECT_EQ(notes->text(), "⚠ Uwagi: 1");
    EXPECT_TRUE(notes->toolTip().contains("Temperatura t = -20 °C jest niższa od 0 °C"));
    EXPECT_TRUE(app.Messages().isEmpty());  // no box of its own
    std::size_t k = 0;
    for (QWidget* w : app.Window(F)->findChildren<QWidget*>()) {
        if (w != notes) {
            EXPECT_EQ(w->geometry(), places[k++]) << w->objectName().toStdString();
        }
    }

    // A state within the law clears them; so does "Wyczyść".
    app.Click(F, "Button2");
    EXPECT_TRUE(notes->isHidden());
    app.SetText(F, "Edit3", "-20");
    app.SetText(F, "Edit4", "120");
    app.Click(F, "Button1");
    EXPECT_EQ(notes->text(), "⚠ Uwagi: 2");
    app.Click(F, "Button2");
    app.SetText(F, "Edit3", "20");
    app.SetText(F, "Edit4", "50");
    app.Click(F, "Button1");
    EXPECT_TRUE(notes->isHidden());
    EXPECT_EQ(notes->text(), "");
}

// The sheet lists the two properties typed and the barometric pressure as
// inputs, the two the calculation completed and the six results as results,
// and the notes of the state under "Uwagi".
TEST_F(AirCalcWindow, ReportSeparatesTypedAndComputedProperties) {
    ASSERT_EQ(app.Control<QMenu>(F, "PopupMenu1")->actions().size(), 2);
    QString text = testing::PdfPageTexts(app.SaveReport(F)).join("\n");
    EXPECT_TRUE(text.contains("Brak wyników: uruchom obliczenia"));
    EXPECT_EQ(app.Fake().saveRequests.back().fileName, "kalkulator_powietrza.pdf");

    app.SetText(F, "Edit3", "-20");
    app.SetText(F, "Edit4", "50");
    app.Click(F, "Button1");
    const QStringList pages = testing::PdfPageTexts(app.SaveReport(F));
    text = pages.join("\n");
    const qsizetype results = text.indexOf("Wyniki");
    const qsizetype notes = text.indexOf("Uwagi");
    ASSERT_GT(results, 0);
    ASSERT_GT(notes, results);
    // Typed: t, phi and pb, before "Wyniki"; completed: i and x, after it.
    for (const char* typed : {"Temperatura", "Wilgotność względna", "Ciśnienie barometryczne", "101300"}) {
        const qsizetype at = text.indexOf(QString::fromUtf8(typed));
        EXPECT_GT(at, 0) << typed;
        EXPECT_LT(at, results) << typed;
    }
    for (const char* computed : {"Entalpia właściwa", "Zawartość wilgoci", "Temperatura punktu rosy",
                                 "Gęstość powietrza wilgotnego"}) {
        EXPECT_GT(text.indexOf(QString::fromUtf8(computed)), results) << computed;
    }
    EXPECT_TRUE(text.contains(app.Text(F, "Edit1")));  // i exactly as shown
    EXPECT_TRUE(text.contains("Temperatura t = -20 °C jest niższa od 0 °C"));
    EXPECT_EQ(app.ErrorCount(), 0) << app.LastError().toStdString();
}

}  // namespace
}  // namespace vimtal
