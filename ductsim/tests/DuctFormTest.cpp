#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "app/testing/AppHarness.h"
#include "core/ui/Platform.h"
#include "core/ui/testing/ProgressDialogs.h"
#include "ductsim/DuctForm.h"
#include "core/testing/TempFolder.h"

#include <chrono>

namespace vimtal {
namespace {

const QString F = QStringLiteral("TForm9");

const char* const kResultFields[] = {"Edit12", "Edit13", "Edit14", "Edit18", "Edit19", "Edit20",
                                     "Edit21", "Edit22", "Edit23", "Edit24", "Edit25", "Edit26"};

bool Visible(AppHarness& app, const char* name) {
    return !app.Control<QWidget>(F, QString::fromLatin1(name))->isHidden();
}

// The worked example: 0.2 m x 0.2 m, 10 m, 500 m3/h, the other defaults.
void FillExample(AppHarness& app) {
    app.SetText(F, "Edit3", "500");
    app.SetText(F, "Edit8", "10");
    app.SetText(F, "Edit9", "0,2");
    app.SetText(F, "Edit10", "0,2");
}

TEST(DuctWindow, OpensFromTheLauncherWithItsDefaults) {
    AppHarness app;
    app.Click("TForm18", "SpeedButton4");
    EXPECT_EQ(app.Shown(), QStringList{F});
    EXPECT_EQ(app.Window(F)->windowTitle(), "Symulacja szybkości wychladzania powietrza w kanale wentylacyjnym");
    EXPECT_EQ(app.Window(F)->findChild<QWidget*>("Client")->size(), QSize(798, 526));
    const std::pair<const char*, const char*> defaults[] = {
        {"Edit1", "20"},     {"Edit2", "-20"},  {"Edit15", "35"}, {"Edit16", "95"},     {"Edit17", "101300"},
        {"Edit3", ""},       {"Edit4", "50"},   {"Edit5", "0,0015"}, {"Edit6", "0,045"}, {"Edit7", "0,05"},
        {"Edit8", ""},       {"Edit9", ""},     {"Edit10", ""},   {"Edit11", "0,0001"},
    };
    for (const auto& [edit, text] : defaults) EXPECT_EQ(app.Text(F, edit), text) << edit;
    for (const char* edit : kResultFields) EXPECT_EQ(app.Text(F, edit), "") << edit;
    EXPECT_TRUE(app.Control<QRadioButton>(F, "RadioButton1")->isChecked());
    EXPECT_EQ(app.Text(F, "RadioButton1"), "Przewód prostokątny");
    EXPECT_EQ(app.Text(F, "RadioButton2"), "Przewód okrągły");
    const std::pair<const char*, const char*> captions[] = {
        {"Button1", "Symulacja"}, {"Button2", "Wykres"},  {"Button3", "Schemat"},
        {"BitBtn1", "Zamknij"},   {"BitBtn2", "Anuluj"},  {"GroupBox1", "Warunki brzegowe"},
        {"GroupBox5", "Wyniki symulacji"}, {"Otwrz1", "Otwórz"}, {"Zapisz1", "Zapisz "},
        {"tifta1", "ti=f(tał)"}, {"Zalniasy1", "Założenia symulacji"}, {"Algorytmsymulacji1", "Algorytm symulacji"},
    };
    for (const auto& [control, text] : captions) EXPECT_EQ(app.Text(F, control), text) << control;
    // Menu glyphs from the module's resources, shortcuts of the file menu.
    for (const char* item : {"Otwrz1", "Zapisz1", "Zamknij1", "tifta1", "Zalniasy1", "Algorytmsymulacji1",
                             "Schematobliczeniowy1"}) {
        EXPECT_FALSE(app.Control<QAction>(F, item)->icon().pixmap(16, 16).isNull()) << item;
    }
    EXPECT_EQ(app.Control<QAction>(F, "Otwrz1")->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(app.Control<QAction>(F, "Zapisz1")->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(app.Control<QAction>(F, "Zamknij1")->shortcut(), QKeySequence("Ctrl+X"));
}

TEST(DuctWindow, ShapeSwitchesTheSizeCaptionsAndTheUnitOfU) {
    AppHarness app;
    app.Click("TForm18", "SpeedButton4");
    struct State {
        const char* click;
        bool sideA, diameter, sideB;
        const char* unit;
    } states[] = {
        {"RadioButton2", false, true, false, "W/(m·K)"},
        {"RadioButton1", true, false, true, "W/m2K"},
        {"RadioButton2", false, true, false, "W/(m·K)"},
    };
    for (const State& s : states) {
        app.Click(F, s.click);
        EXPECT_EQ(Visible(app, "SideALabel"), s.sideA) << s.click;
        EXPECT_EQ(Visible(app, "SideASymbol"), s.sideA) << s.click;
        EXPECT_EQ(Visible(app, "DiameterLabel"), s.diameter) << s.click;
        EXPECT_EQ(Visible(app, "DiameterSymbol"), s.diameter) << s.click;
        EXPECT_EQ(Visible(app, "SideBLabel"), s.sideB) << s.click;
        EXPECT_EQ(Visible(app, "Edit10"), s.sideB) << s.click;
        EXPECT_EQ(Visible(app, "SideBUnit"), s.sideB) << s.click;
        EXPECT_TRUE(Visible(app, "Edit9"));
        EXPECT_EQ(app.Text(F, "TransmittanceUnit"), s.unit) << s.click;
    }
    EXPECT_EQ(app.Text(F, "DiameterLabel"), "Średnica przewodu");
}

TEST(DuctWindow, SimulationWritesEveryResult) {
    AppHarness app;
    app.Click("TForm18", "SpeedButton4");
    FillExample(app);
    app.Click(F, "Button1");
    EXPECT_TRUE(app.Messages().isEmpty()) << app.Messages().join("; ").toStdString();
    const std::pair<const char*, const char*> expected[] = {
        {"Edit12", "2,88"}, {"Edit13", "3,47"}, {"Edit14", "18,65"}, {"Edit19", "1,2"},
        {"Edit20", "1,39"}, {"Edit23", "15,1"}, {"Edit24", "4,67"},  {"Edit26", "0,719"},
    };
    for (const auto& [edit, text] : expected) EXPECT_EQ(app.Text(F, edit), text) << edit;
    // Re about 45 400 and 227 W, to two decimals.
    EXPECT_TRUE(app.Text(F, "Edit18").startsWith("454")) << app.Text(F, "Edit18").toStdString();
    EXPECT_NEAR(app.Text(F, "Edit25").replace(',', '.').toDouble(), 227, 0.5) << app.Text(F, "Edit25").toStdString();
    // Viscosities to 1e-9 m2/s.
    EXPECT_TRUE(app.Text(F, "Edit21").startsWith("0,0000")) << app.Text(F, "Edit21").toStdString();
    EXPECT_LE(app.Text(F, "Edit21").size(), 11);
}

// The worked example is only 50 equivalent diameters long: a note after
// "Symulacja", in free space, gone once the duct is long enough.
TEST(DuctWindow, NotesOnAShortDuctShowAndClear) {
    AppHarness app;
    app.Click("TForm18", "SpeedButton4");
    FillExample(app);
    auto* notes = app.Control<QLabel>(F, "LabelUwagi");
    EXPECT_TRUE(notes->isHidden());
    const std::vector<QRect> placement = app.Placement(F);
    app.Click(F, "Button1");
    EXPECT_FALSE(notes->isHidden());
    EXPECT_EQ(notes->text(), "⚠ Uwagi: 1");
    EXPECT_TRUE(notes->toolTip().contains("równanie Schacka dla konwekcji wymuszonej wymaga L ≥ 100·d"));
    EXPECT_TRUE(app.Messages().isEmpty()) << app.LastMessage().toStdString();
    EXPECT_EQ(app.Placement(F), placement);
    app.SetText(F, "Edit8", "25");
    app.Click(F, "Button1");
    EXPECT_TRUE(notes->isHidden());
}

// A run of 28.8 million steps goes on a worker thread behind the progress
// dialog; "Anuluj" 150 ms into it ends it within 0.1 s, and the window
// shows what it showed before the click: not even the air properties of the
// new surroundings, which the request computes before its steps.
TEST(DuctWindow, AnulujEndsALongRunWithTheWindowAsItWas) {
    using namespace std::chrono_literals;
    AppHarness app;
    app.Click("TForm18", "SpeedButton4");
    FillExample(app);
    app.Click(F, "Button1");
    app.SetText(F, "Edit2", "-10");
    app.SetText(F, "Edit11", "0,0000001");
    std::vector<QString> before;
    for (const QLineEdit* box : app.Window(F)->findChildren<QLineEdit*>()) before.push_back(box->text());
    const QString notes = app.Text(F, "LabelUwagi");
    ASSERT_EQ(notes, "⚠ Uwagi: 1");
    app.ClearRecords();

    testing::ProgressDialogs progress;
    progress.CancelAt(150ms);
    progress.Start();
    app.Click(F, "Button1");
    ASSERT_GE(progress.PressedAt(), 150);
    EXPECT_LT(progress.SincePress(), 100);
    EXPECT_EQ(progress.Titles().value(0), app.Window(F)->windowTitle());
    std::vector<QString> after;
    for (const QLineEdit* box : app.Window(F)->findChildren<QLineEdit*>()) after.push_back(box->text());
    EXPECT_EQ(after, before);
    EXPECT_EQ(app.Text(F, "LabelUwagi"), notes);
    EXPECT_TRUE(app.Messages().isEmpty()) << app.LastMessage().toStdString();
}

TEST(DuctWindow, EmptyFieldsAreReportedInOrder) {
    AppHarness app;
    app.Click("TForm18", "SpeedButton4");
    const std::pair<const char*, const char*> checks[] = {
        {"Edit1", "Podaj teperaturę początkową powietrza w przewodzie"},
        {"Edit2", "Podaj teperaturę powietrza otaczającego przewód"},
        {"Edit3", "Podaj objętościowe natężenie przepływu w przewodzie"},
        {"Edit4", "Podaj współczynnik przewodzenia materiału ścianki przewodu"},
        {"Edit5", "Podaj grubość ścianki przewodu"},
        {"Edit6", "Podaj współczynnik przewodzenia izolacji przewodu"},
        {"Edit7", "Podaj grubość izolacji przewodu"},
        {"Edit8", "Podaj długość rozpatywanego przewodu"},
        {"Edit11", "Podaj długość kroku czasowego"},
        {"Edit15", "Podaj wilgotność względną powietrza w kanale"},
        {"Edit16", "Podaj wilgotność względną powietrza otaczającego kanał"},
        {"Edit17", "Podaj ciśnienie atmosferyczne powietrza"},
        {"Edit9", "Podaj długość boku A"},
        {"Edit10", "Podaj długość boku B"},
    };
    // Emptying the fields from the last check back to the first: each click
    // reports the earliest empty field, once, and writes no result.
    FillExample(app);
    for (auto it = std::rbegin(checks); it != std::rend(checks); ++it) {
        app.SetText(F, it->first, "");
        app.ClearRecords();
        app.Click(F, "Button1");
        ASSERT_EQ(app.Fake().messages.size(), 1u) << it->first;
        EXPECT_EQ(app.LastMessage(), QString::fromUtf8(it->second));
        EXPECT_EQ(app.Fake().messages[0].title, "Vimtal info");
        for (const char* edit : kResultFields) EXPECT_EQ(app.Text(F, edit), "") << edit;
    }
}

TEST(DuctWindow, RoundDuctAsksForItsDiameter) {
    AppHarness app;
    app.Click("TForm18", "SpeedButton4");
    FillExample(app);
    app.Click(F, "RadioButton2");
    app.SetText(F, "Edit9", "");
    app.SetText(F, "Edit10", "");
    app.Click(F, "Button1");
    EXPECT_EQ(app.LastMessage(), "Podaj średnicę fi przewodu");
}

TEST(DuctWindow, LaminarFlowWritesOnlyTheAirProperties) {
    AppHarness app;
    app.Click("TForm18", "SpeedButton4");
    FillExample(app);
    for (const char* edit : kResultFields) app.SetText(F, edit, "old");
    app.SetText(F, "Edit3", "20");  // Re about 1800
    app.Click(F, "Button1");
    ASSERT_EQ(app.Messages(), QStringList{"Przepływ w przewodzie jest laminarny - Obliczenia przerwane"});
    EXPECT_EQ(app.Fake().messages[0].title, "Vimtal info");
    for (const char* edit : {"Edit18", "Edit19", "Edit20", "Edit21", "Edit22"}) {
        EXPECT_NE(app.Text(F, edit), "old") << edit;
        EXPECT_FALSE(app.Text(F, edit).isEmpty()) << edit;
    }
    for (const char* edit : {"Edit12", "Edit13", "Edit14", "Edit23", "Edit24", "Edit25", "Edit26"}) {
        EXPECT_EQ(app.Text(F, edit), "old") << edit;
    }
}

TEST(DuctWindow, ErrorsAndRefusals) {
    struct Case {
        const char* edit;
        const char* text;
        const char* message;
        bool errorBox;             // the "VIMTAL" error box, or a "Vimtal info" message
        bool airPropertiesWritten;
    } cases[] = {
        {"Edit3", "2.5", "'2.5' is not a valid floating point value.", true, false},
        {"Edit9", "0,2 m", "'0,2 m' is not a valid floating point value.", true, false},
        {"Edit3", "0", "Floating point division by zero", true, false},  // tauL = L / 0
        {"Edit4", "0", "Floating point division by zero", true, true},
        {"Edit11", "0", "Długość kroku czasowego symulacji musi być większa od zera", false, false},
        {"Edit11", "-0,0001", "Długość kroku czasowego symulacji musi być większa od zera", false, false},
        {"Edit11", "1E-12",
         "Symulacja wymagałaby ponad 100 000 000 kroków czasowych - zwiększ długość kroku czasowego symulacji", false,
         false},
    };
    for (const Case& c : cases) {
        AppHarness app;
        app.Click("TForm18", "SpeedButton4");
        FillExample(app);
        app.SetText(F, c.edit, QString::fromUtf8(c.text));
        app.Click(F, "Button1");
        ASSERT_EQ(app.Fake().messages.size(), 1u) << c.edit << " " << c.text;
        const auto& m = app.Fake().messages[0];
        EXPECT_EQ(m.text, QString::fromUtf8(c.message));
        EXPECT_EQ(m.error, c.errorBox) << c.text;
        if (!c.errorBox) {
            EXPECT_EQ(m.title, "Vimtal info");
        }
        EXPECT_EQ(app.Text(F, "Edit20").isEmpty(), !c.airPropertiesWritten) << c.edit << " " << c.text;
        EXPECT_EQ(app.Text(F, "Edit12"), "") << c.edit << " " << c.text;
    }
}

TEST(DuctWindow, EqualTemperaturesLoseNoHeat) {
    AppHarness app;
    app.Click("TForm18", "SpeedButton4");
    FillExample(app);
    app.SetText(F, "Edit2", "20");
    app.Click(F, "Button1");
    EXPECT_TRUE(app.Messages().isEmpty());
    EXPECT_EQ(app.Text(F, "Edit14"), "20");
    EXPECT_EQ(app.Text(F, "Edit25"), "0");
    EXPECT_EQ(app.Text(F, "Edit24"), "0");
}

TEST(DuctWindow, MenuAndButtonsOpenTheirWindows) {
    const struct {
        const char* control;
        const char* window;
    } cases[] = {
        {"Button2", "TForm13"}, {"tifta1", "TForm13"}, {"Button3", "TForm12"},
        {"Schematobliczeniowy1", "TForm12"}, {"Zalniasy1", "TForm11"},
    };
    for (const auto& c : cases) {
        AppHarness app;
        app.Click("TForm18", "SpeedButton4");
        app.Click(F, c.control);
        EXPECT_EQ(app.Shown(), (QStringList{F, c.window})) << c.control;
        app.Close(c.window);
    }
    AppHarness app;
    app.Click("TForm18", "SpeedButton4");
    app.Click(F, "Algorytmsymulacji1");
    EXPECT_EQ(app.Fake().shellOpened, std::vector<QString>{"kanał.pdf"});
    for (const char* closer : {"Zamknij1", "BitBtn1", "BitBtn2"}) {
        platform().ShowModal(app.Window(F));
        ASSERT_TRUE(app.IsVisible(F));
        app.Click(F, closer);
        EXPECT_FALSE(app.IsVisible(F)) << closer;
    }
}

TEST(DuctWindow, ReportRowsFollowTheShape) {
    struct Case {
        const char* click;
        const char* shapeWord;
        const char* sizeLabel;
        const char* sizeSymbol;
        bool sideB;
        const char* transmittanceUnit;
    } cases[] = {
        {"RadioButton1", "prostokątny", "Długość boku A", "A", true, "W/(m²·K)"},
        {"RadioButton2", "okrągły", "Średnica przewodu", "D", false, "W/(m·K)"},
    };
    for (const Case& c : cases) {
        AppHarness app;
        app.Click("TForm18", "SpeedButton4");
        FillExample(app);
        app.SetText(F, "Edit9", "0,25");
        app.Click(F, c.click);
        app.Click(F, "Button1");
        const auto* duct = app.WindowAs<TForm9>(F);
        const FieldRows inputs = duct->Report(FieldRole::Input);
        const FieldRows results = duct->Report(FieldRole::Result);
        auto find = [](const FieldRows& rows, const std::string& label) {
            return std::find_if(rows.begin(), rows.end(), [&](const FieldRow& r) { return r.label == label; });
        };
        // Inputs in the window's order, the shape as a word, the size once.
        ASSERT_EQ(inputs.size(), c.sideB ? 15u : 14u) << c.click;
        EXPECT_EQ(inputs.front().label, "Temperatura początkowa powietrza w kanale");
        EXPECT_EQ(inputs.front().symbol + inputs.front().subscript, "ti");
        EXPECT_EQ(inputs.front().value, "20");
        EXPECT_EQ(inputs.front().unit, "°C");
        EXPECT_EQ(inputs.back().value, "0,0001");
        ASSERT_NE(find(inputs, "Przekrój"), inputs.end());
        EXPECT_EQ(find(inputs, "Przekrój")->value, c.shapeWord);
        const auto size = find(inputs, c.sizeLabel);
        ASSERT_NE(size, inputs.end()) << c.click;
        EXPECT_EQ(size->symbol, c.sizeSymbol);
        EXPECT_EQ(size->value, "0,25");
        EXPECT_EQ(std::count_if(inputs.begin(), inputs.end(), [](const FieldRow& r) { return r.value == "0,25"; }), 1);
        EXPECT_EQ(find(inputs, "Długość boku B") != inputs.end(), c.sideB) << c.click;
        for (const FieldRow& r : inputs) EXPECT_EQ(r.role, FieldRole::Input);
        // Results in the window's order: the transmittance before the heat loss.
        ASSERT_EQ(results.size(), 12u);
        EXPECT_EQ(results[0].label, "Czas całkowity symulacji");
        EXPECT_EQ(results[0].value, app.Text(F, "Edit12").toStdString());
        EXPECT_EQ(results[10].symbol, "U");
        EXPECT_EQ(results[10].unit, c.transmittanceUnit);
        EXPECT_EQ(results[10].value, app.Text(F, "Edit26").toStdString());
        EXPECT_EQ(results[11].symbol, "ΔQ");
        EXPECT_EQ(results[11].value, app.Text(F, "Edit25").toStdString());
        for (const FieldRow& r : results) EXPECT_FALSE(r.value.empty()) << r.label;
    }
}

class KanFiles : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return folder.QtFile(name); }
    vimtal::testing::TempFolder folder;
};

// Every field with a text of its own (at most 10 characters).
const std::pair<const char*, const char*> kAllFields[] = {
    {"Edit1", "21,5"},    {"Edit2", "-18"},      {"Edit15", "36"},     {"Edit16", "94"},      {"Edit17", "99000"},
    {"Edit3", "480"},     {"Edit4", "49"},       {"Edit5", "0,0012"},  {"Edit6", "0,04"},     {"Edit7", "0,06"},
    {"Edit8", "12"},      {"Edit9", "0,25"},     {"Edit10", "0,3"},    {"Edit11", "0,0002"},  {"Edit12", "3,12"},
    {"Edit13", "1,78"},   {"Edit14", "17,1"},    {"Edit18", "28880,12"}, {"Edit19", "1,19"},  {"Edit20", "1,38"},
    {"Edit21", "0,00001"}, {"Edit22", "0,000011"}, {"Edit23", "9,12"},  {"Edit24", "4,5"},     {"Edit25", "301,25"},
    {"Edit26", "0,702"},
};

TEST_F(KanFiles, EveryFieldRoundTrips) {
    AppHarness app;
    app.Fake().SetStartDirectory(folder.QtPath());
    app.Click("TForm18", "SpeedButton4");
    for (const auto& [edit, text] : kAllFields) app.SetText(F, edit, QString::fromUtf8(text));
    app.Click(F, "RadioButton2");
    app.Fake().saveAnswers.push_back(Path("a.kan"));
    app.Click(F, "Zapisz1");
    ASSERT_TRUE(app.Messages().isEmpty()) << app.Messages().join("; ").toStdString();
    ASSERT_EQ(QFile(Path("a.kan")).size(), 298);
    const FileDialogOptions& save = app.Fake().saveRequests.at(0);
    EXPECT_EQ(save.filter, "Pliki Symulacji przewodu (*.kan)");
    EXPECT_EQ(save.defaultSuffix, "kan");
    EXPECT_EQ(save.initialDirectory, folder.QtPath());
    EXPECT_FALSE(save.mustExist);  // a new file can be named
    EXPECT_TRUE(save.overwritePrompt);
    EXPECT_TRUE(save.fileName.isEmpty());

    // Everything changed, then loaded back.
    for (const auto& [edit, text] : kAllFields) app.SetText(F, edit, "x");
    app.Click(F, "RadioButton1");
    app.Fake().openAnswers.push_back(Path("a.kan"));
    app.Click(F, "Otwrz1");
    ASSERT_TRUE(app.Messages().isEmpty()) << app.Messages().join("; ").toStdString();
    for (const auto& [edit, text] : kAllFields) EXPECT_EQ(app.Text(F, edit), QString::fromUtf8(text)) << edit;
    // A round-duct file switches to the round layout.
    EXPECT_TRUE(app.Control<QRadioButton>(F, "RadioButton2")->isChecked());
    EXPECT_TRUE(Visible(app, "DiameterLabel"));
    EXPECT_FALSE(Visible(app, "Edit10"));
    EXPECT_FALSE(Visible(app, "SideALabel"));
    const FileDialogOptions& open = app.Fake().openRequests.at(0);
    EXPECT_EQ(open.fileName, "*.kan");
    EXPECT_TRUE(open.mustExist);
    EXPECT_EQ(open.filter, "Pliki Symulacji przewodu (*.kan)");

    // The save dialog offers the name chosen last time.
    app.Click(F, "Zapisz1");  // cancelled: no answer left
    EXPECT_EQ(app.Fake().saveRequests.at(1).fileName, Path("a.kan"));
}

// The bytes of a saved window, compared with files saved by the program
// before: the record layout must never move. One round duct with a text in
// every field (a Polish letter, a text cut to ten characters); one
// rectangular duct with the results of its simulation.
TEST_F(KanFiles, SavedBytesAreThoseOfTheKnownFiles) {
    struct Case {
        const char* golden;
        bool round;
        bool simulate;
    } cases[] = {{"round-every-field.kan", true, false}, {"rectangular-simulated.kan", false, true}};
    for (const Case& c : cases) {
        AppHarness app;
        app.Click("TForm18", "SpeedButton4");
        if (c.simulate) {
            FillExample(app);
            app.Click(F, "Button1");
        } else {
            for (const auto& [edit, text] : kAllFields) app.SetText(F, edit, QString::fromUtf8(text));
            app.SetText(F, "Edit25", QString::fromUtf8("ściana żółć"));
            app.SetText(F, "Edit17", "101300,12345");
        }
        if (c.round) app.Click(F, "RadioButton2");
        const QString path = Path(QString::fromLatin1(c.golden));
        app.Fake().saveAnswers.push_back(path);
        app.Click(F, "Zapisz1");
        ASSERT_TRUE(app.Messages().isEmpty()) << app.Messages().join("; ").toStdString();
        QFile saved(path), golden(QStringLiteral(VIMTAL_DUCTSIM_TEST_DATA "/") + c.golden);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        ASSERT_TRUE(golden.open(QIODevice::ReadOnly)) << c.golden;
        EXPECT_EQ(saved.readAll().toHex().toStdString(), golden.readAll().toHex().toStdString()) << c.golden;
    }
}

// Opening and saving by a path (as a file named on the command line is
// opened) does what the menu items do once their dialogs have answered, and
// asks for no dialog.
TEST_F(KanFiles, OpenAndSaveByPath) {
    AppHarness app;
    app.Click("TForm18", "SpeedButton4");
    auto* duct = app.WindowAs<TForm9>(F);
    for (const auto& [edit, text] : kAllFields) app.SetText(F, edit, QString::fromUtf8(text));
    app.Click(F, "RadioButton2");
    duct->Save(Path("by-path.kan"));
    app.Fake().saveAnswers.push_back(Path("by-menu.kan"));
    app.Click(F, "Zapisz1");
    EXPECT_EQ(app.Fake().saveRequests.size(), 1u);
    QFile byPath(Path("by-path.kan")), byMenu(Path("by-menu.kan"));
    ASSERT_TRUE(byPath.open(QIODevice::ReadOnly));
    ASSERT_TRUE(byMenu.open(QIODevice::ReadOnly));
    EXPECT_EQ(byPath.readAll(), byMenu.readAll());

    for (const auto& [edit, text] : kAllFields) app.SetText(F, edit, "x");
    app.Click(F, "RadioButton1");
    duct->Open(Path("by-path.kan"));
    EXPECT_TRUE(app.Messages().isEmpty()) << app.Messages().join("; ").toStdString();
    EXPECT_TRUE(app.Fake().openRequests.empty());
    for (const auto& [edit, text] : kAllFields) EXPECT_EQ(app.Text(F, edit), QString::fromUtf8(text)) << edit;
    EXPECT_TRUE(app.Control<QRadioButton>(F, "RadioButton2")->isChecked());
    EXPECT_TRUE(Visible(app, "DiameterLabel"));
    EXPECT_FALSE(Visible(app, "SideBLabel"));
    EXPECT_EQ(app.Text(F, "TransmittanceUnit"), "W/(m·K)");

    // The size is kept twice; the diameter copy is written last and wins.
    ductsim::KanRecord twice;
    twice.sideA = "0,2";
    twice.diameter = "0,3";
    ductsim::kKanFormat.Save(Path("twice.kan").toStdString(), twice);
    duct->Open(Path("twice.kan"));
    EXPECT_EQ(app.Text(F, "Edit9"), "0,3");
    EXPECT_TRUE(app.Control<QRadioButton>(F, "RadioButton1")->isChecked());
    EXPECT_TRUE(Visible(app, "SideBLabel"));
    duct->Open(Path("by-path.kan"));

    // A file that cannot be read: the error box, and no field changes.
    duct->Open(Path("missing.kan"));
    EXPECT_EQ(app.ErrorCount(), 1);
    EXPECT_EQ(app.Text(F, "Edit1"), "21,5");
    // A folder cannot be written as a file.
    app.ClearRecords();
    duct->Save(folder.QtPath());
    EXPECT_EQ(app.ErrorCount(), 1);
}

TEST_F(KanFiles, SavingBeforeAnySimulationAndLongTexts) {
    AppHarness app;
    app.Click("TForm18", "SpeedButton4");
    FillExample(app);
    app.SetText(F, "Edit17", "101300,12345");  // 12 characters
    app.Fake().saveAnswers.push_back(Path("b.kan"));
    app.Click(F, "Zapisz1");
    // Results present in the window are emptied by a file saved without them.
    for (const char* edit : kResultFields) app.SetText(F, edit, "r");
    app.Fake().openAnswers.push_back(Path("b.kan"));
    app.Click(F, "Otwrz1");
    for (const char* edit : kResultFields) EXPECT_EQ(app.Text(F, edit), "") << edit;
    EXPECT_EQ(app.Text(F, "Edit17"), "101300,123");
    EXPECT_EQ(app.Text(F, "Edit9"), "0,2");
    EXPECT_TRUE(app.Control<QRadioButton>(F, "RadioButton1")->isChecked());
}

TEST_F(KanFiles, ShortFileChangesNothing) {
    AppHarness app;
    app.Click("TForm18", "SpeedButton4");
    FillExample(app);
    app.Fake().saveAnswers.push_back(Path("c.kan"));
    app.Click(F, "Zapisz1");
    QFile file(Path("c.kan"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(297));
    file.close();

    for (const auto& [edit, text] : kAllFields) app.SetText(F, edit, "keep");
    app.Click(F, "RadioButton2");
    app.Fake().openAnswers.push_back(Path("c.kan"));
    app.Click(F, "Otwrz1");
    EXPECT_EQ(app.LastError(), "Read beyond end of file");
    for (const auto& [edit, text] : kAllFields) EXPECT_EQ(app.Text(F, edit), "keep") << edit;
    EXPECT_TRUE(app.Control<QRadioButton>(F, "RadioButton2")->isChecked());

    // Cancelled dialogs do nothing.
    app.ClearRecords();
    app.Click(F, "Otwrz1");
    app.Click(F, "Zapisz1");
    EXPECT_TRUE(app.Messages().isEmpty());
    EXPECT_EQ(app.Text(F, "Edit1"), "keep");
}

}  // namespace
}  // namespace vimtal
