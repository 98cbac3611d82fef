#include "WindowTestSupport.h"

#include "pressureloss/CircuitForm.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace vimtal::pressureloss::testing {
namespace {

using EditorWindow = CalculatorTest;

bool Shows(AppHarness& app, const char* name) {
    return !app.Control<QWidget>(kEditor, QString::fromLatin1(name))->isHidden();
}

int ItemIndex(AppHarness& app, const char* combo, const QString& text) {
    return app.Control<QComboBox>(kEditor, QString::fromLatin1(combo))->findText(text);
}

TEST_F(EditorWindow, EachKindShowsItsInputsAndStartingTexts) {
    OpenCalculator();
    struct Case {
        FittingKind kind;
        std::vector<const char*> shown;
        std::vector<const char*> hidden;
        std::map<const char*, QString> texts;
    };
    const Case cases[] = {
        {RoundStraight, {"Edit1", "ComboBox1"}, {"ComboBox2", "ComboBox8", "ComboBox6", "ComboBox7", "Edit9", "Edit8"},
         {{"Edit1", "2000"}, {"ComboBox1", "100"}, {"ComboBox8", "0"}, {"ComboBox9", "0"}}},
        {RoundElbow, {"ComboBox1", "ComboBox6", "ComboBox7", "ComboBox10"}, {"Edit1", "ComboBox11", "ComboBox12", "Edit15"},
         {{"Edit1", "0"}}},
        {RoundOffset, {"Edit1", "ComboBox1", "Edit15"}, {"ComboBox6", "ComboBox2"}, {{"Edit1", "500"}}},
        {RoundTee, {"Edit1", "ComboBox1", "ComboBox2", "ComboBox6", "Edit8", "ComboBox12", "ComboBox13", "Edit9"},
         {"ComboBox7", "ComboBox8"}, {{"ComboBox2", "100"}}},
        {RoundReducer, {"ComboBox2", "ComboBox6", "Edit8"}, {"Edit9", "ComboBox12"}, {{"Edit1", "300"}, {"ComboBox2", "125"}}},
        {RoundGrille, {"ComboBox1"}, {"Edit1", "ComboBox6"}, {{"Edit1", "0"}}},
        {RectElbow, {"ComboBox8", "ComboBox9", "ComboBox6", "ComboBox7", "ComboBox11"}, {"Edit1", "ComboBox1", "ComboBox10"},
         {{"ComboBox1", "0"}, {"ComboBox2", "0"}, {"ComboBox8", "100"}}},
        {RectTee, {"ComboBox4", "ComboBox5", "ComboBox6", "Edit8", "Edit9", "ComboBox12"}, {"ComboBox1", "ComboBox7"},
         {{"ComboBox4", "100"}, {"ComboBox5", "100"}}},
        {RectReducer, {"ComboBox4", "ComboBox5", "Edit8"}, {"ComboBox6", "Edit9"}, {{"ComboBox4", "125"}, {"ComboBox5", "125"}}},
        {RectGrille, {"ComboBox8", "ComboBox9"}, {"Edit1", "ComboBox4"}, {{"Edit1", "0"}}},
        // Round after rectangular: A, B, C and D back to "0".
        {RoundOffset, {"ComboBox1"}, {"ComboBox8", "ComboBox4"},
         {{"ComboBox8", "0"}, {"ComboBox9", "0"}, {"ComboBox4", "0"}, {"ComboBox5", "0"}, {"ComboBox1", "100"}}},
    };
    for (const Case& c : cases) {
        const KindInfo& k = InfoOf(c.kind);
        Choose(c.kind);
        EXPECT_EQ(app.Window(kEditor)->windowTitle(), QString::fromUtf8(k.name));
        EXPECT_EQ(app.Text(kEditor, "Edit4"), QString::fromUtf8(k.name));
        EXPECT_EQ(app.Control<QLineEdit>(kEditor, "Edit4")->toolTip(), QString::fromUtf8(k.name));
        EXPECT_EQ(app.Text(kEditor, "Edit5"), QString::fromUtf8(k.typeCode));
        EXPECT_EQ(app.Control<QWidget>(kCatalogue, KindButton(c.kind))->toolTip(), QString::fromUtf8(k.name));
        for (const char* name : c.shown) EXPECT_TRUE(Shows(app, name)) << c.kind << " " << name;
        for (const char* name : c.hidden) EXPECT_FALSE(Shows(app, name)) << c.kind << " " << name;
        for (const char* name : {"Edit2", "Edit3", "Edit7", "Edit10", "ComboBox3", "Edit6"}) {
            EXPECT_TRUE(Shows(app, name)) << name;
        }
        for (const auto& [name, text] : c.texts) EXPECT_EQ(app.Text(kEditor, name), text) << c.kind << " " << name;
        EXPECT_FALSE(app.Control<QLabel>(kEditor, "Image1")->pixmap().isNull());
        app.Click(kEditor, "BitBtn2");
    }
    EXPECT_EQ(app.ErrorCount(), 0);
}

TEST_F(EditorWindow, ChoosingEveryKindAfterEveryOtherShowsNoError) {
    OpenCalculator();
    Choose(RoundStraight);
    app.SetText(kEditor, "Edit2", "250");
    app.SetText(kEditor, "Edit9", "80");
    app.SetText(kEditor, "Edit7", "3");
    app.Click(kEditor, "BitBtn2");
    for (FittingKind before : AllKinds()) {
        for (FittingKind after : AllKinds()) {
            Choose(before);
            app.Click(kEditor, "BitBtn2");
            Choose(after);
            app.Click(kEditor, "BitBtn2");
            ASSERT_EQ(app.ErrorCount(), 0) << before << " then " << after << ": " << app.LastError().toStdString();
        }
    }
    // The preview ran once, from complete sizes: w2 of a reducer.
    Choose(RoundReducer);
    EXPECT_EQ(app.Text(kEditor, "Edit3"), "8,842");
    EXPECT_EQ(app.Text(kEditor, "Edit8"), "5,659");
}

TEST_F(EditorWindow, VelocitiesFollowTheTyping) {
    OpenCalculator();
    Choose(RoundStraight);
    app.Type(kEditor, "Edit2", "100");
    EXPECT_EQ(app.Text(kEditor, "Edit3"), "3,537");
    app.Type(kEditor, "ComboBox1", "200");  // "2", "20", "200": each recomputed
    EXPECT_EQ(app.Text(kEditor, "Edit3"), "0,884");
    app.SetText(kEditor, "Edit2", "100.5");  // either separator
    EXPECT_EQ(app.Text(kEditor, "Edit3"), "0,889");
    app.Click(kEditor, "BitBtn2");
    Choose(RectStraight);
    EXPECT_EQ(app.Text(kEditor, "Edit3"), "2,79");  // rectangular: 2 decimals
    app.Click(kEditor, "BitBtn2");
    EXPECT_EQ(app.ErrorCount(), 0);
}

TEST_F(EditorWindow, AdditionalLossAndItsCoefficientSettle) {
    OpenCalculator();
    Choose(RoundStraight);
    app.SetText(kEditor, "Edit2", "100");
    app.Type(kEditor, "Edit7", "5");
    EXPECT_EQ(app.Text(kEditor, "Edit10"), "0,67");
    EXPECT_EQ(app.Text(kEditor, "Edit7"), "5");
    EXPECT_FALSE(app.Control<QLineEdit>(kEditor, "Edit10")->isEnabled());
    app.Click(kEditor, "RadioButton2");
    EXPECT_TRUE(app.Control<QLineEdit>(kEditor, "Edit10")->isEnabled());
    EXPECT_FALSE(app.Control<QLineEdit>(kEditor, "Edit7")->isEnabled());
    app.SetText(kEditor, "Edit10", "2");
    EXPECT_EQ(app.Text(kEditor, "Edit7"), "15");
    // A new flow brings the pressure into step with the typed coefficient.
    app.SetText(kEditor, "Edit2", "200");
    EXPECT_EQ(app.Text(kEditor, "Edit7"), "60");
    app.Click(kEditor, "BitBtn1");
    EXPECT_EQ(app.Text(kCircuit, "ListBox11"), "");  // nothing selected; read the record
    EXPECT_EQ(app.WindowAs<TForm15>(kCircuit)->Circuit().FieldText(0, pressureloss::Field::ExtraLoss), "60");
}

TEST_F(EditorWindow, RadiusFollowsTheDuctSize) {
    OpenCalculator();
    Choose(RoundElbow);
    EXPECT_EQ(app.Text(kEditor, "ComboBox7"), "50");  // the preparation leaves the radius
    struct Case {
        const char* size;
        const char* control;
        const char* picked;  // nullptr: the automatic choice
        const char* expected;
    };
    const Case round[] = {
        {"250", "ComboBox1", nullptr, "150"}, {"100", "ComboBox1", nullptr, "100"},
        {"100", "ComboBox1", "500", "500"},   {"100", "ComboBox1", "50", "100"},
        {"250", "ComboBox1", "100", "150"},   {"250", "ComboBox1", "1000", "1000"},
    };
    for (const Case& c : round) {
        app.SetText(kEditor, c.control, c.size);
        if (c.picked) app.Select(kEditor, "ComboBox7", ItemIndex(app, "ComboBox7", c.picked));
        EXPECT_EQ(app.Text(kEditor, "ComboBox7"), c.expected) << c.size << " " << (c.picked ? c.picked : "auto");
    }
    app.Click(kEditor, "BitBtn2");
    Choose(RectElbow);
    app.SetText(kEditor, "ComboBox9", "8000");
    EXPECT_EQ(app.Text(kEditor, "ComboBox7"), "4000");
    app.SetText(kEditor, "ComboBox9", "200");
    EXPECT_EQ(app.Text(kEditor, "ComboBox7"), "150");
    app.Select(kEditor, "ComboBox7", ItemIndex(app, "ComboBox7", "100"));
    EXPECT_EQ(app.Text(kEditor, "ComboBox7"), "150");
    // Changing A does not touch the radius.
    app.Select(kEditor, "ComboBox7", ItemIndex(app, "ComboBox7", "800"));
    app.SetText(kEditor, "ComboBox8", "300");
    EXPECT_EQ(app.Text(kEditor, "ComboBox7"), "800");
    EXPECT_EQ(app.ErrorCount(), 0);
}

TEST_F(EditorWindow, MaterialSetsTheRoughness) {
    OpenCalculator();
    Choose(RoundStraight);
    auto* roughness = app.Control<QLineEdit>(kEditor, "Edit6");
    EXPECT_EQ(roughness->text(), "0,007");
    EXPECT_FALSE(roughness->isEnabled());
    EXPECT_EQ(roughness->toolTip(),
              "PVC - k=0,05          Blacha ocynkowana - k=1,5       Przewody murowane k=3-5");
    app.Select(kEditor, "ComboBox3", 1);
    EXPECT_EQ(app.Text(kEditor, "ComboBox3"), "Stal ocynk");
    EXPECT_EQ(roughness->text(), "0,15");
    EXPECT_FALSE(roughness->isEnabled());
    app.Select(kEditor, "ComboBox3", 2);
    EXPECT_EQ(roughness->text(), "0,15");
    EXPECT_TRUE(roughness->isEnabled());
    app.Select(kEditor, "ComboBox3", 0);
    EXPECT_EQ(roughness->text(), "0,007");
    EXPECT_FALSE(roughness->isEnabled());
}

TEST_F(EditorWindow, TeeSketchFollowsTheTeeLists) {
    OpenCalculator();
    Choose(RoundTee);
    const char* sketches[] = {"Image19", "Image20", "Image21", "Image22"};
    for (const char* s : sketches) EXPECT_FALSE(Shows(app, s));
    struct Case {
        int path, flow, shown;
    };
    for (const Case& c : {Case{1, 0, 1}, Case{0, 0, 0}, Case{0, 1, 2}, Case{1, 1, 3}}) {
        app.Select(kEditor, "ComboBox12", c.path);
        app.Select(kEditor, "ComboBox13", c.flow);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(Shows(app, sketches[i]), i == c.shown) << c.path << c.flow;
    }
    app.Click(kEditor, "BitBtn2");
    Choose(RoundStraight);
    for (const char* s : sketches) EXPECT_FALSE(Shows(app, s));
}

// A stored fitting is written back box by box, each as if typed: the
// diameter of a round elbow before its radius (the stored radius stands),
// the other stream of a tee last (its velocities are recomputed and shown as
// the editor shows them, two decimals for a rectangular tee).
TEST_F(EditorWindow, EditingWritesTheStoredTextsBackInTheirOrder) {
    OpenCalculator();
    Choose(RoundElbow);
    app.SetText(kEditor, "ComboBox1", "250");
    app.Select(kEditor, "ComboBox7", ItemIndex(app, "ComboBox7", "1000"));
    app.SetText(kEditor, "Edit2", "400");
    app.Click(kEditor, "BitBtn1");
    Add(RectTee, {{"ComboBox8", "300"}, {"ComboBox9", "200"}, {"ComboBox4", "250"}, {"ComboBox5", "200"},
                  {"Edit2", "2000"}, {"Edit9", "700"}});
    Add(RectTee, {{"Edit2", "2000"}, {"Edit9", "500"}});  // another Vo left in its box
    auto& circuit = app.WindowAs<TForm15>(kCircuit)->Circuit();
    ASSERT_EQ(circuit.Count(), 3);
    ASSERT_EQ(circuit.FieldText(1, Field::Velocity2), "3,889");

    app.Select(kCircuit, "ListBox1", 0);
    app.Click(kCircuit, "Edytujksztatk1");
    EXPECT_EQ(app.Text(kEditor, "ComboBox1"), "250");
    EXPECT_EQ(app.Text(kEditor, "ComboBox7"), "1000");
    app.Click(kEditor, "BitBtn2");

    app.Select(kCircuit, "ListBox1", 1);
    app.Click(kCircuit, "Edytujksztatk1");
    EXPECT_EQ(app.Text(kEditor, "Edit9"), "700");
    EXPECT_EQ(app.Text(kEditor, "Edit8"), "3,89");
    EXPECT_EQ(app.Text(kEditor, "Edit3"), "9,26");
    app.Click(kEditor, "BitBtn2");
    EXPECT_EQ(app.ErrorCount(), 0);
}

TEST_F(EditorWindow, ConfirmationMessagesStoreNothingAndCloseTheEditor) {
    OpenCalculator();
    struct Case {
        FittingKind kind;
        std::map<QString, QString> texts;
        QString message;
    };
    const Case cases[] = {
        {RoundStraight, {{"Edit2", "0"}}, "Podaj przepływ powietrza przez kształtkę"},
        {RoundStraight, {{"Edit2", ""}}, "Podaj przepływ powietrza przez kształtkę"},
        {RoundStraight, {{"Edit2", "100"}, {"Edit1", ""}}, "Podaj długość kształtki"},
        {RectStraight, {{"Edit2", "100"}, {"Edit1", ""}}, "Podaj długość kształtki"},
    };
    for (const Case& c : cases) {
        app.ClearRecords();
        Add(c.kind, c.texts);
        ASSERT_EQ(app.Fake().messages.size(), 1u);
        EXPECT_EQ(app.Fake().messages[0].text, c.message);
        EXPECT_EQ(app.Fake().messages[0].title, "BRENTAX info");
        EXPECT_FALSE(app.Fake().messages[0].error);
        EXPECT_FALSE(app.IsVisible(kEditor));
    }
    // The roughness: "Inny" with the field emptied.
    app.ClearRecords();
    Choose(RoundStraight);
    app.SetText(kEditor, "Edit2", "100");
    app.Select(kEditor, "ComboBox3", 2);
    app.SetText(kEditor, "Edit6", "");
    app.Click(kEditor, "BitBtn1");
    EXPECT_EQ(app.LastMessage(), "Współczynnik szorstkości materiału musi być większy od zera");
    Choose(RoundStraight);
    app.Select(kEditor, "ComboBox3", 0);  // back to PVC
    app.Click(kEditor, "BitBtn2");
    // Not a number: the conversion error, nothing stored.
    Add(RoundStraight, {{"Edit2", "100"}, {"Edit1", "2 m"}});
    EXPECT_EQ(app.LastError(), "'2 m' is not a valid floating point value.");
    EXPECT_FALSE(app.IsVisible(kEditor));
    // An empty additional loss is taken as 0.
    Add(RoundStraight, {{"Edit2", "100"}, {"Edit7", ""}});
    EXPECT_EQ(app.Text(kEditor, "Edit7"), "0");
    auto& circuit = app.WindowAs<TForm15>(kCircuit)->Circuit();
    EXPECT_EQ(circuit.Count(), 1);
    EXPECT_EQ(circuit.FieldText(0, pressureloss::Field::ExtraLoss), "0");
}

}  // namespace
}  // namespace vimtal::pressureloss::testing
