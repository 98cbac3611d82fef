#include "Friction.h"

#include "FittingKinds.h"

#include "core/Errors.h"
#include "core/FloatingPoint.h"
#include "core/Numbers.h"

namespace vimtal::pressureloss {

using fp::real;

FrictionFactorResult FrictionFactor(double reynolds, double roughness, double diameter) {
    const double relative = fp::Store(fp::Div(0.2695L * roughness, diameter));  // k / (3.71 d)
    FrictionFactorResult result;
    double lambda = 0.0;
    for (int step = 1; step <= kMaxFrictionSteps; ++step) {
        lambda = fp::Store(lambda + 0.00001L);
        const real root = fp::Sqrt(lambda);
        const double left = fp::Store(fp::Div(1.0L, root));
        const double right = fp::Store(-2.0L * fp::Log10(fp::Div(2.51L, reynolds * root) + relative));
        if (left <= right) {
            result.lambda = lambda;
            result.steps = step;
            return result;
        }
    }
    throw NoticeError("Nie można wyznaczyć współczynnika tarcia λ: równanie Colebrooka-White'a nie ma "
                      "rozwiązania poniżej λ = 1 (liczba Reynoldsa Re = " +
                          RoundedDisplay(reynolds, -2) +
                          "). Przepływ jest zbyt mały albo chropowatość ścianki zbyt duża w stosunku do "
                          "wymiaru przewodu. Sprawdź przepływ, wymiary i chropowatość.",
                      kEditorTitle);
}

}  // namespace vimtal::pressureloss
