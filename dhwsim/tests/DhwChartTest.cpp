#include "app/testing/AppHarness.h"
#include "charts/ChartFrame.h"
#include "charts/tests/ChartPixels.h"
#include "core/Numbers.h"
#include "core/ui/Platform.h"
#include "dhwsim/ChargingChart.h"
#include "dhwsim/DhwChartForm.h"
#include "dhwsim/DhwSimForm.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>

namespace vimtal::dhwsim {
namespace {

using namespace charts::testing;

struct Painted {
    QImage image;
    ChartDrawing drawing;
    std::optional<ResultTexts> results;
    RecordingMessageSink messages;
    KeptValues kept;
    std::optional<Inputs> inputs;  // nothing: refused
    Result first;                  // where the first pass ended
    std::vector<charts::PlotPoint> points;
};

// The tank of the window tests: 98 l, 10 kW from 10 C.
WindowInputs Tank(bool electric = false) {
    WindowInputs w;
    w.height = "0,5";
    w.diameter = "0,5";
    w.power = "10";
    w.targetTemperature = "55";
    w.waterHeating = !electric;
    w.electricHeating = electric;
    return w;
}

WindowInputs TowardsATime(WindowInputs w, const char* seconds) {
    w.targetTemperatureSelected = false;
    w.targetTemperature.clear();
    w.targetTime = seconds;
    return w;
}

// The same tank typed into the simulation window.
void TypeTank(AppHarness& app) {
    const QString F5 = QStringLiteral("TForm5");
    app.Type(F5, "Edit2", "0,5");
    app.Type(F5, "Edit12", "0,5");
    app.Type(F5, "Edit9", "10");
    app.Type(F5, "Edit7", "55");
}

// Prepares as the chart window does, then draws.
void Paint(Painted& p, int kind, const WindowInputs& w, int W = 500, int H = 305) {
    SetDecimalSeparator(',');
    if (w.waterHeating && !w.power.empty()) {
        p.kept.source = PowerToFlow(p.kept.source, {w.initialTemperature, w.supplyTemperature, w.returnTemperature},
                                    &w.power, std::nullopt, p.messages)
                            .source;
    }
    p.image = Blank(W, H);
    p.inputs = Prepare(w, {}, Purpose::Chart, p.kept, p.messages);
    if (!p.inputs) return;
    QPainter painter(&p.image);
    charts::Canvas canvas(painter);
    p.drawing = DrawChargingChart(
        canvas, W, H, kind, *p.inputs,
        [&p](const Result& first) {
            p.first = first;
            p.results = ChartResults(*p.inputs, first);
        },
        &p.points);
}

// Columns crossed by a vertical grid line: many grey pixels above the axis.
int GridColumns(const QImage& image) {
    int columns = 0;
    for (int x = 21; x < image.width() - 20; ++x) {
        int grey = 0;
        for (int y = 40; y < image.height() - 25; ++y) grey += image.pixel(x, y) == kGrey;
        columns += grey > (image.height() - 65) / 2;
    }
    return columns;
}

// Rows crossed by a horizontal grid line: mostly grey between the axes.
std::vector<int> GridRows(const QImage& image) {
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        int grey = 0;
        for (int x = 25; x < image.width() - 25; ++x) grey += image.pixel(x, y) == kGrey;
        if (grey > (image.width() - 50) / 2) rows.push_back(y);
    }
    return rows;
}

TEST(DhwChart, FrameAndTicksAtTheirPixels) {
    Painted p;
    Paint(p, 1, Tank());
    const int W = 500, H = 305;
    ASSERT_TRUE(p.drawing.scaled);
    const std::pair<QPoint, QRgb> pixels[] = {
        {{20, H - 20}, kRed},  {{250, H - 20}, kRed},  {{20, 150}, kRed},        // axes
        {{W - 28, H - 24}, kRed}, {{W - 28, H - 16}, kRed},                       // arrow head
        {{24, 28}, kRed},      {{16, 28}, kRed},                                  // arrow head
        {{W - 155, 5}, kRed},  {{W - 130, 15}, kRed},  {{W - 140, 25}, kWhite},   // legend
    };
    for (const auto& [at, colour] : pixels) EXPECT_EQ(p.image.pixel(at), colour) << at.x() << "," << at.y();

    // Ten time ticks: red marks below the axis, dashed grey lines above.
    const double tend = p.first.end.t;
    const double sx = (W - 60) / tend;
    for (int i = 1; i <= 10; ++i) {
        const int x = charts::Nearest(i * (tend / 10) * sx) + 20;
        EXPECT_EQ(p.image.pixel(x, H - 17), kRed) << i;
        int grey = 0, white = 0;
        for (int y = 41; y < H - 25; ++y) {
            grey += p.image.pixel(x, y) == kGrey;
            white += p.image.pixel(x, y) == kWhite;
        }
        EXPECT_GT(grey, 100) << i;  // dashed: mostly drawn, with gaps
        EXPECT_GT(white, 20) << i;
    }
}

TEST(DhwChart, TargetTemperatureOf55DrawsElevenTemperatureTicks) {
    struct Case {
        const char* target;
        std::size_t ticks;
    } cases[] = {{"55", 11}, {"42", 8}, {"2", 0}};
    for (const Case& c : cases) {
        WindowInputs w = Tank();
        w.targetTemperature = c.target;
        Painted p;
        Paint(p, 1, w);
        const std::vector<int> rows = GridRows(p.image);
        ASSERT_EQ(rows.size(), c.ticks) << c.target;
        EXPECT_EQ(GridColumns(p.image), 10) << c.target;
        const double sy = (305 - 60) / p.first.end.tw;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            // From the bottom: 5, 10, ... degrees.
            EXPECT_EQ(rows[rows.size() - 1 - i], charts::Nearest(285.0L - (i + 1) * 5 * sy)) << c.target;
        }
    }
}

TEST(DhwChart, CurvesEndAtTheTopOfTheirScale) {
    const int W = 500;
    struct Case {
        int kind;
        WindowInputs inputs;
    } cases[] = {
        {1, Tank()}, {1, TowardsATime(Tank(), "900")}, {2, Tank()}, {3, Tank()},
    };
    for (const Case& c : cases) {
        Painted p;
        Paint(p, c.kind, c.inputs);
        const Extent blue = Of(p.image, kBlue);
        ASSERT_GT(blue.count, 0) << c.kind;
        if (c.kind == 1) {
            // The curve reaches the top of the scale, H - 60 pixels above the
            // axis, at the right end of the time axis; its end pixel is left out.
            EXPECT_GE(blue.top, 40);
            EXPECT_LE(blue.top, 41);
            EXPECT_GE(blue.right, W - 41);
            EXPECT_LE(blue.right, W - 40);
            EXPECT_EQ(blue.left, 20);
        } else {
            // Water heating: the source starts at Q, the top of the scale, and
            // falls as the water warms.
            EXPECT_EQ(blue.top, 40) << c.kind;
            EXPECT_GT(blue.bottom, 40) << c.kind;
        }
        if (c.kind == 3) {
            // From the initial temperature, not from the axis.
            const int x0 = charts::Nearest(10 * ((W - 60) / p.first.end.tw)) + 20;
            EXPECT_EQ(blue.left, x0);
        }
    }
}

TEST(DhwChart, ElectricHeatingDrawsTheConstantPowerAtTheTop) {
    for (int kind : {2, 3}) {
        Painted p;
        Paint(p, kind, Tank(true));
        const Extent blue = Of(p.image, kBlue);
        ASSERT_GT(blue.count, 10) << kind;
        EXPECT_EQ(blue.top, 40) << kind;  // H - 60 pixels above the axis
        EXPECT_EQ(blue.bottom, 40) << kind;
    }
}

TEST(DhwChart, AScaleOfNothingLeavesTheFrameEmpty) {
    WindowInputs zeroPower = TowardsATime(Tank(true), "100");
    zeroPower.power = "0";
    WindowInputs atZero = TowardsATime(Tank(true), "100");  // water at 0 C, no power, no losses
    atZero.initialTemperature = "0";
    atZero.airTemperature = "0";
    atZero.power = "0";
    struct Case {
        int kind;
        WindowInputs inputs;
    } cases[] = {{2, zeroPower}, {3, zeroPower}, {1, atZero}};
    for (const Case& c : cases) {
        Painted p;
        Paint(p, c.kind, c.inputs);
        EXPECT_TRUE(p.inputs);
        EXPECT_FALSE(p.drawing.scaled) << c.kind;
        EXPECT_TRUE(p.results.has_value());
        EXPECT_EQ(Of(p.image, kBlue).count, 0) << c.kind;
        EXPECT_TRUE(GridRows(p.image).empty()) << c.kind;
        EXPECT_EQ(GridColumns(p.image), 0) << c.kind;
        EXPECT_EQ(p.image.pixel(20, 150), kRed);
    }
}

TEST(DhwChart, RefusedInputsDrawNothing) {
    WindowInputs w = Tank();
    w.height.clear();
    Painted p;
    Paint(p, 1, w);
    EXPECT_FALSE(p.inputs);
    ASSERT_EQ(p.messages.messages.size(), 1u);
    EXPECT_EQ(p.messages.messages[0].text, "Podaj wysokosc zasobnika C.W.U");
    EXPECT_EQ(Of(p.image, kRed).count, 0);
    EXPECT_FALSE(p.results.has_value());
}

TEST(DhwChart, FirstPassResultsFollowTheCriterion) {
    Painted towardsTemperature;
    Paint(towardsTemperature, 2, Tank());
    ASSERT_TRUE(towardsTemperature.results);
    EXPECT_EQ(towardsTemperature.results->time, FloatToStr(towardsTemperature.first.end.t));
    EXPECT_EQ(towardsTemperature.results->temperature, "");
    EXPECT_FALSE(towardsTemperature.results->minutes);  // left to the time box's reaction
    Painted towardsTime;
    Paint(towardsTime, 1, TowardsATime(Tank(), "600"));
    ASSERT_TRUE(towardsTime.results);
    EXPECT_EQ(towardsTime.results->time, "");
    EXPECT_EQ(towardsTime.results->temperature, FloatToStr(towardsTime.first.end.tw));
    EXPECT_FALSE(towardsTime.results->hours);
}

// The points an export writes: the start and each vertex of the curve, in
// minutes, degrees C and kW.
TEST(DhwChart, PointsOfTheCurveInTheUnitsOfTheAxes) {
    struct Case {
        int kind;
        bool electric;
    } cases[] = {{1, false}, {2, false}, {3, false}, {2, true}, {3, true}};
    for (const Case& c : cases) {
        Painted p;
        Paint(p, c.kind, Tank(c.electric));
        const std::vector<charts::PlotPoint>& points = p.points;
        ASSERT_EQ(points.size(), static_cast<std::size_t>(p.drawing.segments) + 1) << c.kind;
        const double tend = p.first.end.t, twend = p.first.end.tw, Q = p.inputs->Q;
        const double xEnd = c.kind == 3 ? twend : tend / 60;
        const double x0 = c.kind == 3 ? 10 : 0;
        EXPECT_EQ(points.front().x, x0) << c.kind;
        // The last vertex lies within a pixel of the end of the run.
        EXPECT_NEAR(points.back().x, xEnd, (xEnd - x0) / 440) << c.kind;
        for (std::size_t i = 1; i < points.size(); ++i) ASSERT_GT(points[i].x, points[i - 1].x) << c.kind;
        if (c.kind == 1) {
            EXPECT_EQ(points.front().y, 10);
            EXPECT_NEAR(points.back().y, twend, twend / 245);
        } else if (c.electric) {
            for (const charts::PlotPoint& point : points) ASSERT_NEAR(point.y, Q, 1e-9) << c.kind;
        } else {
            // The source power falls from Q as the water warms.
            EXPECT_NEAR(points.front().y, Q, 1e-9) << c.kind;
            EXPECT_LT(points.back().y, points.front().y) << c.kind;
        }
    }
}

TEST(DhwChart, CurveIsThePictureOfEveryStep) {
    // The curve drawn point by point through every step, each point rounded
    // on its own, gives the same pixels as the chart's curve.
    for (int kind : {1, 2, 3}) {
        Painted p;
        WindowInputs w = Tank();
        w.timeStep = "0,25";
        Paint(p, kind, w, 582, 355);
        const int W = 582, H = 355;
        const double tend = p.first.end.t, twend = p.first.end.tw, Q = p.inputs->Q;
        const double sx = (W - 60) / (kind == 3 ? twend : tend);
        const double sy = (H - 60) / (kind == 1 ? twend : Q);
        QImage naive = Blank(W, H);
        {
            QPainter painter(&naive);
            charts::Canvas canvas(painter);
            canvas.SetPen(charts::kCurveColour);
            auto point = [&](const State& s) {
                const long double x = kind == 3 ? s.tw * static_cast<long double>(sx) : s.t * static_cast<long double>(sx);
                const long double y = kind == 1 ? s.tw * static_cast<long double>(sy)
                                                : static_cast<long double>(s.Es) / 0.25L * sy;
                return QPoint(charts::Nearest(x) + 20, H - charts::Nearest(y) - 20);
            };
            const QPoint start = point(InitialState(*p.inputs));
            canvas.MoveTo(start.x(), start.y());
            Simulate(*p.inputs, [&](const State& s) {
                const QPoint at = point(s);
                canvas.LineTo(at.x(), at.y());
            });
        }
        int differences = 0, curve = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const bool inNaive = naive.pixel(x, y) == kBlue;
                curve += inNaive;
                differences += inNaive != (p.image.pixel(x, y) == kBlue);
            }
        EXPECT_GT(curve, 100) << kind;
        EXPECT_EQ(differences, 0) << kind;
    }
}

// The report's three charts: what the chart window draws, from two passes
// of the simulation for any number of charts of one size.
TEST(ChargingCharts, DrawWhatTheChartWindowDrawsFromTwoPasses) {
    WindowInputs zeroPower = TowardsATime(Tank(true), "100");
    zeroPower.power = "0";
    WindowInputs fine = Tank();
    fine.timeStep = "0,25";
    const WindowInputs cases[] = {Tank(), Tank(true), TowardsATime(Tank(), "1800"), fine, zeroPower};
    const QSize sizes[] = {{500, 305}, {642, 392}};
    for (const WindowInputs& w : cases) {
        KeptValues kept;
        RecordingMessageSink messages;
        if (w.waterHeating) {
            kept.source = PowerToFlow(kept.source, {w.initialTemperature, w.supplyTemperature, w.returnTemperature},
                                      &w.power, std::nullopt, messages)
                              .source;
        }
        const std::optional<Inputs> inputs = Prepare(w, {}, Purpose::Chart, kept, messages);
        ASSERT_TRUE(inputs) << w.power;
        ChargingCharts report(*inputs);
        int size = 0;
        for (const QSize& at : sizes) {
            for (int kind : {1, 2, 3}) {
                Painted window;
                Paint(window, kind, w, at.width(), at.height());
                QImage image = Blank(at.width(), at.height());
                ChartDrawing drawing;
                {
                    QPainter painter(&image);
                    charts::Canvas canvas(painter);
                    drawing = report.Draw(canvas, at.width(), at.height(), kind);
                }
                EXPECT_EQ(image, window.image) << w.power << " kind " << kind << " at " << at.width();
                EXPECT_EQ(drawing.scaled, window.drawing.scaled) << kind;
                EXPECT_EQ(drawing.segments, window.drawing.segments) << kind;
            }
            // One first pass, then one trace of the curves for each size.
            EXPECT_EQ(report.Passes(), 2 + size++) << w.power;
        }
        EXPECT_TRUE(messages.messages.empty());
    }
}

TEST(DhwChartWindow, ZoomWalksThroughItsSizes) {
    AppHarness app;
    auto* chart = app.WindowAs<TForm6>(QStringLiteral("TForm6"));
    const QSize sizes[] = {{500, 305}, {582, 355}, {664, 405}, {746, 455}, {828, 505},
                           {910, 555}, {992, 605}, {1074, 655}};
    EXPECT_EQ(chart->ChartSize(), sizes[0]);
    EXPECT_EQ(chart->Client()->size(), sizes[0]);
    for (int i = 1; i < 8; ++i) {
        app.Click(QStringLiteral("TForm6"), QStringLiteral("Powiksz1"));
        EXPECT_EQ(chart->ChartSize(), sizes[i]);
        EXPECT_EQ(chart->Client()->size(), sizes[i]);
    }
    app.Click(QStringLiteral("TForm6"), QStringLiteral("Powiksz1"));  // at 1074: no further
    EXPECT_EQ(chart->ChartSize(), sizes[7]);
    for (int i = 6; i >= 0; --i) {
        app.Click(QStringLiteral("TForm6"), QStringLiteral("Pomniejsz1"));
        EXPECT_EQ(chart->ChartSize(), sizes[i]);
    }
    app.Click(QStringLiteral("TForm6"), QStringLiteral("Pomniejsz1"));  // at 500: no further
    EXPECT_EQ(chart->ChartSize(), sizes[0]);
    EXPECT_EQ(app.Control<QAction>(QStringLiteral("TForm6"), QStringLiteral("Powiksz1"))->shortcut(),
              QKeySequence(Qt::Key_Insert));
    EXPECT_EQ(app.Control<QAction>(QStringLiteral("TForm6"), QStringLiteral("Pomniejsz1"))->shortcut(),
              QKeySequence(Qt::Key_Delete));
}

TEST(DhwChartWindow, ChartBeforeAnyRunFillsTheResults) {
    AppHarness app;
    const QString F5 = QStringLiteral("TForm5");
    TypeTank(app);
    app.Click(F5, "Button4");
    const QImage image = app.Grab(QStringLiteral("TForm6"), QStringLiteral("PaintBox1"));
    EXPECT_EQ(image.size(), QSize(500, 305));
    EXPECT_EQ(image.pixel(20, 150), kRed);
    EXPECT_GT(Of(image, kBlue).count, 100);
    EXPECT_FALSE(app.Text(F5, "Edit8").isEmpty());
    EXPECT_FALSE(app.Text(F5, "Edit20").isEmpty());
    EXPECT_FALSE(app.Text(F5, "Edit18").isEmpty());
}

// Another window dragged over the chart and away, and every other request to
// paint it, paint the kept image: the model does not run again, so the first
// pass does not write its results again either. Zooming and opening the
// chart again run it.
TEST(DhwChartWindow, CoveringAndUncoveringDoesNotRunTheModelAgain) {
    AppHarness app;
    const QString F5 = QStringLiteral("TForm5"), F6 = QStringLiteral("TForm6");
    TypeTank(app);
    app.Click(F5, "Button4");
    auto* chart = app.WindowAs<TForm6>(F6);
    QWidget* box = app.Control<QWidget>(F6, QStringLiteral("PaintBox1"));
    QApplication::processEvents();
    const QImage opened = box->grab().toImage();
    EXPECT_EQ(chart->Computations(), 1);
    EXPECT_GT(Of(opened, kBlue).count, 100);
    ASSERT_FALSE(app.Text(F5, "Edit18").isEmpty());
    app.SetText(F5, "Edit18", "");  // written again only by another first pass

    box->update();
    QApplication::processEvents();
    box->repaint();
    chart->repaint();
    QPaintEvent expose(box->rect());
    QApplication::sendEvent(box, &expose);
    for (int i = 0; i < 3; ++i) {
        QWidget cover;
        cover.setGeometry(chart->geometry().adjusted(40 * i, 30 * i, 0, 0));
        cover.show();
        QApplication::processEvents();
        cover.hide();
        QApplication::processEvents();
    }
    platform().ShowModal(app.Window(QStringLiteral("TForm7")));  // a modal window over the chart
    QApplication::processEvents();
    app.Close(QStringLiteral("TForm7"));
    QApplication::processEvents();
    EXPECT_EQ(chart->Computations(), 1);
    EXPECT_TRUE(app.Text(F5, "Edit18").isEmpty());
    EXPECT_EQ(box->grab().toImage(), opened);

    app.Click(F6, "Powiksz1");
    EXPECT_EQ(chart->Computations(), 2);
    EXPECT_FALSE(app.Text(F5, "Edit18").isEmpty());
    const QImage zoomed = box->grab().toImage();
    EXPECT_EQ(zoomed.size(), QSize(582, 355));
    EXPECT_EQ(Of(zoomed, kBlue).right, 582 - 41);

    app.SetText(F5, "Edit18", "");
    app.Close(F6);
    app.Click(F5, "Button4");
    EXPECT_EQ(chart->Computations(), 3);
    EXPECT_FALSE(app.Text(F5, "Edit18").isEmpty());
    EXPECT_TRUE(app.Messages().isEmpty()) << app.Messages().join("; ").toStdString();
}

TEST(DhwChartWindow, RefusedInputsShowTheirMessageOncePerOpening) {
    AppHarness app;
    const QString F6 = QStringLiteral("TForm6");
    app.Click(QStringLiteral("TForm5"), "Button3");  // the height is empty
    QWidget* box = app.Control<QWidget>(F6, QStringLiteral("PaintBox1"));
    EXPECT_TRUE(app.Messages().isEmpty());  // not before the chart is painted
    const QImage first = box->grab().toImage();
    QApplication::processEvents();
    EXPECT_EQ(Of(first, kRed).count, 0);
    EXPECT_EQ(app.Messages(), QStringList{"Podaj wysokosc zasobnika C.W.U"});
    EXPECT_EQ(app.Fake().messages.back().title, "VIMTAL info");
    for (int i = 0; i < 3; ++i) {
        box->repaint();
        QApplication::processEvents();
    }
    EXPECT_EQ(app.Messages().size(), 1);
    app.Close(F6);
    app.Click(QStringLiteral("TForm5"), "Button3");
    box->grab();
    QApplication::processEvents();
    EXPECT_EQ(app.Messages().size(), 2);
}

TEST(DhwScreenshots, SimulationSettingsAndCharts) {
    AppHarness app;
    const QString F5 = QStringLiteral("TForm5");
    app.Type(F5, "Edit2", "1,2");
    app.Type(F5, "Edit12", "0,6");
    app.Type(F5, "Edit9", "12");
    app.Type(F5, "Edit7", "55");
    app.Click(F5, "Button1");
    // With VIMTAL_SHOTS_DIR set, the pictures are kept there to be looked at.
    const QString folder = qEnvironmentVariable("VIMTAL_SHOTS_DIR");
    const auto keep = [&folder](const QImage& image, const QString& name) {
        if (!folder.isEmpty() && QDir().mkpath(folder)) image.save(folder + "/" + name + ".png");
    };
    const QImage form = app.Grab(F5);
    EXPECT_GE(form.width(), 761);
    keep(form, QStringLiteral("TForm5"));
    app.Click(F5, "Ustawienia1");
    keep(app.Grab(QStringLiteral("TForm7")), QStringLiteral("TForm7"));
    for (int kind = 1; kind <= 3; ++kind) {
        app.Click(F5, QString("Button%1").arg(kind + 2));
        app.Click(QStringLiteral("TForm6"), QStringLiteral("Powiksz1"));
        const QImage chart = app.Grab(QStringLiteral("TForm6"));
        EXPECT_GT(Of(chart, kBlue).count, 100) << kind;
        keep(chart, QString("TForm6_kind%1").arg(kind));
    }
}

}  // namespace
}  // namespace vimtal::dhwsim
