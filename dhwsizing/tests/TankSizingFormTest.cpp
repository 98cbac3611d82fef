#include "app/testing/AppHarness.h"
#include "core/Numbers.h"
#include "core/ui/testing/PdfTools.h"
#include "dhwsim/DhwSimForm.h"
#include "dhwsizing/TankSizingForm.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include <gtest/gtest.h>

namespace vimtal {
namespace {

const QString F19 = QStringLiteral("TForm19");
const QString F5 = QStringLiteral("TForm5");

TEST(TankSizingForm, StartsWithItsTextsAndHints) {
    AppHarness app;
    Form* form = app.Window(F19);
    EXPECT_EQ(form->windowTitle(), "Dobór mocy oraz pojemności zasobnika CWU wg. PN PN-90/B-01706 (mieszkania)");
    EXPECT_EQ(form->Client()->size(), QSize(823, 320));
    const std::pair<const char*, const char*> texts[] = {
        {"Edit1", "1"}, {"Edit2", "4"}, {"Edit3", "130"}, {"Edit4", "15"}, {"Edit5", "0,35"}, {"Edit6", "10"},
        {"Edit7", "60"}, {"Edit8", ""}, {"Edit13", ""},
        {"Button1", "Oblicz"}, {"Button2", "Symuluj czas ładaowania dobranego zasobnika CWU"},
    };
    for (const auto& [name, text] : texts) EXPECT_EQ(app.Text(F19, name), QString::fromUtf8(text)) << name;
    for (const char* name : {"Edit5", "Edit6", "Edit7"}) {
        EXPECT_EQ(app.Control<QLineEdit>(F19, name)->toolTip(), "Wartości optymalne w zakresie 0,1 - 0,35");
    }
    // Results to read, except the chosen capacity and the powers.
    for (const char* name : {"Edit8", "Edit9", "Edit10", "Edit11", "Edit12"}) {
        EXPECT_TRUE(app.Control<QLineEdit>(F19, name)->isReadOnly()) << name;
    }
    for (const char* name : {"Edit13", "Edit14", "Edit16"}) {
        EXPECT_FALSE(app.Control<QLineEdit>(F19, name)->isReadOnly()) << name;
    }
    EXPECT_TRUE(app.Control<QLineEdit>(F19, "Edit15")->isHidden());
    // The captions with their hints.
    QStringList hinted;
    for (QLabel* label : form->findChildren<QLabel*>()) {
        if (!label->toolTip().isEmpty() && label->text().startsWith("Wymagana")) hinted << label->toolTip();
    }
    EXPECT_TRUE(hinted.contains("Wymagana moc wężownicy i żródła ciepła dobranego zasobnika CWU"));
    EXPECT_TRUE(hinted.contains("Wymagana moc dla podgrzewacza przepływowego"));
}

TEST(TankSizingForm, CalculatesFromTheDwellings) {
    struct Case {
        const char *dwellings, *persons;
        const char* expected[8];  // qds qhs qhm Nh Voz Vdz Qdz Qbz
    } cases[] = {
        {"1", "4", {"520", "34,667", "230,37", "6,645", "104", "100", "4,8", "13,4"}},
        {"20", "3", {"7800", "520", "1784,639", "3,432", "1012", "1010", "59", "103,9"}},
    };
    const char* boxes[] = {"Edit8", "Edit9", "Edit10", "Edit11", "Edit12", "Edit13", "Edit14", "Edit16"};
    for (const Case& c : cases) {
        AppHarness app;
        app.Type(F19, "Edit1", c.dwellings);
        app.Type(F19, "Edit2", c.persons);
        app.Click(F19, "Button1");
        for (int i = 0; i < 8; ++i) EXPECT_EQ(app.Text(F19, boxes[i]), c.expected[i]) << boxes[i];
        EXPECT_EQ(app.ErrorCount(), 0);
        EXPECT_TRUE(app.Messages().isEmpty());
    }
}

// The sheet of the window as it is, from its context menu (the window has no
// menu bar): before "Oblicz" no results, after it every result shown; the
// hidden actual accumulation never.
TEST(TankSizingForm, ReportShowsTheInputsAndTheResultsComputed) {
    AppHarness app;
    auto* menu = app.Control<QMenu>(F19, "PopupMenu1");
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->objectName(), "Drukuj1");
    EXPECT_EQ(menu->actions()[1]->objectName(), "ZapiszraportPDF1");
    EXPECT_EQ(app.Window(F19)->Client()->size(), QSize(823, 320));

    QString text = testing::PdfPageTexts(app.SaveReport(F19)).join("\n");
    EXPECT_EQ(app.Fake().saveRequests.back().fileName, "dobor_zasobnika_cwu.pdf");
    for (const char* part : {"Dobór mocy oraz pojemności zasobnika CWU", "Liczba mieszkań w budynku",
                             "Współczynnik akumulacji zasobnika", "0,35", "Brak wyników: uruchom obliczenia"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
    }

    app.Type(F19, "Edit1", "20");
    app.Type(F19, "Edit2", "3");
    app.Click(F19, "Button1");
    app.SetText(F19, "Edit13", "1000");  // a capacity the designer chose
    text = testing::PdfPageTexts(app.SaveReport(F19)).join("\n");
    for (const char* part : {"Średniodobowe zapotrzebowanie na CWU", "7800", "Współczynnik godzinowej",
                             "3,432", "Dobrana pojemność zasobnika CWU", "1000",
                             "Wymagana moc cieplna dla układu bez zasobnika", "103,9"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
    }
    EXPECT_FALSE(text.contains("Brak wyników"));
    EXPECT_FALSE(text.contains("Rzeczyisty"));
    EXPECT_EQ(app.ErrorCount(), 0) << app.LastError().toStdString();
}

// Each box feeds its own value of the model and shows its own result, and a
// report lists them in the window's order: a row bound to the wrong box
// shows here.
TEST(TankSizingForm, EachBoxFeedsItsOwnValueAndShowsItsOwnResult) {
    using V = dhwsizing::SizingValues;
    struct Input {
        const char* box;
        const char* text;
        double V::*value;
        double expected;
    } inputs[] = {
        {"Edit1", "3", &V::n, 3},      {"Edit2", "5", &V::k, 5},      {"Edit3", "120", &V::qc, 120},
        {"Edit4", "16", &V::tau, 16},  {"Edit5", "0,3", &V::phi, 0.3}, {"Edit6", "12", &V::tz, 12},
        {"Edit7", "55", &V::tc, 55},
    };
    struct Result {
        const char* box;
        double V::*value;
        int digit;
    } results[] = {
        {"Edit8", &V::qds, -3}, {"Edit9", &V::qhs, -3}, {"Edit10", &V::qhm, -3}, {"Edit11", &V::Nh, -3},
        {"Edit12", &V::Voz, 0}, {"Edit13", &V::Vdz, 0}, {"Edit14", &V::Qdz, -1}, {"Edit16", &V::Qbz, -1},
    };
    AppHarness app;
    for (const Input& in : inputs) app.SetText(F19, in.box, in.text);
    app.Click(F19, "Button1");
    auto* form = app.WindowAs<TForm19>(F19);
    for (const Input& in : inputs) EXPECT_EQ(form->Values().*in.value, in.expected) << in.box;
    for (const Result& r : results) {
        EXPECT_EQ(app.Text(F19, r.box), QString::fromStdString(RoundedDisplay(form->Values().*r.value, r.digit)))
            << r.box;
    }
    EXPECT_EQ(app.Text(F19, "Edit15"), QString::fromStdString(RoundedDisplay(form->Values().phiR, -2)));

    const FieldRows inputRows = form->Report(FieldRole::Input);
    const FieldRows resultRows = form->Report(FieldRole::Result);
    ASSERT_EQ(inputRows.size(), std::size(inputs));
    ASSERT_EQ(resultRows.size(), std::size(results));  // the hidden accumulation is left out
    for (std::size_t i = 0; i < std::size(inputs); ++i) {
        EXPECT_EQ(inputRows[i].value, inputs[i].text) << inputs[i].box;
        EXPECT_FALSE(inputRows[i].label.empty()) << inputs[i].box;
    }
    for (std::size_t i = 0; i < std::size(results); ++i) {
        EXPECT_EQ(QString::fromStdString(resultRows[i].value), app.Text(F19, results[i].box)) << results[i].box;
        EXPECT_FALSE(resultRows[i].label.empty()) << results[i].box;
    }
}

TEST(TankSizingForm, BadInput) {
    struct Case {
        const char* box;
        const char* text;
        QStringList messages;  // message boxes, then the error box
    } cases[] = {
        {"Edit4", "", {"Podaj liczbę godzin na dobę użytkowania instalacji CWU", "Floating point division by zero"}},
        {"Edit1", "0", {"Floating point division by zero"}},
        {"Edit2", "0", {"Floating point division by zero"}},
        {"Edit5", "0.35", {"'0.35' is not a valid floating point value."}},
    };
    for (const Case& c : cases) {
        AppHarness app;
        app.SetText(F19, c.box, c.text);
        app.Click(F19, "Button1");
        EXPECT_EQ(app.Messages(), c.messages) << c.box;
        EXPECT_EQ(app.ErrorCount(), 1) << c.box;
        EXPECT_EQ(app.Text(F19, "Edit13"), "") << c.box;  // the results keep their texts
    }
    // An empty box after a calculation: its message, then the stored value.
    AppHarness app;
    app.Click(F19, "Button1");
    app.SetText(F19, "Edit4", "");
    app.Type(F19, "Edit1", "20");
    app.Type(F19, "Edit2", "3");
    app.Click(F19, "Button1");
    EXPECT_EQ(app.Messages(), QStringList{"Podaj liczbę godzin na dobę użytkowania instalacji CWU"});
    EXPECT_EQ(app.Fake().messages.back().title, "Vimtal info");
    EXPECT_EQ(app.Text(F19, "Edit13"), "1010");
}

TEST(TankSizingForm, HandsTheChosenTankToTheSimulation) {
    AppHarness app;
    app.Click(F19, "Button1");
    app.Click(F19, "Button2");
    EXPECT_EQ(app.Text(F5, "Edit2"), "0,509295817894065");
    EXPECT_EQ(app.Text(F5, "Edit12"), "0,5");
    EXPECT_EQ(app.Text(F5, "Edit9"), "4,8");
    EXPECT_EQ(app.Text(F5, "Edit7"), "60");
    EXPECT_EQ(app.Text(F5, "Edit1"), "10");
    // It has run, and it opened above the sizing window (its chart first).
    EXPECT_FALSE(app.Text(F5, "Edit8").isEmpty());
    EXPECT_FALSE(app.Text(F5, "Edit18").isEmpty());
    EXPECT_EQ(app.Shown(), QStringList({"TForm6", "TForm5"}));
    EXPECT_EQ(app.ErrorCount(), 0);
}

TEST(TankSizingForm, HandedOverSourceDeliversTheSizedPower) {
    // Cold water at 15 C, the simulation window still at its 10 C: the flow
    // of heating water must follow from the 15 C handed over.
    for (const char* cold : {"15", "5", "10"}) {
        AppHarness app;
        app.Type(F19, "Edit6", cold);
        app.Click(F19, "Button1");
        app.Click(F19, "Button2");
        auto* simulation = app.WindowAs<TForm5>(F5);
        const double tw0 = StrToFloat(cold);
        const double Q = StrToFloat(app.Text(F19, "Edit14").toStdString());
        const double m = simulation->Kept().source.massFlow;
        // The flow as the box shows it (7 decimals): the sized power to 1e-5,
        // where the flow of the window's previous 10 C would miss it by
        // (80 - 10) / (80 - tw0).
        EXPECT_NEAR(m * 4.19 * (80 - tw0), Q, 1e-5 * Q) << cold;
        EXPECT_EQ(app.Text(F5, "Edit6"), QString::fromStdString(RoundedDisplay(Q / ((80 - tw0) * 4.19), -7))) << cold;
        EXPECT_EQ(app.Text(F5, "Edit1"), cold);
    }
}

TEST(TankSizingForm, NoChosenCapacityOpensNothing) {
    for (const char* capacity : {"", "sto"}) {
        AppHarness app;
        app.SetText(F19, "Edit13", capacity);
        app.Click(F19, "Button2");
        EXPECT_EQ(app.LastError(), QString("'%1' is not a valid floating point value.").arg(capacity));
        EXPECT_TRUE(app.Shown().isEmpty());
        EXPECT_EQ(app.Text(F5, "Edit2"), "");
    }
}

TEST(TankSizingForm, LauncherOpensBothDhwModules) {
    AppHarness app;
    app.Click(QStringLiteral("TForm18"), QStringLiteral("SpeedButton6"));
    app.Click(QStringLiteral("TForm18"), QStringLiteral("SpeedButton3"));
    EXPECT_EQ(app.Shown(), QStringList({"TForm19", "TForm5"}));
}

// With VIMTAL_SHOTS_DIR set, the window with its results is saved there.
TEST(TankSizingForm, Screenshot) {
    AppHarness app;
    app.Click(F19, "Button1");
    const QImage image = app.Grab(F19);
    EXPECT_GE(image.width(), 823);
    const QString folder = qEnvironmentVariable("VIMTAL_SHOTS_DIR");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        image.save(folder + "/TForm19-results.png");
    }
}

}  // namespace
}  // namespace vimtal
