#include "orifice/OrificeSizing.h"

#include <cmath>

#include "core/Errors.h"
#include "core/Messages.h"
#include "core/FloatingPoint.h"
#include "core/Numbers.h"

namespace vimtal::orifice {

namespace {

using fp::real;

constexpr real kRatioStep = 0.00001L;  // grid of the open-area ratio
constexpr int kRatioSteps = 100000;    // 100 000 * 0.00001 = fully open
constexpr real kSideStep = 0.0001L;    // 0.1 mm, in m

[[noreturn]] void RefuseSides(const char* message) { throw NoticeError(message, kInfoTitle); }

const char* const kSidesTooLong =
    "Wymiary kanału są zbyt duże: bok B kryzy przekroczyłby 1000 m, a jego dobór "
    "(co 0,1 mm) trwałby zbyt długo. Sprawdź wymiary boków A i B podane w mm.";
const char* const kSidesImpossible =
    "Dla podanych wymiarów kanału nie można dobrać boków kryzy. "
    "Sprawdź wymiary boków A i B podane w mm (muszą być dodatnie).";

}  // namespace

double OrificeCoefficient(double eps) {
    const real q = fp::Div(1.0L + 0.707L * fp::Sqrt(1.0L - eps), eps) - 1.0L;
    return fp::Store(q * q);
}

double OpenRatioFor(double zeta) {
    double eps = 0.0;
    // The last step is not evaluated: the running sum would be 1 give or take
    // the rounding of 100 000 additions, and sqrt(1 - eps) could fail.
    for (int step = 1; step < kRatioSteps; ++step) {
        eps = fp::Store(eps + kRatioStep);
        if (OrificeCoefficient(eps) <= zeta) return eps;
    }
    return 1.0;  // the element fully open
}

Sides OrificeSides(double f0, double ratio) {
    // b ends near sqrt(f0 / ratio); refuse at once when that is beyond the
    // step limit rather than make the user wait for the refusal.
    if (ratio > 0 && f0 > 0) {
        const long double target = std::sqrt(static_cast<long double>(f0) / ratio);
        if (target / kSideStep > static_cast<long double>(kMaxSideSteps)) RefuseSides(kSidesTooLong);
    }
    Sides s;
    for (long long step = 1;; ++step) {
        s.a = fp::Store(s.a + kSideStep * ratio);
        s.b = fp::Store(s.b + kSideStep);
        if (static_cast<real>(s.a) * s.b >= f0) break;
        // With a ratio of zero or less the product a * b never grows again.
        if (ratio <= 0) RefuseSides(kSidesImpossible);
        if (step > kMaxSideSteps) RefuseSides(kSidesTooLong);
    }
    return s;
}

SizingResult Size(const SizingInput& input) {
    SizingResult r;
    r.density = StrToFloat(input.density);
    const double dp = StrToFloat(input.pressure);
    const double flow = StrToFloat(input.flow);

    // Duct geometry and mean velocity; sizes are typed in mm.
    double d = 0, a = 0, b = 0;
    if (input.shape == DuctShape::Round) {
        d = fp::Store(fp::Div(StrToFloat(input.sizeA), 1000.0L));
        r.hydraulicDiameter = d;
        r.velocity = fp::Store(fp::Div(fp::Div(flow, 3600.0L) * 4.0L, fp::kPi * d * d));
    } else {
        a = fp::Store(fp::Div(StrToFloat(input.sizeA), 1000.0L));
        b = fp::Store(fp::Div(StrToFloat(input.sizeB), 1000.0L));
        r.hydraulicDiameter = fp::Store(fp::Div(2.0L * a * b, static_cast<real>(a) + b));
        r.velocity = fp::Store(fp::Div(flow, static_cast<real>(a) * b * 3600.0L));
    }

    // The loss of a plate depends on the flow regime: the pressure to throttle
    // is corrected by k = 1.055 + 0.125 cos(theta), 0.93 at w*Dh = 0.3 m2/s and
    // 1.18 at w*Dh = 1.5 m2/s (the cosine repeats beyond).
    const double theta =
        fp::Store((fp::Div(static_cast<real>(r.velocity) * r.hydraulicDiameter - 0.3L, 1.2L) - 1.0L) * fp::kPi);
    r.correction = fp::Store(1.055L + 0.125L * std::cos(static_cast<real>(theta)));
    r.correctedPressure = fp::Store(static_cast<real>(r.correction) * dp);

    // Required loss coefficient, referred to the duct's dynamic pressure.
    r.zeta = fp::Store(fp::Div(2.0L * r.correctedPressure, static_cast<real>(r.density) * r.velocity * r.velocity));
    r.openRatio = OpenRatioFor(r.zeta);
    const double eps = r.openRatio;

    if (input.element == Element::Orifice) {
        if (input.shape == DuctShape::Round) {
            const double f0 = fp::Store(fp::Div(fp::kPi * d * d * eps, 4.0L));
            r.first = fp::Store(fp::Sqrt(fp::Div(4.0L * f0, fp::kPi)) * 1000.0L);
        } else {
            // The opening keeps the duct's aspect ratio.
            const double f0 = fp::Store(static_cast<real>(eps) * a * b);
            const double ratio = fp::Store(fp::Div(a, b));
            const Sides sides = OrificeSides(f0, ratio);
            r.first = fp::Store(static_cast<real>(sides.a) * 1000.0L);
            r.second = fp::Store(static_cast<real>(sides.b) * 1000.0L);
            r.secondText = WholeDisplay(r.second);
        }
    } else {
        // Opening angle of a single blade whose open area ratio is 1 - cos(alpha).
        r.first = fp::Store(fp::Div(fp::ArcCos(1.0L - eps) * 360.0L, 2.0L * fp::kPi));
    }
    r.firstText = WholeDisplay(r.first);
    return r;
}

}  // namespace vimtal::orifice
