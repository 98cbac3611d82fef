#include "aircalc/AirCalculator.h"

#include "aircalc/MoistAir.h"

#include "core/Errors.h"
#include "core/Messages.h"
#include "core/FloatingPoint.h"
#include "core/Numbers.h"

namespace vimtal::aircalc {

namespace {

using fp::real;

constexpr real kTemperatureStep = 0.001L;  // degC, grid of both searches
constexpr real kSearchStart = -30.0L;      // degC

[[noreturn]] void Refuse(const std::string& message) { throw NoticeError(message, kInfoTitle); }

const char* const kPressureNotPositive =
    "Ciśnienie barometryczne pb musi być większe od zera. Popraw wartość pb i oblicz ponownie.";
const char* const kWetBulbReachesPb =
    "Nie można wyznaczyć temperatury termometru mokrego tm: powietrze nasycone nie osiąga zadanej "
    "entalpii, zanim ciśnienie nasycenia pary wodnej zrówna się z ciśnieniem barometrycznym pb. "
    "Sprawdź wartości i oraz pb.";
const char* const kWetBulbTooHot =
    "Nie można wyznaczyć temperatury termometru mokrego tm: szukana temperatura przekracza 1000 °C. "
    "Sprawdź wartości i oraz pb.";
const char* const kTemperatureReachesPb =
    "Nie można wyznaczyć temperatury t z entalpii i wilgotności względnej: ciśnienie cząstkowe pary "
    "wodnej zrównałoby się z ciśnieniem barometrycznym pb. Sprawdź wartości i, φ oraz pb.";
const char* const kTemperatureTooHot =
    "Nie można wyznaczyć temperatury t z entalpii i wilgotności względnej: szukana temperatura "
    "przekracza 1000 °C. Sprawdź wartości i, φ oraz pb.";

bool Filled(const std::string& text) { return !text.empty(); }

// The first temperature of the search grid, from kSearchStart up, at which
// the enthalpy left over, `excess(t)` in kJ/kg, is no longer positive.
template <typename Excess>
double MarchUpTo(double pb, const char* tooHot, Excess excess) {
    if (pb <= 0) Refuse(kPressureNotPositive);
    double t = kSearchStart;
    for (;;) {
        t = fp::Store(t + kTemperatureStep);
        if (t > kSearchTopTemperature) Refuse(tooHot);
        if (excess(t) <= 0) return t;
    }
}

}  // namespace

double AirCalcSaturationPressure(double T) {
    // Each power as repeated products of the stored T, highest term first.
    const real t = T;
    return fp::Store(3.3732252990859E-8L * t * t * t * t * t * t + 4.5030486006681E-8L * t * t * t * t * t +
                     0.00032620159611696L * t * t * t * t + 0.0274422564958741L * t * t * t +
                     1.41105619942107L * t * t + 44.2851383407642L * t + 612.351831623806L);
}

double DewPoint(double p) {
    const real ln = fp::Ln(p);
    if (p <= 1147.3) return fp::Store(13.49679L * ln - 86.07701L);
    if (p <= 1936) return fp::Store(15.35703L * ln - 99.25744L);
    if (p <= 3563) return fp::Store(16.45702L * ln - 107.6405L);
    return fp::Store(17.93974L * ln - 119.8508L);
}

double WetBulbSearch(double i, double pb) {
    return MarchUpTo(pb, kWetBulbTooHot, [&](double tm) {
        const double psm = AirCalcSaturationPressure(tm);
        // Saturated air cannot exist once its vapour alone would exceed pb.
        if (psm >= pb) Refuse(kWetBulbReachesPb);
        const double xs = HumidityRatio(1.0, psm, pb);
        return fp::Store(i - xs * (kVaporisationHeat + kVapourHeat * tm) - kDryAirHeat * tm);
    });
}

double TemperatureSearch(double i, double phi, double pb) {
    return MarchUpTo(pb, kTemperatureTooHot, [&](double t) {
        const double ps = AirCalcSaturationPressure(t);
        const real vapour = static_cast<real>(phi) * ps;
        if (vapour >= pb) Refuse(kTemperatureReachesPb);
        return fp::Store(i - 0.622L * fp::Div(vapour, pb - vapour) * (kVaporisationHeat + kVapourHeat * t) -
                         kDryAirHeat * t);
    });
}

Notes AssumptionNotes(double t, double rh) {
    Notes notes;
    if (t < 0.0) {
        notes.push_back("Temperatura t = " + NoteNumber(t) +
                        " °C jest niższa od 0 °C: ciśnienie nasycenia liczone jest nad wodą, a nie nad lodem (przy "
                        "-20 °C jest ono o około jedną piątą wyższe niż nad lodem), więc wilgotność względna, punkt "
                        "rosy i temperatura termometru mokrego są obarczone błędem.");
    } else if (t > 100.0) {
        notes.push_back("Temperatura t = " + NoteNumber(t) +
                        " °C jest wyższa od 100 °C: wzór na ciśnienie nasycenia pary wodnej obejmuje zakres "
                        "0–100 °C.");
    }
    if (rh > 100.0) {
        notes.push_back("Wilgotność względna φ = " + NoteNumber(rh) +
                        " % jest większa od 100 %: powietrze nie może zawierać więcej pary wodnej niż w stanie "
                        "nasycenia (nadmiar wykrapla się jako mgła lub rosa), więc obliczony stan nie istnieje.");
    }
    return notes;
}

int SelectCase(const AirTexts& f) {
    if (!Filled(f.pb)) return 0;
    const bool i = Filled(f.i), x = Filled(f.x), t = Filled(f.t), phi = Filled(f.phi);
    if (i && x) return 1;
    if (i && t) return 2;
    if (x && t) return 3;
    if (x && phi) return 4;
    if (t && phi) return 5;
    if (i && phi) return 6;
    return 0;
}

// The rest of the state once t, x and i are known (the cases given i and t,
// and x and t): saturation and partial pressures, relative humidity in
// percent, density, wet-bulb and dew-point temperatures, in this order.
static void CompleteFromTemperatureAndRatio(AirState& s) {
        s.ps = AirCalcSaturationPressure(s.t);
        s.phi = RelativeHumidity(s.x, s.ps, s.pb);
        s.pp = fp::Store(static_cast<real>(s.phi) * s.ps);
        s.rho = Density(s.t, s.x, s.pb);
        s.pg = fp::Store(static_cast<real>(s.pb) - s.pp);
        s.tm = WetBulbSearch(s.i, s.pb);
        s.phi = fp::Store(100.0L * s.phi);
        s.tr = DewPoint(s.pp);
}

// The rest of the state once t, x, i, ps and the relative humidity (a
// fraction) are known (the cases given phi with t or i): the vapour pressure,
// the density (with x itself, as in every other case), the dry-air pressure,
// the wet-bulb and dew-point temperatures, in this order.
static void CompleteFromRelativeHumidity(AirState& s) {
    s.pp = fp::Store(static_cast<real>(s.phi) * s.ps);
    s.rho = Density(s.t, s.x, s.pb);
    s.pg = fp::Store(static_cast<real>(s.pb) - s.pp);
    s.tm = WetBulbSearch(s.i, s.pb);
    s.tr = DewPoint(s.pp);
}

// The six cases, each from its two given properties: the state completed
// in the order of its steps, and the two property fields it writes back.

// Case 1, given i and x.
static void FromEnthalpyAndRatio(AirState& s, AirResults& r) {
    s.t = TemperatureOf(s.i, s.x);
    s.ps = AirCalcSaturationPressure(s.t);
    s.phi = RelativeHumidity(s.x, s.ps, s.pb);
    s.pp = fp::Store(static_cast<real>(s.phi) * s.ps);
    s.rho = Density(s.t, s.x, s.pb);
    s.tm = WetBulbSearch(s.i, s.pb);
    s.pg = fp::Store(static_cast<real>(s.pb) - s.pp);
    s.phi = fp::Store(100.0L * s.phi);
    s.tr = DewPoint(s.pp);
    r.t = RoundedDisplay(s.t, -1);
    r.phi = RoundedDisplay(s.phi, -1);
}

// Case 2, given i and t.
static void FromEnthalpyAndTemperature(AirState& s, AirResults& r) {
    s.x = HumidityRatioOf(s.i, s.t);
    CompleteFromTemperatureAndRatio(s);
    r.x = RoundedDisplay(s.x, -5);
    r.phi = RoundedDisplay(s.phi, -1);
}

// Case 3, given x and t.
static void FromRatioAndTemperature(AirState& s, AirResults& r) {
    s.i = Enthalpy(s.t, s.x);
    CompleteFromTemperatureAndRatio(s);
    r.i = RoundedDisplay(s.i, -1);
    r.phi = RoundedDisplay(s.phi, -1);
}

// Case 4, given x and phi in percent.
static void FromRatioAndRelativeHumidity(AirState& s, AirResults& r) {
    s.pp = VapourPressure(s.x, s.pb);
    s.ps = fp::Store(fp::Div(s.pp, s.phi) * 100.0L);
    s.pg = fp::Store(static_cast<real>(s.pb) - s.pp);
    // The air is at the temperature whose saturation pressure is ps: the
    // dew-point fits applied to ps.
    s.t = DewPoint(s.ps);
    s.i = Enthalpy(s.t, s.x);
    s.rho = Density(s.t, s.x, s.pb);
    s.tr = DewPoint(s.pp);
    s.tm = WetBulbSearch(s.i, s.pb);
    r.i = RoundedDisplay(s.i, -1);
    r.t = RoundedDisplay(s.t, -1);
}

// Case 5, given t and phi.
static void FromTemperatureAndRelativeHumidity(AirState& s, AirResults& r) {
    s.ps = AirCalcSaturationPressure(s.t);
    s.phi = fp::Store(fp::Div(s.phi, 100.0L));
    s.x = HumidityRatio(s.phi, s.ps, s.pb);
    s.i = Enthalpy(s.t, s.x);
    CompleteFromRelativeHumidity(s);
    r.i = RoundedDisplay(s.i, -1);
    r.x = RoundedDisplay(s.x, -5);
}

// Case 6, given i and phi.
static void FromEnthalpyAndRelativeHumidity(AirState& s, AirResults& r) {
    s.phi = fp::Store(fp::Div(s.phi, 100.0L));
    s.t = TemperatureSearch(s.i, s.phi, s.pb);
    s.ps = AirCalcSaturationPressure(s.t);
    s.x = HumidityRatio(s.phi, s.ps, s.pb);
    CompleteFromRelativeHumidity(s);
    r.t = RoundedDisplay(s.t, -1);
    r.x = RoundedDisplay(s.x, -5);
}

std::optional<AirResults> Calculate(AirState& s, const AirTexts& f) {
    if (Filled(f.i)) s.i = StrToFloat(f.i);
    if (Filled(f.x)) s.x = StrToFloat(f.x);
    if (Filled(f.t)) s.t = StrToFloat(f.t);
    if (Filled(f.phi)) s.phi = StrToFloat(f.phi);
    if (Filled(f.pb)) s.pb = StrToFloat(f.pb);
    const double typedPhi = s.phi;  // percent

    AirResults r;
    r.caseNumber = SelectCase(f);
    using CaseSteps = void (*)(AirState&, AirResults&);
    static constexpr CaseSteps kCases[] = {
        FromEnthalpyAndRatio,         FromEnthalpyAndTemperature,         FromRatioAndTemperature,
        FromRatioAndRelativeHumidity, FromTemperatureAndRelativeHumidity, FromEnthalpyAndRelativeHumidity,
    };
    if (r.caseNumber < 1 || r.caseNumber > 6) return std::nullopt;
    kCases[r.caseNumber - 1](s, r);
    // The relative humidity in percent: computed by the cases given two of
    // i, x and t, typed in the others.
    r.notes = AssumptionNotes(s.t, r.caseNumber <= 3 ? s.phi : typedPhi);
    r.ps = RoundedDisplay(s.ps, -1);
    r.pp = RoundedDisplay(s.pp, -1);
    r.pg = RoundedDisplay(s.pg, -1);
    r.tr = RoundedDisplay(s.tr, -1);
    r.tm = RoundedDisplay(s.tm, -1);
    r.rho = RoundedDisplay(s.rho, -2);
    return r;
}

std::array<bool, 4> FieldsToLock(int changed, const std::array<bool, 4>& filled) {
    std::array<bool, 4> lock{};
    if (changed < 0 || changed > 3) return lock;
    for (int other = 0; other < 4; ++other) {
        if (other == changed || !filled[changed] || !filled[other]) continue;
        for (int k = 0; k < 4; ++k) {
            if (k != changed && k != other) lock[k] = true;
        }
    }
    return lock;
}

}  // namespace vimtal::aircalc
