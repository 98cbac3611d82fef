// The i-x chart's geometry: every line lies where the calculator's laws put
// it, the transform goes back and forth exactly, and the texts find places
// of their own.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "aircalc/AirCalculator.h"
#include "aircalc/IxChart.h"
#include "aircalc/MoistAir.h"
#include "core/Numbers.h"

namespace vimtal::aircalc {
namespace {

constexpr double kPb = 101300.0;

// Texts measured as a sans-serif face of 11 px sets them: about 6.2 px a
// character, 14 px a line (UTF-8 letters counted once).
TextSize ApproximateMeasure(const std::string& text, IxText kind) {
    double characters = 0;
    for (unsigned char c : text) characters += (c & 0xC0) != 0x80;
    const double em = kind == IxText::Title ? 7.5 : kind == IxText::LineLabel || kind == IxText::EdgeScale ? 5.6 : 6.2;
    return {characters * em, kind == IxText::Title ? 16.0 : 14.0};
}

// The state of chart point p by the laws, as a user reads it off the chart.
double TemperatureAt(const IxPoint& p) { return TemperatureOf(IxEnthalpy(p), p.x); }
double PhiAt(const IxPoint& p, double pb) {
    return RelativeHumidity(p.x, AirCalcSaturationPressure(TemperatureAt(p)), pb);
}

// y of a straight line's piece at x.
double YOn(const IxPolyline& piece, double x) {
    const IxPoint& a = piece.front();
    const IxPoint& b = piece.back();
    return a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
}

// The line of that family and value (of fog at 0 degC, the water one).
const IxLine* Find(const IxLines& chart, IxFamily family, double value) {
    for (const IxLine& line : chart.lines) {
        if (line.family == family && line.value == value && !(line.ice && value == 0)) return &line;
    }
    return nullptr;
}

TEST(IxChart, StateToPixelToStateRoundTrips) {
    const PixelRect plots[] = {{61, 44, 903, 560}, {0, 0, 1600, 1000}, {10.5, 7.25, 333.3, 901.7}};
    const IxRange ranges[] = {{}, {-25, 80, 100}, {10, 30, 15}};
    struct {
        double t, phi;
    } states[] = {{20, 0.5}, {-19.5, 0.9}, {0, 1.0}, {35, 0.1}, {12.34, 0.777}};
    for (const IxRange& range : ranges) {
        const IxBounds bounds = IxBoundsOf(range);
        for (const PixelRect& plot : plots) {
            const IxTransform transform(bounds, plot);
            for (const auto& s : states) {
                const double x = HumidityRatio(s.phi, AirCalcSaturationPressure(s.t), kPb);
                const IxPoint back = transform.ToChart(transform.ToPixel(IxPointOf(s.t, x)));
                EXPECT_NEAR(back.x, x, 1e-12) << s.t << " " << s.phi;
                EXPECT_NEAR(TemperatureAt(back), s.t, 1e-9) << s.t << " " << s.phi;
                EXPECT_NEAR(PhiAt(back, kPb), s.phi, 1e-9) << s.t << " " << s.phi;
            }
            // The corners of the bounds are the corners of the plot.
            const PixelPoint top = transform.ToPixel({0, bounds.yMax});
            const PixelPoint bottom = transform.ToPixel({bounds.xMax, bounds.yMin});
            EXPECT_NEAR(top.x, plot.left, 1e-9);
            EXPECT_NEAR(top.y, plot.top, 1e-9);
            EXPECT_NEAR(bottom.x, plot.Right(), 1e-9);
            EXPECT_NEAR(bottom.y, plot.Bottom(), 1e-9);
        }
    }
}

TEST(IxChart, EveryCurvePointHasItsValueByTheCalculatorsLaw) {
    const std::pair<IxRange, double> charts[] = {{{}, kPb}, {{-25, 80, 100}, 60000}, {{0, 40, 20}, 120000}};
    for (const auto& [range, pb] : charts) {
        const IxLines chart = ComputeIxLines(range, pb);
        int phiLines = 0, densityLines = 0;
        for (const IxLine& line : chart.lines) {
            for (const IxPolyline& piece : line.pieces) {
                for (const IxPoint& p : piece) {
                    ASSERT_TRUE(chart.bounds.Contains(p)) << static_cast<int>(line.family) << " " << line.value;
                    switch (line.family) {
                    case IxFamily::RelativeHumidity:
                    case IxFamily::Saturation:
                        EXPECT_NEAR(PhiAt(p, pb), line.value, 1e-9) << line.value << " at x " << p.x;
                        break;
                    case IxFamily::Density:
                        EXPECT_NEAR(Density(TemperatureAt(p), p.x, pb), line.value, 1e-9) << line.value;
                        EXPECT_FALSE(IsFog(IxEnthalpy(p), p.x, pb)) << line.value;
                        break;
                    case IxFamily::Isotherm: EXPECT_NEAR(TemperatureAt(p), line.value, 1e-9); break;
                    case IxFamily::FogIsotherm:
                        // Fog of that temperature: the fog law's enthalpy at t.
                        if (line.ice && line.value == 0) {
                            EXPECT_NEAR(IxEnthalpy(p), FrozenFogEnthalpyAtZero(p.x, pb), 1e-9);
                        } else {
                            EXPECT_NEAR(IxEnthalpy(p), FogEnthalpy(line.value, p.x, pb), 1e-9) << line.value;
                        }
                        break;
                    case IxFamily::Enthalpy: EXPECT_NEAR(IxEnthalpy(p), line.value, 1e-9); break;
                    case IxFamily::XGrid: EXPECT_NEAR(p.x * 1000, line.value, 1e-9); break;
                    case IxFamily::EdgeRay: break;
                    }
                }
            }
            phiLines += line.family == IxFamily::RelativeHumidity && !line.pieces.empty();
            densityLines += line.family == IxFamily::Density && !line.pieces.empty();
        }
        EXPECT_EQ(phiLines, 9);
        EXPECT_GE(densityLines, 3);
    }
}

TEST(IxChart, LineFamiliesOfTheDefaultRange) {
    const IxLines chart = ComputeIxLines({}, kPb);
    int isotherms = 0, majorIsotherms = 0, enthalpy = 0, grid = 0, rays = 0;
    for (const IxLine& line : chart.lines) {
        isotherms += line.family == IxFamily::Isotherm;
        majorIsotherms += line.family == IxFamily::Isotherm && line.major;
        enthalpy += line.family == IxFamily::Enthalpy;
        grid += line.family == IxFamily::XGrid;
        rays += line.family == IxFamily::EdgeRay;
    }
    EXPECT_EQ(isotherms, 71);       // -20 ... 50 every 1 K
    EXPECT_EQ(majorIsotherms, 15);  // every 5 K
    EXPECT_EQ(grid, 30);            // 1 ... 30 g/kg (0 is the axis)
    EXPECT_EQ(rays, 10);
    EXPECT_GE(enthalpy, 28);  // -20 ... 125 kJ/kg every 5
    // The 0 degC isotherm is horizontal; warmer ones rise, colder ones fall.
    const IxPolyline& zero = Find(chart, IxFamily::Isotherm, 0)->pieces.front();
    EXPECT_NEAR(zero.front().y, zero.back().y, 1e-12);
    const IxPolyline& warm = Find(chart, IxFamily::Isotherm, 30)->pieces.front();
    EXPECT_GT(warm.back().y, warm.front().y);
    const IxPolyline& cold = Find(chart, IxFamily::Isotherm, -10)->pieces.front();
    EXPECT_LT(cold.back().y, cold.front().y);
    // Enthalpy lines fall to the right by 2.501 kJ/kg per g/kg.
    const IxPolyline& i40 = Find(chart, IxFamily::Enthalpy, 40)->pieces.front();
    EXPECT_NEAR((i40.back().y - i40.front().y) / (i40.back().x - i40.front().x), -2501, 1e-6);
    // Isotherms end on the saturation curve, where their fog isotherms start.
    const IxPolyline& fog20 = Find(chart, IxFamily::FogIsotherm, 20)->pieces.front();
    EXPECT_NEAR(fog20.front().x, SaturationHumidityRatio(20, kPb), 1e-15);
    EXPECT_EQ(Find(chart, IxFamily::Isotherm, 20)->pieces.front().back().y, fog20.front().y);
}

TEST(IxChart, TheCalculatorsStateLiesOnItsIsothermAndEnthalpyLine) {
    SetDecimalSeparator(',');
    // Inputs of every case whose t or i falls on a drawn line.
    struct Case {
        AirTexts texts;
        std::optional<double> isotherm, enthalpy;
    } cases[] = {
        {{"", "", "20", "50", "101300"}, 20, std::nullopt},  // t, phi
        {{"40", "0,008", "", "", "101300"}, std::nullopt, 40},  // i, x
        {{"30", "", "10", "", "101300"}, 10, 30},  // i, t
        {{"", "0,012", "25", "", "101300"}, 25, std::nullopt},  // x, t
        {{"45", "", "", "40", "101300"}, std::nullopt, 45},  // i, phi
        {{"", "", "-15", "80", "95000"}, -15, std::nullopt},
    };
    for (const Case& c : cases) {
        AirState state;
        ASSERT_TRUE(Calculate(state, c.texts).has_value());
        const IxLines chart = ComputeIxLines({}, state.pb);
        const IxOverlay overlay = CalculatorOverlay(state, state.pb);
        ASSERT_EQ(overlay.points.front().label, "K");
        const IxPoint k = overlay.points.front().at;
        EXPECT_EQ(k.x, state.x);
        EXPECT_NEAR(IxEnthalpy(k), state.i, 1e-12);
        if (c.isotherm) {
            EXPECT_NEAR(YOn(Find(chart, IxFamily::Isotherm, *c.isotherm)->pieces.front(), k.x), k.y, 1e-9);
        }
        if (c.enthalpy) {
            EXPECT_NEAR(YOn(Find(chart, IxFamily::Enthalpy, *c.enthalpy)->pieces.front(), k.x), k.y, 1e-9);
        }
        // The dew point straight below, the wet bulb along the enthalpy
        // line, both on the saturation curve.
        const IxPoint dew = overlay.points[1].at, wet = overlay.points[2].at;
        EXPECT_EQ(dew.x, k.x);
        EXPECT_NEAR(PhiAt(dew, state.pb), 1.0, 1e-9);
        EXPECT_NEAR(PhiAt(wet, state.pb), 1.0, 1e-9);
        EXPECT_NEAR(TemperatureAt(wet), state.tm, 1e-9);
        EXPECT_NEAR(IxEnthalpy(wet), state.i, 0.01);  // the search's 0.001 K grid
        // The calculator's dew point is its own logarithmic fit: within a
        // tenth of a kelvin of the saturation curve's above 0 degC, and
        // within 0.7 K below, where the fit follows ice.
        EXPECT_NEAR(TemperatureAt(dew), state.tr, state.tr > 0 ? 0.1 : 0.7);
    }
}

TEST(IxChart, ReadingsAboveAndBeyondSaturation) {
    SetDecimalSeparator(',');
    const IxLines chart = ComputeIxLines({}, kPb);
    // A fog isotherm's points read its temperature, with the surplus as
    // droplets (or ice below 0 degC).
    for (const double t : {-15.0, -5.0, 5.0, 20.0}) {
        const IxLine* line = Find(chart, IxFamily::FogIsotherm, t);
        ASSERT_NE(line, nullptr) << t;
        const IxPolyline& piece = line->pieces.front();
        const IxPoint inside{(piece.front().x + piece.back().x) / 2, (piece.front().y + piece.back().y) / 2};
        const IxReading r = ReadingAt(inside, kPb);
        EXPECT_TRUE(r.fog) << t;
        EXPECT_NEAR(r.t, t, 1e-8) << t;
        EXPECT_EQ(r.phi, 100.0);
        EXPECT_NEAR(r.condensed, inside.x - SaturationHumidityRatio(t, kPb), 1e-12) << t;
        EXPECT_FALSE(r.rho.has_value());
        EXPECT_NE(ReadingTexts(r).fog.find(t < 0 ? "lód" : "woda"), std::string::npos) << t;
    }
    // A little above the saturation curve: unsaturated, just below 100 %.
    const double xs = SaturationHumidityRatio(10, kPb);
    const IxReading near = ReadingAt(IxPointOf(10, xs * 0.999), kPb);
    EXPECT_FALSE(near.fog);
    EXPECT_NEAR(near.phi, 99.9, 0.01);
    EXPECT_TRUE(ReadingTexts(near).fog.empty());
    // Dry air has no dew point.
    const IxReading dry = ReadingAt(IxPointOf(25, 0), kPb);
    EXPECT_EQ(ReadingTexts(dry).tr, "–");
    EXPECT_EQ(ReadingTexts(dry).phi, "0");
    // The fog region's polygon holds fog, and its edge is the saturation curve.
    ASSERT_GE(chart.fogRegion.size(), 4u);
    for (const IxPoint& p : chart.fogRegion) {
        const IxPoint in{p.x, p.y - 1e-6};
        if (chart.bounds.Contains(in) && p.x > 0) {
            EXPECT_TRUE(IsFog(IxEnthalpy(in), in.x, kPb) || PhiAt(p, kPb) > 0.99999);
        }
    }
}

TEST(IxChart, ReadingTextsInTheLocalesFormat) {
    SetDecimalSeparator(',');
    AirState state;
    ASSERT_TRUE(Calculate(state, {"", "", "20", "50", "101300"}).has_value());
    const IxReadingTexts k = ReadingTexts(ReadingOf(state));
    EXPECT_EQ(k.t, "20");
    EXPECT_EQ(k.phi, "50");
    EXPECT_EQ(k.x, "7,26");
    EXPECT_EQ(k.i, "38,5");
    EXPECT_EQ(k.tr, "9,2");
    EXPECT_EQ(k.tm, "13,7");
    // The same point read off the chart gives the same figures.
    const IxReadingTexts read = ReadingTexts(ReadingAt({state.x, IxOrdinate(state.i, state.x)}, state.pb));
    EXPECT_EQ(read.t, k.t);
    EXPECT_EQ(read.phi, k.phi);
    EXPECT_EQ(read.tr, k.tr);
    EXPECT_EQ(read.tm, k.tm);
    EXPECT_EQ(read.rho, "1,198");
    SetDecimalSeparator('.');
    EXPECT_EQ(ReadingTexts(ReadingOf(state)).i, "38.5");
    SetDecimalSeparator(',');
}

TEST(IxChart, EdgeScaleRaysRunAtTheirDirection) {
    for (const IxRange& range : {IxRange{}, IxRange{5, 45, 25}}) {
        const IxLines chart = ComputeIxLines(range, kPb);
        int rays = 0;
        for (const IxLine& line : chart.lines) {
            if (line.family != IxFamily::EdgeRay) continue;
            ++rays;
            const IxPoint pole = line.pieces.front().front(), end = line.pieces.front().back();
            if (std::isinf(line.value)) {
                EXPECT_EQ(end.x, pole.x);
                EXPECT_NEAR(end.y, line.value > 0 ? chart.bounds.yMax : chart.bounds.yMin, 1e-12);
            } else {
                const double epsilon = (IxEnthalpy(end) - IxEnthalpy(pole)) / (end.x - pole.x);
                EXPECT_NEAR(epsilon, line.value, 1e-6 * std::max(1.0, std::abs(line.value)));
            }
            // It ends on the frame.
            const IxBounds& b = chart.bounds;
            const double edge = std::min({std::abs(end.x - b.xMax), std::abs(end.y - b.yMin), std::abs(end.y - b.yMax)});
            EXPECT_LT(edge, 1e-9) << line.value;
        }
        EXPECT_EQ(rays, 10);
    }
    // 0 degC on the x = 0 axis when it lies well inside the range, else the
    // whole degree nearest the middle.
    EXPECT_EQ(ComputeIxLines({}, kPb).pole.y, 0.0);
    EXPECT_EQ(ComputeIxLines({5, 45, 25}, kPb).pole.y, IxPointOf(25, 0).y);
    EXPECT_EQ(ComputeIxLines({0, 40, 20}, kPb).pole.y, IxPointOf(20, 0).y);
}

// No two texts overlap, no text inside the plot hides a line's end, and
// every text the chart must have is there.
void ExpectCleanLayout(const IxLines& chart, double w, double h, bool density, const std::string& what) {
    const IxLayout layout = LayOutIxChart(chart, w, h, ApproximateMeasure, density);
    const auto& labels = layout.labels;
    for (std::size_t a = 0; a < labels.size(); ++a) {
        for (std::size_t b = a + 1; b < labels.size(); ++b) {
            EXPECT_FALSE(LabelsOverlap(labels[a], labels[b], 1.0)) << what << ": " << labels[a].text << " / " << labels[b].text;
        }
    }
    const PixelRect& plot = layout.transform.Plot();
    for (const IxLine& line : chart.lines) {
        if (line.family == IxFamily::EdgeRay || (line.family == IxFamily::Density && !density)) continue;
        for (const IxPolyline& piece : line.pieces) {
            for (const IxPoint& end : {piece.front(), piece.back()}) {
                const PixelPoint p = layout.transform.ToPixel(end);
                if (p.x <= plot.left + 1 || p.x >= plot.Right() - 1 || p.y <= plot.top + 1 || p.y >= plot.Bottom() - 1) continue;
                for (const IxLabel& label : labels) EXPECT_FALSE(LabelCovers(label, p, 1.0)) << what << ": " << label.text;
            }
        }
    }
}

std::vector<std::string> Texts(const IxLayout& layout, IxText kind) {
    std::vector<std::string> texts;
    for (const IxLabel& label : layout.labels) {
        if (label.kind == kind) texts.push_back(label.text);
    }
    return texts;
}

bool Has(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(IxChart, TextsFindPlacesOfTheirOwn) {
    SetDecimalSeparator(',');
    const IxLines standard = ComputeIxLines({}, kPb);
    ExpectCleanLayout(standard, 1024, 640, false, "default");
    ExpectCleanLayout(standard, 1024, 640, true, "default with density");
    ExpectCleanLayout(standard, 1600, 1000, true, "large");
    ExpectCleanLayout(standard, 640, 1180, false, "A4 page");
    ExpectCleanLayout(standard, 500, 320, false, "small");
    ExpectCleanLayout(ComputeIxLines({-25, 80, 100}, 60000), 1024, 640, true, "widest");
    ExpectCleanLayout(ComputeIxLines({10, 30, 12}, 120000), 1024, 640, true, "narrow");

    // At the default size every number the chart promises is there.
    const IxLayout layout = LayOutIxChart(standard, 1024, 640, ApproximateMeasure, true);
    const auto ticks = Texts(layout, IxText::Tick), lines = Texts(layout, IxText::LineLabel),
               edge = Texts(layout, IxText::EdgeScale);
    for (int t = -20; t <= 50; t += 5) EXPECT_TRUE(Has(ticks, FloatToStr(t))) << t;
    for (int x = 0; x <= 30; x += 2) EXPECT_TRUE(Has(ticks, IntToStr(x))) << x;
    for (int phi = 10; phi <= 90; phi += 10) EXPECT_TRUE(Has(lines, IntToStr(phi) + " %")) << phi;
    EXPECT_TRUE(Has(lines, "φ = 100 %"));
    int enthalpy = 0, density = 0;
    for (const IxLabel& label : layout.labels) {
        enthalpy += label.family == IxFamily::Enthalpy;
        density += label.family == IxFamily::Density;
    }
    EXPECT_GE(enthalpy, 10);  // of 0 ... 120 every 10
    EXPECT_GE(density, 4);
    for (const char* e : {"+∞", "-∞", "0", "1000", "-1000", "2000", "2500", "3000", "5000", "10000"}) {
        EXPECT_TRUE(Has(edge, e)) << e;
    }
}

TEST(IxChart, RangesAndPressuresTheChartRefuses) {
    struct {
        IxRange range;
        const char* names;  // the message names the value at fault
    } refused[] = {
        {{-30, 50, 30}, "t min"}, {{-20, 85, 30}, "t max"}, {{20, 25, 30}, "10 K"},
        {{-20, 50, 1}, "x max"},  {{-20, 50, 150}, "x max"}, {{NAN, 50, 30}, "t min"},
    };
    for (const auto& r : refused) {
        const std::optional<std::string> message = IxRangeRefusal(r.range);
        ASSERT_TRUE(message.has_value()) << r.names;
        EXPECT_NE(message->find(r.names), std::string::npos) << *message;
    }
    for (const IxRange& good : {IxRange{}, IxRange{-25, 80, 100}, IxRange{0, 10, 2}}) EXPECT_FALSE(IxRangeRefusal(good));
    EXPECT_FALSE(IxPressureRefusal(101325));
    EXPECT_TRUE(IxPressureRefusal(59999));
    EXPECT_TRUE(IxPressureRefusal(120001));
}

}  // namespace
}  // namespace vimtal::aircalc
