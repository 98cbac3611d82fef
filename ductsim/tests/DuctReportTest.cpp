// The calculation sheet of the duct cooling simulation, read back from the
// PDF that "Zapisz raport PDF..." writes.
#include "app/testing/AppHarness.h"
#include "charts/ChartWindow.h"
#include "core/ui/testing/PdfTools.h"

#include <gtest/gtest.h>

namespace vimtal {
namespace {

const QString F = QStringLiteral("TForm9");
const QString kChartTitle = QStringLiteral("Temperatura powietrza w kanale w funkcji czasu, ti = f(t)");

// The worked example (0.2 m x 0.2 m, 10 m, 500 m3/h), run.
void RunExample(AppHarness& app) {
    app.Click("TForm18", "SpeedButton4");
    app.SetText(F, "Edit3", "500");
    app.SetText(F, "Edit8", "10");
    app.SetText(F, "Edit9", "0,2");
    app.SetText(F, "Edit10", "0,2");
    app.Click(F, "Button1");
}

QString ReportText(AppHarness& app) { return testing::PdfPageTexts(app.SaveReport(F)).join(QLatin1Char('\n')); }

TEST(DuctReport, BeforeARunTheSheetSaysThereAreNoResults) {
    AppHarness app;
    app.Click("TForm18", "SpeedButton4");
    const QString text = ReportText(app);
    ASSERT_EQ(app.Fake().saveRequests.size(), 1u);
    EXPECT_EQ(app.Fake().saveRequests[0].fileName, "wychladzanie_kanalu.pdf");
    for (const char* part : {"Symulacja szybkości wychladzania powietrza w kanale wentylacyjnym", "Dane wejściowe",
                             "Temperatura powietrza otaczającego kanał", "-20", "Przekrój: prostokątny",
                             "Brak wyników: uruchom obliczenia"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
    }
    EXPECT_FALSE(text.contains(kChartTitle));
    EXPECT_FALSE(text.contains("Uwagi"));
}

TEST(DuctReport, AfterARunTheSheetShowsResultsNotesAndTheChart) {
    AppHarness app;
    RunExample(app);
    // The box as the window shows it, whatever the chart would compute.
    app.SetText(F, "Edit20", "1,390");
    const QStringList pages = testing::PdfPageTexts(app.SaveReport(F));
    const QString text = pages.join(QLatin1Char('\n'));
    for (const char* part : {"Czas całkowity symulacji", "2,88", "Temperatura końcowa powietrza", "18,65",
                             "Gęstość powietrza otaczającego kanał", "1,390",
                             "Schacka dla konwekcji wymuszonej wymaga L ≥ 100·d"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
    }
    EXPECT_LT(text.indexOf("Wyniki"), text.indexOf("Uwagi"));
    EXPECT_LT(text.indexOf("Uwagi"), text.indexOf(kChartTitle));
    EXPECT_FALSE(text.contains("Brak wyników"));
    // The chart computed its air properties without writing them back, and
    // the chart window was never opened.
    EXPECT_EQ(app.Text(F, "Edit20"), "1,390");
    EXPECT_EQ(app.WindowAs<charts::ChartWindow>(QStringLiteral("TForm13"))->Computations(), 0);
    EXPECT_EQ(app.ErrorCount(), 0) << app.LastError().toStdString();
}

TEST(DuctReport, InputsTheChartWouldRefuseLeaveItOutWithTheReason) {
    struct Case {
        const char* edit;
        const char* text;
        const char* reason;
    } cases[] = {
        {"Edit3", "20", "Przepływ w przewodzie jest laminarny - Obliczenia przerwane"},
        {"Edit8", "", "Podaj długość rozpatywanego przewodu"},
        {"Edit8", "1x", "'1x' is not a valid floating point value."},
    };
    for (const Case& c : cases) {
        AppHarness app;
        RunExample(app);
        app.SetText(F, c.edit, c.text);
        app.ClearRecords();
        const QString text = ReportText(app);
        EXPECT_TRUE(text.contains(QStringLiteral("Wykres nie został narysowany: ") + QString::fromUtf8(c.reason)))
            << c.reason;
        EXPECT_FALSE(text.contains(kChartTitle)) << c.reason;
        EXPECT_TRUE(app.Messages().isEmpty()) << app.Messages().join("; ").toStdString();
    }
}

}  // namespace
}  // namespace vimtal
