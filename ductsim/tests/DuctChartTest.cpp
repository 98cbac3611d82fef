// The cooling chart painted into an image and checked pixel by pixel at the
// chart's own coordinates (paint area 497 x 305).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>

#include <functional>

#include "app/testing/AppHarness.h"
#include "charts/tests/ChartPixels.h"
#include "core/ui/Platform.h"
#include "ductsim/DuctChart.h"
#include "ductsim/DuctForm.h"
#include "ductsim/DuctModel.h"

namespace vimtal {
namespace {

const QString F = QStringLiteral("TForm9");
const QString C = QStringLiteral("TForm13");
constexpr int W = 497, H = 305;

using namespace charts::testing;

void FillExample(AppHarness& app) {
    app.SetText(F, "Edit3", "500");
    app.SetText(F, "Edit8", "10");
    app.SetText(F, "Edit9", "0,2");
    app.SetText(F, "Edit10", "0,2");
}

// Opens the chart from the simulation window and paints it; the messages of
// the paint are shown once the paint is over.
QImage PaintChart(AppHarness& app) {
    app.Click(F, "Button2");
    QImage image = app.Grab(C, "PaintBox1").convertToFormat(QImage::Format_RGB32);
    QApplication::processEvents();
    return image;
}

int BlueRowIn(const QImage& image, int x) {
    for (int y = 0; y < image.height(); ++y)
        if (image.pixel(x, y) == kBlue) return y;
    return -1;
}

class DuctChart : public ::testing::Test {
protected:
    void SetUp() override { app.Click("TForm18", "SpeedButton4"); }
    AppHarness app;
};

TEST_F(DuctChart, CoolingCurveFrameAndTicks) {
    FillExample(app);
    const QImage image = PaintChart(app);
    ASSERT_EQ(image.size(), QSize(W, H));
    EXPECT_TRUE(app.Messages().isEmpty()) << app.Messages().join("; ").toStdString();

    const struct {
        int x, y;
        QRgb colour;
        const char* what;
    } pixels[] = {
        {20, 150, kRed, "vertical axis"},
        {200, H - 20, kRed, "horizontal axis"},
        {W - 20, H - 20, kRed, "arrow head of the time axis"},
        {20, 20, kRed, "arrow head of the temperature axis"},
        {W - 155, 20, kRed, "legend box"},
        {W - 130, 15, kRed, "legend sample line"},
        {W - 40, H - 17, kRed, "top time tick"},
        {W - 40, 270, kGrey, "its dashed grid line"},
        {W - 40, 258, kWhite, "a gap of the dash"},
        {19, 40, kRed, "top temperature tick, ti in cooling (its label covers the left end)"},
        {W - 40, 260, kGrey, "the first temperature grid line (260.5 rounds to even)"},
        {100, 40, kGrey, "its grid line"},
        {25, 40, kBlue, "the curve leaves ti"},
    };
    for (const auto& p : pixels) EXPECT_EQ(image.pixel(p.x, p.y), p.colour) << p.what;

    // The curve descends from ti at y = 40 to tk = 18.65 degC near the top;
    // its last point is the end of the run at x = W - 40 (the pixel before
    // it is the last one a line covers).
    const int lastRow = BlueRowIn(image, W - 41);
    EXPECT_GT(lastRow, 40);
    EXPECT_LE(lastRow, 50);
    EXPECT_EQ(Count(image, kBlue, QRect(W - 39, 0, 39, H)), 0);
    int previous = 40;
    for (int x = 30; x < W - 40; x += 37) {
        const int y = BlueRowIn(image, x);
        EXPECT_GE(y, previous) << x;
        previous = y;
    }
    // Ten ticks on each axis: a red mark below the time axis at each (left of
    // the arrow head), and left of the temperature axis, below its arrow head.
    int timeTicks = 0;
    for (int x = 21; x < W - 35; ++x) timeTicks += image.pixel(x, H - 16) == kRed ? 1 : 0;
    EXPECT_EQ(timeTicks, 10);
    // Right of the axis the labels leave the marks alone; the curve covers
    // the top one, which starts at ti.
    int temperatureTicks = 0;
    for (int y = 35; y < H - 20; ++y) temperatureTicks += image.pixel(24, y) == kRed ? 1 : 0;
    EXPECT_EQ(temperatureTicks, 9);
    EXPECT_EQ(image.pixel(24, 40), kBlue);
}

TEST_F(DuctChart, OverwritesTheAirPropertiesWithTheChartsReference) {
    FillExample(app);
    app.Click(F, "Button1");
    const QString windowRe = app.Text(F, "Edit18");
    QStringList untouched;
    for (const char* edit : {"Edit12", "Edit13", "Edit14", "Edit23", "Edit24", "Edit25", "Edit26"})
        untouched << app.Text(F, edit);

    PaintChart(app);
    ductsim::InputTexts texts = ductsim::DefaultInputTexts();
    texts.flow = "500";
    texts.length = "10";
    texts.sideA = "0,2";
    texts.sideB = "0,2";
    const ductsim::DuctSimulation chart(ductsim::ConvertInputs(texts), ductsim::kChartT0);
    const ductsim::InsideStart inside = chart.InsideAir();
    const ductsim::AirState outside = chart.OutsideAir();
    EXPECT_EQ(app.Text(F, "Edit18"), QString::fromStdString(ductsim::ReynoldsText(inside.reynolds)));
    EXPECT_NE(app.Text(F, "Edit18"), windowRe);  // T0 = 273 instead of 273.15
    EXPECT_EQ(app.Text(F, "Edit21"), QString::fromStdString(ductsim::ViscosityText(inside.viscosity)));
    EXPECT_EQ(app.Text(F, "Edit22"), QString::fromStdString(ductsim::ViscosityText(outside.viscosity)));
    EXPECT_EQ(app.Text(F, "Edit19"), "1,2");
    EXPECT_EQ(app.Text(F, "Edit20"), "1,39");
    QStringList after;
    for (const char* edit : {"Edit12", "Edit13", "Edit14", "Edit23", "Edit24", "Edit25", "Edit26"})
        after << app.Text(F, edit);
    EXPECT_EQ(after, untouched);
}

// The chart is computed once per opening: repainting it writes no air
// properties again; it keeps the points of its curve, t in s and ti in degC,
// from (0, ti) to the end of the run.
TEST_F(DuctChart, KeptWithThePointsOfItsCurve) {
    FillExample(app);
    app.Click(F, "Button1");
    const QString tauC = app.Text(F, "Edit12"), tk = app.Text(F, "Edit14");
    PaintChart(app);
    auto* chart = app.WindowAs<TForm13>(C);
    ASSERT_EQ(chart->Computations(), 1);
    const std::vector<charts::PlotPoint>& points = chart->Points();
    ASSERT_GT(points.size(), 100u);
    EXPECT_EQ(points.front().x, 0.0);
    EXPECT_EQ(points.front().y, 20.0);
    EXPECT_EQ(QString::fromStdString(ductsim::TimeText(points.back().x)), tauC);
    EXPECT_EQ(QString::fromStdString(ductsim::TemperatureText(points.back().y)), tk);
    for (std::size_t i = 1; i < points.size(); ++i) ASSERT_GT(points[i].x, points[i - 1].x);

    app.SetText(F, "Edit18", "");
    QWidget* box = app.Control<QWidget>(C, "PaintBox1");
    box->repaint();
    box->update();
    QApplication::processEvents();
    EXPECT_EQ(chart->Computations(), 1);
    EXPECT_EQ(app.Text(F, "Edit18"), "");
    app.Close(C);
    PaintChart(app);
    EXPECT_EQ(chart->Computations(), 2);
    EXPECT_NE(app.Text(F, "Edit18"), "");
    EXPECT_TRUE(app.Messages().isEmpty());
}

TEST_F(DuctChart, EmptyFlowDrawsNothingAndSaysSoOnce) {
    const QImage image = PaintChart(app);
    EXPECT_EQ(app.Messages(), QStringList{"Podaj objętościowe natężenie przepływu w przewodzie"});
    EXPECT_EQ(app.Fake().messages.at(0).title, "Vimtal info");
    EXPECT_EQ(Count(image, kWhite), W * H);
    // Repainting while the window is open does not raise the box again; the
    // next opening does.
    app.Grab(C, "PaintBox1");
    QApplication::processEvents();
    EXPECT_EQ(app.Messages().size(), 1);
    app.Close(C);
    PaintChart(app);
    EXPECT_EQ(app.Messages().size(), 2);
}

TEST_F(DuctChart, LaminarFlowLeavesTheFrameOnly) {
    FillExample(app);
    app.SetText(F, "Edit3", "20");
    const QImage image = PaintChart(app);
    EXPECT_EQ(app.Messages(), QStringList{"Przepływ w przewodzie jest laminarny - Obliczenia przerwane"});
    EXPECT_EQ(image.pixel(20, 150), kRed);
    EXPECT_EQ(image.pixel(200, H - 20), kRed);
    EXPECT_EQ(Count(image, kBlue), 0);
    // No grid: the area between the axis titles and the axes stays white.
    EXPECT_EQ(Count(image, kWhite, QRect(21, 45, 400, 200)), 400 * 200);
    EXPECT_FALSE(app.Text(F, "Edit18").isEmpty());
}

TEST_F(DuctChart, ErrorsAreReportedAfterThePaint) {
    FillExample(app);
    app.SetText(F, "Edit11", "0");
    const QImage image = PaintChart(app);
    EXPECT_EQ(app.Messages(), QStringList{"Długość kroku czasowego symulacji musi być większa od zera"});
    EXPECT_EQ(app.Fake().messages.at(0).title, "Vimtal info");
    EXPECT_EQ(Count(image, kWhite), W * H);

    app.Close(C);
    app.ClearRecords();
    app.SetText(F, "Edit11", "0,0001");
    app.SetText(F, "Edit4", "0");  // the first step divides by zero
    const QImage failed = PaintChart(app);
    EXPECT_EQ(app.LastError(), "Floating point division by zero");
    EXPECT_EQ(app.ErrorCount(), 1);
    EXPECT_EQ(failed.pixel(20, 150), kRed);  // the frame was drawn before
    EXPECT_EQ(Count(failed, kBlue), 0);
}

TEST_F(DuctChart, SingleStepIsOneSegmentToTheRightEnd) {
    FillExample(app);
    app.SetText(F, "Edit8", "0,0001");
    const QImage image = PaintChart(app);
    EXPECT_TRUE(app.Messages().isEmpty());
    EXPECT_EQ(image.pixel(21, 40), kBlue);
    // From x = 20 to x = W - 41: one pixel per column.
    EXPECT_EQ(Count(image, kBlue), W - 40 - 20);
}

TEST_F(DuctChart, WarmingAndEqualTemperatures) {
    FillExample(app);
    app.SetText(F, "Edit1", "-5");
    app.SetText(F, "Edit2", "30");
    QImage image = PaintChart(app);
    EXPECT_TRUE(app.Messages().isEmpty());
    // The scale comes from tk - te, which is negative: tk lands on the top
    // line (y = 40) and ti, further from te, above it; the formulas mirror
    // the warming curve rather than special-casing it.
    const int start = BlueRowIn(image, 21);
    const int end = BlueRowIn(image, W - 41);
    EXPECT_EQ(end, 40);
    EXPECT_LT(start, end);
    EXPECT_GT(start, 20);
    app.Close(C);

    app.SetText(F, "Edit1", "20");
    app.SetText(F, "Edit2", "20");
    image = PaintChart(app);
    EXPECT_TRUE(app.Messages().isEmpty());
    EXPECT_EQ(image.pixel(200, H - 20), kBlue);  // on the axis of te
    EXPECT_EQ(Count(image, kRed, QRect(15, 35, 5, H - 56)), 0);  // no temperature ticks
}

// The report's chart draws the picture the chart window draws, at any
// size; drawn again at the same size (the printer after the trial) it runs
// the model no more, at another it runs it twice again.
TEST_F(DuctChart, TheReportsChartIsTheWindowsAndRunsOncePerSize) {
    FillExample(app);
    const ductsim::InputTexts texts = app.WindowAs<TForm9>(F)->CurrentInputs();
    auto paint = [](const std::function<void(charts::Canvas&, int, int)>& draw, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        charts::Canvas canvas(painter);
        draw(canvas, size.width(), size.height());
        return image;
    };
    ductsim::CoolingCharts report(texts);
    for (const QSize size : {QSize(W, H), QSize(W, H), QSize(640, 390)}) {
        const QImage window = paint(
            [&](charts::Canvas& canvas, int w, int h) {
                RecordingMessageSink messages;
                ductsim::SimulationListener quiet;
                ductsim::DrawCoolingChart(canvas, w, h, texts, messages, quiet);
            },
            size);
        const QImage kept = paint([&](charts::Canvas& canvas, int w, int h) { report.Draw(canvas, w, h); }, size);
        EXPECT_EQ(kept, window);
        EXPECT_GT(Of(kept, kBlue).count, 100);
    }
    EXPECT_EQ(report.Runs(), 4);
}

TEST_F(DuctChart, Screenshots) {
    FillExample(app);
    app.Click(F, "Button1");
    const QImage window = app.Grab(F);
    const QImage chart = PaintChart(app);
    const QImage chartWindow = app.Grab(C);
    EXPECT_EQ(window.size(), app.Window(F)->size());
    EXPECT_GT(Count(chart, kBlue), 400);
    const QString folder = qEnvironmentVariable("VIMTAL_SHOTS_DIR");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        window.save(folder + "/TForm9-results.png");
        chartWindow.save(folder + "/TForm13-cooling.png");
    }
}

}  // namespace
}  // namespace vimtal
