#include "LocalLoss.h"

#include "FittingKinds.h"
#include "LossTables.h"

#include "core/Errors.h"
#include "core/FloatingPoint.h"

#include <cmath>
#include <stdexcept>

namespace vimtal::pressureloss {

namespace {
using fp::real;

[[noreturn]] void UnknownChoice(const std::string& what, const std::string& text) {
    throw NoticeError("Nieznany " + what + ": \"" + text + "\". Wybierz pozycję z listy.", kEditorTitle);
}

// Local-loss coefficients of a tee (both streams referred to the
// velocities of their own sections).
double TeeZeta(double v, double vo, double d, double d2, double angleDeg, const std::string& path,
               const std::string& pattern) {
    const bool straight = path == "PRZELOT";
    if (!straight && path != "ODGAŁĘŹIENIE") UnknownChoice("typ trójnika", path);
    const bool diverging = pattern == "ROZPŁYW";
    if (!diverging && pattern != "ŁĄCZENIE STRUG") UnknownChoice("typ trójnika", pattern);

    const double vs = fp::Store(static_cast<real>(v) - vo);                      // straight-through flow
    const double f = fp::Store(fp::Div(fp::kPi * d * d, 4.0L));                  // main section
    const double fb = fp::Store(fp::Div(fp::kPi * d2 * d2, 4.0L));               // branch section
    const double wc = fp::Store(fp::Div(v, f));                                  // combined stream
    const double wb = fp::Store(fp::Div(vo, fb));                                // branch stream
    const double ws = fp::Store(fp::Div(vs, f));                                 // straight stream
    const double alpha = fp::Store(fp::Div(angleDeg * 2.0L * fp::kPi, 360.0L));  // radians
    const real cosA = std::cos(static_cast<real>(alpha));
    const real sinA = std::sin(static_cast<real>(alpha));

    if (diverging) {
        if (straight) {
            const double q = fp::Store(fp::Div(ws, wc));
            if (q == 1.0) return 0.0;
            if (q < 1.0) return fp::Store((1.0L - q) * (1.0L - q));
            const real t = fp::Div(wc, ws);
            const real ratio = fp::Div(ws, wc);
            return fp::Store(0.7L * (1.0L - t) - 0.2L * ratio * ratio * fp::IntPower(1.0L - t, 3));
        }
        const double p = fp::Store(fp::Div(wb, wc * cosA));
        if (p == 1.0) return fp::Store(sinA * sinA);
        const real ratio = fp::Div(wb, wc);
        if (p < 1.0) return fp::Store((cosA - ratio) * (cosA - ratio) + sinA * sinA);
        const real r = fp::Div(wc * cosA, wb);
        return fp::Store(sinA * sinA + ratio * ratio * (0.7L * (1.0L - r) - 0.2L * (1.0L - fp::IntPower(r, 3))));
    }
    // Converging streams: the momentum of both arriving streams along the
    // main axis.
    const double m = fp::Store(cosA * fp::Div(vo, v) * wb + fp::Div(vs, v) * ws);
    const real own = straight ? fp::Div(ws, wc) : fp::Div(wb, wc);
    return fp::Store(own * own + 1.0L - fp::Div(2.0L * m, wc));
}

// A round elbow: a bend of its construction over r/d, scaled to its angle,
// or a mitre over its angle with the Reynolds-number correction.
double RoundElbowZeta(const FittingValues& v, const std::string& type, Notes* notes) {
    if (type == "KOLANO") {
        return fp::Store(static_cast<real>(MitreElbowZeta(v.angle, notes)) * MitreReynoldsFactor(v.reynolds, notes));
    }
    double (*bend)(double, Notes*) = nullptr;
    if (type == "ŁUK GŁADKI") bend = SmoothBendZeta;
    else if (type == "5-SEGMENTÓW") bend = Segment5Zeta;
    else if (type == "4-SEGMENTY") bend = Segment4Zeta;
    else if (type == "3-SEGMENTY") bend = Segment3Zeta;
    else UnknownChoice("typ kolana", type);
    const double rOverD = fp::Store(fp::Div(v.radius, v.d));
    return fp::Store(static_cast<real>(AngleFactor(v.angle, notes)) * bend(rOverD, notes));
}

// A rectangular elbow: a bend over B/A and r/A, or a mitre over B/A and its
// angle.
double RectElbowZeta(const FittingValues& v, const std::string& type, Notes* notes) {
    const double bOverA = fp::Store(fp::Div(v.b, v.a));
    if (type == "ŁUK") {
        const double rOverA = fp::Store(fp::Div(v.radius, v.a));
        return fp::Store(static_cast<real>(AngleFactor(v.angle, notes)) *
                         RectBendReynoldsFactor(v.reynolds, rOverA, notes) * RectBendZeta(bOverA, rOverA, notes));
    }
    if (type == "KOLANO") {
        return fp::Store(static_cast<real>(RectMitreZeta(bOverA, v.angle, notes)) *
                         MitreReynoldsFactor(v.reynolds, notes));
    }
    UnknownChoice("typ kolana", type);
}
}  // namespace

double LocalLossCoefficient(FittingKind kind, const FittingValues& v, const FittingInputs& in, Notes* notes) {
    using enum FittingKind;
    switch (kind) {
    case RoundElbow:
        return RoundElbowZeta(v, in.roundElbowType, notes);
    case RectElbow:
        return RectElbowZeta(v, in.rectElbowType, notes);
    case RoundOffset:
    case RectOffset: {
        const double eOverL = fp::Store(fp::Div(v.offset, v.length));
        return OffsetZeta(eOverL, fp::Store(v.d * 1000.0L), notes);
    }
    case RoundTee:
    case RectTee:
        return TeeZeta(v.flow, v.branchFlow, v.d, v.d2, v.angle, in.teePath, in.teeFlow);
    case RoundReducer: {
        // The areas of both ends, pi d^2 / 4 with pi written 3.1415.
        const double f1 = fp::Store(0.785375L * v.d * v.d);
        const double f2 = fp::Store(0.785375L * v.d2 * v.d2);
        return ReducerZetaCircular(v.angle, fp::Store(fp::Div(f1, f2)), notes);
    }
    case RectReducer:
        return ReducerZetaRectangular(
            v.angle, fp::Store(fp::Div(static_cast<real>(v.a) * v.b, static_cast<real>(v.c) * v.dd)), notes);
    case RoundStraight:
    case RoundRoofOutlet:
    case RoundSilencer:
    case RoundRoofBase:
    case RoundGrille:
    case RectStraight:
    case RectRoofOutlet:
    case RectSilencer:
    case RectRoofBase:
    case RectGrille:
        return 0.0;
    }
    throw std::out_of_range("fitting kind outside 1..18");
}

}  // namespace vimtal::pressureloss
