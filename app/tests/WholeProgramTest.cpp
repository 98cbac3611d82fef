// One user's session through the whole program: every module is opened from
// the launcher, given a typical design case and computed, every chart and
// information window is opened, and the figures a designer reads are
// checked. No error box may appear anywhere on the way.
//
// With VIMTAL_SHOTS_DIR set, each window is saved there as a PNG as the user
// sees it at that moment; run under Xvfb with VIMTAL_TEST_PLATFORM=xcb for the
// real fonts and style (scripts/screenshots does that).
#include "app/testing/AppHarness.h"
#include "core/ui/Platform.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QImage>

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

namespace vimtal {
namespace {

class WholeProgram : public ::testing::Test {
protected:
    void SetUp() override {
        // The program runs in the build's run folder, beside the fitting
        // pictures and documents.
        app.Fake().currentDirectory = QStringLiteral(VIMTAL_RUN_DIR);
        app.Window(QStringLiteral("TForm18"))->Activate();
        if (!folder.isEmpty()) QDir().mkpath(folder);
    }

    void Shot(const QString& window, const QString& name) {
        const QImage image = app.Grab(window);
        EXPECT_FALSE(image.isNull()) << name.toStdString();
        if (!folder.isEmpty()) image.save(folder + "/" + name + ".png");
    }

    // Texts written into a window's boxes, in order.
    void Fill(const QString& window, std::initializer_list<std::pair<const char*, const char*>> texts) {
        for (const auto& [box, text] : texts) app.SetText(window, QString::fromLatin1(box), QString::fromUtf8(text));
    }

    void NoErrors(const char* where) {
        EXPECT_EQ(app.ErrorCount(), 0) << where;
        EXPECT_TRUE(app.Messages().isEmpty()) << where;
        for (const auto& m : app.Fake().messages) {
            ADD_FAILURE() << where << ": [" << m.title.toStdString() << "] " << m.text.toStdString();
        }
        app.ClearRecords();
    }

    AppHarness app;
    QString folder = qEnvironmentVariable("VIMTAL_SHOTS_DIR");
};

TEST_F(WholeProgram, EveryModuleFromTheLauncher) {
    Shot("TForm18", "01_launcher");

    // Orifice: 50 Pa to throttle at 500 m3/h in a 200 mm duct.
    app.Click("TForm18", "SpeedButton1");
    Fill("TForm1", {{"Edit1", "50"}, {"Edit2", "500"}, {"Edit3", "200"}});
    app.Click("TForm1", "Button1");
    EXPECT_EQ(app.Text("TForm1", "Label11"), "139");
    Shot("TForm1", "02_orifice");
    app.Close("TForm1");
    NoErrors("orifice");

    // Moist air at 20 degC and 50 %.
    app.Click("TForm18", "SpeedButton2");
    Fill("TForm10", {{"Edit3", "20"}, {"Edit4", "50"}});
    app.Click("TForm10", "Button1");
    EXPECT_EQ(app.Text("TForm10", "Edit1"), "38,5");
    EXPECT_EQ(app.Text("TForm10", "edit11"), "13,7");
    Shot("TForm10", "03_air_calculator");
    // The same state as point K on the Mollier chart, with its dew-point
    // and wet-bulb constructions.
    app.Click("TForm10", "Wykresix1");
    EXPECT_EQ(app.Text("IxChartForm", "EditPb"), "101300");
    Shot("IxChartForm", "03b_ix_chart");
    // A winter chain of an air-handling unit on the same chart: outdoor
    // air mixed with return air, heated and humidified with steam.
    app.Fake().openAnswers.push_back(QStringLiteral(VIMTAL_SOURCE_DIR "/aircalc/tests/data/zima.ixp"));
    app.Click("IxChartForm", "Otwrz1");
    EXPECT_EQ(app.Text("IxChartForm", "EditPb"), "101325");
    Shot("IxChartForm", "03c_ix_processes");
    app.Close("IxChartForm");
    app.Close("TForm10");
    NoErrors("air calculator");

    // A 300 l tank (1,5 m x 0,5 m) charged to 55 degC by a 10 kW water
    // source; the run opens its chart.
    app.Click("TForm18", "SpeedButton3");
    Fill("TForm5", {{"Edit2", "1,5"}, {"Edit12", "0,5"}, {"Edit9", "10"}, {"Edit7", "55"}});
    EXPECT_EQ(app.Text("TForm5", "Edit6"), "0,0340948");
    app.ClearRecords();
    app.Click("TForm5", "Button1");
    EXPECT_FALSE(app.Text("TForm5", "Edit8").isEmpty());
    EXPECT_EQ(app.Shown(), QStringList{"TForm6"});
    Shot("TForm5", "04_dhw_simulation");
    Shot("TForm6", "05_dhw_chart_tw");
    app.Close("TForm6");
    for (const auto& [button, shot] : {std::pair{"Button4", "06_dhw_chart_q_t"}, {"Button5", "07_dhw_chart_q_tw"}}) {
        app.Click("TForm5", button);
        Shot("TForm6", shot);
        app.Close("TForm6");
    }
    app.Close("TForm5");
    NoErrors("DHW simulation");

    // Duct cooling: 500 m3/h through 10 m of a 200 x 200 mm duct; then its
    // chart.
    app.Click("TForm18", "SpeedButton4");
    Fill("TForm9", {{"Edit3", "500"}, {"Edit8", "10"}, {"Edit9", "0,2"}, {"Edit10", "0,2"}});
    app.Click("TForm9", "Button1");
    EXPECT_FALSE(app.Text("TForm9", "Edit14").isEmpty());
    Shot("TForm9", "08_duct_cooling");
    // Ten metres are fifty equivalent diameters: the note on Schack's law,
    // its list shown by a click, as the screen shows it on a real display.
    EXPECT_EQ(app.Text("TForm9", "LabelUwagi"), "⚠ Uwagi: 1");
    if (!folder.isEmpty() && QGuiApplication::platformName() == QStringLiteral("xcb")) {
        app.Click("TForm9", "LabelUwagi");
        QTest::qWait(300);
        QGuiApplication::primaryScreen()->grabWindow(0).save(folder + "/08b_duct_notes_tooltip.png");
    }
    app.Click("TForm9", "Button2");
    Shot("TForm13", "09_duct_chart");
    app.Close("TForm13");
    app.Close("TForm9");
    NoErrors("duct cooling");

    // Pressure loss: a straight duct, a round tee and a rectangular elbow.
    app.Click("TForm18", "SpeedButton5");
    app.Click("TForm15", "SpeedButton1");
    Shot("TForm16", "10_fitting_catalogue");
    app.Click("TForm16", "SpeedButton1");
    app.SetText("TForm17", "Edit2", "100");
    app.Click("TForm17", "BitBtn1");
    app.Click("TForm16", "SpeedButton5");
    app.SetText("TForm17", "Edit2", "300");
    Shot("TForm17", "11_fitting_editor_tee");
    app.Click("TForm17", "BitBtn1");
    app.Click("TForm16", "SpeedButton10");
    app.SetText("TForm17", "Edit2", "300");
    Shot("TForm17", "12_fitting_editor_elbow");
    app.Click("TForm17", "BitBtn1");
    app.Close("TForm16");
    EXPECT_EQ(app.Text("TForm15", "ListBox1"), "");  // nothing selected
    EXPECT_FALSE(app.Text("TForm15", "Edit1").isEmpty());
    Shot("TForm15", "13_pressure_loss_circuit");
    app.Close("TForm15");
    NoErrors("pressure loss");

    // DHW tank sizing for the default dwelling, handed to the simulation.
    app.Click("TForm18", "SpeedButton6");
    app.Click("TForm19", "Button1");
    EXPECT_EQ(app.Text("TForm19", "Edit13"), "100");
    Shot("TForm19", "14_dhw_sizing");
    app.ClearRecords();
    app.Click("TForm19", "Button2");
    // The run opens its chart, as "Symulacja" does, then the window itself.
    EXPECT_EQ(app.Shown(), (QStringList{"TForm6", "TForm5"}));
    EXPECT_EQ(app.Text("TForm5", "Edit2"), "0,509295817894065");
    app.Close("TForm5");
    app.Close("TForm6");
    app.Close("TForm19");
    NoErrors("DHW sizing");

    // Settings, About and the information windows.
    app.Click("TForm18", "Ustawienia1");
    Shot("TForm2", "15_settings");
    app.Close("TForm2");
    app.Click("TForm18", "About1");
    Shot("TForm3", "16_about");
    app.Close("TForm3");
    for (const char* window : {"TForm4", "TForm8", "TForm11", "TForm12", "TForm14", "TForm7"}) {
        platform().ShowModal(app.Window(window));
        Shot(window, QStringLiteral("17_") + window);
        app.Close(window);
    }
    NoErrors("information windows");
}

}  // namespace
}  // namespace vimtal
