// A circuit of every shape of fitting, built through the windows as a user
// builds it (typed values, lists, an edited and a deleted fitting), saved as
// a .moh file and compared byte for byte with the file kept beside this
// test: the file format never changes under the user's older calculations.
#include "WindowTestSupport.h"

#include "pressureloss/CircuitColumns.h"
#include "pressureloss/CircuitForm.h"

#include <QFile>

#include <cstdlib>

namespace vimtal::pressureloss::testing {
namespace {

const QString kGolden = QStringLiteral(VIMTAL_PL_TEST_DATA "/circuit.moh");

QByteArray Contents(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

class MohGolden : public CalculatorTest {
protected:
    // Nine fittings, one of them edited and one deleted afterwards: round
    // and rectangular sections, the elbow constructions and tee lists, the
    // material list, a value typed with a dot, a value longer than its
    // field, an additional loss typed as a coefficient.
    void BuildCircuit() {
        OpenCalculator();
        Add(RoundStraight, {{"Edit2", "350"}, {"Edit1", "12345678901234"}});
        Add(RoundElbow, {{"ComboBox1", "160"}, {"ComboBox10", "KOLANO"}, {"ComboBox6", "45"}});
        Add(RoundTee, {{"ComboBox1", "200"}, {"ComboBox2", "125"}, {"Edit2", "600"}, {"Edit9", "200.5"},
                {"ComboBox12", "ODGAŁĘŹIENIE"}});
        Add(RoundReducer, {{"ComboBox6", "30"}, {"Edit2", "200"}});
        Add(RectElbow, {{"ComboBox8", "200"}, {"ComboBox9", "400"}, {"Edit2", "1800"}});
        Add(RectTee, {{"ComboBox8", "300"}, {"ComboBox9", "200"}, {"ComboBox4", "250"}, {"ComboBox5", "200"},
                 {"ComboBox6", "60"}, {"Edit2", "2000"}, {"Edit9", "700"}, {"ComboBox13", "ŁĄCZENIE STRUG"}});
        Add(RectReducer, {{"ComboBox8", "200"}, {"ComboBox9", "200"}, {"ComboBox4", "250"}, {"ComboBox5", "250"},
                 {"Edit2", "1000"}});
        // A silencer of galvanised steel with a loss given as a coefficient.
        Choose(RoundSilencer);
        app.Select(kEditor, "ComboBox3", 1);
        app.SetText(kEditor, "Edit2", "400");
        app.Click(kEditor, "RadioButton2");
        app.SetText(kEditor, "Edit10", "1,5");
        app.Click(kEditor, "BitBtn1");
        app.Click(kEditor, "RadioButton1");
        Add(RectOffset, {{"ComboBox8", "200"}, {"Edit15", "250"}, {"Edit2", "500"}});

        // The reducer becomes a longer one; the round elbow goes.
        app.Select(kCircuit, "ListBox1", 3);
        app.Click(kCircuit, "Edytujksztatk1");
        app.SetText(kEditor, "Edit1", "750");
        app.Click(kEditor, "BitBtn1");
        app.Select(kCircuit, "ListBox1", 1);
        app.Click(kCircuit, "Usuksztatk1");
        ASSERT_EQ(app.ErrorCount(), 0) << app.LastError().toStdString();
    }
};

TEST_F(MohGolden, SavedCircuitIsByteForByteTheKeptFile) {
    BuildCircuit();
    const QString path = folder.QtPath() + "/obieg.moh";
    app.Fake().saveAnswers.push_back(path);
    app.Click(kCircuit, "Zapiszobliczenia1");
    const QByteArray saved = Contents(path);
    ASSERT_EQ(saved.size(), 8 * 379);
    // VIMTAL_WRITE_GOLDEN=<file> keeps the saved circuit there (to renew the
    // kept file after a deliberate change of the format).
    if (const char* keep = std::getenv("VIMTAL_WRITE_GOLDEN")) QFile::copy(path, QString::fromUtf8(keep));
    const QByteArray golden = Contents(kGolden);
    ASSERT_EQ(golden.size(), saved.size()) << kGolden.toStdString();
    for (int i = 0; i < saved.size(); ++i) {
        ASSERT_EQ(static_cast<unsigned char>(saved[i]), static_cast<unsigned char>(golden[i]))
            << "record " << i / 379 << ", byte " << i % 379;
    }
}

// Opening and saving by path (as a file named on the command line is
// opened) does what the menu items do once the file is chosen.
TEST_F(MohGolden, OpenedAndSavedAgainByPathTheFileIsUnchanged) {
    OpenCalculator();
    for (int i = 0; i < 9; ++i) Add(RoundStraight);
    ScrollBar()->setValue(3);
    auto* circuitWindow = app.WindowAs<TForm15>(kCircuit);
    circuitWindow->Open(kGolden);
    ASSERT_EQ(app.ErrorCount(), 0) << app.LastError().toStdString();
    EXPECT_EQ(ScrollBar()->value(), 0);
    EXPECT_EQ(ScrollBar()->maximum(), 8);
    EXPECT_EQ(Row(0), (QStringList{"0", "PROSTKA_OKRĄGŁA", "350", "12,379", "1234567890", "100", "0", "2164680786",
                                   "0", "0", "2164680786"}));
    EXPECT_EQ(Row(6), (QStringList{"6", "TŁUMIK_HAŁASU_OKRĄGŁY", "400", "14,148", "1000", "100", "0", "28,62", "0",
                                   "180,1", "208,72"}));
    EXPECT_EQ(app.Text(kCircuit, "Edit1"), "2164681050,22");  // the sum of the stored totals
    // The columns show the circuit's table, as a report or an export takes it.
    const CircuitTable table = TableOfCircuit(circuitWindow->Circuit());
    ASSERT_EQ(table.rows.size(), 8u);
    for (int row = 0; row < 7; ++row) {
        QStringList texts;
        for (const std::string& text : table.rows[static_cast<std::size_t>(row)]) texts << QString::fromStdString(text);
        EXPECT_EQ(Row(row), texts) << row;
    }

    const QString path = folder.QtPath() + "/znowu.moh";
    circuitWindow->Save(path);
    EXPECT_EQ(Contents(path), Contents(kGolden));
    EXPECT_EQ(app.ErrorCount(), 0);
}

TEST_F(MohGolden, OpeningOrSavingByPathShowsTheFilesError) {
    OpenCalculator();
    Add(RoundStraight);
    auto* circuitWindow = app.WindowAs<TForm15>(kCircuit);
    circuitWindow->Open(folder.QtPath() + "/brak.moh");
    EXPECT_EQ(app.LastError(), "File not found");
    EXPECT_EQ(circuitWindow->Circuit().Count(), 1);
    EXPECT_EQ(app.Text(kCircuit, "Edit1"), "3,76");
    circuitWindow->Save(folder.QtPath());  // a folder, not a file
    EXPECT_EQ(app.ErrorCount(), 2);
    EXPECT_EQ(app.LastError(), "File access denied");
    EXPECT_EQ(circuitWindow->Circuit().Count(), 1);
}

}  // namespace
}  // namespace vimtal::pressureloss::testing
