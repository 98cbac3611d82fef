// The calculation sheet of the pressure-loss circuit (read back from the PDF
// "Zapisz raport PDF..." writes) and its CSV file.
#include "FullCircuit.h"
#include "WindowTestSupport.h"

#include "core/AmbientAir.h"
#include "core/ui/testing/PdfTools.h"
#include "pressureloss/CircuitForm.h"
#include "core/testing/TempFolder.h"

#include <QFile>

namespace vimtal::pressureloss::testing {
namespace {

const QString kGolden = QStringLiteral(VIMTAL_PL_TEST_DATA "/circuit.moh");

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CircuitReport : public CalculatorTest {
protected:
    TForm15& Window() { return *app.WindowAs<TForm15>(kCircuit); }
    QString Path(const char* name) const { return folder.QtPath() + QStringLiteral("/") + QString::fromLatin1(name); }
};

TEST_F(CircuitReport, AnEmptyCircuitHasTheAirAndNoResults) {
    OpenCalculator();
    const QString text = ::vimtal::testing::PdfPageTexts(app.SaveReport(kCircuit)).join(QLatin1Char('\n'));
    EXPECT_EQ(app.Fake().saveRequests.back().fileName, "obieg_krytyczny.pdf");
    const AirDisplays& air = app.Air().Displays();
    ASSERT_FALSE(air.density.empty());
    for (const QString& part : {QStringLiteral("Kalkulator strat ciśnienia - obiegu krytycznego"),
                                QStringLiteral("Gęstość powietrza (z ustawień)"), QString::fromStdString(air.density),
                                QStringLiteral("Lepkość kinematyczna powietrza (z ustawień)"),
                                QString::fromStdString(air.viscosity), QStringLiteral("Brak wyników: uruchom obliczenia")}) {
        EXPECT_TRUE(text.contains(part)) << part.toStdString();
    }
    EXPECT_FALSE(text.contains("Obieg krytyczny"));
}

// 101 fittings over several pages: the title row of the table on every page
// it spans, "Σ" and the total once, after the last fitting; then the sizes
// and make of every fitting.
TEST_F(CircuitReport, AFullCircuitSpansPagesWithItsTitlesOnEach) {
    OpenCalculator();
    const FullCircuit full = MakeFullCircuit(app.Air());
    const QString moh = Path("pelny.moh");
    full.circuit.Save(moh.toStdString());
    Window().Open(moh);
    ASSERT_EQ(app.ErrorCount(), 0) << app.LastError().toStdString();
    const QString total = app.Text(kCircuit, "Edit1");
    EXPECT_EQ(total.toStdString(), full.totalText);

    const QByteArray pdf = app.SaveReport(kCircuit);
    const QStringList pages = ::vimtal::testing::PdfPageTexts(pdf);
    const int count = ::vimtal::testing::PdfPageCount(pdf);
    ASSERT_EQ(pages.size(), count);
    ASSERT_GE(count, 4);
    int circuitPages = 0, detailPages = 0;
    for (int p = 0; p < count; ++p) {
        const QString& page = pages[p];
        EXPECT_TRUE(page.contains(QStringLiteral("Strona %1 z %2").arg(p + 1).arg(count))) << p + 1;
        // A page of either table starts with that table's title row.
        const bool circuit = page.contains("dpc [Pa]"), details = page.contains("Wymiary [mm]");
        circuitPages += circuit;
        detailPages += details;
        EXPECT_TRUE(circuit || details || p + 1 == count) << "page " << p + 1;
        if (p > 0 && circuit) {
            EXPECT_TRUE(page.contains("Obieg krytyczny (cd.)")) << p + 1;
        }
    }
    EXPECT_GE(circuitPages, 2);
    EXPECT_GE(detailPages, 2);
    const QString text = pages.join(QLatin1Char('\n'));
    EXPECT_EQ(::vimtal::testing::Occurrences(text, QStringLiteral("Σ")), 1);
    // The total on the line of "Σ", after the last fitting's line.
    const qsizetype sigma = text.indexOf(QStringLiteral("Σ"));
    const qsizetype sigmaLineEnd = text.indexOf(QLatin1Char('\n'), sigma);
    EXPECT_TRUE(text.mid(sigma, sigmaLineEnd - sigma).contains(total));
    EXPECT_LT(text.lastIndexOf("KRATKA_NAWIEWNA/WYWIEWNA_PROSTOKĄTNA", sigma), sigma);
    // Each kind's name once in each table (the 101st fitting repeats the
    // first kind, and the name of a second round of kinds shows again).
    EXPECT_EQ(::vimtal::testing::Occurrences(text, QStringLiteral("PROSTKA_OKRĄGŁA")), 2 * 6);
    for (const char* detail : {"L = 2000; Φ1 = 100", "ŁUK GŁADKI", "PRZELOT,", "ROZPŁYW", "PVC", "0,007"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(detail))) << detail;
    }
}

// The CSV of the kept circuit, byte for byte: the BOM, ';' between the
// fields, CR LF, the titles on one line each, every text as the columns
// show it, then "Σ" and the total field's text.
TEST_F(CircuitReport, CsvOfTheKeptCircuitByteForByte) {
    OpenCalculator();
    Window().Open(kGolden);
    ASSERT_EQ(app.ErrorCount(), 0);
    const QString path = Path("obieg.csv");
    app.Fake().saveAnswers.push_back(path);
    app.Click(kCircuit, "EksportujdoCSV1");
    const FileDialogOptions& asked = app.Fake().saveRequests.back();
    EXPECT_EQ(asked.filter, "Arkusz CSV (*.csv)");
    EXPECT_EQ(asked.defaultSuffix, "csv");
    EXPECT_EQ(asked.fileName, "obieg_krytyczny.csv");
    EXPECT_EQ(asked.initialDirectory, folder.QtPath());
    // The texts are those the kept file holds (its rows 0 and 6 are checked
    // against the columns in MohGolden).
    const QByteArray expected =
        "\xEF\xBB\xBF"
        "Lp;Nazwa kształtki;Przepływ V [m3/h];Prędkość w [m/s];Długość L [mm];Średnica zastępcza;ξ [-];"
        "Strata liniowa dpl [Pa];Strata miejscowa dpm [Pa];Strata + dpp [Pa];Strata całkowita dpc [Pa]\r\n"
        "0;PROSTKA_OKRĄGŁA;350;12,379;1234567890;100;0;2164680786;0;0;2164680786\r\n"
        "1;TRÓJNIK_OKRĄGŁY;600;5,305;500;200;0,525;0,82;8,87;0;9,69\r\n"
        "2;REDUKCJA_OKRĄGŁA;200;7,074;750;100;0,23;4,82;6,92;0;11,74\r\n"
        "3;KOLANO_PROSTOKĄTNE;1800;6,25;0;266,7;0,079;0;1,86;0;1,86\r\n"
        "4;TRÓJNIK_PROSTOKĄTNY;2000;9,259;500;240;0,179;1,8;9,2;0;11\r\n"
        "5;REDUKCJA_PROSTOKĄTNA;1000;6,944;300;200;0,266;0,8;7,71;0;8,51\r\n"
        "6;TŁUMIK_HAŁASU_OKRĄGŁY;400;14,148;1000;100;0;28,62;0;180,1;208,72\r\n"
        "7;ODSADZKA_PROSTOKĄTNA;500;6,944;500;133,3;0,35;2,57;10,13;0;12,7\r\n"
        "Σ;;;;;;;;;;2164681050,22\r\n";
    EXPECT_EQ(Contents(path), expected);
    EXPECT_EQ(app.ErrorCount(), 0);

    // Cancelled: nothing written; a folder that is not there: the error box,
    // no file.
    app.Fake().saveAnswers.push_back(std::nullopt);
    app.Click(kCircuit, "EksportujdoCSV1");
    const QString missing = Path("brak/obieg.csv");
    app.Fake().saveAnswers.push_back(missing);
    app.Click(kCircuit, "EksportujdoCSV1");
    EXPECT_EQ(app.ErrorCount(), 1);
    EXPECT_FALSE(QFile::exists(missing));
}

}  // namespace
}  // namespace vimtal::pressureloss::testing
