// Local-loss coefficient tables of bends, elbows, offsets and reducers, and
// their linear and bilinear lookups.
//
// The tables are measured values from the handbooks of duct design: the
// coefficient of a smooth bend over its relative radius, of segmented elbows,
// of mitred elbows with their Reynolds-number correction, of offsets over
// e/L and the diameter, of round and rectangular reducers over the cone
// angle and the area ratio, and of rectangular bends and mitres over the
// aspect ratio B/A.
#pragma once

#include "core/Notes.h"

#include <cstddef>
#include <span>

namespace vimtal::pressureloss {

// The interval [X[i], X[i+1]] that the lookups interpolate in for input x:
// the smallest k >= 1 with X[k] > x gives i = k - 1, so an input below X[1]
// (also one below X[0]) uses the first interval and an input equal to a
// breakpoint uses the interval that starts there. An input at or beyond the
// last breakpoint is clamped into the last interval of non-zero width (the
// last breakpoint's value applies); `clamped` then holds the last breakpoint.
struct Interval {
    std::size_t index;
    double x;  // the input, or the last breakpoint when it was clamped
};
Interval FindInterval(std::span<const double> axis, double x);

// Linear interpolation of a one-dimensional table at x (extrapolated along
// the first interval below X[0], clamped at the end).
double Lookup1(std::span<const double> axis, std::span<const double> values, double x);

// Bilinear interpolation of a two-dimensional table (rows along `rows`,
// columns along `columns`, stored row by row) at row coordinate x and column
// coordinate y: first along the rows in both columns, then along the columns.
double Lookup2(std::span<const double> rows, std::span<const double> columns, std::span<const double> table,
               double x, double y);

// The coefficients the loss calculation reads. The tables hold measured
// values between their first and last breakpoints; an argument beyond them
// is extrapolated along the first interval or clamped to the last value,
// and, when `notes` is given, noted there (which table, which argument, the
// table's range).
double AngleFactor(double angleDeg, Notes* notes = nullptr);          // bend coefficient at alpha / at 90 deg
double SmoothBendZeta(double rOverD, Notes* notes = nullptr);         // smooth round bend, 90 deg
double Segment5Zeta(double rOverD, Notes* notes = nullptr);           // 5-segment round elbow, 90 deg
double Segment4Zeta(double rOverD, Notes* notes = nullptr);           // 4-segment round elbow, 90 deg
double Segment3Zeta(double rOverD, Notes* notes = nullptr);           // 3-segment round elbow, 90 deg
double MitreElbowZeta(double angleDeg, Notes* notes = nullptr);       // mitred round elbow
double MitreReynoldsFactor(double reynolds, Notes* notes = nullptr);  // Reynolds correction of mitres
double ReducerZetaCircular(double angleDeg, double areaRatio, Notes* notes = nullptr);
double ReducerZetaRectangular(double angleDeg, double areaRatio, Notes* notes = nullptr);
double OffsetZeta(double eOverL, double diameterMm, Notes* notes = nullptr);
double RectBendZeta(double bOverA, double rOverA, Notes* notes = nullptr);
double RectBendReynoldsFactor(double reynolds, double rOverA, Notes* notes = nullptr);
double RectMitreZeta(double bOverA, double angleDeg, Notes* notes = nullptr);

}  // namespace vimtal::pressureloss
