// The calculation sheet of the charging simulation, read back from the PDF
// that "Zapisz raport PDF..." writes.
#include "app/testing/AppHarness.h"
#include "charts/ChartWindow.h"
#include "core/ui/testing/PdfTools.h"

#include <QLineEdit>

#include <gtest/gtest.h>

namespace vimtal {
namespace {

const QString F5 = QStringLiteral("TForm5");

// A 98-litre tank heated by 10 kW from 10 to 55 C; the run opens the chart,
// which is closed again.
void RunTank(AppHarness& app) {
    app.Type(F5, "Edit2", "0,5");
    app.Type(F5, "Edit12", "0,5");
    app.Type(F5, "Edit9", "10");
    app.Type(F5, "Edit7", "55");
    app.Click(F5, "Button1");
    app.Close(QStringLiteral("TForm6"));
}

QString ReportText(AppHarness& app) { return testing::PdfPageTexts(app.SaveReport(F5)).join(QLatin1Char('\n')); }

void ExpectAll(const QString& text, std::initializer_list<const char*> parts, bool present) {
    for (const char* part : parts) EXPECT_EQ(text.contains(QString::fromUtf8(part)), present) << part;
}

const std::initializer_list<const char*> kChartTitles = {
    "Temperatura wody w zasobniku w funkcji czasu, tw = f(t)",
    "Moc źródła ciepła w funkcji czasu, Qzr = f(t)",
    "Moc źródła ciepła w funkcji temperatury wody w zasobniku, Qzr = f(tw)",
};

TEST(DhwReport, BeforeARunTheSheetHasTheInputsAndSettingsOnly) {
    AppHarness app;
    const QString text = ReportText(app);
    ASSERT_EQ(app.Fake().saveRequests.size(), 1u);
    EXPECT_EQ(app.Fake().saveRequests[0].fileName, "symulacja_cwu.pdf");
    ExpectAll(text,
              {"Symulacja czasu ładowania zbiornika C.W.U", "Dane wejściowe", "Temperatura początkowa wody",
               "Ogrzewanie: wodne", "Kryterium: temperatura do osiągnięcia", "Ustawienia symulacji",
               "Maksymalna liczba iteracji do zatrzymania", "10000000",
               "Straty ciepła do otoczenia: uwzględniane", "Brak wyników: uruchom obliczenia"},
              true);
    // Hidden in the window: the mass-flow entry; the target time not chosen
    // and empty; no results, so no charts and no notes.
    ExpectAll(text, {"Masowy przepływ", "Dane źródła ciepła", "Czas ładowania", "Uwagi"}, false);
    ExpectAll(text, kChartTitles, false);
    EXPECT_EQ(app.ErrorCount(), 0) << app.LastError().toStdString();
}

TEST(DhwReport, AfterARunTheSheetShowsResultsNotesAndTheThreeCharts) {
    AppHarness app;
    app.SetText(F5, "Edit4", "70");
    app.SetText(F5, "Edit5", "90");  // the supply colder than the return: a note
    RunTank(app);
    auto* chart = app.WindowAs<charts::ChartWindow>(QStringLiteral("TForm6"));
    const int computations = chart->Computations();
    const QString time = app.Text(F5, "Edit8");
    ASSERT_FALSE(time.isEmpty());
    app.SetText(F5, "Edit8", time + QStringLiteral("0"));  // the sheet shows the box as it is

    const QByteArray pdf = app.SaveReport(F5);
    const QStringList pages = testing::PdfPageTexts(pdf);
    const QString text = pages.join(QLatin1Char('\n'));
    ExpectAll(text,
              {"Wyniki", "Czas osiągnięcia zadanej temperatury", "Objętość zasobnika CWU",
               "jest niższa od temperatury powrotu tp = 90 °C"},
              true);
    ExpectAll(text, kChartTitles, true);
    EXPECT_TRUE(text.contains(time + QStringLiteral("0")));
    EXPECT_FALSE(text.contains("Brak wyników"));
    // Notes under their heading, after the results; the charts last.
    const qsizetype results = text.indexOf("Wyniki"), notes = text.indexOf("Uwagi"),
                    charts = text.indexOf(QString::fromUtf8(*kChartTitles.begin()));
    EXPECT_LT(results, notes);
    EXPECT_LT(notes, charts);
    EXPECT_GE(pages.size(), 2);
    // The charts are vectors: the whole sheet stays small.
    EXPECT_LT(pdf.size(), 400 * 1024);

    // Nothing in the window changed: its boxes, its chart.
    EXPECT_EQ(app.Text(F5, "Edit8"), time + QStringLiteral("0"));
    EXPECT_EQ(chart->Computations(), computations);
    EXPECT_EQ(app.ErrorCount(), 0) << app.LastError().toStdString();
}

// "Drukuj..." gives the printer the same sheet, charts and all; a print
// dialog cancelled prints nothing.
TEST(DhwReport, ThePrinterGetsTheSameSheet) {
    AppHarness app;
    RunTank(app);
    app.Fake().printAnswers = {false, true};
    app.Click(F5, "Drukuj1");
    EXPECT_TRUE(app.Fake().printed.empty());
    app.Click(F5, "Drukuj1");
    ASSERT_EQ(app.Fake().printed.size(), 1u);
    const QString title = app.Window(F5)->windowTitle();  // the document's name in the queue
    EXPECT_EQ(app.Fake().printRequests, (std::vector<QString>{title, title}));
    const QString printed = testing::PdfPageTexts(app.Fake().printed[0]).join(QLatin1Char('\n'));
    ExpectAll(printed, kChartTitles, true);
    EXPECT_TRUE(printed.contains(app.Text(F5, "Edit8")));
    EXPECT_EQ(app.ErrorCount(), 0) << app.LastError().toStdString();
}

TEST(DhwReport, InputsAChartWouldRefuseLeaveTheChartsOutWithTheReason) {
    AppHarness app;
    RunTank(app);
    app.ClearRecords();
    app.SetText(F5, "Edit7", "");
    const QString text = ReportText(app);
    EXPECT_TRUE(text.contains(
        "Wykresy nie zostały narysowane: Podaj temperaturę do której chcesz ogrzać wode w zasobniku C.W.U."));
    ExpectAll(text, kChartTitles, false);
    // Said on the sheet, not in a box.
    EXPECT_TRUE(app.Messages().isEmpty()) << app.LastMessage().toStdString();

    app.SetText(F5, "Edit7", "5x");
    EXPECT_TRUE(ReportText(app).contains("Wykresy nie zostały narysowane: '5x' is not a valid floating point value."));
    EXPECT_EQ(app.ErrorCount(), 0) << app.LastError().toStdString();
}

}  // namespace
}  // namespace vimtal
