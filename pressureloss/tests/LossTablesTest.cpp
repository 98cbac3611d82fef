#include "pressureloss/LossTables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace vimtal::pressureloss {
namespace {

struct LookupCase {
    std::string what;
    std::function<double()> lookup;
    double expected;
};

void PrintTo(const LookupCase& c, std::ostream* os) { *os << c.what; }

class LookupExamples : public ::testing::TestWithParam<LookupCase> {};

TEST_P(LookupExamples, GivesTheHandbookValue) {
    EXPECT_NEAR(GetParam().lookup(), GetParam().expected, 1e-12) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Interpolation, LookupExamples,
    ::testing::Values(
        LookupCase{"AngleFactor(90)", [] { return AngleFactor(90); }, 1.0},
        LookupCase{"AngleFactor(45)", [] { return AngleFactor(45); }, 0.6},
        LookupCase{"AngleFactor(100)", [] { return AngleFactor(100); }, 1.065},
        LookupCase{"AngleFactor(20) at a breakpoint", [] { return AngleFactor(20); }, 0.31},
        LookupCase{"AngleFactor(-10) extrapolated", [] { return AngleFactor(-10); }, -0.155},
        LookupCase{"SmoothBendZeta(0.3) flat start", [] { return SmoothBendZeta(0.3); }, 0.71},
        LookupCase{"SmoothBendZeta(1.25)", [] { return SmoothBendZeta(1.25); }, 0.185},
        LookupCase{"Segment5Zeta(1.25)", [] { return Segment5Zeta(1.25); }, 0.285},
        LookupCase{"Segment4Zeta(0.5)", [] { return Segment4Zeta(0.5); }, 0.5},
        LookupCase{"Segment3Zeta(1.75)", [] { return Segment3Zeta(1.75); }, 0.335},
        LookupCase{"MitreElbowZeta(37.5)", [] { return MitreElbowZeta(37.5); }, 0.25},
        LookupCase{"MitreReynoldsFactor(5000)", [] { return MitreReynoldsFactor(5000); }, 1.4},
        LookupCase{"MitreReynoldsFactor(200000)", [] { return MitreReynoldsFactor(200000); }, 1.0},
        LookupCase{"MitreReynoldsFactor(25000)", [] { return MitreReynoldsFactor(25000); }, 1.225},
        LookupCase{"ReducerZetaCircular(90, 1)", [] { return ReducerZetaCircular(90, 1); }, 0.0},
        LookupCase{"ReducerZetaCircular(30, 0.03)", [] { return ReducerZetaCircular(30, 0.03); }, 0.3},
        LookupCase{"ReducerZetaCircular(75, 4)", [] { return ReducerZetaCircular(75, 4); }, 1.9},
        LookupCase{"ReducerZetaRectangular(90, 4)", [] { return ReducerZetaRectangular(90, 4); }, 2.8},
        LookupCase{"ReducerZetaRectangular(12.5, 0.06)", [] { return ReducerZetaRectangular(12.5, 0.06); }, 0.265},
        LookupCase{"OffsetZeta(0.45, 100)", [] { return OffsetZeta(0.45, 100); }, 0.33},
        LookupCase{"OffsetZeta(0.8, 630)", [] { return OffsetZeta(0.8, 630); }, 0.84},
        LookupCase{"OffsetZeta(0.5, 112.5) across columns", [] { return OffsetZeta(0.5, 112.5); }, 0.365},
        LookupCase{"RectBendZeta(3, 0.75)", [] { return RectBendZeta(3, 0.75); }, 0.39},
        LookupCase{"RectBendZeta(1.25, 1.25)", [] { return RectBendZeta(1.25, 1.25); }, 0.18},
        LookupCase{"RectBendReynoldsFactor(170000, 0.625)", [] { return RectBendReynoldsFactor(170000, 0.625); },
                   1.0375},
        LookupCase{"RectMitreZeta(3, 30)", [] { return RectMitreZeta(3, 30); }, 0.23},
        LookupCase{"RectMitreZeta(0.5, 82.5)", [] { return RectMitreZeta(0.5, 82.5); }, 1.085}));

// At and beyond the last breakpoint the last value applies; nothing is read
// outside a table, also for axes that end with two equal breakpoints.
INSTANTIATE_TEST_SUITE_P(
    Clamping, LookupExamples,
    ::testing::Values(
        LookupCase{"AngleFactor(360)", [] { return AngleFactor(360); }, 1.4},
        LookupCase{"AngleFactor(720)", [] { return AngleFactor(720); }, 1.4},
        LookupCase{"SmoothBendZeta(100)", [] { return SmoothBendZeta(100); }, 0.12},
        LookupCase{"SmoothBendZeta(1e9)", [] { return SmoothBendZeta(1e9); }, 0.12},
        LookupCase{"Segment3Zeta(250)", [] { return Segment3Zeta(250); }, 0.33},
        LookupCase{"MitreElbowZeta(400)", [] { return MitreElbowZeta(400); }, 1.2},
        LookupCase{"MitreReynoldsFactor(1e7)", [] { return MitreReynoldsFactor(1e7); }, 1.0},
        LookupCase{"MitreReynoldsFactor(1e12)", [] { return MitreReynoldsFactor(1e12); }, 1.0},
        LookupCase{"ReducerZetaCircular(180, 5)", [] { return ReducerZetaCircular(180, 5); }, 10.8},
        LookupCase{"ReducerZetaCircular(270, 1000)", [] { return ReducerZetaCircular(270, 1000); }, 43},
        LookupCase{"ReducerZetaRectangular(180, 100)", [] { return ReducerZetaRectangular(180, 100); }, 43},
        LookupCase{"OffsetZeta(1.1, 800)", [] { return OffsetZeta(1.1, 800); }, 1.25},
        LookupCase{"OffsetZeta(3, 100)", [] { return OffsetZeta(3, 100); }, 1.0},
        LookupCase{"OffsetZeta(0.4, 2000)", [] { return OffsetZeta(0.4, 2000); }, 0.28},
        LookupCase{"RectBendZeta(5000, 5000)", [] { return RectBendZeta(5000, 5000); }, 0.15},
        LookupCase{"RectBendReynoldsFactor(2e7, 0.6)", [] { return RectBendReynoldsFactor(2e7, 0.6); }, 1.0},
        LookupCase{"RectBendReynoldsFactor(5000, 2000)", [] { return RectBendReynoldsFactor(5000, 2000); }, 2.0},
        LookupCase{"RectMitreZeta(1000, 360)", [] { return RectMitreZeta(1000, 360); }, 0.83},
        LookupCase{"not a number", [] { return AngleFactor(std::numeric_limits<double>::quiet_NaN()); }, 1.4}));

struct IntervalCase {
    std::vector<double> axis;
    double x;
    std::size_t index;
    double used;
};

TEST(FindInterval, PicksTheIntervalThatStartsAtOrBelowTheInput) {
    const std::vector<IntervalCase> cases = {
        {{0, 10, 20}, -5, 0, -5},       // below X[1], also below X[0]: the first interval
        {{0, 10, 20}, 0, 0, 0},
        {{0, 10, 20}, 10, 1, 10},       // a breakpoint starts its interval
        {{0, 10, 20}, 19.99, 1, 19.99},
        {{0, 10, 20}, 20, 1, 20},       // the end: clamped into the last interval
        {{0, 10, 20}, 1e300, 1, 20},
        {{0, 10, 180, 180}, 180, 1, 180},  // two equal end breakpoints: the last interval with a width
        {{0, 10, 180, 180}, 500, 1, 180},
        {{0, 10, 180, 180}, 179, 1, 179},
        {{5, 5, 10}, 0, 1, 0},          // a flat start never divides by a zero width
    };
    for (const IntervalCase& c : cases) {
        const Interval at = FindInterval(c.axis, c.x);
        EXPECT_EQ(at.index, c.index) << "x = " << c.x;
        EXPECT_EQ(at.x, c.used) << "x = " << c.x;
        EXPECT_LT(at.index + 1, c.axis.size());
        EXPECT_GT(c.axis[at.index + 1], c.axis[at.index]) << "x = " << c.x;
    }
}

TEST(Lookup2, InterpolatesAlongTheRowsFirst) {
    // T = x * y on a 2 x 2 grid is bilinear: interpolation reproduces it.
    const std::vector<double> rows = {1, 3};
    const std::vector<double> columns = {2, 6};
    const std::vector<double> table = {2, 6, 6, 18};
    EXPECT_DOUBLE_EQ(Lookup2(rows, columns, table, 2, 4), 8.0);
    EXPECT_DOUBLE_EQ(Lookup2(rows, columns, table, 1, 6), 6.0);
    // Beyond both ends: the corner value.
    EXPECT_DOUBLE_EQ(Lookup2(rows, columns, table, 10, 10), 18.0);
    EXPECT_THROW(Lookup2(rows, columns, std::vector<double>{1, 2, 3}, 1, 1), std::logic_error);
}

// A table read beyond its first or last breakpoint is noted with the
// table, the argument and the table's range; on a breakpoint it is not.
// The coefficient itself is the same with or without the notes.
TEST(TableNotes, OnlyArgumentsBeyondTheBreakpointsAreNoted) {
    struct Case {
        const char* what;
        std::function<double(Notes*)> lookup;
        const char* note;  // null: none
    } cases[] = {
        {"bend at its last r/d", [](Notes* n) { return SmoothBendZeta(100, n); }, nullptr},
        {"bend beyond it", [](Notes* n) { return SmoothBendZeta(100.5, n); },
         "Tabela ζ łuku gładkiego: r/d = 100,5 leży poza zakresem tabeli 0–100; przyjęto wartość z końca tabeli."},
        {"bend at its first r/d", [](Notes* n) { return SmoothBendZeta(0, n); }, nullptr},
        {"bend below it", [](Notes* n) { return SmoothBendZeta(-0.25, n); },
         "Tabela ζ łuku gładkiego: r/d = -0,25 leży poza zakresem tabeli 0–100; współczynnik ekstrapolowano poza "
         "tabelę."},
        {"segments", [](Notes* n) { return Segment3Zeta(150, n); }, "Tabela ζ kolana 3-segmentowego: r/d = 150"},
        {"mitre Reynolds", [](Notes* n) { return MitreReynoldsFactor(2e7, n); },
         "Tabela poprawki kolana na liczbę Reynoldsa: Re = 20000000 leży poza zakresem tabeli 0–10000000"},
        {"angle", [](Notes* n) { return AngleFactor(360, n); }, nullptr},
        {"offset diameter", [](Notes* n) { return OffsetZeta(0.5, 1000, n); },
         "Tabela ζ odsadzki: d [mm] = 1000 leży poza zakresem tabeli 0–800"},
        {"offset ratio", [](Notes* n) { return OffsetZeta(1.2, 200, n); }, "Tabela ζ odsadzki: e/L = 1,2"},
        {"reducer", [](Notes* n) { return ReducerZetaCircular(30, 150, n); },
         "Tabela ζ redukcji okrągłej: F1/F2 = 150 leży poza zakresem tabeli 0–100"},
        {"rectangular bend", [](Notes* n) { return RectBendZeta(1, 1000, n); }, nullptr},
        {"rectangular mitre", [](Notes* n) { return RectMitreZeta(1200, 90, n); },
         "Tabela ζ kolana prostokątnego: B/A = 1200 leży poza zakresem tabeli 0–1000"},
    };
    for (const Case& c : cases) {
        Notes notes;
        const double noted = c.lookup(&notes);
        EXPECT_EQ(noted, c.lookup(nullptr)) << c.what;
        if (!c.note) {
            EXPECT_TRUE(notes.empty()) << c.what << ": " << (notes.empty() ? "" : notes[0]);
            continue;
        }
        ASSERT_EQ(notes.size(), 1u) << c.what;
        EXPECT_EQ(notes[0].rfind(c.note, 0), 0u) << notes[0];
    }
}

}  // namespace
}  // namespace vimtal::pressureloss
