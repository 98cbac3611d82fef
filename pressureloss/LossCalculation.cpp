#include "LossCalculation.h"

#include "FittingKinds.h"
#include "LossTables.h"

#include "core/AmbientAir.h"
#include "core/Errors.h"
#include "core/FloatingPoint.h"
#include "core/Numbers.h"

#include <cmath>
#include <stdexcept>

namespace vimtal::pressureloss {

namespace {
using fp::real;

// The velocity of round ducts was always computed with pi written 3.1415;
// the tee formulas use pi to full precision.
constexpr real kPiShort = 3.1415L;
constexpr real kPi = 3.1415926535897932385L;

double Millimetres(const std::string& text) { return fp::Store(fp::Div(ToNumber(text), 1000.0L)); }

// Mean velocity of V [m3/h] in a round duct of diameter d [m].
double RoundVelocity(double v, double d) { return fp::Store(fp::Div(4.0L * v, kPiShort * d * d * 3600.0L)); }

// Equivalent diameter of a rectangular section, 2AB/(A+B).
double EquivalentDiameter(double a, double b) {
    return fp::Store(fp::Div(2.0L * a * b, static_cast<real>(a) + b));
}

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

    const double vs = fp::Store(static_cast<real>(v) - vo);                 // straight-through flow
    const double f = fp::Store(fp::Div(kPi * d * d, 4.0L));                 // main section
    const double fb = fp::Store(fp::Div(kPi * d2 * d2, 4.0L));              // branch section
    const double wc = fp::Store(fp::Div(v, f));                             // combined stream
    const double wb = fp::Store(fp::Div(vo, fb));                           // branch stream
    const double ws = fp::Store(fp::Div(vs, f));                            // straight stream
    const double alpha = fp::Store(fp::Div(angleDeg * 2.0L * kPi, 360.0L));  // radians
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

std::string Rounded(double value, int digit) { return RoundedDisplay(value, digit); }
}  // namespace

double ToNumber(const std::string& text) { return StrToFloat(NormalizeSeparator(text)); }

std::string TotalText(double total) { return RoundedDisplay(total, -2); }

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

VelocityDisplay FittingCalculator::VelocityStep(FittingKind kind, const FittingInputs& in, bool withExtraPair) {
    InfoOf(kind);
    VelocityDisplay shown;
    if (!IsRectangular(kind)) {
        d = Millimetres(in.diameter1);
        if (!in.flow.empty()) typedFlow_ = ToNumber(in.flow);
        flow = typedFlow_;
        w1 = RoundVelocity(flow, d);
        shown.w1 = Rounded(w1, -3);
        if (HasSecondSection(kind)) {
            d2 = Millimetres(in.diameter2);
            if (IsTee(kind)) {
                if (!in.branchFlow.empty()) typedBranchFlow_ = ToNumber(in.branchFlow);
                branchFlow = typedBranchFlow_;
                w2 = RoundVelocity(branchFlow, d2);
            } else {
                w2 = RoundVelocity(flow, d2);
            }
            shown.w2 = Rounded(w2, -3);
        }
    } else {
        a = Millimetres(in.sideA);
        b = Millimetres(in.sideB);
        d = EquivalentDiameter(a, b);
        if (!in.flow.empty()) typedFlow_ = ToNumber(in.flow);
        flow = fp::Store(fp::Div(typedFlow_, 3600.0L));
        w1 = fp::Store(fp::Div(flow, static_cast<real>(a) * b));
        shown.w1 = Rounded(w1, -2);
        if (HasSecondSection(kind)) {
            c = Millimetres(in.sideC);
            dd = Millimetres(in.sideD);
            d2 = EquivalentDiameter(c, dd);
            if (IsTee(kind)) {
                if (!in.branchFlow.empty()) typedBranchFlow_ = ToNumber(in.branchFlow);
                branchFlow = fp::Store(fp::Div(typedBranchFlow_, 3600.0L));
                w2 = fp::Store(fp::Div(branchFlow, static_cast<real>(c) * dd));
            } else {
                w2 = fp::Store(fp::Div(flow, static_cast<real>(c) * dd));
            }
            shown.w2 = Rounded(w2, -2);
        }
    }
    if (withExtraPair && flow != 0.0) {
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
    if (flow == 0.0 || extraLossText.empty()) return std::nullopt;
    const double dpp = ToNumber(extraLossText);
    // zeta = dpp / (rho w1^2 / 2)
    const double zetaAdd = fp::Store(fp::Div(2.0L * dpp, static_cast<real>(air_->Density()) * w1 * w1));
    return Rounded(zetaAdd, -2);
}

std::optional<std::string> FittingCalculator::ExtraLossFor(const std::string& extraZetaText) const {
    if (flow == 0.0 || extraZetaText.empty()) return std::nullopt;
    const double zetaAdd = ToNumber(extraZetaText);
    const double dpp = fp::Store(zetaAdd * 0.5L * air_->Density() * w1 * w1);
    return Rounded(dpp, -1);
}

double FittingCalculator::RadiusBoundMm(FittingKind kind) const {
    if (kind == FittingKind::RoundElbow) return fp::Store(d * 0.5L * 1000.0L);
    if (kind == FittingKind::RectElbow) return fp::Store(b * 0.75L * 1000.0L);
    return 0.0;
}

double FittingCalculator::ZetaOf(FittingKind kind, const FittingInputs& in) const {
    using enum FittingKind;
    switch (kind) {
    case RoundElbow: {
        const std::string& type = in.roundElbowType;
        if (type == "KOLANO") {
            return fp::Store(static_cast<real>(MitreElbowZeta(angle)) * MitreReynoldsFactor(reynolds));
        }
        double (*bend)(double) = nullptr;
        if (type == "ŁUK GŁADKI") bend = SmoothBendZeta;
        else if (type == "5-SEGMENTÓW") bend = Segment5Zeta;
        else if (type == "4-SEGMENTY") bend = Segment4Zeta;
        else if (type == "3-SEGMENTY") bend = Segment3Zeta;
        else UnknownChoice("typ kolana", type);
        const double rOverD = fp::Store(fp::Div(radius, d));
        return fp::Store(static_cast<real>(AngleFactor(angle)) * bend(rOverD));
    }
    case RoundOffset:
    case RectOffset: {
        const double eOverL = fp::Store(fp::Div(offset, length));
        return OffsetZeta(eOverL, fp::Store(d * 1000.0L));
    }
    case RoundTee:
    case RectTee:
        return TeeZeta(flow, branchFlow, d, d2, angle, in.teePath, in.teeFlow);
    case RoundReducer: {
        const double f1 = fp::Store(0.785375L * d * d);
        const double f2 = fp::Store(0.785375L * d2 * d2);
        return ReducerZetaCircular(angle, fp::Store(fp::Div(f1, f2)));
    }
    case RectElbow: {
        const std::string& type = in.rectElbowType;
        const double bOverA = fp::Store(fp::Div(b, a));
        if (type == "ŁUK") {
            const double rOverA = fp::Store(fp::Div(radius, a));
            return fp::Store(static_cast<real>(AngleFactor(angle)) * RectBendReynoldsFactor(reynolds, rOverA) *
                             RectBendZeta(bOverA, rOverA));
        }
        if (type == "KOLANO") {
            return fp::Store(static_cast<real>(RectMitreZeta(bOverA, angle)) * MitreReynoldsFactor(reynolds));
        }
        UnknownChoice("typ kolana", type);
    }
    case RectReducer:
        return ReducerZetaRectangular(angle, fp::Store(fp::Div(static_cast<real>(a) * b, static_cast<real>(c) * dd)));
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
        // Straight ducts, roof elements, silencers and grilles: friction and
        // the additional (manufacturer's) loss only.
        return 0.0;
    }
    throw std::out_of_range("fitting kind outside 1..18");
}

LossResult FittingCalculator::LossStep(FittingKind kind, const FittingInputs& in, const std::string& totalField,
                                       const std::string* editedTotalLoss, double runningTotal) {
    InfoOf(kind);
    // Elbows and grilles have no length of their own (their hidden length
    // field holds the "0" of the editor's reset).
    length = HasNoLength(kind) ? 0.0 : Millimetres(in.length);
    extraLoss = ToNumber(in.extraLoss);
    roughness = Millimetres(in.roughness);
    radius = Millimetres(in.radius);
    angle = ToNumber(in.angle);
    offset = Millimetres(in.offsetE);

    LossResult out;
    out.display = VelocityStep(kind, in, true);

    // This fitting's Reynolds number first: the coefficients of mitres and
    // rectangular bends depend on it.
    reynolds = fp::Store(fp::Div(static_cast<real>(w1) * d, air_->Viscosity()));
    zeta = ZetaOf(kind, in);

    // Edit mode: the edited fitting's old loss leaves the total (through the
    // 2-decimal text of the total field, as the user sees it).
    std::string total = totalField;
    if (editedTotalLoss != nullptr) {
        const double less = fp::Store(static_cast<real>(ToNumber(totalField)) - StrToFloat(*editedTotalLoss));
        total = TotalText(less);
    }

    const FrictionFactorResult friction = FrictionFactor(reynolds, roughness, d);
    lambda = friction.lambda;
    frictionSteps = friction.steps;

    const real dynamic = static_cast<real>(air_->Density()) * w1 * w1;  // 2 x dynamic pressure
    frictionLoss = fp::Store(fp::Div(lambda * fp::Div(length, d) * dynamic, 2.0L));
    localLoss = fp::Store(fp::Div(zeta * dynamic, 2.0L));
    totalLoss = fp::Store(static_cast<real>(frictionLoss) + localLoss + extraLoss);

    double t = runningTotal;
    if (!total.empty()) t = ToNumber(total);
    t = fp::Store(static_cast<real>(t) + totalLoss);

    out.velocity1 = Rounded(w1, -3);
    out.velocity2 = HasSecondSection(kind) ? Rounded(w2, -3) : std::string();
    out.extraLoss = Rounded(extraLoss, -2);
    out.zeta = Rounded(zeta, -3);
    out.frictionLoss = Rounded(frictionLoss, -2);
    out.localLoss = Rounded(localLoss, -2);
    out.totalLoss = Rounded(totalLoss, -2);
    out.equivDiameter = Rounded(fp::Store(d * 1000.0L), -1);
    out.equivDiameter2 = HasSecondSection(kind) ? Rounded(fp::Store(d2 * 1000.0L), -1) : std::string();
    out.runningTotal = t;
    out.totalText = TotalText(t);
    return out;
}

FittingRecord MakeRecord(FittingKind kind, const FittingInputs& in, const LossResult& r) {
    FittingRecord record;
    record.Set(Field::Name, in.name);
    record.Set(Field::TypeCode, in.typeCode);
    record.Set(Field::Length, in.length);
    record.Set(Field::SideA, in.sideA);
    record.Set(Field::Diameter1, in.diameter1);
    record.Set(Field::SideB, in.sideB);
    record.Set(Field::Diameter2, in.diameter2);
    record.Set(Field::SideC, in.sideC);
    record.Set(Field::SideD, in.sideD);
    record.Set(Field::Angle, in.angle);
    record.Set(Field::Flow, in.flow);
    record.Set(Field::BranchFlow, in.branchFlow);
    record.Set(Field::Velocity1, r.velocity1);
    record.Set(Field::Velocity2, r.velocity2);
    record.Set(Field::ExtraLoss, r.extraLoss);
    record.Set(Field::Zeta, r.zeta);
    record.Set(Field::Roughness, in.roughness);
    record.Set(Field::FrictionLoss, r.frictionLoss);
    record.Set(Field::LocalLoss, r.localLoss);
    record.Set(Field::TotalLoss, r.totalLoss);
    record.Set(Field::EquivDiameter, r.equivDiameter);
    record.Set(Field::EquivDiameter2, r.equivDiameter2);
    record.Set(Field::Kind, IntToStr(Number(kind)));
    record.Set(Field::RoundElbowType, in.roundElbowType);
    record.Set(Field::RectElbowType, in.rectElbowType);
    record.Set(Field::Material, in.material);
    record.Set(Field::Radius, in.radius);
    record.Set(Field::OffsetE, in.offsetE);
    record.Set(Field::TeePath, in.teePath);
    record.Set(Field::TeeFlow, in.teeFlow);
    record.Set(Field::RoundElbowTypeCopy, in.roundElbowType);
    return record;
}

RecordTexts TextsOfRecord(const FittingRecord& record) {
    RecordTexts t;
    FittingInputs& in = t.inputs;
    in.name = record.Get(Field::Name);
    in.typeCode = record.Get(Field::TypeCode);
    in.length = record.Get(Field::Length);
    in.sideA = record.Get(Field::SideA);
    in.diameter1 = record.Get(Field::Diameter1);
    in.sideB = record.Get(Field::SideB);
    in.diameter2 = record.Get(Field::Diameter2);
    in.sideC = record.Get(Field::SideC);
    in.sideD = record.Get(Field::SideD);
    in.angle = record.Get(Field::Angle);
    in.flow = record.Get(Field::Flow);
    in.extraLoss = record.Get(Field::ExtraLoss);
    in.roughness = record.Get(Field::Roughness);
    in.roundElbowType = record.Get(Field::RoundElbowType);
    in.rectElbowType = record.Get(Field::RectElbowType);
    in.material = record.Get(Field::Material);
    in.radius = record.Get(Field::Radius);
    in.offsetE = record.Get(Field::OffsetE);
    in.teePath = record.Get(Field::TeePath);
    in.teeFlow = record.Get(Field::TeeFlow);
    in.branchFlow = record.Get(Field::BranchFlow);
    t.velocity1 = record.Get(Field::Velocity1);
    t.velocity2 = record.Get(Field::Velocity2);
    return t;
}

ConfirmOutcome ConfirmFitting(Circuit& circuit, FittingCalculator& calculator, FittingInputs in,
                              const std::string& totalField, int editedIndex, MessageSink& messages) {
    ConfirmOutcome outcome;
    const FittingKind kind = circuit.currentKind.value();
    if (in.length.empty() && !HasNoLength(kind)) {
        messages.ShowMessage("Podaj długość kształtki", kEditorTitle);
        return outcome;
    }
    if (in.flow.empty() || in.flow == "0") {
        messages.ShowMessage("Podaj przepływ powietrza przez kształtkę", kEditorTitle);
        return outcome;
    }
    if (in.extraLoss.empty()) {
        in.extraLoss = "0";
        outcome.extraLossDefaulted = true;
    }
    if (in.roughness.empty()) {
        messages.ShowMessage("Współczynnik szorstkości materiału musi być większy od zera", kEditorTitle);
        return outcome;
    }
    const bool editing = circuit.editFlag;
    if (!editing && circuit.Full()) {
        messages.ShowMessage(FullCircuitMessage(), kEditorTitle);
        return outcome;
    }
    std::string editedTotal;
    if (editing) {
        if (editedIndex < 0 || editedIndex >= circuit.Count()) {
            throw std::out_of_range("the edited fitting is not in the circuit");
        }
        editedTotal = circuit.Slot(editedIndex).Get(Field::TotalLoss);
    }

    outcome.result =
        calculator.LossStep(kind, in, totalField, editing ? &editedTotal : nullptr, circuit.runningTotal);
    FittingRecord record = MakeRecord(kind, in, outcome.result);
    if (editing) {
        circuit.Replace(editedIndex, std::move(record));
        outcome.index = editedIndex;
    } else {
        outcome.index = circuit.Append(std::move(record));
        outcome.appended = true;
    }
    circuit.editFlag = false;
    circuit.runningTotal = outcome.result.runningTotal;
    outcome.stored = true;
    return outcome;
}

std::string DeleteFitting(Circuit& circuit, int index, const std::string& totalField) {
    const double total = StrToFloat(totalField);
    const double removed = StrToFloat(circuit.FieldText(index, Field::TotalLoss));
    const double left = fp::Store(static_cast<real>(total) - removed);
    const std::string text = TotalText(left);
    circuit.Delete(index);
    circuit.runningTotal = RoundTo(left, -2);
    return text;
}

}  // namespace vimtal::pressureloss
