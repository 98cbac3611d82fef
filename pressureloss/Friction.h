// The friction factor of a duct wall: the Colebrook-White law solved by a
// scan in steps of 0.00001. The scan, not a solver to a tolerance, fixes
// every friction loss to the last digit.
#pragma once

namespace vimtal::pressureloss {

// The Colebrook-White friction factor found by the scan.
struct FrictionFactorResult {
    double lambda = 0.0;
    int steps = 0;
};

// The scan stops here: a friction factor of 1 is ten times that of the
// roughest duct in turbulent flow. Beyond it lies a Reynolds number too small
// for the Colebrook-White law, or a roughness larger than a quarter of the
// diameter, where the law has no solution at all.
inline constexpr int kMaxFrictionSteps = 100000;

// lambda := lambda + 0.00001 until 1/sqrt(lambda) <= -2 log10(2.51/(Re sqrt(lambda)) + k/(3.71 d)).
// k and d in m. Raises NoticeError ("BRENTAX info") when the scan reaches
// kMaxFrictionSteps without crossing.
FrictionFactorResult FrictionFactor(double reynolds, double roughness, double diameter);

}  // namespace vimtal::pressureloss
