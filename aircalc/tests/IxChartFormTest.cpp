// The i-x chart window: opened from the air calculator with its state,
// read with the mouse, handing a state back, and its exports.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>

#include "aircalc/AirCalcForm.h"
#include "aircalc/IxChartForm.h"
#include "aircalc/IxChartPainter.h"
#include "aircalc/MoistAir.h"
#include "app/testing/AppHarness.h"
#include "core/testing/TempFolder.h"
#include "core/ui/testing/PdfTools.h"

namespace vimtal {
namespace {

using namespace aircalc;

const QString F = QStringLiteral("IxChartForm");
const QString C = QStringLiteral("TForm10");

class IxChartWindow : public ModuleTest {
protected:
    IxChartWindow() : ModuleTest("SpeedButton2") {}

    // "Wyczyść", t and phi typed, "Oblicz".
    void Compute(const char* t, const char* phi) {
        app.Click(C, "Button2");
        app.SetText(C, "Edit3", QString::fromUtf8(t));
        app.SetText(C, "Edit4", QString::fromUtf8(phi));
        app.Click(C, "Button1");
    }
    IxChartForm& Chart() { return *app.WindowAs<IxChartForm>(F); }
    QWidget* View() { return app.Control<QWidget>(F, "Wykres"); }
    QPointF PixelOf(const IxPoint& p) {
        const PixelPoint at = Chart().Layout().transform.ToPixel(p);
        return {at.x, at.y};
    }
    void Hover(const QPointF& at) {
        QMouseEvent move(QEvent::MouseMove, at, View()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(View(), &move);
    }
    QString Readout(const char* label) { return app.Text(F, label); }
    void Shot(const QString& name) {
        const QString folder = qEnvironmentVariable("VIMTAL_SHOTS_DIR");
        if (folder.isEmpty()) return;
        QDir().mkpath(folder);
        app.Grab(F).save(folder + "/" + name + ".png");
    }
};

TEST_F(IxChartWindow, OpensFromTheCalculatorWithItsState) {
    Compute("20", "50");
    const QSize calculatorClient = app.Window(C)->findChild<QWidget*>("Client")->size();
    app.Click(C, "Wykresix1");
    EXPECT_EQ(app.Shown(), (QStringList{C, F}));
    EXPECT_EQ(Chart().windowTitle(), "Wykres i-x powietrza wilgotnego");
    EXPECT_GE(Chart().width(), 900);
    EXPECT_GE(Chart().height(), 650);
    EXPECT_EQ(app.Text(F, "EditPb"), "101300");
    // The calculator keeps its size; its menu bar gains the item after "Pomoc".
    EXPECT_EQ(app.Window(C)->findChild<QWidget*>("Client")->size(), calculatorClient);
    QStringList items;
    for (QAction* a : app.Window(C)->findChild<QMenuBar*>()->actions()) items << a->text();
    EXPECT_EQ(items, (QStringList{"Pomoc", "Wykres i-x"}));

    // Point K is the calculator's state, with its dew-point and wet-bulb
    // constructions; under the mouse it reads the calculator's figures.
    const AirState state = *app.WindowAs<TForm10>(C)->LastState();
    const IxOverlay& overlay = Chart().Overlay();
    ASSERT_EQ(overlay.points.size(), 3u);
    EXPECT_EQ(overlay.points[0].label, "K");
    EXPECT_EQ(overlay.points[0].at.x, state.x);
    EXPECT_EQ(overlay.segments.size(), 2u);
    Hover(PixelOf(overlay.points[0].at));
    EXPECT_EQ(Readout("LabelT"), "t = 20 °C");
    EXPECT_EQ(Readout("LabelFi"), "φ = 50 %");
    EXPECT_EQ(Readout("LabelX"), "x = 7,26 g/kg");
    EXPECT_EQ(Readout("LabelI"), QStringLiteral("i = %1 kJ/kg").arg(app.Text(C, "Edit1")));
    EXPECT_EQ(Readout("LabelTr"), QStringLiteral("tr = %1 °C").arg(app.Text(C, "Edit7")));
    EXPECT_EQ(Readout("LabelTm"), QStringLiteral("tm = %1 °C").arg(app.Text(C, "edit11")));
    EXPECT_EQ(Readout("LabelMgla"), "");
    // K is drawn: its mark is black on the chart.
    const QImage picture = app.Grab(F, "Wykres");
    const QPoint k = PixelOf(overlay.points[0].at).toPoint();
    EXPECT_EQ(picture.pixelColor(k), QColor(Qt::black));
    Shot("IxChartForm_K");
    EXPECT_TRUE(app.Messages().isEmpty());
}

TEST_F(IxChartWindow, PressureAndStateFollowTheCalculator) {
    struct {
        const char* pb;  // typed in the calculator
        const char* chart;
        bool computed;
    } cases[] = {{"95000", "95000", true}, {"101300", "101300", false}, {"abc", "101300", false}, {"500", "101300", false}};
    for (const auto& c : cases) {
        app.SetText(C, "Edit5", "101300");
        if (c.computed) {
            app.SetText(C, "Edit5", c.pb);
            Compute("20", "50");
        } else {
            app.Click(C, "Button2");  // no state
            app.SetText(C, "Edit5", c.pb);
        }
        app.Click(C, "Wykresix1");
        EXPECT_EQ(app.Text(F, "EditPb"), c.chart) << c.pb;
        EXPECT_EQ(Chart().Pressure(), QString::fromLatin1(c.chart).toDouble()) << c.pb;
        EXPECT_EQ(Chart().Overlay().points.empty(), !c.computed) << c.pb;
        app.Close(F);
    }
    EXPECT_EQ(app.ErrorCount(), 0);
}

TEST_F(IxChartWindow, ReadsFogAndRefusesToHandItOver) {
    app.Click(C, "Wykresix1");
    // Deep in the fog region: 12 g/kg at the 5 degC fog isotherm.
    const IxPoint fog{0.012, IxOrdinate(FogEnthalpy(5, 0.012, kIxDefaultPressure), 0.012)};
    Hover(PixelOf(fog));
    EXPECT_EQ(Readout("LabelT"), "t = 5 °C");
    EXPECT_EQ(Readout("LabelFi"), "φ = 100 %");
    EXPECT_TRUE(Readout("LabelMgla").startsWith("mgła: woda")) << Readout("LabelMgla").toStdString();
    QContextMenuEvent menu(QContextMenuEvent::Mouse, PixelOf(fog).toPoint(), View()->mapToGlobal(PixelOf(fog).toPoint()));
    QApplication::sendEvent(View(), &menu);
    EXPECT_FALSE(app.Control<QAction>(F, "Wstawdokalkulatora1")->isEnabled());
    app.Control<QMenu>(F, "PopupMenu1")->close();
    // Off the plot the status line asks for a point.
    Hover({2, 2});
    EXPECT_EQ(Readout("LabelT"), "Wskaż punkt wykresu myszą.");
    EXPECT_EQ(Readout("LabelFi"), "");
}

TEST_F(IxChartWindow, HandsTheStateUnderTheMouseToTheCalculator) {
    Compute("20", "50");
    app.Click(C, "Wykresix1");
    const QPoint at = PixelOf(IxPointOf(30, 0.010)).toPoint();  // about 37 %
    Hover(at);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, View()->mapToGlobal(at));
    QApplication::sendEvent(View(), &menu);
    const QString t = Readout("LabelT"), phi = Readout("LabelFi");
    ASSERT_TRUE(app.Control<QAction>(F, "Wstawdokalkulatora1")->isEnabled());
    app.Control<QMenu>(F, "PopupMenu1")->close();
    app.Click(F, "Wstawdokalkulatora1");
    // Typed as t and phi, then calculated: every field filled and locked.
    EXPECT_EQ("t = " + app.Text(C, "Edit3") + " °C", t);
    EXPECT_EQ("φ = " + app.Text(C, "Edit4") + " %", phi);
    EXPECT_FALSE(app.Text(C, "Edit1").isEmpty());
    EXPECT_FALSE(app.Control<QLineEdit>(C, "Edit1")->isEnabled());
    // K moves to the new state, near the point chosen.
    const AirState state = *app.WindowAs<TForm10>(C)->LastState();
    EXPECT_EQ(Chart().Overlay().points[0].at.x, state.x);
    EXPECT_NEAR(state.t, 30, 0.1);
    EXPECT_NEAR(state.x, 0.010, 0.0001);
    EXPECT_EQ(app.ErrorCount(), 0);
}

TEST_F(IxChartWindow, PressureRangeAndDensityLinesChangeTheChart) {
    app.Click(C, "Wykresix1");
    const double xs20 = SaturationHumidityRatio(20, 101300);
    auto saturatedAt20 = [&] {
        for (const IxLine& line : Chart().Lines().lines) {
            if (line.family == IxFamily::FogIsotherm && line.value == 20) return line.pieces.front().front().x;
        }
        return 0.0;
    };
    EXPECT_DOUBLE_EQ(saturatedAt20(), xs20);
    // A lower pressure holds more water at saturation.
    app.Type(F, "EditPb", "90000");
    QTest::keyClick(app.Control<QLineEdit>(F, "EditPb"), Qt::Key_Return);
    EXPECT_EQ(Chart().Pressure(), 90000);
    EXPECT_DOUBLE_EQ(saturatedAt20(), SaturationHumidityRatio(20, 90000));
    // Refused texts and pressures leave the chart as it was.
    app.Type(F, "EditPb", "9x");
    QTest::keyClick(app.Control<QLineEdit>(F, "EditPb"), Qt::Key_Return);
    EXPECT_EQ(app.LastError(), "'9x' is not a valid floating point value.");
    app.Type(F, "EditPb", "30000");
    QTest::keyClick(app.Control<QLineEdit>(F, "EditPb"), Qt::Key_Return);
    EXPECT_TRUE(app.LastMessage().contains("60000")) << app.LastMessage().toStdString();
    EXPECT_EQ(Chart().Pressure(), 90000);
    EXPECT_EQ(app.Text(F, "EditPb"), "90000");

    // "Zakres...": the dialog shows the range and sets a new one.
    app.Click(F, "Zakres1");
    EXPECT_EQ(app.Shown().last(), "IxRangeForm");
    EXPECT_EQ(app.Text("IxRangeForm", "Edit1"), "-20");
    EXPECT_EQ(app.Text("IxRangeForm", "Edit2"), "50");
    EXPECT_EQ(app.Text("IxRangeForm", "Edit3"), "30");
    app.SetText("IxRangeForm", "Edit1", "-40");
    app.Click("IxRangeForm", "Button1");
    EXPECT_TRUE(app.LastMessage().startsWith("Temperatura t min")) << app.LastMessage().toStdString();
    EXPECT_TRUE(app.IsVisible("IxRangeForm"));
    app.SetText("IxRangeForm", "Edit1", "0");
    app.SetText("IxRangeForm", "Edit2", "40");
    app.SetText("IxRangeForm", "Edit3", "20");
    app.Click("IxRangeForm", "Button1");
    EXPECT_FALSE(app.IsVisible("IxRangeForm"));
    EXPECT_EQ(Chart().Range().tMax, 40);
    EXPECT_EQ(Chart().Lines().bounds.xMax, 0.020);

    // Density lines: off at first, their numbers appear with them.
    auto densityLabels = [&] {
        int n = 0;
        for (const IxLabel& label : Chart().Layout().labels) n += label.family == IxFamily::Density;
        return n;
    };
    EXPECT_EQ(densityLabels(), 0);
    const QImage without = app.Grab(F, "Wykres");
    app.Click(F, "Liniegstoci1");
    EXPECT_GT(densityLabels(), 2);
    EXPECT_NE(app.Grab(F, "Wykres"), without);
    Shot("IxChartForm_range_density");
}

TEST_F(IxChartWindow, TextsDoNotOverlapAtTheWindowsSize) {
    app.Click(C, "Wykresix1");
    app.Click(F, "Liniegstoci1");
    // The fonts the window measures with; logical pixels, so the same at
    // any device pixel ratio.
    const IxLayout& layout = Chart().Layout();
    const auto& labels = layout.labels;
    EXPECT_GT(labels.size(), 70u);
    for (std::size_t a = 0; a < labels.size(); ++a) {
        for (std::size_t b = a + 1; b < labels.size(); ++b) {
            EXPECT_FALSE(LabelsOverlap(labels[a], labels[b], 1.0)) << labels[a].text << " / " << labels[b].text;
        }
    }
    int phi = 0;
    for (const IxLabel& label : labels) {
        phi += label.kind == IxText::LineLabel &&
               (label.family == IxFamily::RelativeHumidity || label.family == IxFamily::Saturation);
    }
    EXPECT_EQ(phi, 10);
    Shot("IxChartForm_density");
    // The smallest window: the texts that find no room are left out.
    Chart().resize(Chart().minimumSize());
    for (std::size_t a = 0; a < Chart().Layout().labels.size(); ++a) {
        for (std::size_t b = a + 1; b < Chart().Layout().labels.size(); ++b) {
            EXPECT_FALSE(LabelsOverlap(Chart().Layout().labels[a], Chart().Layout().labels[b], 1.0));
        }
    }
    Shot("IxChartForm_smallest");
}

TEST_F(IxChartWindow, ExportsThePictureAndTheReport) {
    Compute("20", "50");
    app.Click(C, "Wykresix1");
    const QSize chart = View()->size();
    const vimtal::testing::TempFolder folder;
    const QString png = folder.QtFile("wykres.png"), svg = folder.QtFile("wykres.svg");
    app.Fake().saveAnswers = {png, svg};
    app.Click(F, "Zapiszwykres1");
    app.Click(F, "Zapiszwykres1");
    EXPECT_EQ(app.Fake().saveRequests.back().filter, "Obraz PNG (*.png);;Rysunek SVG (*.svg)");
    // PNG: twice the chart's pixels, the same picture as on the screen.
    const QImage image(png);
    if (const QString shots = qEnvironmentVariable("VIMTAL_SHOTS_DIR"); !shots.isEmpty()) {
        image.save(shots + "/IxChartForm_png_export.png");
    }
    EXPECT_EQ(image.size(), chart * 2);
    EXPECT_GE(image.width(), 800);
    EXPECT_GE(image.height(), 500);
    const QPoint k = (PixelOf(Chart().Overlay().points[0].at) * 2).toPoint();
    EXPECT_EQ(image.pixelColor(k), QColor(Qt::black));
    // SVG: vector lines and real texts.
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString drawing = QString::fromUtf8(file.readAll());
    EXPECT_GT(drawing.count("<path"), 100);
    EXPECT_GT(drawing.count("<text"), 60);
    EXPECT_TRUE(drawing.contains("Wykres i-x powietrza wilgotnego"));
    EXPECT_FALSE(drawing.contains("<image"));

    // The report: the state in a table, the chart on its own page.
    const QByteArray pdf = app.SaveReport(F);
    ASSERT_FALSE(pdf.isEmpty());
    const QString text = testing::PdfPageTexts(pdf).join("\n");
    EXPECT_TRUE(text.contains("i-x"));
    EXPECT_TRUE(text.contains("38,5"));
    EXPECT_TRUE(text.contains("Strona 1 z 2"));
    EXPECT_TRUE(text.contains("Strona 2 z 2"));
    // The chart on page 2 is drawn with real texts.
    EXPECT_TRUE(testing::PdfPageTexts(pdf).value(1).contains("Wykres i-x powietrza wilgotnego, pb = 101300 Pa"));
    // Printing gives the same pages.
    app.Fake().printAnswers = {true};
    app.Click(F, "Drukuj1");
    ASSERT_EQ(app.Fake().printed.size(), 1u);
    EXPECT_EQ(testing::PdfPageCount(app.Fake().printed.front()), 2);
    EXPECT_EQ(app.ErrorCount(), 0);
}

}  // namespace
}  // namespace vimtal
