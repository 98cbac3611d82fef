#include "core/ui/FieldBinding.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <optional>

namespace vimtal {
namespace {

struct TankInputs {
    std::string height, power;
    bool water = false;
};
struct TankRecord {
    std::string height, result;
    bool water = false, round = false;
};
inline constexpr FixedField<TankRecord> kTankFields[] = {
    {0, 10, &TankRecord::height},
    {11, &TankRecord::water},
    {12, 10, &TankRecord::result},
    {23, &TankRecord::round},
};
inline constexpr FixedRecordFormat<TankRecord> kTank{24, kTankFields};
static_assert(kTank.Valid());

using Bindings = FieldBindings<TankInputs, TankRecord>;
using Bind = Bindings::Row;

// A window of two edits kept in the file, one only read by the model, a
// result, a pair of check boxes and a pair of radio buttons.
class TankWindow : public ::testing::Test {
protected:
    TankWindow() {
        round.setChecked(true);
        water.setChecked(true);
        bindings = {
            Bind::Edit(&height, FieldRole::Input, {"Wysokość zasobnika", "H", "", "m"}, &TankInputs::height,
                       &TankRecord::height),
            Bind::Choice(&water, &electric, {"Ogrzewanie", "wodne", "elektryczne"}, &TankInputs::water,
                         &TankRecord::water),
            Bind::Edit(&power, FieldRole::Input, {"Moc źródła", "Q", "", "kW"}, &TankInputs::power),
            Bind::Edit(&result, FieldRole::Result, {"Czas", "τ", "", "s"}, nullptr, &TankRecord::result),
            Bind::Choice(&round, &square, {}, nullptr, &TankRecord::round),
        };
    }
    QWidget parent;
    QLineEdit height{&parent}, power{&parent}, result{&parent};
    QCheckBox water{&parent}, electric{&parent};
    QRadioButton round{&parent}, square{&parent};
    Bindings bindings;
};

TEST_F(TankWindow, TheModelReadsItsTextsAndChoices) {
    height.setText("1,2");
    power.setText("12");
    const TankInputs in = bindings.Read();
    EXPECT_EQ(in.height, "1,2");
    EXPECT_EQ(in.power, "12");
    EXPECT_TRUE(in.water);
}

TEST_F(TankWindow, TheRecordKeepsWhatTheFormatNames) {
    height.setText("ściana");
    result.setText("3600");
    square.setChecked(true);
    const TankRecord r = bindings.ToRecord();
    EXPECT_EQ(r.height, "ściana");
    EXPECT_EQ(r.result, "3600");
    EXPECT_TRUE(r.water);
    EXPECT_FALSE(r.round);
}

TEST_F(TankWindow, LoadingWritesInTheRecordsOrderAndCanStop) {
    std::vector<std::string> order;
    QObject::connect(&height, &QLineEdit::textChanged, [&] { order.push_back("height"); });
    QObject::connect(&result, &QLineEdit::textChanged, [&] { order.push_back("result"); });
    QObject::connect(&electric, &QCheckBox::toggled, [&](bool on) { order.push_back(on ? "electric" : "-electric"); });
    QObject::connect(&square, &QRadioButton::toggled, [&](bool on) { order.push_back(on ? "square" : "-square"); });
    const TankRecord r{"2", "60", false, false};
    bindings.Load(kTank, r);
    EXPECT_EQ(order, (std::vector<std::string>{"height", "electric", "result", "square"}));
    EXPECT_FALSE(water.isChecked());
    EXPECT_TRUE(electric.isChecked());
    EXPECT_TRUE(square.isChecked());
    EXPECT_FALSE(round.isChecked());

    // A failed reaction ends the load after its field.
    order.clear();
    int asked = 0;
    bindings.Load(kTank, {"3", "90", true, true}, [&] { return ++asked == 2; });
    EXPECT_EQ(height.text(), "3");
    EXPECT_TRUE(water.isChecked());
    EXPECT_EQ(result.text(), "60");
    EXPECT_TRUE(square.isChecked());
}

TEST_F(TankWindow, ReportRowsShowTheTextsAndChoicesAsWords) {
    height.setText("1,2");
    power.setText("12,5");
    result.setText("3600");
    electric.setChecked(true);
    water.setChecked(false);
    const FieldRows inputs = bindings.Report(FieldRole::Input);
    ASSERT_EQ(inputs.size(), 3u);  // the unnamed shape choice is left out
    EXPECT_EQ(inputs[0].label, "Wysokość zasobnika");
    EXPECT_EQ(inputs[0].value, "1,2");
    EXPECT_EQ(inputs[0].unit, "m");
    EXPECT_EQ(inputs[1].label, "Ogrzewanie");
    EXPECT_EQ(inputs[1].value, "elektryczne");
    EXPECT_EQ(inputs[2].value, "12,5");
    const FieldRows results = bindings.Report(FieldRole::Result);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].symbol, "τ");
    EXPECT_EQ(results[0].value, "3600");
}

// A report leaves out what the window hides or leaves empty: the choice of
// the row is asked only about the rows of the role asked for, so a result
// test never sees a choice (which has no box).
TEST_F(TankWindow, ReportRowsTheWindowKeeps) {
    power.setText("12");
    std::vector<const Bind*> asked;
    const FieldRows inputs = bindings.Report(FieldRole::Input, [&](const Bind& r) {
        asked.push_back(&r);
        return r.IsChoice() || !r.edit->text().isEmpty();
    });
    ASSERT_EQ(inputs.size(), 2u);
    EXPECT_EQ(inputs[0].label, "Ogrzewanie");
    EXPECT_EQ(inputs[1].label, "Moc źródła");
    EXPECT_EQ(asked.size(), 3u);  // the two edits and the named choice

    asked.clear();
    auto filled = [&](const Bind& r) {
        asked.push_back(&r);
        return !r.edit->text().isEmpty();
    };
    EXPECT_TRUE(bindings.Report(FieldRole::Result, filled).empty());
    result.setText("3600");
    const FieldRows results = bindings.Report(FieldRole::Result, filled);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].value, "3600");
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0]->edit, &result);
}

TEST_F(TankWindow, RowsAddedAfterwardsComeLastAndResultsAreWrittenIntoTheirBoxes) {
    // A result the model returns as a text: a row of its own, added after the
    // table was built; the row of the same member as an input is not written.
    QLineEdit time(&parent);
    int changes = 0;
    QObject::connect(&time, &QLineEdit::textChanged, [&] { ++changes; });
    bindings.Add(Bind::Edit(&time, FieldRole::Result, {"Czas ładowania", "τ", "", "s"}, &TankInputs::power));
    height.setText("1,2");
    power.setText("12");
    TankInputs out;
    out.height = "9";
    out.power = "3600";
    bindings.Write(out, FieldRole::Result);
    EXPECT_EQ(time.text(), "3600");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(power.text(), "12");  // an input row
    EXPECT_EQ(height.text(), "1,2");
    const FieldRows results = bindings.Report(FieldRole::Result);
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[1].label, "Czas ładowania");
    EXPECT_EQ(results[1].value, "3600");
}

// A report names a field by its own caption, each part it leaves null taken
// from what the window shows; an empty label leaves the row out.
TEST(FieldReportCaption, TakesTheWindowsPartsItLeavesNull) {
    struct Case {
        const char* what;
        EditCaption shown, report;
        std::optional<FieldRow> row;  // nothing: left out of reports
    } cases[] = {
        {"the window's caption", {"Ciśnienie atmosferyczne", "p", "b", "Pa"}, {},
         FieldRow{FieldRole::Input, "Ciśnienie atmosferyczne", "p", "b", "5", "Pa"}},
        {"a label of its own", {"Długość boku", "A", nullptr, "m"}, {"Długość boku A"},
         FieldRow{FieldRole::Input, "Długość boku A", "A", "", "5", "m"}},
        {"no unit where the window draws a dash", {"Liczba Reynoldsa", "Re", "", "-------"}, {.unit = ""},
         FieldRow{FieldRole::Input, "Liczba Reynoldsa", "Re", "", "5", ""}},
        {"the symbol the caption's text spells", {"Temperatura wody    tw", nullptr, nullptr, "°C"},
         {"Temperatura wody", "t", "w"}, FieldRow{FieldRole::Input, "Temperatura wody", "t", "w", "5", "°C"}},
        {"a window without captions", {nullptr, "pb", nullptr, "Pa"}, {"Ciśnienie", "p", "b"},
         FieldRow{FieldRole::Input, "Ciśnienie", "p", "b", "5", "Pa"}},
        {"left out", {"Rzeczywisty wsp. akumulacji", "Φ", "r", "-----"}, kNotReported, std::nullopt},
        {"no caption at all", {}, {}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QLineEdit box(QStringLiteral("5"));
        FieldBindings<TankInputs> bindings;
        bindings.Add({.caption = c.shown, .report = c.report, .edit = &box});
        const FieldRows rows = bindings.Report(FieldRole::Input);
        if (!c.row) {
            EXPECT_TRUE(rows.empty());
            continue;
        }
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].label, c.row->label);
        EXPECT_EQ(rows[0].symbol, c.row->symbol);
        EXPECT_EQ(rows[0].subscript, c.row->subscript);
        EXPECT_EQ(rows[0].value, c.row->value);
        EXPECT_EQ(rows[0].unit, c.row->unit);
    }
}

}  // namespace
}  // namespace vimtal
