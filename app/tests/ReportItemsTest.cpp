// Where the report and export items stand in every window that has them,
// with the windows' own items in their order and the client areas at their
// design sizes; and the chart windows' exports, which must give back the
// chart the window shows, pixel for pixel.
#include "app/testing/AppHarness.h"
#include "charts/ChartWindow.h"
#include "charts/tests/ChartPixels.h"
#include "core/Numbers.h"
#include "core/testing/TempFolder.h"

#include <QAction>
#include <QFile>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace vimtal {
namespace {

// The items of a menu by their names, "-" for a separator.
QStringList Items(const QMenu* menu) {
    QStringList items;
    for (const QAction* a : menu->actions()) items << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    return items;
}

// The window's menu of that title (its padding aside), or its context menu
// when the title is empty.
QMenu* MenuOf(AppHarness& app, const QString& window, const QString& title) {
    Form* form = app.Window(window);
    if (title.isEmpty()) return form->findChild<QMenu*>(QStringLiteral("PopupMenu1"), Qt::FindDirectChildrenOnly);
    for (QAction* a : form->MenuBar()->actions()) {
        if (a->menu() && a->text().trimmed().remove(QStringLiteral("...")) == title) return a->menu();
    }
    return nullptr;
}

TEST(ReportItems, StandAfterTheWindowsOwnItemsAndLeaveTheClientAreas) {
    struct Case {
        const char* window;
        const char* menu;  // "": the context menu of a window without "Plik"
        QStringList items;
        QSize client;
    } cases[] = {
        {"TForm5", "Plik",
         {"Otwrz1", "Zapisz1", "Symulacja1", "-", "Ostatniootwierane1", "-", "Drukuj1", "ZapiszraportPDF1", "-",
          "Zamknij1"},
         {761, 491}},
        {"TForm9", "Plik",
         {"Otwrz1", "Zapisz1", "-", "Ostatniootwierane1", "-", "Drukuj1", "ZapiszraportPDF1", "-", "Zamknij1"},
         {798, 526}},
        {"TForm15", "Plik",
         {"Noweobliczenia1", "Otwrzobliczenia1", "Zapiszobliczenia1", "-", "Ostatniootwierane1", "-", "Drukuj1",
          "ZapiszraportPDF1", "EksportujdoCSV1", "-", "Zamknij1"},
         {892, 295}},
        {"TForm19", "", {"Drukuj1", "ZapiszraportPDF1"}, {823, 320}},
        {"TForm6", "Opcje", {"Powiksz1", "Pomniejsz1", "-", "Zapiszwykres1", "Eksportujdane1"}, {500, 305}},
        {"TForm13", "Opcje", {"Zapiszwykres1", "Eksportujdane1"}, {498, 328}},
    };
    AppHarness app;
    for (const Case& c : cases) {
        const QString window = QString::fromLatin1(c.window);
        const QMenu* menu = MenuOf(app, window, QString::fromLatin1(c.menu));
        ASSERT_NE(menu, nullptr) << c.window;
        EXPECT_EQ(Items(menu), c.items) << c.window;
        EXPECT_EQ(app.Window(window)->Client()->size(), c.client) << c.window;
        if (c.items.contains("Drukuj1")) {
            EXPECT_EQ(app.Control<QAction>(window, "Drukuj1")->shortcut(), QKeySequence("Ctrl+P")) << c.window;
            EXPECT_EQ(app.Text(window, "ZapiszraportPDF1"), "Zapisz raport PDF...");
        }
    }
    EXPECT_EQ(app.Text("TForm15", "EksportujdoCSV1"), "Eksportuj do CSV...");
    // The tank sizing keeps a window without a menu bar.
    EXPECT_EQ(app.Window("TForm19")->findChild<QMenuBar*>(), nullptr);
}

// Each chart as its window shows it: opened from its module, saved as PNG
// and SVG (the same pixels as the kept image) and its points as CSV (one
// line a point, the quantities and units above).
TEST(ReportItems, ChartExportsAreTheWindowsChart) {
    struct Case {
        const char* window;
        std::function<void(AppHarness&)> open;
        const char* picture;
        const char* data;
        const char* header;
    } cases[] = {
        {"TForm6", [](AppHarness& app) { app.Click("TForm5", "Button3"); }, "wykres_tw_t.png",
         "dane_wykresu_tw_t.csv", "t [min];tw [°C]"},
        {"TForm6", [](AppHarness& app) { app.Click("TForm5", "Button4"); }, "wykres_Qzr_t.png",
         "dane_wykresu_Qzr_t.csv", "t [min];Qzr [kW]"},
        {"TForm6", [](AppHarness& app) { app.Click("TForm5", "Button5"); }, "wykres_Qzr_tw.png",
         "dane_wykresu_Qzr_tw.csv", "tw [°C];Qzr [kW]"},
        {"TForm13",
         [](AppHarness& app) {
             app.Click("TForm18", "SpeedButton4");
             for (const auto& [box, text] : {std::pair{"Edit3", "500"}, {"Edit8", "10"}, {"Edit9", "0,2"}, {"Edit10", "0,2"}}) {
                 app.SetText("TForm9", box, text);
             }
             app.Click("TForm9", "Button2");
         },
         "wykres_ti_t.png", "dane_wykresu_ti_t.csv", "t [s];ti [°C]"},
    };
    for (const Case& c : cases) {
        AppHarness app;
        app.Click("TForm18", "SpeedButton3");
        for (const auto& [box, text] : {std::pair{"Edit2", "0,5"}, {"Edit12", "0,5"}, {"Edit9", "10"}, {"Edit7", "55"}}) {
            app.Type("TForm5", box, text);
        }
        c.open(app);
        const QString window = QString::fromLatin1(c.window);
        auto* chart = app.WindowAs<charts::ChartWindow>(window);
        ASSERT_TRUE(chart->isVisible()) << c.picture;
        const int computations = chart->Computations();
        ASSERT_GT(chart->Points().size(), 10u) << c.picture;

        vimtal::testing::TempFolder folder;
        const QString png = folder.QtFile("wykres.png"), svg = folder.QtFile("wykres.svg"),
                      csv = folder.QtFile("dane.csv");
        app.Fake().saveAnswers = {png, svg, csv};
        app.Click(window, "Zapiszwykres1");
        EXPECT_EQ(app.Fake().saveRequests.back().fileName, c.picture);
        app.Click(window, "Zapiszwykres1");
        app.Click(window, "Eksportujdane1");
        EXPECT_EQ(app.Fake().saveRequests.back().fileName, c.data);
        EXPECT_EQ(app.ErrorCount(), 0) << app.LastError().toStdString();

        const QImage& shown = chart->Image();
        EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32), shown) << c.picture;
        QFile svgFile(svg);
        ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
        EXPECT_EQ(charts::testing::RenderedSvg(svgFile.readAll(), shown.size()), shown) << c.picture;

        QFile csvFile(csv);
        ASSERT_TRUE(csvFile.open(QIODevice::ReadOnly));
        const QByteArray bytes = csvFile.readAll();
        EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF")) << c.data;
        const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
        ASSERT_EQ(lines.size(), static_cast<qsizetype>(chart->Points().size()) + 2) << c.data;  // and the last CR LF
        EXPECT_EQ(lines.front(), QString::fromUtf8(c.header));
        const charts::PlotPoint& last = chart->Points().back();
        EXPECT_EQ(lines[lines.size() - 2], QString::fromStdString(FloatToStr(last.x) + ";" + FloatToStr(last.y)));
        EXPECT_TRUE(lines.back().isEmpty());
        EXPECT_EQ(chart->Computations(), computations) << c.picture;
    }
}

}  // namespace
}  // namespace vimtal
