#include "WindowTestSupport.h"

#include <QLabel>

#include "pressureloss/CircuitForm.h"

#include "core/AmbientAir.h"
#include "core/ui/testing/PdfTools.h"

#include <QAction>
#include <QFontMetrics>
#include <QFile>
#include <QLineEdit>

namespace vimtal::pressureloss::testing {
namespace {

using vimtal::testing::PdfPageTexts;

using Calculator = CalculatorTest;

const QStringList kEmptyRow = {"", "", "", "", "", "", "", "", "", "", ""};

Circuit& State(AppHarness& app) { return app.WindowAs<TForm15>(QStringLiteral("TForm15"))->Circuit(); }

TEST_F(Calculator, OpensWithEmptyColumnsAndReadsTheDisplayedAirProperties) {
    OpenCalculator();  // its caption and size: the launcher's test of the module buttons
    for (int i = 0; i < 11; ++i) EXPECT_EQ(Column(i)->count(), 0);
    EXPECT_EQ(app.Text(kCircuit, "Edit1"), "");
    EXPECT_EQ(ScrollBar()->maximum(), 0);
    // The rounded figures the settings window shows, not the exact ones.
    EXPECT_EQ(app.Air().Density(), 1.2);
    EXPECT_EQ(app.Air().Viscosity(), 0.000015);
    EXPECT_EQ(app.ErrorCount(), 0);
}

TEST_F(Calculator, ColumnTitlesAreInTheColumnsSmallTypeAndFitTheirColumns) {
    OpenCalculator();
    for (int i = 0; i < 11; ++i) {
        auto* title = app.Window(kCircuit)->findChild<QLabel*>(QStringLiteral("Label%1").arg(i + 1));
        ASSERT_NE(title, nullptr) << i;
        SCOPED_TRACE(title->text().toStdString());
        EXPECT_EQ(title->font(), Column(i)->font());
        EXPECT_EQ(title->font().pointSizeF(), 7.5);
        // Every line of the title inside its column.
        const QFontMetrics metrics(title->font());
        for (const QString& line : title->text().split(QLatin1Char('\n'))) {
            EXPECT_LE(metrics.horizontalAdvance(line), title->width());
        }
    }
}

TEST_F(Calculator, AStraightDuctFillsTheFirstRowAndTheTotal) {
    OpenCalculator();
    Add(RoundStraight);
    EXPECT_EQ(app.Shown(), (QStringList{"TForm15", "TForm16", "TForm17"}));
    EXPECT_FALSE(app.IsVisible(kEditor));
    EXPECT_TRUE(app.IsVisible(kCatalogue));  // several fittings can be added in a row
    EXPECT_EQ(Row(0), (QStringList{"0", "PROSTKA_OKRĄGŁA", "100", "3,537", "2000", "100", "0", "3,76", "0", "0",
                                   "3,76"}));
    EXPECT_EQ(Row(1), kEmptyRow);
    EXPECT_EQ(Column(0)->count(), 7);
    EXPECT_EQ(app.Text(kCircuit, "Edit1"), "3,76");
    EXPECT_EQ(app.ErrorCount(), 0);
}

TEST_F(Calculator, EightFittingsScrollToTheEighth) {
    OpenCalculator();
    for (int i = 0; i < 8; ++i) Add(RoundStraight, {{"Edit2", QString::number(100 + 10 * i)}});
    EXPECT_EQ(ScrollBar()->maximum(), 7);
    EXPECT_EQ(Row(6)[0], "6");
    ScrollBar()->setValue(7);
    EXPECT_EQ(Row(0)[0], "7");
    EXPECT_EQ(Row(0)[2], "170");
    EXPECT_EQ(Row(1), kEmptyRow);
}

TEST_F(Calculator, SelectingARowInAnyColumnSelectsItInAll) {
    OpenCalculator();
    for (int i = 0; i < 3; ++i) Add(RoundStraight);
    for (int source : {9, 0, 10}) {
        const int row = source == 0 ? 1 : 2;
        app.Select(kCircuit, QString::fromLatin1(kColumns[source]), row);
        for (int i = 0; i < 11; ++i) EXPECT_EQ(Column(i)->currentRow(), row) << kColumns[i];
    }
}

TEST_F(Calculator, EditingAFittingReplacesItAndItsShareOfTheTotal) {
    OpenCalculator();
    Add(RoundStraight);
    Add(RoundGrille, {{"Edit2", "100"}, {"Edit7", "5"}});
    ASSERT_EQ(app.Text(kCircuit, "Edit1"), "8,76");
    app.Select(kCircuit, "ListBox3", 0);
    app.Click(kCircuit, "Edytujksztatk1");
    EXPECT_EQ(app.Shown().last(), kEditor);
    EXPECT_TRUE(State(app).editFlag);
    // Filled from the record.
    EXPECT_EQ(app.Text(kEditor, "Edit4"), "PROSTKA_OKRĄGŁA");
    EXPECT_EQ(app.Text(kEditor, "Edit1"), "2000");
    EXPECT_EQ(app.Text(kEditor, "ComboBox1"), "100");
    EXPECT_EQ(app.Text(kEditor, "Edit2"), "100");
    EXPECT_EQ(app.Text(kEditor, "Edit3"), "3,537");
    app.SetText(kEditor, "Edit1", "4000");
    app.Click(kEditor, "BitBtn1");
    EXPECT_EQ(State(app).Count(), 2);
    EXPECT_FALSE(State(app).editFlag);
    EXPECT_EQ(Row(0), (QStringList{"0", "PROSTKA_OKRĄGŁA", "100", "3,537", "4000", "100", "0", "7,52", "0", "0",
                                   "7,52"}));
    EXPECT_EQ(Row(1)[10], "5");
    EXPECT_EQ(app.Text(kCircuit, "Edit1"), "12,52");  // 8,76 - 3,76 + 7,52

    // A double click edits too; "Anuluj" changes nothing and ends the edit.
    // (The list's own double-click signal: the harness's synthetic double
    // click is not recognised as one on the first press in a window.)
    app.Select(kCircuit, "ListBox2", 1);
    emit Column(1)->itemDoubleClicked(Column(1)->item(1));
    EXPECT_EQ(app.Text(kEditor, "Edit4"), "KRATKA_NAWIEWNA/WYWIEWNA_OKRĄGŁA");
    EXPECT_TRUE(State(app).editFlag);
    app.SetText(kEditor, "Edit7", "50");
    app.Click(kEditor, "BitBtn2");
    EXPECT_FALSE(State(app).editFlag);
    EXPECT_FALSE(app.IsVisible(kEditor));
    EXPECT_EQ(Row(1)[9], "5");
    EXPECT_EQ(app.Text(kCircuit, "Edit1"), "12,52");
    // The next fitting is added, not put over the edited one.
    Add(RoundStraight);
    EXPECT_EQ(State(app).Count(), 3);
    EXPECT_EQ(Row(1)[1], "KRATKA_NAWIEWNA/WYWIEWNA_OKRĄGŁA");
}

TEST_F(Calculator, ClosingTheEditorByItsCloseBoxEndsTheEdit) {
    OpenCalculator();
    Add(RoundStraight);
    app.Select(kCircuit, "ListBox1", 0);
    app.Click(kCircuit, "Waciwociksztatki1");  // the context menu's item
    ASSERT_TRUE(State(app).editFlag);
    app.Close(kEditor);
    EXPECT_FALSE(State(app).editFlag);
    Add(RoundStraight);
    EXPECT_EQ(State(app).Count(), 2);
}

TEST_F(Calculator, EditAndDeleteWithoutASelectionOrOnAnEmptyRow) {
    OpenCalculator();
    app.Click(kCircuit, "Edytujksztatk1");  // empty circuit: nothing
    app.Click(kCircuit, "Usuksztatk1");
    Add(RoundStraight);
    app.Click(kCircuit, "Edytujksztatk1");  // no selection: nothing
    app.Click(kCircuit, "Usuksztatk2");
    EXPECT_EQ(app.Shown().count(QStringLiteral("TForm17")), 1);
    EXPECT_EQ(State(app).Count(), 1);
    EXPECT_EQ(app.ErrorCount(), 0);
    // A row without a fitting: no edit; deleting it is a conversion error.
    app.Select(kCircuit, "ListBox1", 3);
    app.Click(kCircuit, "Edytujksztatk1");
    EXPECT_EQ(app.Shown().count(QStringLiteral("TForm17")), 1);
    app.Click(kCircuit, "Usuksztatk1");
    EXPECT_EQ(app.LastError(), "'' is not a valid floating point value.");
    // A total that is not a number: the same, and nothing changes.
    app.Select(kCircuit, "ListBox1", 0);
    app.SetText(kCircuit, "Edit1", "abc");
    app.Click(kCircuit, "Usuksztatk1");
    EXPECT_EQ(app.LastError(), "'abc' is not a valid floating point value.");
    EXPECT_EQ(State(app).Count(), 1);
    EXPECT_EQ(Row(0)[0], "0");
}

TEST_F(Calculator, DeletingTheFirstOfThreeRenumbersAndLowersTheTotal) {
    OpenCalculator();
    Add(RoundStraight, {{"Edit2", "100"}});
    Add(RoundStraight, {{"Edit2", "200"}});
    Add(RoundStraight, {{"Edit2", "300"}});
    const double before = app.Text(kCircuit, "Edit1").replace(',', '.').toDouble();
    const double first = Row(0)[10].replace(',', '.').toDouble();
    app.Select(kCircuit, "ListBox5", 0);
    app.Click(kCircuit, "Usuksztatk1");
    EXPECT_EQ(Row(0)[0], "0");
    EXPECT_EQ(Row(0)[2], "200");
    EXPECT_EQ(Row(1)[0], "1");
    EXPECT_EQ(Row(1)[2], "300");
    EXPECT_EQ(Row(2), kEmptyRow);
    EXPECT_NEAR(app.Text(kCircuit, "Edit1").replace(',', '.').toDouble(), before - first, 1e-9);
    EXPECT_EQ(State(app).Count(), 2);
}

TEST_F(Calculator, NewCalculationEmptiesTheColumnsButKeepsTheScrollRange) {
    OpenCalculator();
    for (int i = 0; i < 3; ++i) Add(RoundStraight);
    app.Click(kCircuit, "Noweobliczenia1");
    for (int i = 0; i < 11; ++i) EXPECT_EQ(Column(i)->count(), 0);
    EXPECT_EQ(app.Text(kCircuit, "Edit1"), "0");
    EXPECT_EQ(State(app).Count(), 0);
    EXPECT_EQ(ScrollBar()->maximum(), 2);
    Add(RoundStraight);
    EXPECT_EQ(Row(0)[0], "0");
    EXPECT_EQ(app.Text(kCircuit, "Edit1"), "3,76");
}

TEST_F(Calculator, SaveAndOpenACircuit) {
    OpenCalculator();
    for (int i = 0; i < 8; ++i) Add(RoundStraight);
    ASSERT_EQ(app.Text(kCircuit, "Edit1"), "30,08");
    const QString path = folder.QtPath() + "/obieg.moh";
    app.Fake().saveAnswers.push_back(path);
    app.Click(kCircuit, "Zapiszobliczenia1");
    ASSERT_EQ(app.Fake().saveRequests.size(), 1u);
    const FileDialogOptions& save = app.Fake().saveRequests[0];
    EXPECT_EQ(save.filter, "Pliki Obliczeń Hydraulicznych (*.moh)");
    EXPECT_EQ(save.defaultSuffix, "moh");
    EXPECT_EQ(save.initialDirectory, folder.QtPath());
    EXPECT_FALSE(save.mustExist);  // a new circuit can be saved under a new name
    EXPECT_EQ(QFile(path).size(), 8 * 379);

    app.Click(kCircuit, "Noweobliczenia1");
    ScrollBar()->setValue(2);
    app.Fake().openAnswers.push_back(path);
    app.Click(kCircuit, "Otwrzobliczenia1");
    const FileDialogOptions& open = app.Fake().openRequests.at(0);
    EXPECT_EQ(open.filter, "Pliki obliczeń hydraulicznych (*.moh)");
    EXPECT_EQ(open.fileName, "*.moh");
    EXPECT_EQ(ScrollBar()->maximum(), 8);
    EXPECT_EQ(ScrollBar()->value(), 0);
    EXPECT_EQ(Row(0)[0], "0");
    EXPECT_EQ(Row(6)[0], "6");
    EXPECT_EQ(Row(6)[10], "3,76");
    EXPECT_EQ(app.Text(kCircuit, "Edit1"), "30,08");
    EXPECT_EQ(State(app).Count(), 8);

    // The save dialog offers the name of its previous use.
    app.Click(kCircuit, "Zapiszobliczenia1");  // cancelled: no answer left
    EXPECT_EQ(app.Fake().saveRequests.at(1).fileName, path);
    EXPECT_EQ(app.ErrorCount(), 0);
}

TEST_F(Calculator, ACancelledOrFailedOpenKeepsTheCircuit) {
    OpenCalculator();
    Add(RoundStraight);
    Add(RoundStraight);
    app.Click(kCircuit, "Otwrzobliczenia1");  // cancelled
    EXPECT_EQ(State(app).Count(), 2);
    EXPECT_EQ(Row(1)[0], "1");
    EXPECT_EQ(app.Text(kCircuit, "Edit1"), "7,52");

    QFile empty(folder.QtPath() + "/pusty.moh");
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    app.Fake().openAnswers.push_back(empty.fileName());
    app.Click(kCircuit, "Otwrzobliczenia1");
    EXPECT_EQ(app.LastError(), "Read beyond end of file");
    app.Fake().openAnswers.push_back(folder.QtPath() + "/brak.moh");
    app.Click(kCircuit, "Otwrzobliczenia1");
    EXPECT_EQ(app.LastError(), "File not found");
    EXPECT_EQ(State(app).Count(), 2);
    EXPECT_EQ(Row(1)[0], "1");
    EXPECT_EQ(app.Text(kCircuit, "Edit1"), "7,52");
}

TEST_F(Calculator, TotalsOfAnotherLocaleStayLoadedWithATotalOfZero) {
    OpenCalculator();
    Add(RoundStraight);
    const QString path = folder.QtPath() + "/kropka.moh";
    app.Fake().saveAnswers.push_back(path);
    app.Click(kCircuit, "Zapiszobliczenia1");
    // Written where numbers have a dot: the total reads "3.76".
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    bytes[243 + 2] = '.';
    file.seek(0);
    file.write(bytes);
    file.close();
    app.Fake().openAnswers.push_back(path);
    app.Click(kCircuit, "Otwrzobliczenia1");
    EXPECT_EQ(app.LastError(), "'3.76' is not a valid floating point value.");
    EXPECT_EQ(Row(0)[10], "3.76");
    EXPECT_EQ(app.Text(kCircuit, "Edit1"), "0");
}

TEST_F(Calculator, FileMenuClosesAndHelpExplains) {
    OpenCalculator();
    app.Click(kCircuit, "Pomocprogramu1");
    ASSERT_EQ(app.Fake().messages.size(), 1u);
    EXPECT_EQ(app.Fake().messages[0].title, "Pomoc programu");
    EXPECT_TRUE(app.LastMessage().contains("Colebrooka-White'a"));
    EXPECT_TRUE(app.LastMessage().contains("*.moh"));
    EXPECT_EQ(app.Control<QAction>(kCircuit, "Pomocprogramu1")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(app.Control<QAction>(kCircuit, "Zamknij1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    app.Click(kCircuit, "Zamknij1");
    EXPECT_FALSE(app.IsVisible(kCircuit));
}

TEST_F(Calculator, AMissingPictureStopsThePreparationAndEndsTheEdit) {
    OpenCalculator();
    Add(RoundStraight);
    ASSERT_TRUE(QFile::remove(folder.QtPath() + "/calc/prostka_o.bmp"));
    app.Select(kCircuit, "ListBox1", 0);
    app.Click(kCircuit, "Edytujksztatk1");
    EXPECT_TRUE(app.LastError().startsWith("Brak pliku rysunku kształtki: "));
    EXPECT_TRUE(app.LastError().endsWith("prostka_o.bmp"));
    EXPECT_EQ(app.Shown().count(QStringLiteral("TForm17")), 1);
    EXPECT_FALSE(State(app).editFlag);
    // A kind whose picture is there still opens, and adds.
    Add(RectStraight);
    EXPECT_EQ(State(app).Count(), 2);
}

// The circuit lists the notes of every fitting computed in this session,
// each with its "Lp", in free space left of the total.
TEST_F(Calculator, NotesOfTheFittingsShowAndClearWithTheCircuit) {
    OpenCalculator();
    auto* notes = app.Control<QLabel>(kCircuit, QStringLiteral("LabelUwagi"));
    const std::vector<QRect> placement = app.Placement(kCircuit);
    Add(RoundStraight);
    EXPECT_TRUE(notes->isHidden());
    Add(RoundStraight, {{"Edit2", "1"}});  // laminar flow in 100 mm
    EXPECT_FALSE(notes->isHidden());
    EXPECT_EQ(notes->text(), "⚠ Uwagi: 1");
    EXPECT_TRUE(notes->toolTip().contains("Lp 1: Liczba Reynoldsa Re = "));
    EXPECT_EQ(app.Placement(kCircuit), placement);
    EXPECT_TRUE(app.Messages().isEmpty()) << app.LastMessage().toStdString();

    // Deleting the fitting takes its note with it.
    Column(0)->setCurrentRow(1);
    app.Click(kCircuit, QStringLiteral("Usuksztatk1"));
    EXPECT_TRUE(notes->isHidden());
    Add(RoundStraight, {{"Edit2", "1"}});
    EXPECT_FALSE(notes->isHidden());
    // The report lists them under "Uwagi", after the circuit.
    const QString text = PdfPageTexts(app.SaveReport(kCircuit)).join("\n");
    const qsizetype heading = text.indexOf("Uwagi");
    ASSERT_GT(heading, text.indexOf("Wymiary i wykonanie kształtek"));
    EXPECT_GT(text.indexOf("Lp 1: Liczba Reynoldsa"), heading);
    app.Click(kCircuit, QStringLiteral("Noweobliczenia1"));
    EXPECT_TRUE(notes->isHidden());
}

}  // namespace
}  // namespace vimtal::pressureloss::testing
