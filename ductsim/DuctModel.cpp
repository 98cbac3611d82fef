#include "DuctModel.h"

#include "core/AmbientAir.h"
#include "core/Errors.h"
#include "core/FloatingPoint.h"
#include "core/Numbers.h"
#include "core/Required.h"

#include <cmath>

namespace vimtal::ductsim {

namespace {
using fp::real;

using fp::kPi;
constexpr real kCp = 1005.0L;       // specific heat of air, J/(kg K)
constexpr real kKelvin = 273.15L;   // Celsius offset of the velocity and free-convection relations

// x^(1/4) as two square roots: cheaper than exp(ln(x)/4) and at least as
// exact. Zero gives zero; a negative base is an invalid operation, as the
// logarithm of a negative number would be.
real FourthRoot(real x) { return fp::Sqrt(fp::Sqrt(x)); }

// x^(3/4) = sqrt(x) * sqrt(sqrt(x)).
real ThreeQuarterPower(real x) {
    const real root = fp::Sqrt(x);
    return root * std::sqrt(root);
}

// Time step refusals (a zero step divided by zero and a negative one never
// ended the run).
const char* const kTimeStepNotPositive =
    "Długość kroku czasowego symulacji musi być większa od zera";
const char* const kTooManySteps =
    "Symulacja wymagałaby ponad 100 000 000 kroków czasowych - zwiększ długość kroku czasowego symulacji";
}  // namespace

InputTexts DefaultInputTexts() {
    // The flow and the duct's size are left for the user.
    return {.ti = "20", .te = "-20", .phiI = "35", .phiE = "95", .pb = "101300", .flow = {},
            .lambda1 = "50", .delta1 = "0,0015", .lambda2 = "0,045", .delta2 = "0,05", .rectangular = true,
            .length = {}, .sideA = {}, .sideB = {}, .timeStep = "0,0001"};
}

std::optional<std::string> MissingInputMessage(const InputTexts& t) {
    const bool round = !t.rectangular;
    return FirstMissing({
        {t.ti.empty(), "Podaj teperaturę początkową powietrza w przewodzie"},
        {t.te.empty(), "Podaj teperaturę powietrza otaczającego przewód"},
        {t.flow.empty(), "Podaj objętościowe natężenie przepływu w przewodzie"},
        {t.lambda1.empty(), "Podaj współczynnik przewodzenia materiału ścianki przewodu"},
        {t.delta1.empty(), "Podaj grubość ścianki przewodu"},
        {t.lambda2.empty(), "Podaj współczynnik przewodzenia izolacji przewodu"},
        {t.delta2.empty(), "Podaj grubość izolacji przewodu"},
        {t.length.empty(), "Podaj długość rozpatywanego przewodu"},
        {t.timeStep.empty(), "Podaj długość kroku czasowego"},
        {t.phiI.empty(), "Podaj wilgotność względną powietrza w kanale"},
        {t.phiE.empty(), "Podaj wilgotność względną powietrza otaczającego kanał"},
        {t.pb.empty(), "Podaj ciśnienie atmosferyczne powietrza"},
        {t.rectangular && t.sideA.empty(), "Podaj długość boku A"},
        {t.rectangular && t.sideB.empty(), "Podaj długość boku B"},
        {round && t.sideA.empty(), "Podaj średnicę fi przewodu"},
    });
}

Inputs ConvertInputs(const InputTexts& t) {
    Inputs in;
    in.shape = t.rectangular ? DuctShape::Rectangular : DuctShape::Round;
    in.sideA = StrToFloat(t.sideA);
    if (t.rectangular) in.sideB = StrToFloat(t.sideB);
    in.ti = StrToFloat(t.ti);
    in.te = StrToFloat(t.te);
    in.flow = StrToFloat(t.flow);
    in.lambda1 = StrToFloat(t.lambda1);
    in.delta1 = StrToFloat(t.delta1);
    in.lambda2 = StrToFloat(t.lambda2);
    in.delta2 = StrToFloat(t.delta2);
    in.length = StrToFloat(t.length);
    in.timeStep = StrToFloat(t.timeStep);
    in.phiI = StrToFloat(t.phiI);
    in.phiE = StrToFloat(t.phiE);
    in.pb = StrToFloat(t.pb);
    return in;
}

DuctSimulation::DuctSimulation(const Inputs& inputs, double T0) : in_(inputs), T0_(T0) {
    if (!(in_.timeStep > 0.0)) throw NoticeError(kTimeStepNotPositive, kInfoTitle);

    const double dtau = in_.timeStep;
    geo_.flowRate = fp::Store(fp::Div(in_.flow, 3600.0L));
    if (in_.shape == DuctShape::Rectangular) {
        const double A = in_.sideA, B = in_.sideB;
        geo_.area = fp::Store(static_cast<real>(A) * B);
        geo_.hydraulicDiameter = fp::Store(fp::Div(2.0L * A * B, static_cast<real>(A) + B));
    } else {
        const double D = in_.sideA;
        geo_.area = fp::Store(fp::Div(kPi * fp::IntPower(D, 2), 4.0L));
        geo_.hydraulicDiameter = D;
    }
    geo_.velocity = fp::Store(fp::Div(geo_.flowRate, geo_.area));
    geo_.sliceLength = fp::Store(static_cast<real>(geo_.velocity) * dtau);
    geo_.residenceTime = fp::Store(fp::Div(in_.length, geo_.velocity));
    if (in_.shape == DuctShape::Rectangular) {
        geo_.wallArea = fp::Store(2.0L * (static_cast<real>(in_.sideA) + in_.sideB) * geo_.sliceLength);
        geo_.sliceVolume = fp::Store(static_cast<real>(in_.sideA) * in_.sideB * geo_.sliceLength);
    } else {
        geo_.sliceVolume = fp::Store(fp::Div(kPi * fp::IntPower(in_.sideA, 2) * geo_.sliceLength, 4.0L));
    }

    // The step count, known before the first step: the loop below runs
    // ceil(tauL / dtau) times (at least once).
    if (fp::Div(geo_.residenceTime, dtau) > static_cast<real>(kMaxSteps)) {
        throw NoticeError(kTooManySteps, kInfoTitle);
    }
}

AirState DuctSimulation::OutsideAir() const {
    AirState outside;
    outside.density = AirDensity(in_.te, in_.phiE, in_.pb);
    outside.viscosity = KinematicViscosity(in_.te, outside.density, T0_);
    return outside;
}

InsideStart DuctSimulation::InsideAir() const {
    InsideStart inside;
    inside.density = AirDensity(in_.ti, in_.phiI, in_.pb);
    inside.viscosity = KinematicViscosity(in_.ti, inside.density, T0_);
    inside.reynolds = fp::Store(fp::Div(static_cast<real>(geo_.velocity) * geo_.hydraulicDiameter, inside.viscosity));
    return inside;
}

namespace {

// What does not change from step to step, computed once. Each is the same
// extended-precision value the step's formula would compute, so the stored
// results are those of evaluating every term in every step.
struct StepConstants {
    bool round = false;
    double te = 0, dtau = 0, w = 0, dx = 0, Fz = 0, Vs = 0;
    // The relative humidity inside as a fraction (the first step of the
    // density law) and the barometric pressure.
    double phi = 0, pb = 0;
    real dzQuarter = 0;            // dz^0.25 of the forced-convection relation
    real freeConvectionScale = 0;  // (273.15 + te) dz of the free-convection relation
    // Conduction resistances: of a plane wall and insulation per m2, or of
    // the cylindrical layers per metre of a round duct.
    real wallResistance = 0, insulationResistance = 0;
    real innerPerimeterFactor = 0, outerPerimeterFactor = 0;  // D - delta1, D + delta2
};

StepConstants ConstantsOfTheSteps(const Inputs& in, const Geometry& geo) {
    StepConstants k;
    k.round = in.shape == DuctShape::Round;
    k.te = in.te;
    k.dtau = in.timeStep;
    k.w = geo.velocity;
    k.dx = geo.sliceLength;
    k.Fz = geo.wallArea;
    k.Vs = geo.sliceVolume;
    k.phi = fp::Store(fp::Div(in.phiI, 100.0L));
    k.pb = in.pb;
    const double dz = geo.hydraulicDiameter;
    k.dzQuarter = FourthRoot(dz);
    k.freeConvectionScale = (kKelvin + k.te) * dz;
    if (k.round) {
        const double D = in.sideA;
        k.insulationResistance = fp::Div(fp::Ln(fp::Div(D + static_cast<real>(in.delta2), D)), 2.0L * kPi * in.lambda2);
        k.wallResistance = fp::Div(fp::Ln(fp::Div(D, D - static_cast<real>(in.delta1))), 2.0L * kPi * in.lambda1);
        k.innerPerimeterFactor = D - static_cast<real>(in.delta1);
        k.outerPerimeterFactor = D + static_cast<real>(in.delta2);
    } else {
        k.wallResistance = fp::Div(in.delta1, in.lambda1);
        k.insulationResistance = fp::Div(in.delta2, in.lambda2);
    }
    return k;
}

// The coefficients of one step.
struct StepValues {
    double rho = 0, alphaI = 0, alphaE = 0, U = 0;
};

// One step of the slice at temperature t: its coefficients into `v`, and
// the temperature after the step.
inline double Step(const StepConstants& k, double t, StepValues& v) {
    v.rho = AirDensityAtFraction(t, k.phi, k.pb);
    // Velocity reduced to 0 degC, the reference of Schack's relation.
    const double wn = fp::Store(fp::Div(static_cast<real>(k.w) * kKelvin, kKelvin + t));
    const real tHundred = fp::Div(t, 100.0L);
    const double K = fp::Store(4.13L + 0.23L * tHundred - 0.0077L * (tHundred * tHundred));
    // Schack, forced convection inside: alpha = K wn^0.75 / dz^0.25.
    v.alphaI = fp::Store(fp::Div(K * ThreeQuarterPower(wn), k.dzQuarter));
    // Schack, free convection outside: alpha = 5 (|t - te| / ((273.15 + te) dz))^0.25.
    const real difference = static_cast<real>(t) - k.te;
    v.alphaE = fp::Store(5.0L * FourthRoot(fp::Div(std::fabs(difference), k.freeConvectionScale)));

    double loss = 0.0;
    if (v.alphaE == 0.0) {
        // The slice is at the surrounding temperature: without a temperature
        // difference there is no free convection and no heat passes the wall
        // in this step.
        v.U = 0.0;
    } else if (k.round) {
        // Per metre of duct: cylindrical insulation and wall, then the film
        // resistances on the inner and outer perimeters.
        const real sum = k.insulationResistance + k.wallResistance +
                         fp::Div(1.0L, v.alphaI * kPi * k.innerPerimeterFactor) +
                         fp::Div(1.0L, v.alphaE * kPi * k.outerPerimeterFactor);
        v.U = fp::Store(fp::Div(1.0L, sum));
        loss = fp::Store(static_cast<real>(v.U) * k.dx * difference * k.dtau);
    } else {
        const real sum =
            fp::Div(1.0L, v.alphaI) + k.wallResistance + k.insulationResistance + fp::Div(1.0L, v.alphaE);
        v.U = fp::Store(fp::Div(1.0L, sum));
        loss = fp::Store(static_cast<real>(v.U) * k.Fz * difference * k.dtau);
    }
    // Heat balance of the slice: C t' = C t - loss.
    const double C = fp::Store(static_cast<real>(v.rho) * kCp * k.Vs);
    return fp::Store(fp::Div(static_cast<real>(C) * t - loss, C));
}

}  // namespace

RunResult DuctSimulation::Run(const StepObserver& observer, const RunWatch& watch) const {
    const StepConstants k = ConstantsOfTheSteps(in_, geo_);
    double tau = 0.0;
    double t = in_.ti;
    StepValues v;
    if (observer) observer(tau, t);

    std::int64_t steps = 0;
    const double tauL = geo_.residenceTime;
    do {
        tau = fp::Store(static_cast<real>(tau) + k.dtau);
        t = Step(k, t, v);
        ++steps;
        if (observer) observer(tau, t);
        if (steps % kStepsBetweenChecks == 0) watch(tau, tauL);
    } while (tau < tauL);

    RunResult r;
    r.totalTime = tau;
    r.finalTemperature = t;
    r.alphaInside = v.alphaI;
    r.alphaOutside = v.alphaE;
    r.transmittance = v.U;
    r.lastDensity = v.rho;
    r.heatLoss = fp::Store(static_cast<real>(v.rho) * kCp * geo_.flowRate * (static_cast<real>(in_.ti) - t));
    r.steps = steps;
    return r;
}

std::string DensityText(double rho) { return RoundedDisplay(rho, -2); }
std::string ViscosityText(double eta) { return RoundedDisplay(eta, -9); }
std::string ReynoldsText(double re) { return RoundedDisplay(re, -2); }
std::string TimeText(double tau) { return RoundedDisplay(tau, -2); }
std::string VelocityText(double w) { return RoundedDisplay(w, -2); }
std::string TemperatureText(double t) { return RoundedDisplay(t, -2); }
std::string AlphaText(double alpha) { return RoundedDisplay(alpha, -2); }
std::string TransmittanceText(double u) { return RoundedDisplay(u, -3); }
std::string HeatLossText(double q) { return RoundedDisplay(q, -2); }

std::optional<Request> PrepareRequest(const InputTexts& texts, double T0, MessageSink& messages,
                                      SimulationListener& listener) {
    if (const auto missing = MissingInputMessage(texts)) {
        messages.ShowMessage(*missing, kInfoTitle);
        return std::nullopt;
    }
    Request request{DuctSimulation(ConvertInputs(texts), T0), {}};
    const DuctSimulation& simulation = request.simulation;
    Results& results = request.results;
    results.velocity = simulation.geometry().velocity;
    results.outside = simulation.OutsideAir();
    listener.OutsideAirKnown(results.outside);
    results.inside = simulation.InsideAir();
    listener.InsideAirKnown(results.inside);
    if (DuctSimulation::IsLaminar(results.inside.reynolds)) {
        messages.ShowMessage(kLaminarMessage, kInfoTitle);
        return std::nullopt;
    }
    return request;
}

std::optional<Results> RunSimulation(const InputTexts& texts, double T0, MessageSink& messages,
                                     SimulationListener& listener, const StepObserver& observer,
                                     const RunWatch& watch) {
    std::optional<Request> request = PrepareRequest(texts, T0, messages, listener);
    if (!request) return std::nullopt;
    const DuctSimulation& simulation = request->simulation;
    listener.RunStarting();
    Results results = std::move(request->results);
    results.run = simulation.Run(observer, watch);
    results.notes = AssumptionNotes(simulation.inputs(), simulation.geometry());
    return results;
}

Notes AssumptionNotes(const Inputs& inputs, const Geometry& geometry) {
    Notes notes;
    const double minimum = fp::Store(100.0L * geometry.hydraulicDiameter);
    if (inputs.length < minimum) {
        notes.push_back("Długość kanału L = " + NoteNumber(inputs.length) + " m jest mniejsza niż 100·d = " +
                        NoteNumber(minimum) + " m (d = " + NoteNumber(geometry.hydraulicDiameter) +
                        " m, średnica zastępcza przewodu): równanie Schacka dla konwekcji wymuszonej wymaga "
                        "L ≥ 100·d.");
    }
    return notes;
}

}  // namespace vimtal::ductsim
