#include "FittingCalculator.h"

#include "Friction.h"
#include "LocalLoss.h"

#include "core/FloatingPoint.h"
#include "core/Numbers.h"

namespace vimtal::pressureloss {

namespace {
using fp::real;

double Millimetres(const std::string& text) { return MetresFromMillimetres(ToNumber(text)); }

// Mean velocity of V [m3/h] in a round duct of diameter d [m], with pi
// written 3.1415 as the round-duct velocity always was.
double RoundVelocity(double v, double d) { return fp::Store(fp::Div(4.0L * v, fp::kPiShort * d * d * 3600.0L)); }

// Equivalent diameter of a rectangular section, 2AB/(A+B).
double EquivalentDiameter(double a, double b) {
    return fp::Store(fp::Div(2.0L * a * b, static_cast<real>(a) + b));
}
}  // namespace

std::string TotalText(double total) { return RoundedDisplay(total, -2); }

VelocityDisplay FittingCalculator::VelocityStep(FittingKind kind, const FittingInputs& in, bool withExtraPair) {
    InfoOf(kind);
    FittingValues& v = values_;
    VelocityDisplay shown;
    if (!IsRectangular(kind)) {
        v.d = Millimetres(in.diameter1);
        if (!in.flow.empty()) typedFlow_ = ToNumber(in.flow);
        v.flow = typedFlow_;
        v.w1 = RoundVelocity(v.flow, v.d);
        shown.w1 = RoundedDisplay(v.w1, -3);
        if (HasSecondSection(kind)) {
            v.d2 = Millimetres(in.diameter2);
            if (IsTee(kind)) {
                if (!in.branchFlow.empty()) typedBranchFlow_ = ToNumber(in.branchFlow);
                v.branchFlow = typedBranchFlow_;
                v.w2 = RoundVelocity(v.branchFlow, v.d2);
            } else {
                v.w2 = RoundVelocity(v.flow, v.d2);
            }
            shown.w2 = RoundedDisplay(v.w2, -3);
        }
    } else {
        v.a = Millimetres(in.sideA);
        v.b = Millimetres(in.sideB);
        v.d = EquivalentDiameter(v.a, v.b);
        if (!in.flow.empty()) typedFlow_ = ToNumber(in.flow);
        v.flow = fp::Store(fp::Div(typedFlow_, 3600.0L));
        v.w1 = fp::Store(fp::Div(v.flow, static_cast<real>(v.a) * v.b));
        shown.w1 = RoundedDisplay(v.w1, -2);
        if (HasSecondSection(kind)) {
            v.c = Millimetres(in.sideC);
            v.dd = Millimetres(in.sideD);
            v.d2 = EquivalentDiameter(v.c, v.dd);
            if (IsTee(kind)) {
                if (!in.branchFlow.empty()) typedBranchFlow_ = ToNumber(in.branchFlow);
                v.branchFlow = fp::Store(fp::Div(typedBranchFlow_, 3600.0L));
                v.w2 = fp::Store(fp::Div(v.branchFlow, static_cast<real>(v.c) * v.dd));
            } else {
                v.w2 = fp::Store(fp::Div(v.flow, static_cast<real>(v.c) * v.dd));
            }
            shown.w2 = RoundedDisplay(v.w2, -2);
        }
    }
    if (withExtraPair && v.flow != 0.0) {
        if (in.extraLossChosen) {
            shown.extraZeta = ExtraZetaFor(in.extraLoss);
        } else {
            shown.extraLoss = ExtraLossFor(in.extraZeta);
        }
    }
    return shown;
}

std::optional<VelocityDisplay> FittingCalculator::LiveVelocityStep(FittingKind kind, const FittingInputs& in) {
    const bool second = HasSecondSection(kind);
    const bool missing = IsRectangular(kind)
                             ? in.sideA.empty() || in.sideB.empty() || (second && (in.sideC.empty() || in.sideD.empty()))
                             : in.diameter1.empty() || (second && in.diameter2.empty());
    if (missing) return std::nullopt;
    return VelocityStep(kind, in, true);
}

std::optional<std::string> FittingCalculator::ExtraZetaFor(const std::string& extraLossText) const {
    if (values_.flow == 0.0 || extraLossText.empty()) return std::nullopt;
    const double dpp = ToNumber(extraLossText);
    // zeta = dpp / (rho w1^2 / 2)
    const double w1 = values_.w1;
    const double zetaAdd = fp::Store(fp::Div(2.0L * dpp, static_cast<real>(air_->Density()) * w1 * w1));
    return RoundedDisplay(zetaAdd, -2);
}

std::optional<std::string> FittingCalculator::ExtraLossFor(const std::string& extraZetaText) const {
    if (values_.flow == 0.0 || extraZetaText.empty()) return std::nullopt;
    const double zetaAdd = ToNumber(extraZetaText);
    const double w1 = values_.w1;
    const double dpp = fp::Store(zetaAdd * 0.5L * air_->Density() * w1 * w1);
    return RoundedDisplay(dpp, -1);
}

double FittingCalculator::RadiusBoundMm(FittingKind kind) const {
    if (kind == FittingKind::RoundElbow) return fp::Store(values_.d * 0.5L * 1000.0L);
    if (kind == FittingKind::RectElbow) return fp::Store(values_.b * 0.75L * 1000.0L);
    return 0.0;
}

LossResult FittingCalculator::LossStep(FittingKind kind, const FittingInputs& in, const std::string& totalField,
                                       const std::string* editedTotalLoss, double runningTotal) {
    InfoOf(kind);
    FittingValues& v = values_;
    // Elbows and grilles have no length of their own (their hidden length
    // field holds the "0" of the editor's reset).
    v.length = HasNoLength(kind) ? 0.0 : Millimetres(in.length);
    v.extraLoss = ToNumber(in.extraLoss);
    v.roughness = Millimetres(in.roughness);
    v.radius = Millimetres(in.radius);
    v.angle = ToNumber(in.angle);
    v.offset = Millimetres(in.offsetE);

    LossResult out;
    out.display = VelocityStep(kind, in, true);

    // This fitting's Reynolds number first: the coefficients of mitres and
    // rectangular bends depend on it.
    v.reynolds = fp::Store(fp::Div(static_cast<real>(v.w1) * v.d, air_->Viscosity()));
    v.zeta = LocalLossCoefficient(kind, v, in, &out.notes);

    // Edit mode: the edited fitting's old loss leaves the total (through the
    // 2-decimal text of the total field, as the user sees it).
    std::string total = totalField;
    if (editedTotalLoss != nullptr) {
        const double less = fp::Store(static_cast<real>(ToNumber(totalField)) - StrToFloat(*editedTotalLoss));
        total = TotalText(less);
    }

    const FrictionFactorResult friction = FrictionFactor(v.reynolds, v.roughness, v.d);
    v.lambda = friction.lambda;
    v.frictionSteps = friction.steps;
    // The Colebrook-White law describes turbulent flow; below Re = 2320 the
    // flow is laminar (the friction factor would be 64/Re). A fitting
    // without a length has no friction loss to speak of.
    if (v.length > 0.0 && v.reynolds < 2320.0) {
        out.notes.push_back("Liczba Reynoldsa Re = " + NoteNumber(v.reynolds) +
                            " jest mniejsza od 2320 (przepływ laminarny): współczynnik tarcia λ obliczono wzorem "
                            "Colebrooka-White'a, który dotyczy przepływu burzliwego.");
    }

    const real dynamic = static_cast<real>(air_->Density()) * v.w1 * v.w1;  // 2 x dynamic pressure
    v.frictionLoss = fp::Store(fp::Div(v.lambda * fp::Div(v.length, v.d) * dynamic, 2.0L));
    v.localLoss = fp::Store(fp::Div(v.zeta * dynamic, 2.0L));
    v.totalLoss = fp::Store(static_cast<real>(v.frictionLoss) + v.localLoss + v.extraLoss);

    double t = runningTotal;
    if (!total.empty()) t = ToNumber(total);
    t = fp::Store(static_cast<real>(t) + v.totalLoss);

    const bool second = HasSecondSection(kind);
    out.velocity1 = RoundedDisplay(v.w1, -3);
    out.velocity2 = second ? RoundedDisplay(v.w2, -3) : std::string();
    out.extraLoss = RoundedDisplay(v.extraLoss, -2);
    out.zeta = RoundedDisplay(v.zeta, -3);
    out.frictionLoss = RoundedDisplay(v.frictionLoss, -2);
    out.localLoss = RoundedDisplay(v.localLoss, -2);
    out.totalLoss = RoundedDisplay(v.totalLoss, -2);
    out.equivDiameter = RoundedDisplay(fp::Store(v.d * 1000.0L), -1);
    out.equivDiameter2 = second ? RoundedDisplay(fp::Store(v.d2 * 1000.0L), -1) : std::string();
    out.runningTotal = t;
    out.totalText = TotalText(t);
    return out;
}

}  // namespace vimtal::pressureloss
