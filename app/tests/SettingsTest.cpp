#include "app/testing/AppHarness.h"
#include "core/AmbientAir.h"

#include <QLineEdit>

#include <gtest/gtest.h>

namespace vimtal {
namespace {

TEST(Settings, EveryKeystrokeRecomputes) {
    AppHarness app;
    app.Click("TForm18", "Ustawienia1");
    // "-" fails at the first keystroke; the next ones compute -5 and -50.
    app.Type("TForm2", "Edit2", "-50");
    ASSERT_EQ(app.ErrorCount(), 1);
    EXPECT_EQ(app.LastError(), "'-' is not a valid floating point value.");
    EXPECT_EQ(app.Fake().messages.back().title, "VIMTAL");
    EXPECT_EQ(app.Air().Temperature(), -50.0);
    // Expected figures from the same laws evaluated independently in Python.
    EXPECT_EQ(app.Text("TForm2", "Edit1"), "1,58");
    EXPECT_EQ(app.Text("TForm2", "Edit4"), "9E-6");  // 9.33e-6 rounded to 1e-6

    struct Case {
        const char* edit;
        const char* text;
        const char* density;
        const char* viscosity;
    } cases[] = {
        {"Edit2", "20", "1,2", "0,000015"},
        {"Edit3", "100", "1,19", "0,000015"},
        {"Edit5", "90000", "1,06", "0,000017"},
        {"Edit2", "0", "1,14", "0,000015"},
    };
    for (const Case& c : cases) {
        app.Type("TForm2", c.edit, c.text);
        EXPECT_EQ(app.Text("TForm2", "Edit1"), c.density) << c.edit << "=" << c.text;
        EXPECT_EQ(app.Text("TForm2", "Edit4"), c.viscosity) << c.edit << "=" << c.text;
    }
}

TEST(Settings, ABadTextKeepsTheDisplaysAndAnEmptyOneChangesNothing) {
    AppHarness app;
    app.Click("TForm18", "Ustawienia1");
    app.SetText("TForm2", "Edit2", "-");
    EXPECT_EQ(app.LastError(), "'-' is not a valid floating point value.");
    EXPECT_EQ(app.Text("TForm2", "Edit1"), "1,2");
    EXPECT_EQ(app.Text("TForm2", "Edit4"), "0,000015");

    app.ClearRecords();
    app.SetText("TForm2", "Edit2", "20");
    const double density = app.Air().Density();
    for (const char* edit : {"Edit2", "Edit3", "Edit5"}) {
        const QString before = app.Text("TForm2", edit);
        app.SetText("TForm2", edit, "");
        EXPECT_EQ(app.Air().Density(), density);
        EXPECT_EQ(app.Text("TForm2", "Edit1"), "1,2");
        app.SetText("TForm2", edit, before);
    }
    // A dot in a comma locale.
    app.SetText("TForm2", "Edit2", "20.5");
    EXPECT_EQ(app.LastError(), "'20.5' is not a valid floating point value.");
    EXPECT_TRUE(app.Messages().size() == 1);
}

TEST(Settings, DisplaysAreReadOnlyAndOkCloses) {
    AppHarness app;
    app.Click("TForm18", "Ustawienia1");
    EXPECT_FALSE(app.Control<QLineEdit>("TForm2", "Edit1")->isEnabled());
    EXPECT_FALSE(app.Control<QLineEdit>("TForm2", "Edit4")->isEnabled());
    EXPECT_TRUE(app.Control<QLineEdit>("TForm2", "Edit2")->isEnabled());
    app.Click("TForm2", "BitBtn1");
    EXPECT_FALSE(app.IsVisible("TForm2"));
    EXPECT_EQ(app.Window("TForm2")->ModalResult(), Form::mrOk);
    // What was typed stays in effect.
    app.Click("TForm18", "Ustawienia1");
    EXPECT_EQ(app.Text("TForm2", "Edit2"), "20");
}

}  // namespace
}  // namespace vimtal
