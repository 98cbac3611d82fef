#include "LossTables.h"

#include "core/FloatingPoint.h"

#include <stdexcept>
#include <string>

namespace vimtal::pressureloss {

namespace {
using fp::real;

// ---- One-dimensional tables -------------------------------------------------

constexpr double kAngleAxis[] = {0, 20, 30, 45, 60, 75, 90, 110, 130, 150, 180, 360};
constexpr double kAngleFactor[] = {0, 0.31, 0.45, 0.6, 0.78, 0.9, 1.0, 1.13, 1.2, 1.28, 1.4, 1.4};

constexpr double kSmoothBendAxis[] = {0, 0.5, 0.75, 1.0, 1.5, 2.0, 2.5, 100};
constexpr double kSmoothBend[] = {0.71, 0.71, 0.33, 0.22, 0.15, 0.13, 0.12, 0.12};

// The three segmented elbows share one r/d axis.
constexpr double kSegmentAxis[] = {0, 0.75, 1.0, 1.5, 2.0, 100};
constexpr double kSegment5[] = {0.46, 0.46, 0.33, 0.24, 0.19, 0.19};
constexpr double kSegment4[] = {0.5, 0.5, 0.37, 0.27, 0.24, 0.24};
constexpr double kSegment3[] = {0.54, 0.54, 0.42, 0.34, 0.33, 0.33};

constexpr double kMitreAngleAxis[] = {0, 20, 30, 45, 60, 75, 90, 360};
constexpr double kMitreElbow[] = {0.08, 0.08, 0.16, 0.34, 0.55, 0.81, 1.2, 1.2};

constexpr double kReynoldsAxis[] = {0, 10000, 20000, 30000, 40000, 60000, 80000, 100000, 140000, 10000000};
constexpr double kMitreReynolds[] = {1.4, 1.4, 1.26, 1.19, 1.14, 1.09, 1.06, 1.04, 1.0, 1.0};

// ---- Two-dimensional tables (row by row) ------------------------------------

// Reducers: cone angle alpha [deg] down, area ratio F1/F2 across. F1 is the
// section with the main flow; ratio 1 is no reducer at all.
constexpr double kReducerAngleAxis[] = {0, 10, 15, 20, 30, 45, 60, 90, 120, 150, 180, 180};
constexpr double kReducerRatioAxis[] = {0, 0.06, 0.1, 0.25, 0.5, 1, 2, 4, 6, 10, 100};

constexpr double kReducerCircular[12 * 11] = {
    0, 0.21, 0.21, 0.16, 0.11, 0, 0.2,  0.8,  1.8, 5,   5,    //   0
    0, 0.21, 0.21, 0.16, 0.11, 0, 0.2,  0.8,  1.8, 5,   5,    //  10
    0, 0.29, 0.28, 0.22, 0.13, 0, 0.2,  0.64, 1.4, 5,   5,    //  15
    0, 0.38, 0.38, 0.3,  0.19, 0, 0.2,  0.64, 1.4, 5,   5,    //  20
    0, 0.6,  0.59, 0.46, 0.32, 0, 0.2,  0.64, 1.4, 5,   5,    //  30
    0, 0.84, 0.76, 0.61, 0.33, 0, 0.22, 0.88, 2,   6.5, 6.5,  //  45
    0, 0.88, 0.8,  0.68, 0.33, 0, 0.24, 1.1,  2.5, 8,   8,    //  60
    0, 0.88, 0.83, 0.64, 0.32, 0, 0.48, 2.7,  6.5, 19,  19,   //  90
    0, 0.88, 0.84, 0.63, 0.31, 0, 0.72, 4.3,  10,  29,  29,   // 120
    0, 0.88, 0.83, 0.62, 0.3,  0, 0.96, 5.6,  13,  37,  37,   // 150
    0, 0.88, 0.83, 0.62, 0.3,  0, 1,    6.6,  15,  43,  43,   // 180
    0, 0.88, 0.83, 0.62, 0.3,  0, 1,    6.6,  15,  43,  43,   // 180
};

constexpr double kReducerRectangular[12 * 11] = {
    0, 0.26, 0.24, 0.17, 0.14, 0, 0.23, 0.81, 1.8, 5,   5,    //   0
    0, 0.26, 0.24, 0.17, 0.14, 0, 0.23, 0.81, 1.8, 5,   5,    //  10
    0, 0.27, 0.26, 0.19, 0.13, 0, 0.2,  0.64, 1.4, 5,   5,    //  15
    0, 0.4,  0.36, 0.22, 0.15, 0, 0.2,  0.64, 1.4, 5,   5,    //  20
    0, 0.56, 0.53, 0.42, 0.24, 0, 0.2,  0.64, 1.4, 5,   5,    //  30
    0, 0.71, 0.69, 0.6,  0.35, 0, 0.24, 0.88, 2,   6.5, 6.5,  //  45
    0, 0.86, 0.82, 0.68, 0.37, 0, 0.28, 1.1,  2.5, 8,   8,    //  60
    0, 1,    0.93, 0.7,  0.38, 0, 0.54, 2.8,  6.6, 19,  19,   //  90
    0, 0.99, 0.93, 0.69, 0.37, 0, 0.78, 4.4,  10,  29,  29,   // 120
    0, 0.98, 0.92, 0.67, 0.36, 0, 1,    5.7,  13,  37,  37,   // 150
    0, 0.98, 0.91, 0.66, 0.35, 0, 1.1,  6.6,  15,  43,  43,   // 180
    0, 0.98, 0.91, 0.66, 0.35, 0, 1.1,  6.6,  15,  43,  43,   // 180
};

// Offsets: e/L down, diameter [mm] across.
constexpr double kOffsetRatioAxis[] = {0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1, 1.1, 1.1};
constexpr double kOffsetDiameterAxis[] = {0, 100, 125, 160, 200, 250, 315, 400, 500, 630, 800};

constexpr double kOffset[13 * 11] = {
    0.21, 0.21, 0.2,  0.18, 0.18, 0.17, 0.17, 0.18, 0.17, 0.17, 0.17,  // 0
    0.21, 0.21, 0.2,  0.18, 0.18, 0.17, 0.17, 0.18, 0.17, 0.17, 0.17,  // 0.1
    0.21, 0.21, 0.2,  0.19, 0.18, 0.17, 0.17, 0.18, 0.17, 0.17, 0.17,  // 0.2
    0.21, 0.21, 0.2,  0.19, 0.18, 0.17, 0.18, 0.18, 0.17, 0.18, 0.18,  // 0.3
    0.28, 0.28, 0.26, 0.26, 0.26, 0.26, 0.28, 0.26, 0.26, 0.28, 0.28,  // 0.4
    0.38, 0.38, 0.35, 0.35, 0.35, 0.36, 0.4,  0.35, 0.36, 0.4,  0.4,   // 0.5
    0.49, 0.49, 0.44, 0.44, 0.45, 0.47, 0.52, 0.45, 0.47, 0.52, 0.52,  // 0.6
    0.6,  0.6,  0.53, 0.53, 0.54, 0.59, 0.68, 0.54, 0.59, 0.68, 0.68,  // 0.7
    0.68, 0.68, 0.63, 0.64, 0.67, 0.74, 0.74, 0.67, 0.74, 0.84, 0.84,  // 0.8
    0.8,  0.8,  0.77, 0.76, 0.8,  0.85, 0.84, 0.8,  0.87, 1.05, 1.05,  // 0.9
    0.91, 0.91, 0.92, 0.87, 0.91, 0.94, 0.98, 0.92, 1.05, 1.16, 1.16,  // 1
    1,    1,    1.06, 0.95, 0.94, 0.98, 1.07, 1.08, 1.16, 1.25, 1.25,  // 1.1
    1,    1,    1.06, 0.95, 0.94, 0.98, 1.07, 1.08, 1.16, 1.25, 1.25,  // 1.1
};

// Rectangular bends: aspect ratio B/A down, relative radius r/A across.
constexpr double kAspectAxis[] = {0, 0.25, 0.5, 0.75, 1, 1.5, 2, 3, 4, 5, 6, 8, 1000};
constexpr double kBendRadiusAxis[] = {0, 0.5, 0.75, 1, 1.5, 2, 1000};

constexpr double kRectBend[13 * 7] = {
    1.3, 1.3, 0.57, 0.27, 0.22, 0.2,  0.2,   // 0
    1.3, 1.3, 0.57, 0.27, 0.22, 0.2,  0.2,   // 0.25
    1.3, 1.3, 0.52, 0.25, 0.2,  0.18, 0.18,  // 0.5
    1.2, 1.2, 0.48, 0.23, 0.19, 0.16, 0.16,  // 0.75
    1.2, 1.2, 0.44, 0.21, 0.17, 0.15, 0.15,  // 1
    1.1, 1.1, 0.4,  0.19, 0.15, 0.14, 0.14,  // 1.5
    1,   1,   0.39, 0.18, 0.14, 0.13, 0.13,  // 2
    1,   1,   0.39, 0.18, 0.14, 0.13, 0.13,  // 3
    1.1, 1.1, 0.4,  0.19, 0.15, 0.14, 0.14,  // 4
    1.1, 1.1, 0.42, 0.2,  0.16, 0.14, 0.14,  // 5
    1.2, 1.2, 0.43, 0.21, 0.17, 0.15, 0.15,  // 6
    1.2, 1.2, 0.44, 0.21, 0.17, 0.15, 0.15,  // 8
    1.2, 1.2, 0.44, 0.21, 0.17, 0.15, 0.15,  // 1000
};

// Reynolds correction of rectangular bends: Re down, r/A across.
constexpr double kBendReynoldsAxis[] = {0, 10000, 20000, 30000, 40000, 60000, 80000, 100000, 140000, 200000, 10000000};
constexpr double kBendReynoldsRadiusAxis[] = {0, 0.5, 0.75, 1000};

constexpr double kRectBendReynolds[11 * 4] = {
    1.4,  1.4,  2,    2,     // 0
    1.4,  1.4,  2,    2,     // 10000
    1.26, 1.26, 1.77, 1.77,  // 20000
    1.19, 1.19, 1.64, 1.64,  // 30000
    1.14, 1.14, 1.56, 1.56,  // 40000
    1.09, 1.09, 1.46, 1.46,  // 60000
    1.06, 1.06, 1.38, 1.38,  // 80000
    1.04, 1.04, 1.3,  1.3,   // 100000
    1,    1,    1.15, 1.15,  // 140000
    1,    1,    1,    1,     // 200000
    1,    1,    1,    1,     // 10000000
};

// Rectangular mitres: B/A down, angle across.
constexpr double kRectMitreAngleAxis[] = {0, 20, 30, 45, 60, 75, 90, 360};

constexpr double kRectMitre[13 * 8] = {
    0.08, 0.08, 0.18, 0.38, 0.6,  0.89, 1.3,  1.3,   // 0
    0.08, 0.08, 0.18, 0.38, 0.6,  0.89, 1.3,  1.3,   // 0.25
    0.08, 0.08, 0.17, 0.37, 0.59, 0.87, 1.3,  1.3,   // 0.5
    0.08, 0.08, 0.17, 0.36, 0.57, 0.84, 1.2,  1.2,   // 0.75
    0.07, 0.07, 0.16, 0.34, 0.55, 0.81, 1.2,  1.2,   // 1
    0.07, 0.07, 0.15, 0.33, 0.52, 0.77, 1.1,  1.1,   // 1.5
    0.07, 0.07, 0.15, 0.31, 0.49, 0.73, 1.1,  1.1,   // 2
    0.06, 0.06, 0.23, 0.28, 0.46, 0.67, 0.98, 0.98,  // 3
    0.06, 0.06, 0.13, 0.27, 0.43, 0.63, 0.92, 0.92,  // 4
    0.05, 0.05, 0.12, 0.26, 0.41, 0.61, 0.89, 0.89,  // 5
    0.05, 0.05, 0.12, 0.25, 0.39, 0.58, 0.85, 0.85,  // 6
    0.05, 0.05, 0.11, 0.24, 0.38, 0.57, 0.83, 0.83,  // 8
    0.05, 0.05, 0.11, 0.24, 0.38, 0.57, 0.83, 0.83,  // 1000
};

// y0 + (x - x0) * (y1 - y0) / (x1 - x0), one step in extended precision.
double Interpolate(double x, double x0, double x1, double y0, double y1) {
    const real rise = (static_cast<real>(x) - x0) * (static_cast<real>(y1) - y0);
    return fp::Store(y0 + fp::Div(rise, static_cast<real>(x1) - x0));
}
}  // namespace

Interval FindInterval(std::span<const double> axis, double x) {
    const std::size_t n = axis.size();
    if (n < 2) throw std::logic_error("a table axis needs two breakpoints");
    const double last = axis[n - 1];
    // At or beyond the end (or not a number): the last interval of non-zero
    // width, at its right end.
    if (!(x < last)) {
        std::size_t i = n - 2;
        while (i > 0 && !(axis[i] < last)) --i;
        return {i, last};
    }
    std::size_t k = 1;
    while (!(axis[k] > x)) ++k;  // ends: axis[n - 1] > x here
    std::size_t i = k - 1;
    // Below a flat start (two equal first breakpoints) use the first interval
    // that has a width.
    while (i + 2 < n && !(axis[i + 1] > axis[i])) ++i;
    return {i, x};
}

double Lookup1(std::span<const double> axis, std::span<const double> values, double x) {
    if (values.size() != axis.size()) throw std::logic_error("table and axis differ in length");
    const Interval at = FindInterval(axis, x);
    const std::size_t i = at.index;
    return Interpolate(at.x, axis[i], axis[i + 1], values[i], values[i + 1]);
}

double Lookup2(std::span<const double> rows, std::span<const double> columns, std::span<const double> table,
               double x, double y) {
    const std::size_t width = columns.size();
    if (table.size() != rows.size() * width) throw std::logic_error("table does not match its axes");
    const Interval r = FindInterval(rows, x);
    const Interval c = FindInterval(columns, y);
    const std::size_t i = r.index;
    const std::size_t j = c.index;
    const auto T = [&](std::size_t row, std::size_t column) { return table[row * width + column]; };
    const double s = Interpolate(r.x, rows[i], rows[i + 1], T(i, j), T(i + 1, j));
    const double u = Interpolate(r.x, rows[i], rows[i + 1], T(i, j + 1), T(i + 1, j + 1));
    return Interpolate(c.x, columns[j], columns[j + 1], s, u);
}

namespace {
// A note when the argument lies outside the table's breakpoints.
void NoteRange(Notes* notes, const char* table, const char* argument, std::span<const double> axis, double x) {
    if (notes == nullptr || (x >= axis.front() && x <= axis.back())) return;
    notes->push_back(std::string("Tabela ") + table + ": " + argument + " = " + NoteNumber(x) +
                     " leży poza zakresem tabeli " + NoteNumber(axis.front()) + "–" + NoteNumber(axis.back()) +
                     (x < axis.front() ? "; współczynnik ekstrapolowano poza tabelę."
                                       : "; przyjęto wartość z końca tabeli."));
}

double Table1(const char* table, const char* argument, std::span<const double> axis, std::span<const double> values,
              double x, Notes* notes) {
    NoteRange(notes, table, argument, axis, x);
    return Lookup1(axis, values, x);
}

double Table2(const char* table, const char* rowArgument, std::span<const double> rows, const char* columnArgument,
              std::span<const double> columns, std::span<const double> values, double x, double y, Notes* notes) {
    NoteRange(notes, table, rowArgument, rows, x);
    NoteRange(notes, table, columnArgument, columns, y);
    return Lookup2(rows, columns, values, x, y);
}
}  // namespace

double AngleFactor(double angleDeg, Notes* notes) {
    return Table1("współczynnika kąta łuku", "α [°]", kAngleAxis, kAngleFactor, angleDeg, notes);
}
double SmoothBendZeta(double rOverD, Notes* notes) {
    return Table1("ζ łuku gładkiego", "r/d", kSmoothBendAxis, kSmoothBend, rOverD, notes);
}
double Segment5Zeta(double rOverD, Notes* notes) {
    return Table1("ζ kolana 5-segmentowego", "r/d", kSegmentAxis, kSegment5, rOverD, notes);
}
double Segment4Zeta(double rOverD, Notes* notes) {
    return Table1("ζ kolana 4-segmentowego", "r/d", kSegmentAxis, kSegment4, rOverD, notes);
}
double Segment3Zeta(double rOverD, Notes* notes) {
    return Table1("ζ kolana 3-segmentowego", "r/d", kSegmentAxis, kSegment3, rOverD, notes);
}
double MitreElbowZeta(double angleDeg, Notes* notes) {
    return Table1("ζ kolana okrągłego", "α [°]", kMitreAngleAxis, kMitreElbow, angleDeg, notes);
}
double MitreReynoldsFactor(double reynolds, Notes* notes) {
    return Table1("poprawki kolana na liczbę Reynoldsa", "Re", kReynoldsAxis, kMitreReynolds, reynolds, notes);
}

double ReducerZetaCircular(double angleDeg, double areaRatio, Notes* notes) {
    return Table2("ζ redukcji okrągłej", "α [°]", kReducerAngleAxis, "F1/F2", kReducerRatioAxis, kReducerCircular,
                  angleDeg, areaRatio, notes);
}
double ReducerZetaRectangular(double angleDeg, double areaRatio, Notes* notes) {
    return Table2("ζ redukcji prostokątnej", "α [°]", kReducerAngleAxis, "F1/F2", kReducerRatioAxis,
                  kReducerRectangular, angleDeg, areaRatio, notes);
}
double OffsetZeta(double eOverL, double diameterMm, Notes* notes) {
    return Table2("ζ odsadzki", "e/L", kOffsetRatioAxis, "d [mm]", kOffsetDiameterAxis, kOffset, eOverL, diameterMm,
                  notes);
}
double RectBendZeta(double bOverA, double rOverA, Notes* notes) {
    return Table2("ζ łuku prostokątnego", "B/A", kAspectAxis, "r/A", kBendRadiusAxis, kRectBend, bOverA, rOverA,
                  notes);
}
double RectBendReynoldsFactor(double reynolds, double rOverA, Notes* notes) {
    return Table2("poprawki łuku prostokątnego na liczbę Reynoldsa", "Re", kBendReynoldsAxis, "r/A",
                  kBendReynoldsRadiusAxis, kRectBendReynolds, reynolds, rOverA, notes);
}
double RectMitreZeta(double bOverA, double angleDeg, Notes* notes) {
    return Table2("ζ kolana prostokątnego", "B/A", kAspectAxis, "α [°]", kRectMitreAngleAxis, kRectMitre, bOverA,
                  angleDeg, notes);
}

}  // namespace vimtal::pressureloss
