#include "core/ui/testing/PdfTools.h"
#include "core/ui/testing/SampleReports.h"

#include "core/Errors.h"
#include "core/ui/ReportRenderer.h"
#include "core/testing/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vimtal {
namespace {

using testing::Occurrences;
using testing::PdfInfo;
using testing::PdfPageCount;
using testing::PdfPageImage;
using testing::PdfPageTexts;

using testing::CircuitReport;

// Where a test keeps its PDF and page pictures for a person to look at:
// the folder VIMTAL_REPORT_SAMPLES names, when set.
QString Keep(const QString& name, const QByteArray& pdf = {}) {
    const QString folder = qEnvironmentVariable("VIMTAL_REPORT_SAMPLES");
    if (folder.isEmpty()) return {};
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(name);
    if (!pdf.isEmpty()) {
        QFile file(path + QStringLiteral(".pdf"));
        if (file.open(QIODevice::WriteOnly)) file.write(pdf);
    }
    return path + QStringLiteral(".png");
}

// Whitespace of pdftotext's layout collapsed, so a table row reads as its
// cells in order.
QString Collapsed(const QString& text) {
    return QString(text).replace(QRegularExpression(QStringLiteral("[ \\t]+")), QStringLiteral(" "));
}

Report DhwLikeReport(bool computed) {
    Report report{ReportDocument("Symulacja czasu ładowania zbiornika C.W.U"), {}};
    report.document.Inputs()
        .Group("Zasobnik")
        .Add("Wysokość zasobnika", "H", "1,2", "m")
        .Add("Średnica zasobnika", "D", "0,5", "m")
        .Choice("Ogrzewanie", "wodne")
        .Choice("Straty ciepła", "uwzględniane");
    auto& results = report.document.Results();
    if (computed) results.Add("Czas ładowania zasobnika", "τ", "35,2", "min");
    return report;
}

TEST(ReportRenderer, EveryPageHasTheHeaderAndItsNumberOfTheTotal) {
    Report report = DhwLikeReport(true);
    for (int i = 0; i < 60; ++i) report.document.AddParagraph("Akapit wypełniający numer " + std::to_string(i) + ".");
    const QByteArray pdf = ReportPdf(report, testing::StoppedClock());
    Keep(QStringLiteral("header"), pdf);

    ASSERT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(PdfInfo(pdf, QStringLiteral("Title")), "Symulacja czasu ładowania zbiornika C.W.U");
    EXPECT_TRUE(PdfInfo(pdf, QStringLiteral("Page size")).contains(QStringLiteral("(A4)")));
    const QStringList pages = PdfPageTexts(pdf);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(PdfPageCount(pdf), 2);
    for (int p = 0; p < pages.size(); ++p) {
        const QString& page = pages[p];
        EXPECT_EQ(Occurrences(page, QStringLiteral("Vimtal v 1.05")), 1) << p;
        EXPECT_EQ(Occurrences(page, QStringLiteral("Symulacja czasu ładowania zbiornika C.W.U")), 1) << p;
        EXPECT_EQ(Occurrences(page, QStringLiteral("Data: 14.03.2025, godz. 10:42")), 1) << p;
        EXPECT_EQ(Occurrences(page, QStringLiteral("Strona %1 z 2").arg(p + 1)), 1) << p;
    }
    // The paragraphs in order, none lost at the break.
    const QString all = pages.join(QLatin1Char('\n'));
    int at = 0;
    for (int i = 0; i < 60; ++i) {
        at = all.indexOf(QStringLiteral("Akapit wypełniający numer %1.").arg(i), at);
        ASSERT_GE(at, 0) << i;
    }
    // The signatures close the report.
    EXPECT_EQ(Occurrences(pages[1], QStringLiteral("Opracował:")), 1);
    EXPECT_EQ(Occurrences(pages[1], QStringLiteral("Sprawdził:")), 1);
    EXPECT_EQ(Occurrences(pages[0], QStringLiteral("Opracował:")), 0);
}

TEST(ReportRenderer, FieldTablesShowTheWindowsTextsInTheirColumns) {
    struct Case {
        bool computed;
        std::vector<QString> present;
        std::vector<QString> absent;
    } cases[] = {
        {true,
         {"Wielkość Symbol Wartość Jednostka", "Wysokość zasobnika H 1,2 m", "Średnica zasobnika D 0,5 m",
          "Ogrzewanie: wodne", "Straty ciepła: uwzględniane", "Zasobnik", "Czas ładowania zasobnika τ 35,2 min"},
         {"Brak wyników"}},
        {false,
         {"Wysokość zasobnika H 1,2 m", "Wyniki\nBrak wyników: uruchom obliczenia"},
         {"Czas ładowania"}},
    };
    for (const Case& c : cases) {
        const QByteArray pdf = ReportPdf(DhwLikeReport(c.computed), testing::StoppedClock());
        Keep(c.computed ? QStringLiteral("fields") : QStringLiteral("no_results"), pdf);
        QString text = Collapsed(PdfPageTexts(pdf).join(QLatin1Char('\n')));
        // Lines only: the leading spaces of a line are layout.
        text.replace(QRegularExpression(QStringLiteral("\n ")), QStringLiteral("\n"));
        text.replace(QRegularExpression(QStringLiteral("\n+")), QStringLiteral("\n"));
        for (const QString& s : c.present) EXPECT_TRUE(text.contains(s)) << s.toStdString() << "\n" << text.toStdString();
        for (const QString& s : c.absent) EXPECT_FALSE(text.contains(s)) << s.toStdString();
        // Inputs come before the results.
        EXPECT_LT(text.indexOf(QStringLiteral("Dane wejściowe")), text.indexOf(QStringLiteral("Wyniki")));
    }
}

TEST(ReportRenderer, ALongCircuitRepeatsItsTitleRowOnEveryPage) {
    const QByteArray pdf = ReportPdf(CircuitReport(101), testing::StoppedClock());
    Keep(QStringLiteral("circuit"), pdf);
    const QStringList pages = PdfPageTexts(pdf);
    const int count = PdfPageCount(pdf);
    ASSERT_GE(count, 3);  // 101 rows do not fit two A4 pages
    ASSERT_EQ(pages.size(), count);

    QString all;
    for (int p = 0; p < count; ++p) {
        const QString page = pages[p];
        EXPECT_EQ(Occurrences(page, QStringLiteral("Strona %1 z %2").arg(p + 1).arg(count)), 1) << p;
        EXPECT_EQ(Occurrences(page, QStringLiteral("Nazwa kształtki")), 1) << p;
        EXPECT_EQ(Occurrences(page, QStringLiteral("całkowita")), 1) << p;
        EXPECT_EQ(Occurrences(page, QStringLiteral("dpc [Pa]")), 1) << p;
        EXPECT_EQ(Occurrences(page, QStringLiteral("Obieg krytyczny (cd.)")), p > 0 ? 1 : 0) << p;
        // The total only at the end.
        EXPECT_EQ(Occurrences(page, QStringLiteral("Σ")), p + 1 == count ? 1 : 0) << p;
        all += page;
    }
    // Every fitting once, in order, each row's cells on one line.
    const QString collapsed = Collapsed(all);
    int at = 0;
    for (int i = 1; i <= 101; ++i) {
        const QString row = QStringLiteral("%1 Kolano prostokątne 90° nr %1 1200 4,17 500 200 0,21 0,53 2,19 0 %2,72")
                                .arg(i)
                                .arg(2 + i % 7);
        const int found = collapsed.indexOf(row, at);
        ASSERT_GE(found, 0) << row.toStdString();
        EXPECT_EQ(collapsed.indexOf(row, found + 1), -1) << row.toStdString();
        at = found;
    }
    EXPECT_TRUE(Collapsed(pages.last()).contains(QStringLiteral("Σ 371,5")));
}

// A table too wide for the page wraps its text columns, but never narrower
// than a word it cannot break: a fitting's name stands whole in its column,
// clear of the column beside it.
TEST(ReportRenderer, WrappedTextColumnsKeepTheirLongestWordsWhole) {
    Report report{ReportDocument("Kalkulator strat ciśnienia - obiegu krytycznego"), {}};
    std::vector<report::Column> columns = {{"Nazwa kształtki"}, {"Opis"}};
    for (int c = 0; c < 8; ++c) columns.push_back({"Strata\ndp" + std::to_string(c) + " [Pa]"});
    report::Table& table = report.document.AddTable("Obieg krytyczny", columns);
    const std::string names[] = {"PODSTAWA_DACHOWA_PROSTOKĄTNA", "KRATKA_NAWIEWNA_WYWIEWNA_PROSTOKĄTNA"};
    for (const std::string& name : names) {
        std::vector<std::string> row = {name, "opis kształtki podany przez projektanta w kilku słowach"};
        for (int c = 0; c < 8; ++c) row.push_back("21646,22");
        table.AddRow(row);
    }
    const QByteArray pdf = ReportPdf(report, testing::StoppedClock());
    const std::vector<testing::PdfWord> words = testing::PdfPageWords(pdf, 1);
    for (const std::string& name : names) {
        const auto word = std::find_if(words.begin(), words.end(),
                                       [&](const testing::PdfWord& w) { return w.text == QString::fromStdString(name); });
        ASSERT_NE(word, words.end()) << name;
        // The description on the name's line starts to its right.
        const auto opis = std::find_if(words.begin(), words.end(), [&](const testing::PdfWord& w) {
            return w.text == "opis" && std::abs(w.box.top() - word->box.top()) < 1;
        });
        ASSERT_NE(opis, words.end()) << name;
        EXPECT_LT(word->box.right(), opis->box.left()) << name;
    }
}

TEST(ReportRenderer, TheSummaryNeverStandsAloneOnAPage) {
    // Rows are added until the summary would be the first row of a page: it
    // must take the last fitting with it.
    for (int rows = 30; rows <= 80; ++rows) {
        const QByteArray pdf = ReportPdf(CircuitReport(rows), testing::StoppedClock());
        const QStringList pages = PdfPageTexts(pdf);
        ASSERT_FALSE(pages.isEmpty());
        const QString last = Collapsed(pages.last());
        if (!last.contains(QStringLiteral("Σ"))) {
            ADD_FAILURE() << rows << " rows: the total is not on the last page";
            continue;
        }
        const QString lastRow = QStringLiteral("Kolano prostokątne 90° nr %1 ").arg(rows);
        EXPECT_TRUE(last.contains(lastRow)) << rows << " rows: the total left without the last fitting";
        if (pages.size() >= 2) break;  // the first break was passed
    }
}

TEST(ReportRenderer, NotesAreNumberedUnderUwagi) {
    Report report = DhwLikeReport(true);
    report.document.AddNotes({"Woda w zasobniku idealnie wymieszana.",
                              "Straty ciepła przez izolację liczone dla temperatury otoczenia 20 °C; " +
                                  std::string(40, 'x') + " długi tekst zawinięty w kilku wierszach aż do końca."});
    const QByteArray pdf = ReportPdf(report, testing::StoppedClock());
    const QString text = Collapsed(PdfPageTexts(pdf).join(QLatin1Char('\n')));
    const int heading = text.indexOf(QStringLiteral("\nUwagi\n"));
    ASSERT_GE(heading, 0) << text.toStdString();
    EXPECT_GT(text.indexOf(QStringLiteral("1. Woda w zasobniku idealnie wymieszana.")), heading);
    EXPECT_GT(text.indexOf(QStringLiteral("2. Straty ciepła przez izolację")), heading);
    EXPECT_GT(text.indexOf(QStringLiteral("aż do końca.")), heading);
}

TEST(ReportRenderer, ThePageRangeAskedForIsDrawn) {
    const Report report = CircuitReport(101);
    const int count = PdfPageCount(ReportPdf(report, testing::StoppedClock()));
    ASSERT_GE(count, 3);
    ReportRenderOptions options = testing::StoppedClock();
    options.firstPage = 2;
    options.lastPage = 2;
    const QByteArray second = ReportPdf(report, options);
    const QStringList pages = PdfPageTexts(second);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Strona 2 z %1").arg(count)));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Obieg krytyczny (cd.)")));
}

// Pixels of the logo's orange drop (nothing else on a report is orange)
// within the top left 35 x 35 mm of the sheet.
int LogoPixels(const QImage& page) {
    int orange = 0;
    const int corner = static_cast<int>(35 / 25.4 * page.dotsPerMeterX() * 0.0254);
    for (int y = 0; y < corner; ++y) {
        for (int x = 0; x < corner; ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.red() > 180 && c.green() > 40 && c.green() < 190 && c.blue() < 110) ++orange;
        }
    }
    return orange;
}

TEST(ReportRenderer, TheLogoStandsInTheHeaderOfEveryPage) {
    const QByteArray pdf = ReportPdf(CircuitReport(101), testing::StoppedClock());
    const int count = PdfPageCount(pdf);
    ASSERT_GE(count, 3);
    for (int p = 1; p <= count; ++p) {
        const QImage page = PdfPageImage(pdf, p, 100, p == 1 ? Keep(QStringLiteral("circuit_page1")) : QString());
        ASSERT_FALSE(page.isNull());
        EXPECT_GT(LogoPixels(page), 5) << "page " << p;
    }
    ReportRenderOptions options = testing::StoppedClock();
    options.logo = QStringLiteral(":/no/such/logo.svg");
    EXPECT_EQ(LogoPixels(PdfPageImage(ReportPdf(CircuitReport(3), options), 1, 100)), 0);
}

TEST(ReportRenderer, AChartWithoutADrawingIsAWiringFault) {
    Report report = DhwLikeReport(true);
    report.document.AddChart("Qzr", "Moc źródła", 500, 305);
    EXPECT_THROW(ReportPdf(report, testing::StoppedClock()), std::logic_error);
}

TEST(ReportRenderer, SavingKeepsTheOldFileWhenTheFolderIsMissing) {
    vimtal::testing::TempFolder dir;
    const QString path = dir.QtFile(QStringLiteral("raport ą.pdf"));
    SaveReportPdf(path, DhwLikeReport(false), testing::StoppedClock());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    EXPECT_TRUE(written.startsWith("%PDF"));
    EXPECT_TRUE(PdfPageTexts(written).join(QString()).contains(QStringLiteral("Brak wyników: uruchom obliczenia")));
    EXPECT_EQ(QDir(dir.QtPath()).entryList(QDir::Files).size(), 1);  // no temporary file left
    EXPECT_THROW(SaveReportPdf(dir.QtFile(QStringLiteral("brak/raport.pdf")), DhwLikeReport(false), testing::StoppedClock()),
                 FileError);
}

}  // namespace
}  // namespace vimtal
