// The process sheet of the i-x chart window: chains opened, exported, saved
// and reopened through the menu, built and edited through the dialogs,
// refused without a trace, opened from outside, and drawn and reported.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <QUrl>

#include <fstream>
#include <sstream>

#include "aircalc/IxChartForm.h"
#include "aircalc/IxpFile.h"
#include "app/testing/AppHarness.h"
#include "core/testing/TempFolder.h"
#include "core/ui/RecentFiles.h"
#include "core/ui/testing/PdfTools.h"

namespace vimtal {
namespace {

using namespace aircalc;

const QString F = QStringLiteral("IxChartForm");
const QString S = QStringLiteral("IxStateForm");
const QString P = QStringLiteral("IxProcessForm");
const QString kData = QStringLiteral(AIRCALC_TEST_DATA);

QStringList Split(const QString& line, QChar separator) { return line.split(separator); }

class IxChainWindow : public ModuleTest {
protected:
    IxChainWindow() : ModuleTest("SpeedButton2") { app.Click("TForm10", "Wykresix1"); }

    IxChartForm& Chart() { return *app.WindowAs<IxChartForm>(F); }
    QTableWidget* Grid(const char* name) { return app.Control<QTableWidget>(F, name); }
    // A table as its texts, a row a line, cells apart by '|'.
    QStringList Rows(const char* name) {
        QStringList rows;
        QTableWidget* grid = Grid(name);
        for (int r = 0; r < grid->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < grid->columnCount(); ++c) cells << grid->item(r, c)->text();
            rows << cells.join('|');
        }
        return rows;
    }
    QString Write(const QString& name, const QByteArray& text) {
        const QString path = folder.QtFile(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }
    void OpenByItem(const QString& path) {
        app.Fake().openAnswers.push_back(path);
        app.Click(F, "Otwrz1");
    }
    // The CSV "Eksportuj do CSV..." writes, as lines of cells.
    std::vector<QStringList> Export() {
        const QString path = folder.QtFile("przemiany.csv");
        app.Fake().saveAnswers.push_back(path);
        app.Click(F, "EksportujdoCSV1");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
        std::vector<QStringList> lines;
        for (const QString& line : QString::fromUtf8(bytes.mid(3)).split("\r\n")) lines.push_back(Split(line, ';'));
        return lines;
    }
    // "Dodaj punkt...", the fields typed, "OK".
    void AddState(std::initializer_list<std::pair<const char*, const char*>> fields) {
        app.Click(F, "ButtonDodajPunkt");
        for (const auto& [edit, text] : fields) app.SetText(S, edit, QString::fromUtf8(text));
        app.Click(S, "Button1");
    }
    // "Dodaj przemianę...", its type (the list's order), the fields, "OK".
    void AddProcess(int type, std::initializer_list<std::pair<const char*, const char*>> fields) {
        app.Click(F, "ButtonDodajPrzemiane");
        app.Select(P, "ComboTyp", type);
        for (const auto& [control, text] : fields) {
            if (auto* combo = app.Window(P)->findChild<QComboBox*>(control)) {
                combo->setCurrentText(QString::fromUtf8(text));
            } else {
                app.SetText(P, control, QString::fromUtf8(text));
            }
        }
        app.Click(P, "Button1");
    }
    void Shot(const QString& name, const QString& window = F) {
        const QString shots = qEnvironmentVariable("VIMTAL_SHOTS_DIR");
        if (shots.isEmpty()) return;
        QDir().mkpath(shots);
        app.Grab(window).save(shots + "/" + name + ".png");
    }

    const vimtal::testing::TempFolder folder;
};

// The chains process_reference.py computed apart from the program, opened
// through "Otwórz..." and exported through "Eksportuj do CSV...": every
// state within 0.05 K, 0.2 % phi, 0.02 g/kg and 0.05 kJ/kg, every m, Q and W
// within 0.3 %.
TEST_F(IxChainWindow, OpenedChainsExportTheIndependentFigures) {
    std::ifstream reference(AIRCALC_TEST_DATA "/process_reference.tsv");
    ASSERT_TRUE(reference);
    std::vector<QStringList> csv;
    std::size_t row = 0, chains = 0, compared = 0;
    const auto number = [](QString text) { return text.replace(',', '.').toDouble(); };
    for (std::string text; std::getline(reference, text);) {
        if (text.empty() || text[0] == '#') continue;
        const QStringList f = Split(QString::fromStdString(text), '\t');
        if (f[0] == "chain") {
            OpenByItem(Write(QString("lancuch%1.ixp").arg(chains), f[1].toUtf8()));
            ASSERT_EQ(app.ErrorCount(), 0);
            ASSERT_TRUE(app.Messages().isEmpty()) << app.LastMessage().toStdString();
            csv.clear();
            for (const QStringList& line : Export()) {
                if (line.size() > 1 && line[0] != "Punkt" && line[0] != "Przemiana") csv.push_back(line);
            }
            // The sheet shows the same chain: a row a state, a row a process.
            const std::size_t states = Chart().ChainResults().states.size();
            EXPECT_EQ(Grid("GridPunkty")->rowCount(), static_cast<int>(states));
            EXPECT_EQ(Grid("GridPrzemiany")->rowCount(), static_cast<int>(csv.size() - states));
            row = 0;
            ++chains;
            continue;
        }
        ASSERT_LT(row, csv.size()) << text;
        const QStringList& got = csv[row++];
        SCOPED_TRACE(text);
        if (f[0] == "state") {
            ASSERT_EQ(got.size(), 8);
            EXPECT_EQ(got[0], f[1]);
            const double tolerance[] = {0.05, 0.2, 0.02, 0.05, 0.002, 0.05, 0.05};
            for (int k = 0; k < 7; ++k) EXPECT_NEAR(number(got[k + 1]), f[k + 2].toDouble(), tolerance[k]) << k;
        } else {
            ASSERT_EQ(got.size(), 6);
            EXPECT_EQ(got.mid(0, 3), f.mid(1, 3));
            for (int k = 0; k < 3; ++k) {
                const double expected = f[k + 4].toDouble();
                EXPECT_NEAR(number(got[k + 3]), expected, 0.003 * std::fabs(expected)) << k;
            }
        }
        ++compared;
    }
    EXPECT_EQ(chains, 5u);
    EXPECT_EQ(compared, 42u);
    EXPECT_EQ(app.Fake().openRequests.back().filter, "Przemiany powietrza (*.ixp)");
    EXPECT_EQ(app.Fake().saveRequests.back().filter, "Arkusz CSV (*.csv)");
}

TEST_F(IxChainWindow, BrokenFilesAreRefusedAndTheChainStays) {
    const QString winter = kData + "/data/zima.ixp";
    OpenByItem(winter);
    ASSERT_EQ(app.Messages(), QStringList{});
    const std::string inputs = WriteIxp(Chart().Chain());
    const QStringList states = Rows("GridPunkty"), processes = Rows("GridPrzemiany");
    const std::size_t marks = Chart().Overlay().points.size();
    const QByteArray head = R"({"format": "vimtal-ix", "version": 1, "pressure": 101325, "states": [)";
    const struct {
        QByteArray text;  // empty: no such file
        const char* message;
    } cases[] = {
        {head + R"({"name": "1", "t": 20, "phi": 50}, ])", "wiersz 1"},
        {head + R"({"name": "1", "t": 20}]})", "states[0]"},
        {head + R"({"name": "1", "t": 20, "phi": 50}], "processes": [{"type": "drying", "from": "1", "to": "2"}]})",
         "processes[0].type"},
        {head + R"({"name": "1", "t": 20, "phi": 50}], "processes": [{"type": "heating", "from": "X", "t2": 30, "to": "2"}]})",
         "„X”"},
        {R"({"format": "vimtal-ix", "version": 2, "pressure": 101325, "states": []})", "version"},
        // Read well, refused by the chain: a heating below the dew point.
        {head + R"({"name": "1", "t": 20, "phi": 50}], "processes": [{"type": "heating", "from": "1", "t2": 2, "to": "2"}]})",
         "chłodzenie z osuszaniem"},
        // A pressure the chain takes but the chart does not draw.
        {R"({"format": "vimtal-ix", "version": 1, "pressure": 55000, "states": [{"name": "1", "t": 20, "phi": 50}]})",
         "60000"},
        {{}, "File not found"},  // the error box, as every module gives it
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        app.ClearRecords();
        const QString path = c.text.isEmpty() ? folder.QtFile("brak.ixp") : Write(QString("zly%1.ixp").arg(n++), c.text);
        OpenByItem(path);
        ASSERT_EQ(app.Messages().size(), 1);
        EXPECT_TRUE(app.LastMessage().contains(QString::fromUtf8(c.message))) << app.LastMessage().toStdString();
        EXPECT_EQ(WriteIxp(Chart().Chain()), inputs);
        EXPECT_EQ(Rows("GridPunkty"), states);
        EXPECT_EQ(Rows("GridPrzemiany"), processes);
        EXPECT_EQ(Chart().Overlay().points.size(), marks);
        EXPECT_EQ(app.Text(F, "EditPb"), "101325");
    }
    EXPECT_EQ(StoredRecentFiles("ixp"), QStringList{winter});
}

TEST_F(IxChainWindow, FogAfterAMixingShowsUwagi) {
    EXPECT_FALSE(app.Control<QWidget>(F, "LabelUwagi")->isVisibleTo(&Chart()));
    OpenByItem(Write("mgla.ixp", R"({"format": "vimtal-ix", "version": 1, "pressure": 101325,
        "states": [{"name": "Zew", "t": -15, "phi": 100, "flow": {"m": 1.2}},
                   {"name": "Wyw", "t": 30, "x": 20, "flow": {"m": 1.0}}],
        "processes": [{"type": "mixing", "from": ["Zew", "Wyw"], "to": "M"}]})"));
    EXPECT_EQ(app.Text(F, "LabelUwagi"), "⚠ Uwagi: 1");
    EXPECT_TRUE(app.Control<QWidget>(F, "LabelUwagi")->isVisibleTo(&Chart()));
    EXPECT_TRUE(app.Control<QWidget>(F, "LabelUwagi")->toolTip().contains("obszarze mgły"));
    EXPECT_EQ(Grid("GridPunkty")->item(2, 0)->text(), "M (mgła)");
    // On the chart: the fog marked, the inlets dashed to the mixed state.
    const IxOverlay& overlay = Chart().Overlay();
    ASSERT_EQ(overlay.points.size(), 3u);
    EXPECT_TRUE(overlay.points[2].fog);
    ASSERT_EQ(overlay.segments.size(), 2u);
    for (const IxOverlay::Segment& s : overlay.segments) EXPECT_EQ(s.stroke, IxOverlay::Stroke::Dashed);
    EXPECT_EQ(app.ErrorCount(), 0);
}

TEST_F(IxChainWindow, ASavedChainReopensToTheSameFigures) {
    OpenByItem(kData + "/data/zima.ixp");
    app.SetText(F, "EditPb", "95000");  // the chain follows the chart's pressure
    Chart().EditPbExit();
    const QString path = folder.QtFile("zapisany.ixp");
    app.Fake().saveAnswers.push_back(path);
    app.Click(F, "Zapisz1");
    EXPECT_EQ(app.Fake().saveRequests.back().filter, "Przemiany powietrza (*.ixp)");
    EXPECT_EQ(app.Fake().saveRequests.back().fileName, kData + "/data/zima.ixp");
    const std::string saved = WriteIxp(Chart().Chain());
    const ChainResult before = Chart().ChainResults();
    const QStringList states = Rows("GridPunkty"), processes = Rows("GridPrzemiany");
    ASSERT_EQ(app.ErrorCount(), 0);

    // Another chain at another pressure in between, then the saved one.
    OpenByItem(kData + "/data/lato.ixp");
    ASSERT_EQ(app.Text(F, "EditPb"), "101325");
    OpenByItem(path);
    EXPECT_EQ(Chart().Pressure(), 95000);
    EXPECT_EQ(app.Text(F, "EditPb"), "95000");
    EXPECT_EQ(WriteIxp(Chart().Chain()), saved);
    const ChainResult& after = Chart().ChainResults();
    ASSERT_EQ(after.states.size(), before.states.size());
    for (std::size_t k = 0; k < after.states.size(); ++k) {
        for (const auto member : {&StateResult::t, &StateResult::phi, &StateResult::x, &StateResult::i,
                                  &StateResult::rho, &StateResult::tr, &StateResult::tm}) {
            EXPECT_EQ(after.states[k].*member, before.states[k].*member) << k;  // bit for bit
        }
        EXPECT_EQ(after.states[k].massFlow, before.states[k].massFlow);
    }
    for (std::size_t k = 0; k < after.processes.size(); ++k) {
        EXPECT_EQ(after.processes[k].power, before.processes[k].power);
        EXPECT_EQ(after.processes[k].water, before.processes[k].water);
    }
    EXPECT_EQ(Rows("GridPunkty"), states);
    EXPECT_EQ(Rows("GridPrzemiany"), processes);
    EXPECT_EQ(app.ErrorCount(), 0);
    EXPECT_EQ(StoredRecentFiles("ixp").value(0), path);
}

TEST_F(IxChainWindow, DialogsBuildAndEditTheChain) {
    // A sketch first: states without flows, a heating to t2.
    AddState({{"EditNazwa", "Zew"}, {"EditT", "-20"}, {"EditFi", "90"}});
    EXPECT_EQ(app.Shown().last(), S);
    EXPECT_FALSE(app.IsVisible(S));
    AddProcess(1, {{"EditDo", "N"}, {"EditT2", "20"}});
    ASSERT_EQ(Rows("GridPrzemiany").size(), 1);
    EXPECT_EQ(Rows("GridPrzemiany")[0], "ogrzewanie|Zew|N|t2 = 20 °C|–|–|–");
    EXPECT_EQ(Rows("GridPunkty")[1].split('|').mid(0, 2), (QStringList{"N", "20"}));

    // Refusals keep the dialog open with what was typed, and the chain.
    const std::string before = WriteIxp(Chart().Chain());
    struct {
        std::initializer_list<std::pair<const char*, const char*>> fields;
        const char* message;
    } refused[] = {
        {{{"EditNazwa", "X"}, {"EditT", "20"}, {"EditFi", "50"}, {"EditX", "7"}}, "dokładnie dwie"},
        {{{"EditNazwa", "N"}, {"EditT", "20"}, {"EditFi", "50"}}, "nazwa „N” jest już użyta"},
        {{{"EditNazwa", "X"}, {"EditT", "20"}, {"EditFi", "50"}, {"EditM", "1"}, {"EditV", "3000"}}, "jednym sposobem"},
        {{{"EditNazwa", "X"}, {"EditT", "2O"}, {"EditFi", "50"}}, "'2O' is not a valid floating point value."},
    };
    for (const auto& r : refused) {
        app.ClearRecords();
        AddState(r.fields);
        EXPECT_TRUE(app.LastMessage().contains(QString::fromUtf8(r.message))) << app.LastMessage().toStdString();
        EXPECT_TRUE(app.IsVisible(S));
        EXPECT_EQ(WriteIxp(Chart().Chain()), before);
        app.Click(S, "BitBtn1");
    }

    // The flow given to the outdoor air, a return air, and the mixing.
    Grid("GridPunkty")->selectRow(0);
    app.Click(F, "ButtonEdytujPunkt");
    EXPECT_EQ(app.Text(S, "EditT"), "-20");
    app.SetText(S, "EditV", "3000");
    Shot("IxStateForm_edit", S);
    app.Click(S, "Button1");
    EXPECT_EQ(Chart().Chain().states[0].flow->value, 3000);
    AddState({{"EditNazwa", "Wyw"}, {"EditT", "22"}, {"EditFi", "40"}, {"EditV", "6000"}});
    AddProcess(0, {{"ComboZ", "Zew"}, {"ComboZ2", "Wyw"}, {"EditDo", "M"}});
    EXPECT_EQ(Chart().Chain().processes[1].from, (std::vector<std::string>{"Zew", "Wyw"}));
    EXPECT_NE(Rows("GridPrzemiany")[1].split('|')[4], "–");

    // Only the chosen type's rows are shown; the mixing's second inlet too.
    app.Click(F, "ButtonDodajPrzemiane");
    for (const auto& [type, shown, hidden] : {std::tuple{2, "EditTadp", "EditT2"}, {3, "EditTs", "EditTw"},
                                              {4, "EditTw", "ComboZ2"}, {0, "ComboZ2", "EditX2"}}) {
        app.Select(P, "ComboTyp", type);
        EXPECT_TRUE(app.Control<QWidget>(P, shown)->isVisibleTo(app.Window(P))) << shown;
        EXPECT_FALSE(app.Control<QWidget>(P, hidden)->isVisibleTo(app.Window(P))) << hidden;
    }
    app.Click(P, "BitBtn1");

    // A renamed state takes its processes along; a process's end row in
    // "Punkty" edits that process.
    Grid("GridPunkty")->selectRow(0);
    app.Click(F, "ButtonEdytujPunkt");
    app.SetText(S, "EditNazwa", "Z");
    app.Click(S, "Button1");
    EXPECT_EQ(Chart().Chain().processes[0].from, std::vector<std::string>{"Z"});
    EXPECT_EQ(Chart().Chain().processes[1].from, (std::vector<std::string>{"Z", "Wyw"}));
    Grid("GridPunkty")->selectRow(2);  // N, made by the heating
    app.Click(F, "ButtonEdytujPunkt");
    EXPECT_EQ(app.Shown().last(), P);
    EXPECT_EQ(app.Text(P, "EditT2"), "20");
    Shot("IxProcessForm_heating", P);
    app.SetText(P, "EditT2", "25");
    app.Click(P, "Button1");
    EXPECT_EQ(Chart().ChainResults().states[2].t, 25);

    // Deleting: refused while a process starts there, then in order.
    app.ClearRecords();
    Grid("GridPunkty")->selectRow(1);
    app.Click(F, "ButtonUsunPunkt");
    EXPECT_TRUE(app.LastMessage().contains("z punktu „Wyw” wychodzi przemiana 2 (mieszanie, Z+Wyw → M)"))
        << app.LastMessage().toStdString();
    EXPECT_EQ(Chart().Chain().states.size(), 2u);
    Grid("GridPrzemiany")->selectRow(1);
    app.Click(F, "Usuprzemian1");
    EXPECT_EQ(Chart().Chain().processes.size(), 1u);
    // Nothing is chosen after a change: nothing to edit or delete.
    EXPECT_FALSE(app.Control<QWidget>(F, "ButtonUsunPunkt")->isEnabled());
    EXPECT_FALSE(app.Control<QAction>(F, "Edytujprzemian1")->isEnabled());
    Grid("GridPunkty")->selectRow(1);
    app.Click(F, "Usupunkt1");
    EXPECT_EQ(Chart().Chain().states.size(), 1u);
    EXPECT_EQ(app.ErrorCount(), 0);
}

TEST_F(IxChainWindow, PressureRecomputesTheChainOrRefusesWithIt) {
    OpenByItem(kData + "/data/lato.ixp");
    const double t = Chart().ChainResults().states.back().t;
    const double q = *Chart().ChainResults().processes.front().power;
    app.SetText(F, "EditPb", "90000");
    Chart().EditPbExit();
    EXPECT_EQ(Chart().Chain().pressure, 90000);
    EXPECT_EQ(Chart().ChainResults().states.back().t, t);  // reheated to 18 degC at any pressure
    EXPECT_NE(*Chart().ChainResults().processes.front().power, q);
    // Closed and opened again, the chain keeps its pressure.
    app.Close(F);
    app.Click("TForm10", "Wykresix1");
    EXPECT_EQ(app.Text(F, "EditPb"), "90000");
    EXPECT_EQ(Chart().ChainResults().states.size(), 3u);
    EXPECT_EQ(app.ErrorCount(), 0);
}

TEST_F(IxChainWindow, ReportAndPictureShowTheChain) {
    OpenByItem(kData + "/data/zima.ixp");
    const IxOverlay& overlay = Chart().Overlay();
    ASSERT_EQ(overlay.points.size(), 5u);
    // Two inlets dashed to M, then an arrow for each of the two processes.
    ASSERT_EQ(overlay.segments.size(), 4u);
    EXPECT_EQ(overlay.segments[2].stroke, IxOverlay::Stroke::Arrow);
    const QImage picture = app.Grab(F, "Wykres");
    const PixelPoint at = Chart().Layout().transform.ToPixel(overlay.points[4].at);
    EXPECT_EQ(picture.pixelColor(QPointF(at.x, at.y).toPoint()), QColor(Qt::black));
    Shot("IxChartForm_winter_chain");

    const QByteArray pdf = app.SaveReport(F);
    if (const QString shots = qEnvironmentVariable("VIMTAL_SHOTS_DIR"); !shots.isEmpty()) {
        QFile file(shots + "/IxChartForm_winter_report.pdf");
        if (file.open(QIODevice::WriteOnly)) file.write(pdf);
    }
    const QString text = testing::PdfPageTexts(pdf).join("\n");
    for (const char* expected : {"Punkty", "Przemiany", "nawilżanie parą", "φ2 = 40 %, ts = 100 °C", "Naw"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    }
    // Q of the heater as the sheet shows it.
    EXPECT_TRUE(text.contains(Grid("GridPrzemiany")->item(1, 5)->text()));
    OpenByItem(kData + "/data/lato.ixp");
    Shot("IxChartForm_summer_chain");
    EXPECT_EQ(app.ErrorCount(), 0);
}

// From outside: named on the command line, dropped on the launcher or on
// the chart window, each as "Otwórz..." opens it.
TEST(IxChainFromOutside, OpensInTheChartWindow) {
    const QString path = kData + "/data/zima.ixp";
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        AppHarness app;
        if (way == 0) {
            app.OpenFromCommandLine({path});
        } else if (way == 1) {
            EXPECT_TRUE(app.DropUrls("TForm18", {}, {QUrl::fromLocalFile(path)}));
        } else {
            app.Click("TForm18", "SpeedButton2");
            app.Click("TForm10", "Wykresix1");
            EXPECT_TRUE(app.DropUrls(F, {}, {QUrl::fromLocalFile(path)}));
        }
        EXPECT_EQ(app.Shown().last(), F);
        EXPECT_EQ(app.WindowAs<IxChartForm>(F)->ChainResults().states.size(), 5u);
        EXPECT_EQ(app.Control<QTableWidget>(F, "GridPunkty")->rowCount(), 5);
        EXPECT_EQ(StoredRecentFiles("ixp"), QStringList{path});
        EXPECT_EQ(app.ErrorCount(), 0);
        EXPECT_TRUE(app.Messages().isEmpty());
    }
}

}  // namespace
}  // namespace vimtal
