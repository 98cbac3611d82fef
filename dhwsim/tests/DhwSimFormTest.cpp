#include "app/testing/AppHarness.h"
#include "core/Errors.h"
#include "core/Numbers.h"
#include "core/ui/Platform.h"
#include "dhwsim/CwuFile.h"
#include "dhwsim/DhwSettingsForm.h"
#include "dhwsim/DhwSimForm.h"
#include "core/testing/TempFolder.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include <functional>
#include <map>
#include <span>

#include <gtest/gtest.h>

namespace vimtal {
namespace {

const QString F5 = QStringLiteral("TForm5");

QLineEdit* Box(AppHarness& app, const char* name) { return app.Control<QLineEdit>(F5, QString::fromLatin1(name)); }
QAbstractButton* Choice(AppHarness& app, const char* name) {
    return app.Control<QAbstractButton>(F5, QString::fromLatin1(name));
}

// A 98-litre tank heated by 10 kW from 10 to 55 C.
void FillTank(AppHarness& app) {
    app.Type(F5, "Edit2", "0,5");
    app.Type(F5, "Edit12", "0,5");
    app.Type(F5, "Edit9", "10");
    app.Type(F5, "Edit7", "55");
}

TEST(DhwSimForm, StartsWithItsDefaultsAndChoices) {
    AppHarness app;
    EXPECT_EQ(app.Window(F5)->windowTitle(), "Symulacja czasu ładowania zbiornika C.W.U");
    EXPECT_EQ(app.Window(F5)->Client()->size(), QSize(761, 491));
    const std::pair<const char*, const char*> texts[] = {
        {"Edit1", "10"}, {"Edit2", ""},   {"Edit12", ""},  {"Edit25", "2"}, {"Edit13", "90"}, {"Edit14", "0,025"},
        {"Edit15", "60"}, {"Edit17", "20"}, {"Edit3", "1"}, {"Edit4", "80"}, {"Edit5", "80"}, {"Edit9", ""},
        {"Edit6", ""},   {"Edit7", ""},   {"Edit10", ""},  {"Edit8", ""},  {"Edit18", ""},
    };
    for (const auto& [name, text] : texts) EXPECT_EQ(app.Text(F5, name), QString::fromUtf8(text)) << name;
    struct State {
        const char* name;
        bool enabled, visible;
    } states[] = {
        {"Edit6", false, false},  {"RadioButton2", true, false}, {"RadioButton6", true, false},
        {"Edit10", false, true},  {"Edit7", true, true},         {"Edit20", false, true},
        {"Edit21", false, true},  {"Edit19", false, true},       {"Edit8", true, true},
        {"Edit16", true, true},   {"Edit9", true, true},
    };
    for (const State& s : states) {
        QWidget* w = app.Control<QWidget>(F5, QString::fromLatin1(s.name));
        EXPECT_EQ(w->isEnabledTo(app.Window(F5)), s.enabled) << s.name;
        EXPECT_EQ(!w->isHidden(), s.visible) << s.name;
    }
    for (const char* ticked : {"CheckBox1", "RadioButton1", "RadioButton3", "RadioButton5"}) {
        EXPECT_TRUE(Choice(app, ticked)->isChecked()) << ticked;
    }
    EXPECT_FALSE(Choice(app, "CheckBox2")->isChecked());
    const std::pair<const char*, const char*> hints[] = {
        {"twft1", "Wykres temperatury wody w zasobniku CWU w funkcji czasu"},
        {"Qzrft1", "Wykres mocy źródła ciepła w funkcji czasu"},
        {"Qzrftw1", "Wykres mocy źródła w funkcji temoeratury wody zasobnika CWU"},
    };
    for (const auto& [name, hint] : hints) {
        EXPECT_EQ(app.Control<QAction>(F5, QString::fromLatin1(name))->toolTip(), QString::fromUtf8(hint));
    }
    EXPECT_EQ(app.Control<QAction>(F5, "Otwrz1")->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(app.Control<QAction>(F5, "Zapisz1")->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(app.Control<QAction>(F5, "Zamknij1")->shortcut(), QKeySequence("Ctrl+Alt+X"));
}

TEST(DhwSimForm, PowerAndMassFlowSettleOnEqualTexts) {
    struct Case {
        const char* typed;
        const char* power;
        const char* flow;
    } cases[] = {
        {"10", "10", "0,0340948"},
        {"1,234", "1,23", "0,0041937"},  // more than two decimals: rounded
        {"2,5", "2,5", "0,0085237"},
    };
    for (const Case& c : cases) {
        AppHarness app;
        app.Type(F5, "Edit9", c.typed);
        EXPECT_EQ(app.Text(F5, "Edit9"), c.power) << c.typed;
        EXPECT_EQ(app.Text(F5, "Edit6"), c.flow) << c.typed;
        EXPECT_EQ(app.ErrorCount(), 0) << c.typed;
    }
}

TEST(DhwSimForm, SourceTemperaturesAndInitialTemperatureRederiveTheFlow) {
    AppHarness app;
    app.Type(F5, "Edit9", "10");
    app.SetText(F5, "Edit4", "70");  // tm = 75
    EXPECT_EQ(app.Text(F5, "Edit6"), QString::fromStdString(RoundedDisplay(10 / (65 * 4.19), -7)));
    EXPECT_EQ(app.Text(F5, "Edit9"), "10");
    // A new initial temperature keeps the power delivered at the start.
    app.SetText(F5, "Edit1", "15");
    EXPECT_EQ(app.Text(F5, "Edit6"), QString::fromStdString(RoundedDisplay(10 / (60 * 4.19), -7)));
    // A source at the water's temperature gives no flow: said, not divided.
    app.SetText(F5, "Edit1", "75");
    EXPECT_EQ(app.ErrorCount(), 0) << app.LastError().toStdString();
    EXPECT_EQ(app.LastMessage(), "Temperatura początkowa wody musi być niższa od średniej temperatury zasilania i "
                                 "powrotu");
    EXPECT_EQ(app.Text(F5, "Edit6"), "");
}

const QString kColdSource =
    QStringLiteral("Temperatura początkowa wody musi być niższa od średniej temperatury zasilania i powrotu");
const QString kNoFlow = QStringLiteral(
    "Nie wyznaczono masowego przepływu źródła ciepła. Podaj moc źródła ciepła przy temperaturze początkowej wody "
    "niższej od średniej temperatury zasilania i powrotu.");

// The result boxes, to see that a refused run writes none of them.
QStringList Results(AppHarness& app) {
    QStringList texts;
    for (const char* box : {"Edit8", "Edit20", "Edit21", "Edit11", "Edit18"}) texts << app.Text(F5, box);
    return texts;
}

// A 236-litre tank (1,2 m x 0,5 m) towards a time of an hour.
void FillTankForAnHour(AppHarness& app) {
    app.Type(F5, "Edit2", "1,2");
    app.Type(F5, "Edit12", "0,5");
    app.Click(F5, "RadioButton4");
    app.Type(F5, "Edit10", "3600");
}

TEST(DhwSimForm, ASourceColderThanTheTankDerivesNoFlowAndTheRunIsRefused) {
    // Water at 85 C and a source of 80/80 C: the flow of 12 kW would be
    // negative and heat the tank without bound.
    for (const bool powerFirst : {true, false}) {
        AppHarness app;
        FillTankForAnHour(app);
        if (powerFirst) {
            app.Type(F5, "Edit9", "12");
            ASSERT_EQ(app.Text(F5, "Edit6"), "0,0409137");
            app.ClearRecords();
            app.SetText(F5, "Edit1", "85");
        } else {
            app.SetText(F5, "Edit1", "85");
            app.ClearRecords();
            app.SetText(F5, "Edit9", "12");
        }
        EXPECT_EQ(app.Messages(), QStringList{kColdSource}) << powerFirst;
        ASSERT_FALSE(app.Fake().messages.empty());
        EXPECT_EQ(app.Fake().messages.back().title, "VIMTAL info");
        EXPECT_EQ(app.Text(F5, "Edit6"), "") << powerFirst;
        EXPECT_EQ(app.Text(F5, "Edit9"), "12");
        EXPECT_EQ(app.Text(F5, "Edit1"), "85");

        const QStringList before = Results(app);
        app.ClearRecords();
        app.Click(F5, "Button1");
        EXPECT_EQ(app.Messages(), QStringList{kNoFlow}) << powerFirst;
        EXPECT_EQ(app.Fake().messages.back().title, "VIMTAL info");
        EXPECT_EQ(app.ErrorCount(), 0);
        EXPECT_EQ(Results(app), before);
        EXPECT_TRUE(app.Shown().isEmpty());

        // A colder tank again: the flow comes back and the run goes.
        app.SetText(F5, "Edit1", "10");
        EXPECT_EQ(app.Text(F5, "Edit6"), "0,0409137");
        app.ClearRecords();
        app.Click(F5, "Button1");
        EXPECT_TRUE(app.Messages().isEmpty()) << app.LastMessage().toStdString();
        const double tw = StrToFloat(app.Text(F5, "Edit11").toStdString());
        EXPECT_GT(tw, 40);
        EXPECT_LT(tw, 80);
    }
}

TEST(DhwSimForm, TickingWaterHeatingOrChangingTheSourceBelowTheTankForgetsTheFlow) {
    {
        AppHarness app;
        FillTankForAnHour(app);
        app.Click(F5, "CheckBox2");
        app.SetText(F5, "Edit1", "85");
        app.SetText(F5, "Edit9", "12");  // electric: nothing derived
        app.ClearRecords();
        app.Click(F5, "CheckBox1");
        EXPECT_EQ(app.Messages(), QStringList{kColdSource});
        EXPECT_EQ(app.Text(F5, "Edit6"), "");
        app.ClearRecords();
        app.Click(F5, "Button1");
        EXPECT_EQ(app.Messages(), QStringList{kNoFlow});
    }
    AppHarness app;
    FillTankForAnHour(app);
    app.Type(F5, "Edit9", "10");
    app.ClearRecords();
    app.SetText(F5, "Edit4", "0");  // tm = 40 C, still above the 10 C tank
    EXPECT_TRUE(app.Messages().isEmpty());
    EXPECT_EQ(app.Text(F5, "Edit6"), QString::fromStdString(RoundedDisplay(10 / (30 * 4.19), -7)));
    app.SetText(F5, "Edit5", "10");  // tm = 5 C
    EXPECT_EQ(app.Messages(), QStringList{kColdSource});
    EXPECT_EQ(app.Text(F5, "Edit6"), "");
    EXPECT_EQ(app.ErrorCount(), 0);
    app.ClearRecords();
    app.Click(F5, "Button1");
    EXPECT_EQ(app.Messages(), QStringList{kNoFlow});
    EXPECT_EQ(app.Text(F5, "Edit11"), "");
}

TEST(DhwSimForm, NegativeSourcesAreRefusedBeforeTheRun) {
    struct Case {
        const char* what;
        std::function<void(AppHarness&)> enter;
        const char* message;
    } cases[] = {
        {"negative mass flow typed",
         [](AppHarness& app) { app.SetText(F5, "Edit6", "-0,01"); },
         "Masowy przepływ źródła ciepła nie może być ujemny"},
        {"negative electric power",
         [](AppHarness& app) {
             app.Click(F5, "CheckBox2");
             app.SetText(F5, "Edit9", "-5");
         },
         "Moc źródła ciepła nie może być ujemna"},
    };
    for (const Case& c : cases) {
        AppHarness app;
        FillTankForAnHour(app);
        app.Type(F5, "Edit9", "10");
        c.enter(app);
        const QStringList before = Results(app);
        app.ClearRecords();
        app.Click(F5, "Button1");
        EXPECT_EQ(app.Messages(), QStringList{QString::fromUtf8(c.message)}) << c.what;
        EXPECT_EQ(app.Fake().messages.back().title, "VIMTAL info");
        EXPECT_EQ(app.ErrorCount(), 0) << c.what;
        EXPECT_EQ(Results(app), before) << c.what;
        EXPECT_TRUE(app.Shown().isEmpty()) << c.what;
    }
}

TEST(DhwSimForm, AGivenFlowFromASourceColderThanTheTankCoolsIt) {
    AppHarness app;
    FillTankForAnHour(app);
    app.SetText(F5, "Edit1", "85");
    app.SetText(F5, "Edit6", "0,05");
    // The power the flow delivers is negative; the given flow stands.
    EXPECT_EQ(app.Text(F5, "Edit9"), "-1,05");
    EXPECT_EQ(app.Text(F5, "Edit6"), "0,05");
    EXPECT_TRUE(app.Messages().isEmpty()) << app.LastMessage().toStdString();
    app.Click(F5, "Button1");
    EXPECT_TRUE(app.Messages().isEmpty()) << app.LastMessage().toStdString();
    EXPECT_EQ(app.ErrorCount(), 0) << app.LastError().toStdString();
    const double tw = StrToFloat(app.Text(F5, "Edit11").toStdString());
    EXPECT_LT(tw, 85);
    EXPECT_GT(tw, 80);
}

TEST(DhwSimForm, HeatingKindsSwitchTheSourceBoxes) {
    AppHarness app;
    app.Type(F5, "Edit9", "10");
    app.Click(F5, "CheckBox2");
    EXPECT_FALSE(Choice(app, "CheckBox1")->isChecked());
    for (const char* name : {"Edit4", "Edit5", "Edit6", "RadioButton2"}) {
        EXPECT_FALSE(app.Control<QWidget>(F5, name)->isEnabledTo(app.Window(F5))) << name;
    }
    // Typing the power with electric heating derives nothing.
    app.Type(F5, "Edit9", "20");
    EXPECT_EQ(app.Text(F5, "Edit6"), "0,0340948");

    app.Click(F5, "CheckBox1");
    EXPECT_FALSE(Choice(app, "CheckBox2")->isChecked());
    for (const char* name : {"Edit4", "Edit5", "Edit6", "RadioButton2"}) {
        EXPECT_TRUE(app.Control<QWidget>(F5, name)->isEnabledTo(app.Window(F5))) << name;
    }
    EXPECT_EQ(app.Text(F5, "Edit6"), "0,0681896");  // 20 kW
    // Unticking by the user does nothing: both may end up unticked.
    app.Click(F5, "CheckBox1");
    EXPECT_FALSE(Choice(app, "CheckBox1")->isChecked());
    EXPECT_FALSE(Choice(app, "CheckBox2")->isChecked());
}

TEST(DhwSimForm, TickingWaterHeatingTestsTheLastTargetAgainstTheSource) {
    AppHarness app;
    FillTank(app);
    app.Click(F5, "Button1");  // the run reads tk = 55
    app.Close(QStringLiteral("TForm6"));
    app.Type(F5, "Edit4", "50");
    app.Type(F5, "Edit5", "50");
    app.Click(F5, "CheckBox2");
    app.ClearRecords();
    app.Click(F5, "CheckBox1");
    EXPECT_EQ(app.Messages(), QStringList{"Temperatura zasobnika C.W.U nie może by większa od sredniej temperatury "
                                          "zasilania i powrotu"});
    EXPECT_EQ(app.Fake().messages.back().title, "VIMTAL info");
}

TEST(DhwSimForm, TargetBoxesEmptyEachOtherAndFollowTheCriterion) {
    AppHarness app;
    app.Type(F5, "Edit7", "55");
    app.Click(F5, "RadioButton4");
    EXPECT_FALSE(Box(app, "Edit7")->isEnabled());
    EXPECT_TRUE(Box(app, "Edit10")->isEnabled());
    app.Type(F5, "Edit10", "3600");
    EXPECT_EQ(app.Text(F5, "Edit7"), "");
    EXPECT_EQ(app.Text(F5, "Edit10"), "3600");
    app.Click(F5, "RadioButton3");
    EXPECT_TRUE(Box(app, "Edit7")->isEnabled());
    EXPECT_FALSE(Box(app, "Edit10")->isEnabled());
    // The first key typed into the target temperature stays.
    app.Type(F5, "Edit7", "60");
    EXPECT_EQ(app.Text(F5, "Edit7"), "60");
    EXPECT_EQ(app.Text(F5, "Edit10"), "");
}

TEST(DhwSimForm, TankCoolingSetsThePowerAsideAndBringsItBack) {
    AppHarness app;
    app.Type(F5, "Edit9", "12,5");
    app.Click(F5, "RadioButton6");
    EXPECT_TRUE(app.Control<QWidget>(F5, "GroupBox2")->isHidden());
    EXPECT_EQ(app.Text(F5, "Edit9"), "0");
    EXPECT_EQ(app.Text(F5, "Edit6"), "0");
    app.Click(F5, "RadioButton5");
    EXPECT_FALSE(app.Control<QWidget>(F5, "GroupBox2")->isHidden());
    EXPECT_EQ(app.Text(F5, "Edit9"), "12,5");
    EXPECT_EQ(app.Text(F5, "Edit6"), "0,0426185");
}

TEST(DhwSimForm, VolumeFollowsHeightAndDiameter) {
    AppHarness app;
    app.Type(F5, "Edit2", "0,5");
    EXPECT_EQ(app.Text(F5, "Edit19"), "");  // the diameter is missing
    app.Type(F5, "Edit12", "0,5");
    EXPECT_EQ(app.Text(F5, "Edit19"), "0,0982");
    EXPECT_EQ(app.Text(F5, "Edit16"), "98,17");
    app.Type(F5, "Edit2", "1,2");
    EXPECT_EQ(app.Text(F5, "Edit19"), "0,2356");
    EXPECT_EQ(app.Text(F5, "Edit16"), "235,61");  // 235,6125: the tie goes to the even digit
}

TEST(DhwSimForm, ValidationMessagesInOrder) {
    AppHarness app;
    app.Type(F5, "Edit13", "");
    app.Type(F5, "Edit17", "");
    // Each press names the first empty box; filling it moves to the next.
    const std::pair<const char*, const char*> steps[] = {
        {"Edit2", "Podaj wysokosc zasobnika C.W.U"},
        {"Edit12", "Podaj srednicę zasobnika C.W.U"},
        {"Edit13", "Podaj grubosc izolacji zasobnika C.W.U"},
        {"Edit17", "Podaj temperaturę powietrza otaczającego zasobnik C.W.U"},
        {"Edit9", "Podaj moc źródła ciepła"},
        {"Edit7", "Podaj temperaturę do której chcesz ogrzać wode w zasobniku C.W.U."},
    };
    const char* values[] = {"0,5", "0,5", "90", "20", "10", "55"};
    int i = 0;
    for (const auto& [box, message] : steps) {
        app.ClearRecords();
        app.Click(F5, "Button1");
        ASSERT_EQ(app.Messages(), QStringList{QString::fromUtf8(message)}) << box;
        EXPECT_EQ(app.Fake().messages.back().title, i == 5 ? "Vimtal info" : "VIMTAL info");
        EXPECT_FALSE(app.Shown().contains("TForm6"));
        app.Type(F5, box, values[i++]);
    }
    app.ClearRecords();
    app.Click(F5, "Button1");
    EXPECT_TRUE(app.Messages().isEmpty());
    EXPECT_EQ(app.Shown(), QStringList{"TForm6"});
}

TEST(DhwSimForm, RunTowardsATemperatureShowsTimeAndDraw) {
    AppHarness app;
    FillTank(app);
    app.Click(F5, "Symulacja1");
    EXPECT_EQ(app.Shown(), QStringList{"TForm6"});
    const QString time = app.Text(F5, "Edit8");
    ASSERT_FALSE(time.isEmpty());
    const double t = StrToFloat(time.toStdString());
    // The source falls from 10 kW as the water nears 80 C: about
    // V rho / m * ln(70 / 25) = 2940 s.
    EXPECT_GT(t, 2850);
    EXPECT_LT(t, 3050);
    EXPECT_EQ(app.Text(F5, "Edit20"), QString::fromStdString(RoundedDisplay(t / 60, -1)));
    EXPECT_EQ(app.Text(F5, "Edit21"), QString::fromStdString(RoundedDisplay(t / 3600, -2)));
    EXPECT_EQ(app.Text(F5, "Edit11"), "");
    EXPECT_FALSE(app.Text(F5, "Edit18").isEmpty());
}

TEST(DhwSimForm, RunTowardsATimeShowsTheTemperature) {
    AppHarness app;
    FillTank(app);
    app.Click(F5, "Button1");
    app.Close(QStringLiteral("TForm6"));
    app.Click(F5, "RadioButton4");
    app.Type(F5, "Edit10", "600");
    app.Click(F5, "Button1");
    for (const char* empty : {"Edit8", "Edit20", "Edit21"}) EXPECT_EQ(app.Text(F5, empty), "") << empty;
    const double tw = StrToFloat(app.Text(F5, "Edit11").toStdString());
    EXPECT_GT(tw, 23);  // 10 kW for 10 min on 98 l: about 24 C
    EXPECT_LT(tw, 25);
}

TEST(DhwSimForm, MissedTargetKeepsTheResults) {
    AppHarness app;
    FillTank(app);
    app.Type(QStringLiteral("TForm7"), "Edit1", "600");  // ten minutes are not enough
    app.Click(F5, "Button1");
    EXPECT_EQ(app.LastMessage(), "Dla zadanych warunków nie osiągnięto wymaganej temperatury");
    EXPECT_EQ(app.Text(F5, "Edit8"), "");
    EXPECT_TRUE(app.Shown().isEmpty());
}

TEST(DhwSimForm, TheSettingsSwitchTheHeatLossesOfARun) {
    AppHarness app;
    FillTank(app);
    const QString settings = QStringLiteral("TForm7");
    auto* form = app.WindowAs<TForm7>(settings);
    double times[2] = {};
    const char* words[2] = {"uwzględniane", "pomijane"};
    for (int off = 0; off < 2; ++off) {
        if (off) app.Click(settings, "CheckBox1");
        app.Click(F5, "Button1");
        app.Close(QStringLiteral("TForm6"));
        times[off] = StrToFloat(app.Text(F5, "Edit8").toStdString());
        const FieldRows rows = form->Report();
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0].value, "10000000");
        EXPECT_EQ(rows[1].value, words[off]);
    }
    // The loss of a well insulated 98-litre tank beside a 10 kW source costs
    // a few seconds of the 49 minutes.
    EXPECT_LT(times[1], times[0]);
    EXPECT_GT(times[1], times[0] - 60);
}

TEST(DhwSimForm, RefusalsAndErrorsOfARun) {
    struct Case {
        const char* box;
        const char* text;
        const char* message;  // null: an error box
    } cases[] = {
        {"Edit3", "0", "Krok czasowy musi być większy od zera"},
        {"Edit3", "", nullptr},
        {"Edit12", "0,01", "Średnica zasobnika C.W.U musi być większa od 10 mm (podwójnej grubości ścianki "
                           "przyjmowanej w obliczeniach strat ciepła)"},
        {"Edit14", "0.025", nullptr},
    };
    for (const Case& c : cases) {
        AppHarness app;
        FillTank(app);
        app.SetText(F5, c.box, c.text);
        app.ClearRecords();
        app.Click(F5, "Button1");
        if (c.message) {
            EXPECT_EQ(app.Messages(), QStringList{QString::fromUtf8(c.message)}) << c.box;
            EXPECT_EQ(app.ErrorCount(), 0);
        } else {
            EXPECT_EQ(app.ErrorCount(), 1) << c.box;
            EXPECT_EQ(app.LastError(), QString("'%1' is not a valid floating point value.").arg(c.text));
        }
        EXPECT_TRUE(app.Shown().isEmpty()) << c.box;
        EXPECT_EQ(app.Text(F5, "Edit8"), "");
    }
}

TEST(DhwSimForm, MenuAndButtonsOpenTheirWindows) {
    struct Case {
        const char* control;
        const char* window;
        int kind;
    } cases[] = {
        {"Button2", "TForm14", 0}, {"Ustawienia1", "TForm7", 0}, {"Zaoenia1", "TForm8", 0},
        {"Button3", "TForm6", 1},  {"Button4", "TForm6", 2},     {"Button5", "TForm6", 3},
        {"twft1", "TForm6", 1},    {"Qzrft1", "TForm6", 2},      {"Qzrftw1", "TForm6", 3},
    };
    for (const Case& c : cases) {
        AppHarness app;
        app.Click(F5, c.control);
        EXPECT_EQ(app.Shown(), QStringList{c.window}) << c.control;
        if (c.kind) {
            EXPECT_EQ(app.WindowAs<TForm5>(F5)->ChartKind(), c.kind) << c.control;
        }
    }
    AppHarness app;
    app.Click(F5, "Algorytmsymulacji1");
    ASSERT_EQ(app.Fake().shellOpened.size(), 1u);
    EXPECT_EQ(app.Fake().shellOpened[0], "cwu.pdf");
}

// Notes on the assumptions appear after a run whose inputs leave them, in
// free space, without moving anything, and go with the next run within them.
TEST(DhwSimForm, NotesShowAfterARunAndClearWithTheNext) {
    AppHarness app;
    FillTank(app);
    auto* notes = app.Control<QLabel>(F5, "LabelUwagi");
    const std::vector<QRect> placement = app.Placement(F5);
    app.Click(F5, "Button1");
    EXPECT_TRUE(notes->isHidden());
    app.Close(QStringLiteral("TForm6"));

    app.SetText(F5, "Edit4", "70");
    app.SetText(F5, "Edit5", "90");  // the supply colder than the return
    app.ClearRecords();
    app.Click(F5, "Button1");
    EXPECT_FALSE(notes->isHidden());
    EXPECT_EQ(notes->text(), "⚠ Uwagi: 1");
    EXPECT_TRUE(notes->toolTip().contains("jest niższa od temperatury powrotu tp = 90 °C"));
    EXPECT_TRUE(app.Messages().isEmpty()) << app.LastMessage().toStdString();
    EXPECT_EQ(app.Placement(F5), placement);
    app.Close(QStringLiteral("TForm6"));

    app.SetText(F5, "Edit4", "90");
    app.SetText(F5, "Edit5", "70");
    app.Click(F5, "Button1");
    EXPECT_TRUE(notes->isHidden());
    EXPECT_EQ(notes->text(), "");
}

class CwuFiles : public ::testing::Test {
protected:
    QString Path(const char* name) const { return dir.QtFile(QString::fromLatin1(name)); }
    vimtal::testing::TempFolder dir;
};

// Two window states whose files are kept byte for byte: every flag set, the
// results of a run and a text cut to 10 characters; every flag clear, a mass
// flow given and Windows-1250 letters.
struct GoldenState {
    const char* file;
    std::function<void(AppHarness&)> enter;
};
const GoldenState kGoldenStates[] = {
    {"ladowanie.cwu",
     [](AppHarness& app) {
         FillTank(app);
         app.Type(F5, "Edit3", "2");
         app.Click(F5, "Button1");
         app.Close(QStringLiteral("TForm6"));
         app.SetText(F5, "Edit18", "0,123456789");
     }},
    {"czas.cwu",
     [](AppHarness& app) {
         app.Type(F5, "Edit2", "1,2");
         app.Type(F5, "Edit12", "0,5");
         app.Click(F5, "RadioButton2");
         app.SetText(F5, "Edit6", "0,05");
         app.Click(F5, "CheckBox2");
         app.Click(F5, "RadioButton4");
         app.Type(F5, "Edit10", "7200");
         app.SetText(F5, "Edit15", "stal ściana");
     }},
};

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString KeptPath(const char* file) { return QStringLiteral(DHWSIM_TEST_DATA "/") + QString::fromLatin1(file); }
dhwsim::CwuRecord Kept(const char* file) { return dhwsim::kCwuFormat.Load(KeptPath(file).toStdString()); }

TEST_F(CwuFiles, SavedBytesMatchTheKeptFiles) {
    for (const GoldenState& state : kGoldenStates) {
        const QString golden = KeptPath(state.file);
        const QByteArray expected = FileBytes(golden);
        ASSERT_EQ(expected.size(), 234) << state.file;
        const QString path = Path(state.file);
        {
            AppHarness app;
            state.enter(app);
            app.Fake().saveAnswers.push_back(path);
            app.Click(F5, "Zapisz1");
            EXPECT_EQ(app.ErrorCount(), 0) << app.LastError().toStdString();
        }
        EXPECT_EQ(FileBytes(path), expected) << state.file;

        // The kept file opened in a fresh window saves as the same bytes.
        AppHarness other;
        other.Fake().openAnswers.push_back(golden);
        other.Click(F5, "Otwrz1");
        const QString again = Path("again.cwu");
        other.Fake().saveAnswers.push_back(again);
        other.Click(F5, "Zapisz1");
        EXPECT_EQ(other.ErrorCount(), 0) << other.LastError().toStdString();
        EXPECT_EQ(FileBytes(again), expected) << state.file;
    }
}

TEST_F(CwuFiles, FilesOpenAndSaveByPathWithoutADialog) {
    const QString golden = KeptPath("czas.cwu");
    AppHarness app;
    TForm5* window = app.WindowAs<TForm5>(F5);
    EXPECT_TRUE(window->Open(golden));
    EXPECT_EQ(app.ErrorCount(), 0) << app.LastError().toStdString();
    EXPECT_TRUE(Choice(app, "CheckBox2")->isChecked());
    EXPECT_TRUE(Choice(app, "RadioButton2")->isChecked());
    EXPECT_TRUE(Choice(app, "RadioButton4")->isChecked());
    EXPECT_TRUE(Box(app, "Edit10")->isEnabled());
    EXPECT_EQ(app.Text(F5, "Edit15"), "stal ścian");
    EXPECT_EQ(app.Text(F5, "Edit16"), "235,61");
    const QString path = Path("kopia.cwu");
    EXPECT_TRUE(window->Save(path));
    EXPECT_EQ(FileBytes(path), FileBytes(golden));
    EXPECT_TRUE(app.Fake().openRequests.empty());
    EXPECT_TRUE(app.Fake().saveRequests.empty());

    // A file that cannot be read or written: the error box, and nothing
    // changes.
    app.Type(F5, "Edit2", "2");
    app.ClearRecords();
    EXPECT_FALSE(window->Open(Path("brak.cwu")));
    EXPECT_EQ(app.ErrorCount(), 1);
    EXPECT_EQ(app.LastError(), "File not found");
    EXPECT_EQ(app.Text(F5, "Edit2"), "2");
    EXPECT_FALSE(window->Save(Path("brak/plik.cwu")));
    EXPECT_EQ(app.ErrorCount(), 2);
}

// Each box feeds its own input of the model, its own field of the file and
// its own row of a report: a row bound to the wrong box shows here.
TEST(DhwSimForm, EachBoxFeedsItsOwnInputFieldAndReportRow) {
    using dhwsim::CwuRecord;
    using dhwsim::WindowInputs;
    struct Bound {
        const char* name;
        std::string WindowInputs::*input;  // null: a result
        std::string CwuRecord::*field;     // null: not kept
    };
    // In the window's order, the report's order.
    const Bound inputs[] = {
        {"Edit1", &WindowInputs::initialTemperature, &CwuRecord::initialTemperature},
        {"Edit2", &WindowInputs::height, &CwuRecord::height},
        {"Edit12", &WindowInputs::diameter, &CwuRecord::diameter},
        {"Edit25", &WindowInputs::wallThickness, nullptr},
        {"Edit13", &WindowInputs::insulation, &CwuRecord::insulation},
        {"Edit14", &WindowInputs::insulationConductivity, &CwuRecord::insulationConductivity},
        {"Edit15", &WindowInputs::wallConductivity, &CwuRecord::wallConductivity},
        {"Edit17", &WindowInputs::airTemperature, &CwuRecord::airTemperature},
        {"Edit3", &WindowInputs::timeStep, &CwuRecord::timeStep},
        {"CheckBox1", nullptr, nullptr},
        {"Edit4", &WindowInputs::supplyTemperature, &CwuRecord::supplyTemperature},
        {"Edit5", &WindowInputs::returnTemperature, &CwuRecord::returnTemperature},
        {"RadioButton1", nullptr, nullptr},
        {"Edit9", &WindowInputs::power, &CwuRecord::power},
        {"Edit6", &WindowInputs::massFlow, &CwuRecord::massFlow},
        {"RadioButton3", nullptr, nullptr},
        {"Edit7", &WindowInputs::targetTemperature, &CwuRecord::targetTemperature},
        {"Edit10", &WindowInputs::targetTime, &CwuRecord::targetTime},
    };
    const Bound results[] = {
        {"Edit8", nullptr, &CwuRecord::time},          {"Edit20", nullptr, &CwuRecord::minutes},
        {"Edit21", nullptr, &CwuRecord::hours},        {"Edit11", nullptr, &CwuRecord::temperature},
        {"Edit18", nullptr, &CwuRecord::draw},         {"Edit19", nullptr, &CwuRecord::cubicMetres},
        {"Edit16", nullptr, &CwuRecord::litres},
    };
    vimtal::testing::TempFolder dir;
    const QString path = dir.QtFile(QStringLiteral("pola.cwu"));
    AppHarness app;
    // A text of its own in every box, without the boxes' reactions.
    int n = 0;
    for (const auto& group : {std::span<const Bound>(inputs), std::span<const Bound>(results)}) {
        for (const Bound& b : group) {
            if (!b.input && !b.field) continue;
            QLineEdit* edit = Box(app, b.name);
            const QSignalBlocker quiet(edit);
            edit->setText(QStringLiteral("b%1").arg(++n));
        }
    }
    // Water heating off, mass flow given, towards a time.
    Choice(app, "CheckBox1")->setChecked(false);
    Choice(app, "RadioButton2")->setChecked(true);
    Choice(app, "RadioButton4")->setChecked(true);
    TForm5* window = app.WindowAs<TForm5>(F5);
    window->Save(path);
    const WindowInputs read = window->Inputs();
    const CwuRecord kept = dhwsim::kCwuFormat.Load(path.toStdString());
    const FieldRows inputRows = window->Report(FieldRole::Input);
    const FieldRows resultRows = window->Report(FieldRole::Result);
    ASSERT_EQ(inputRows.size(), std::size(inputs));
    ASSERT_EQ(resultRows.size(), std::size(results));
    for (const auto& [boxes, rows] : {std::pair{std::span<const Bound>(inputs), &inputRows},
                                      std::pair{std::span<const Bound>(results), &resultRows}}) {
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const Bound& b = boxes[i];
            const FieldRow& row = (*rows)[i];
            EXPECT_FALSE(row.label.empty()) << b.name;
            if (!b.input && !b.field) continue;  // a choice
            const std::string text = app.Text(F5, b.name).toStdString();
            if (b.input) {
                EXPECT_EQ(read.*b.input, text) << b.name;
            }
            if (b.field) {
                EXPECT_EQ(kept.*b.field, text) << b.name;
            }
            EXPECT_EQ(row.value, text) << b.name << " " << row.label;
        }
    }
    EXPECT_FALSE(read.waterHeating);
    EXPECT_FALSE(read.electricHeating);  // both heating kinds unticked
    EXPECT_FALSE(read.powerEntrySelected);
    EXPECT_FALSE(read.targetTemperatureSelected);
    EXPECT_FALSE(kept.waterHeating || kept.powerEntrySelected || kept.targetTemperatureSelected);
    EXPECT_EQ(inputRows[9].value, "elektryczne");
    EXPECT_EQ(inputRows[12].value, "przepływ masowy");
    EXPECT_EQ(inputRows[15].value, "temperatura po czasie");
}

TEST_F(CwuFiles, SavedWindowOpensAsItWas) {
    const char* boxes[] = {"Edit1", "Edit2", "Edit12", "Edit13", "Edit14", "Edit15", "Edit17", "Edit3",
                           "Edit4", "Edit5", "Edit9", "Edit6", "Edit7", "Edit10", "Edit8", "Edit20",
                           "Edit21", "Edit11", "Edit19", "Edit16"};
    std::map<std::string, QString> saved;
    const QString path = Path("zbiornik.cwu");
    {
        AppHarness app;
        FillTank(app);
        app.Type(F5, "Edit3", "2");
        app.Type(F5, "Edit25", "3");
        app.Click(F5, "Button1");
        app.Close(QStringLiteral("TForm6"));
        app.SetText(F5, "Edit18", "0,123456789");  // 11 characters
        app.Fake().SetStartDirectory(dir.QtPath());
        app.Fake().saveAnswers.push_back(path);
        app.Click(F5, "Zapisz1");
        ASSERT_EQ(app.Fake().saveRequests.size(), 1u);
        const FileDialogOptions& save = app.Fake().saveRequests[0];
        EXPECT_EQ(save.filter, "Pliki Symulacji cwu (*.cwu)");
        EXPECT_EQ(save.defaultSuffix, "cwu");
        EXPECT_EQ(save.initialDirectory, dir.QtPath());
        EXPECT_TRUE(save.keepCurrentDirectory);
        EXPECT_EQ(QFile(path).size(), 234);
        for (const char* box : boxes) saved[box] = app.Text(F5, box);
    }

    // Another window state, then open.
    AppHarness other;
    other.Type(F5, "Edit25", "7");
    other.Click(F5, "CheckBox2");
    other.Click(F5, "RadioButton4");
    other.Type(F5, "Edit10", "100");
    other.Fake().openAnswers.push_back(path);
    other.Click(F5, "Otwrz1");
    ASSERT_EQ(other.Fake().openRequests.size(), 1u);
    EXPECT_EQ(other.Fake().openRequests[0].fileName, "*.cwu");
    EXPECT_EQ(other.Fake().openRequests[0].filter, "Pliki Symulacji cwu (*.cwu)");
    EXPECT_TRUE(other.Fake().openRequests[0].mustExist);
    EXPECT_EQ(other.ErrorCount(), 0) << other.LastError().toStdString();
    for (const char* box : boxes) EXPECT_EQ(other.Text(F5, box), saved[box]) << box;
    EXPECT_EQ(other.Text(F5, "Edit18"), "0,12345678");  // cut to 10 characters
    EXPECT_EQ(other.Text(F5, "Edit25"), "7");           // the wall is not in the file
    EXPECT_TRUE(Choice(other, "CheckBox1")->isChecked());
    EXPECT_FALSE(Choice(other, "CheckBox2")->isChecked());
    EXPECT_TRUE(Choice(other, "RadioButton3")->isChecked());
    EXPECT_TRUE(Box(other, "Edit7")->isEnabled());
    EXPECT_FALSE(Box(other, "Edit10")->isEnabled());
}

TEST_F(CwuFiles, TargetTimeAndElectricHeatingComeBack) {
    const QString path = Path("czas.cwu");
    {
        AppHarness app;
        app.Click(F5, "CheckBox2");
        app.Click(F5, "RadioButton4");
        app.Type(F5, "Edit10", "7200");
        app.Fake().saveAnswers.push_back(path);
        app.Click(F5, "Zapisz1");
    }
    AppHarness app;
    app.Fake().openAnswers.push_back(path);
    app.Click(F5, "Otwrz1");
    EXPECT_EQ(app.ErrorCount(), 0) << app.LastError().toStdString();
    EXPECT_TRUE(Choice(app, "RadioButton4")->isChecked());
    EXPECT_TRUE(Box(app, "Edit10")->isEnabled());
    EXPECT_FALSE(Box(app, "Edit7")->isEnabled());
    EXPECT_EQ(app.Text(F5, "Edit10"), "7200");
    EXPECT_TRUE(Choice(app, "CheckBox2")->isChecked());
    EXPECT_FALSE(Box(app, "Edit4")->isEnabled());
}

TEST_F(CwuFiles, AWindowSavedBeforeAnyRunOpensWithoutErrors) {
    // Empty power, time and volume boxes come back empty: their reactions
    // have nothing to convert.
    const QString path = Path("pusty.cwu");
    {
        AppHarness app;
        app.Type(F5, "Edit12", "0,6");
        app.Fake().saveAnswers.push_back(path);
        app.Click(F5, "Zapisz1");
    }
    AppHarness app;
    FillTank(app);
    app.Click(F5, "Button1");
    app.Close(QStringLiteral("TForm6"));
    app.Type(F5, "Edit10", "5");
    app.ClearRecords();
    app.Fake().openAnswers.push_back(path);
    app.Click(F5, "Otwrz1");
    EXPECT_EQ(app.ErrorCount(), 0) << app.LastError().toStdString();
    for (const char* box : {"Edit2", "Edit9", "Edit7", "Edit10", "Edit8", "Edit20", "Edit21", "Edit18", "Edit19"}) {
        EXPECT_EQ(app.Text(F5, box), "") << box;
    }
    EXPECT_EQ(app.Text(F5, "Edit12"), "0,6");
    EXPECT_EQ(app.Text(F5, "Edit16"), "");
}

TEST_F(CwuFiles, ShortMissingOrMalformedFiles) {
    const QString shortPath = Path("krotki.cwu");
    {
        QFile file(shortPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(233, '\0'));
    }
    AppHarness app;
    FillTank(app);
    const QString before = app.Text(F5, "Edit2");
    app.ClearRecords();
    app.Fake().openAnswers.push_back(shortPath);
    app.Click(F5, "Otwrz1");
    EXPECT_EQ(app.LastError(), "Read beyond end of file");
    EXPECT_EQ(app.Text(F5, "Edit2"), before);
    EXPECT_EQ(app.Text(F5, "Edit9"), "10");

    // A cancelled dialog or an empty name does nothing.
    app.ClearRecords();
    app.Fake().openAnswers.push_back(std::nullopt);
    app.Fake().openAnswers.push_back(QString());
    app.Click(F5, "Otwrz1");
    app.Click(F5, "Otwrz1");
    EXPECT_EQ(app.ErrorCount(), 0);

    // A text that is not a number ends the opening at its box: the boxes
    // before it have their new texts, those after it keep the old ones.
    dhwsim::CwuRecord record = Kept("ladowanie.cwu");
    record.height = "0,8";
    record.returnTemperature = "60";
    record.power = "abc";
    record.targetTemperature = "50";
    const QString badPath = Path("zly.cwu");
    dhwsim::kCwuFormat.Save(badPath.toStdString(), record);
    app.ClearRecords();
    app.Fake().openAnswers.push_back(badPath);
    app.Click(F5, "Otwrz1");
    EXPECT_EQ(app.LastError(), "'abc' is not a valid floating point value.");
    EXPECT_EQ(app.ErrorCount(), 1);
    EXPECT_EQ(app.Text(F5, "Edit2"), "0,8");
    EXPECT_EQ(app.Text(F5, "Edit5"), "60");
    EXPECT_EQ(app.Text(F5, "Edit9"), "abc");
    EXPECT_EQ(app.Text(F5, "Edit7"), "55");
}

TEST_F(CwuFiles, AFileWithANegativeMassFlowOpensButDoesNotRun) {
    // Water heating with the mass flow given, towards a time.
    dhwsim::CwuRecord record = Kept("ladowanie.cwu");
    record.height = "1,2";
    record.powerEntrySelected = false;
    record.power = "";
    record.massFlow = "-0,02";
    record.targetTemperatureSelected = false;
    record.targetTemperature = "";
    record.targetTime = "3600";
    const QString path = Path("ujemny.cwu");
    dhwsim::kCwuFormat.Save(path.toStdString(), record);

    AppHarness app;
    app.Fake().openAnswers.push_back(path);
    app.Click(F5, "Otwrz1");
    EXPECT_EQ(app.ErrorCount(), 0) << app.LastError().toStdString();
    EXPECT_TRUE(app.Messages().isEmpty()) << app.LastMessage().toStdString();
    EXPECT_TRUE(Choice(app, "RadioButton2")->isChecked());
    EXPECT_EQ(app.Text(F5, "Edit9"), "-5,87");
    app.ClearRecords();
    app.Click(F5, "Button1");
    EXPECT_EQ(app.Messages(), QStringList{"Masowy przepływ źródła ciepła nie może być ujemny"});
    EXPECT_EQ(app.Text(F5, "Edit11"), "");
    EXPECT_TRUE(app.Shown().isEmpty());
}

}  // namespace
}  // namespace vimtal
