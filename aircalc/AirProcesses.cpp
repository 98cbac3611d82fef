#include "aircalc/AirProcesses.h"

#include "aircalc/AirCalculator.h"
#include "aircalc/MoistAir.h"
#include "core/Csv.h"
#include "core/Errors.h"
#include "core/FloatingPoint.h"
#include "core/Messages.h"
#include "core/Numbers.h"

#include <array>
#include <cmath>
#include <utility>

namespace vimtal::aircalc {

namespace {

using fp::real;

// Seconds in an hour: water flows are shown in kg/h.
constexpr real kSecondsPerHour = 3600.0L;

// A state's temperature outside this range earns a note: the range of the
// i-x chart and of the air an air-handling unit treats.
constexpr double kNoteLowTemperature = -20.0;  // degC
constexpr double kNoteHighTemperature = 50.0;  // degC

// Mixed and coil-end states lie on the saturation curve when the inputs say
// so (a bypass factor 0, a target of 100 %); rounding may put them a few ulp
// beyond it. Only air holding more than this share above saturation is fog.
constexpr double kFogMargin = 1e-9;

// No input of an air-handling unit comes near these; beyond them a step
// could leave the double range before a range check sees the state.
constexpr double kLargestInput = 1e6;         // any t, phi, x, i or parameter
constexpr double kSmallestMassFlow = 1e-4;    // kg/s of dry air
constexpr double kLargestMassFlow = 1e5;      // kg/s of dry air
// Unsaturated air whose (x, i) reads this far below the lowest state
// temperature would be fog of more water than any fog carries.
constexpr double kFogReadingSpan = 100.0;     // K

// Temperatures of the water a humidifier uses, degC: liquid spray water, and
// steam from a boiler or a steam main.
constexpr double kLowestSprayTemperature = 0.0;
constexpr double kHighestSprayTemperature = 100.0;
constexpr double kLowestSteamTemperature = 0.0;
constexpr double kHighestSteamTemperature = 300.0;

[[noreturn]] void Refuse(const std::string& message) { throw NoticeError(message, kInfoTitle); }

std::string Quoted(const std::string& name) { return "„" + name + "”"; }

std::string Number(double value) { return NoteNumber(value); }

double ToKgPerKg(double grams) { return fp::Store(fp::Div(grams, 1000.0L)); }
double ToGramsPerKg(double x) { return fp::Store(1000.0L * x); }

// The point where a function that rises from below zero at `low` to zero or
// above at `high` crosses zero, down to neighbouring doubles; the last point
// found below zero.
template <class Rising>
double RisingZero(double low, double high, const Rising& f) {
    return fp::Bisect(low, high, [&](double t) { return f(t) < 0; }, 200).first;
}

// Moist air: temperature, water content (kg/kg), enthalpy, and whether the
// water beyond saturation is carried as fog.
struct Air {
    double t = 0, x = 0, i = 0;
    bool fog = false;
};

// Air at t holding x in all holds more than saturated air does.
bool Oversaturated(double t, double x, double pb) {
    return x > SaturationHumidityRatio(t, pb) * (1.0 + kFogMargin);
}

bool BeyondSaturation(double i, double x, double pb) { return IsFog(i, x, pb) && Oversaturated(TemperatureOf(i, x), x, pb); }

// The air of water content x and enthalpy i: unsaturated air at its
// temperature, or fog at the temperature of its fog isotherm.
Air FromRatioAndEnthalpy(double x, double i, double pb) {
    // Fog is warmer than its unsaturated reading: a reading above the range
    // stays above it, and one far below it is no air (the range check of
    // the state refuses both).
    const double reading = TemperatureOf(i, x);
    if (reading > kHighestStateTemperature || reading < kLowestStateTemperature - kFogReadingSpan) {
        return {reading, x, i, false};
    }
    if (BeyondSaturation(i, x, pb)) return {FogTemperature(i, x, pb), x, i, true};
    return {reading, x, i, false};
}

bool InStateRange(double t) { return t >= kLowestStateTemperature && t <= kHighestStateTemperature; }

std::string RangeText() { return Number(kLowestStateTemperature) + "…" + Number(kHighestStateTemperature) + " °C"; }

// The temperature in the states' range at which a rising f reaches zero;
// refused in `who`'s words when the root lies outside the range.
template <class Rising>
double SolveTemperature(const Rising& f, const std::string& who) {
    if (f(kLowestStateTemperature) > 0 || f(kHighestStateTemperature) < 0) {
        Refuse(who + ": szukana temperatura leży poza zakresem " + RangeText() + ". Sprawdź dane.");
    }
    return RisingZero(kLowestStateTemperature, kHighestStateTemperature, f);
}

std::string StateLabel(const std::string& name) { return "Punkt " + Quoted(name); }

void RequireNumber(double value, const std::string& who, const char* symbol) {
    if (!std::isfinite(value)) Refuse(who + ": wartość " + symbol + " nie jest liczbą.");
    if (std::fabs(value) > kLargestInput) {
        Refuse(who + ": wartość " + symbol + " = " + FloatToStr(value) + " jest poza zakresem obliczeń (±" +
               FloatToStr(kLargestInput) + ").");
    }
}

// The given state's two properties, each within its range.
void CheckGiven(const StateInput& s, const std::string& who) {
    const int count = s.t.has_value() + s.phi.has_value() + s.x.has_value() + s.i.has_value();
    if (count != 2) {
        Refuse(who + ": podaj dokładnie dwie z wielkości t, φ, x, i (podano " + std::to_string(count) + ").");
    }
    if (s.t) RequireNumber(*s.t, who, "t");
    if (s.i) RequireNumber(*s.i, who, "i");
    if (s.phi) {
        RequireNumber(*s.phi, who, "φ");
        if (*s.phi <= 0 || *s.phi > 100) {
            Refuse(who + ": wilgotność względna φ = " + Number(*s.phi) + " % musi leżeć w zakresie (0; 100] %.");
        }
    }
    if (s.x) {
        RequireNumber(*s.x, who, "x");
        if (*s.x <= 0) Refuse(who + ": zawartość wilgoci x = " + Number(*s.x) + " g/kg musi być większa od zera.");
    }
    if (s.t && !InStateRange(*s.t)) {
        Refuse(who + ": temperatura t = " + Number(*s.t) + " °C leży poza zakresem " + RangeText() + ".");
    }
}

// The given state's air from its two properties.
Air GivenAir(const StateInput& s, double pb) {
    const std::string who = StateLabel(s.name);
    CheckGiven(s, who);
    const double phi = s.phi ? fp::Store(fp::Div(*s.phi, 100.0L)) : 0.0;
    const double x = s.x ? ToKgPerKg(*s.x) : 0.0;
    if (s.t && s.phi) {
        const double ratio = HumidityRatio(phi, AirCalcSaturationPressure(*s.t), pb);
        return {*s.t, ratio, Enthalpy(*s.t, ratio), false};
    }
    if (s.t && s.x) {
        // Water beyond saturation at t is fog on the isotherm t.
        if (Oversaturated(*s.t, x, pb)) return {*s.t, x, FogEnthalpy(*s.t, x, pb), true};
        return {*s.t, x, Enthalpy(*s.t, x), false};
    }
    if (s.t && s.i) {
        const double ratio = HumidityRatioOf(*s.i, *s.t);
        if (ratio <= 0) Refuse(who + ": przy t = " + Number(*s.t) + " °C entalpia i = " + Number(*s.i) +
                               " kJ/kg oznacza powietrze bez wilgoci (x ≤ 0).");
        if (Oversaturated(*s.t, ratio, pb)) {
            Refuse(who + ": stan (t, i) leży poza krzywą nasycenia. Stan mgły podaj przez x oraz i albo t oraz x.");
        }
        return {*s.t, ratio, *s.i, false};
    }
    if (s.x && s.phi) {
        // The temperature whose saturation pressure is the vapour pressure
        // over phi.
        const double ps = fp::Store(fp::Div(VapourPressure(x, pb), phi));
        const double t = SolveTemperature([&](double t) { return AirCalcSaturationPressure(t) - ps; }, who);
        return {t, x, Enthalpy(t, x), false};
    }
    if (s.x && s.i) return FromRatioAndEnthalpy(x, *s.i, pb);
    // i and phi: the temperature at which air of relative humidity phi has
    // the enthalpy i.
    const double t = SolveTemperature(
        [&](double t) { return Enthalpy(t, HumidityRatio(phi, AirCalcSaturationPressure(t), pb)) - *s.i; }, who);
    return {t, HumidityRatio(phi, AirCalcSaturationPressure(t), pb), *s.i, false};
}

// Every property of a state from its air.
StateResult Complete(std::string name, const Air& air, double pb, const std::string& who) {
    if (!InStateRange(air.t)) {
        Refuse(who + ": temperatura t = " + Number(air.t) + " °C leży poza zakresem " + RangeText() + ".");
    }
    StateResult s;
    s.name = std::move(name);
    s.t = air.t;
    s.humidityRatio = air.x;
    s.x = ToGramsPerKg(air.x);
    s.i = air.i;
    s.fog = air.fog;
    // Fog holds saturated vapour; its droplets or ice take no part in the
    // vapour pressure and next to none in the volume.
    const double vapour = air.fog ? SaturationHumidityRatio(air.t, pb) : air.x;
    s.phi = air.fog ? 100.0
                    : fp::Store(100.0L * RelativeHumidity(air.x, AirCalcSaturationPressure(air.t), pb));
    s.rho = Density(air.t, vapour, pb);
    s.tr = DewPoint(VapourPressure(vapour, pb));
    s.tm = WetBulbSearch(air.i, pb);
    return s;
}

double MassFlowOf(const AirFlow& flow, const StateResult& s, const std::string& who) {
    if (!std::isfinite(flow.value) || flow.value <= 0) {
        Refuse(who + ": przepływ powietrza musi być liczbą większą od zera.");
    }
    // V [m3/h] of moist air: rho (1 + x) kg of moist air per m3 carries
    // rho / (1 + x) kg of dry air.
    const double m = flow.kind == AirFlow::Kind::Mass
                         ? flow.value
                         : fp::Store(fp::Div(static_cast<real>(flow.value) * s.rho,
                                             kSecondsPerHour * (1.0L + s.humidityRatio)));
    if (m < kSmallestMassFlow || m > kLargestMassFlow) {
        Refuse(who + ": strumień masy powietrza suchego ṁ = " + FloatToStr(m) + " kg/s leży poza zakresem " +
               FloatToStr(kSmallestMassFlow) + "…" + FloatToStr(kLargestMassFlow) + " kg/s.");
    }
    return m;
}

// The process parameters, each with the types it belongs to.
struct Parameter {
    std::optional<double> ProcessInput::*member;
    const char* symbol;
    std::array<bool, 5> types;  // Mixing, Heating, Cooling, Steam, Spray
};
constexpr std::array<Parameter, 8> kParameters{{
    {&ProcessInput::t2, "t2", {false, true, false, false, false}},
    {&ProcessInput::q, "Q", {false, true, false, false, false}},
    {&ProcessInput::adp, "tADP", {false, false, true, false, false}},
    {&ProcessInput::bf, "BF", {false, false, true, false, false}},
    {&ProcessInput::x2, "x2", {false, false, false, true, true}},
    {&ProcessInput::phi2, "φ2", {false, false, false, true, true}},
    {&ProcessInput::ts, "ts", {false, false, false, true, false}},
    {&ProcessInput::tw, "tw", {false, false, false, false, true}},
}};

class ChainComputer {
public:
    explicit ChainComputer(const ChainInput& chain) : chain_(chain), pb_(chain.pressure) {}

    ChainResult Run() {
        if (!std::isfinite(pb_) || pb_ < kLowestPressure || pb_ > kHighestPressure) {
            Refuse("Ciśnienie barometryczne pb = " + Number(pb_) + " Pa leży poza zakresem " + Number(kLowestPressure) +
                   "…" + Number(kHighestPressure) + " Pa.");
        }
        for (const StateInput& given : chain_.states) AddGiven(given);
        for (std::size_t n = 0; n < chain_.processes.size(); ++n) AddProcess(n);
        for (const StateResult& s : result_.states) AddNotes(s);
        return std::move(result_);
    }

private:
    int Find(const std::string& name) const {
        for (std::size_t k = 0; k < result_.states.size(); ++k) {
            if (result_.states[k].name == name) return static_cast<int>(k);
        }
        return -1;
    }

    // Given states come first, so a process's new name is checked against
    // every given state and every state made before.
    void RequireNewName(const std::string& name, const std::string& who) const {
        if (name.empty()) Refuse(who + ": punkt musi mieć nazwę.");
        if (Find(name) >= 0) {
            Refuse(who + ": nazwa " + Quoted(name) + " jest już użyta. Nazwy punktów nie mogą się powtarzać.");
        }
    }

    void AddGiven(const StateInput& given) {
        const std::string who = StateLabel(given.name);
        RequireNewName(given.name, who);
        StateResult s = Complete(given.name, GivenAir(given, pb_), pb_, who);
        if (given.flow) s.massFlow = MassFlowOf(*given.flow, s, who);
        result_.states.push_back(std::move(s));
    }

    std::string ProcessLabel(std::size_t n) const {
        const ProcessInput& p = chain_.processes[n];
        std::string from;
        for (std::size_t k = 0; k < p.from.size(); ++k) from += (k ? "+" : "") + p.from[k];
        return "Przemiana " + std::to_string(n + 1) + " (" + ProcessName(p.type) + ", " + from + " → " + p.to + ")";
    }

    void CheckParameters(const ProcessInput& p, const std::string& who) const {
        for (const Parameter& parameter : kParameters) {
            const std::optional<double>& value = p.*parameter.member;
            if (!value) continue;
            if (!parameter.types[static_cast<std::size_t>(p.type)]) {
                Refuse(who + ": parametr " + parameter.symbol + " nie dotyczy tej przemiany.");
            }
            RequireNumber(*value, who, parameter.symbol);
        }
        const auto exactlyOne = [&](bool a, bool b, const char* names) {
            if (a == b) Refuse(who + ": podaj dokładnie jeden z parametrów " + names + ".");
        };
        switch (p.type) {
            case ProcessType::Mixing: break;
            case ProcessType::Heating: exactlyOne(p.t2.has_value(), p.q.has_value(), "t2 lub Q"); break;
            case ProcessType::Cooling:
                if (!p.adp || !p.bf) Refuse(who + ": podaj temperaturę powierzchni chłodnicy tADP i współczynnik obejścia BF.");
                break;
            case ProcessType::Steam:
            case ProcessType::Spray: exactlyOne(p.x2.has_value(), p.phi2.has_value(), "x2 lub φ2"); break;
        }
    }

    // A mixing weighs its inlets by their flows, and a power Q spreads over
    // the flow; every other end state follows from the start alone.
    static bool NeedsFlow(const ProcessInput& p) {
        return p.type == ProcessType::Mixing || (p.type == ProcessType::Heating && p.q);
    }

    // The start states' indices, each with its flow where the process needs it.
    std::vector<int> Starts(const ProcessInput& p, const std::string& who) const {
        const std::size_t wanted = p.type == ProcessType::Mixing ? 2 : 1;
        if (p.from.size() != wanted) {
            Refuse(who + (wanted == 2 ? ": mieszanie łączy dokładnie dwa punkty." : ": przemiana ma jeden punkt początkowy."));
        }
        std::vector<int> starts;
        for (const std::string& name : p.from) {
            const int k = Find(name);
            if (k < 0) {
                Refuse(who + ": punkt " + Quoted(name) +
                       " nie istnieje. Przemiana może zaczynać się tylko w punkcie podanym lub utworzonym wcześniej.");
            }
            if (NeedsFlow(p) && !result_.states[static_cast<std::size_t>(k)].massFlow) {
                Refuse(who + ": punkt " + Quoted(name) +
                       " nie ma przepływu powietrza. Podaj w nim strumień masy ṁ [kg/s] lub objętości V [m³/h]: " +
                       (p.type == ProcessType::Mixing ? "mieszanie waży stany przepływami."
                                                      : "bez niego nie da się wyznaczyć stanu po podaniu mocy Q."));
            }
            starts.push_back(k);
        }
        if (starts.size() == 2 && starts[0] == starts[1]) Refuse(who + ": mieszanie łączy dwa różne punkty.");
        return starts;
    }

    void AddProcess(std::size_t n) {
        const ProcessInput& p = chain_.processes[n];
        const std::string who = ProcessLabel(n);
        CheckParameters(p, who);
        const std::vector<int> starts = Starts(p, who);
        RequireNewName(p.to, who);

        ProcessResult r;
        r.name = ProcessName(p.type);
        r.from = starts;
        const StateResult& a = result_.states[static_cast<std::size_t>(starts[0])];
        r.massFlow = a.massFlow;
        Air end;
        switch (p.type) {
            case ProcessType::Mixing: {
                const StateResult& b = result_.states[static_cast<std::size_t>(starts[1])];
                end = Mix(a, b, r);
                break;
            }
            case ProcessType::Heating: end = Heat(p, a, r, who); break;
            case ProcessType::Cooling: end = Cool(p, a, r, who); break;
            case ProcessType::Steam:
            case ProcessType::Spray: end = Humidify(p, a, r, who); break;
        }
        StateResult made = Complete(p.to, end, pb_, who);
        made.madeBy = static_cast<int>(n);
        made.massFlow = r.massFlow;
        // Known flow, known power and water flow: none is left unknown.
        if (r.massFlow) {
            r.power = r.power.value_or(0.0);
            r.water = r.water.value_or(0.0);
        }
        r.to = static_cast<int>(result_.states.size());
        result_.states.push_back(std::move(made));
        result_.processes.push_back(std::move(r));
    }

    // x and i weighted by the dry-air flows; beyond saturation the mixture
    // is fog.
    Air Mix(const StateResult& a, const StateResult& b, ProcessResult& r) const {
        const real ma = *a.massFlow, mb = *b.massFlow;
        const double m = fp::Store(ma + mb);
        r.massFlow = m;
        const double x = fp::Store(fp::Div(ma * a.humidityRatio + mb * b.humidityRatio, m));
        const double i = fp::Store(fp::Div(ma * a.i + mb * b.i, m));
        return FromRatioAndEnthalpy(x, i, pb_);
    }

    // At constant x, to t2 or by Q. Below the start's dew point water
    // condenses, which this process does not model.
    Air Heat(const ProcessInput& p, const StateResult& a, ProcessResult& r, const std::string& who) const {
        Air end;
        end.x = a.humidityRatio;
        if (p.t2) {
            end.t = *p.t2;
            if (!InStateRange(end.t)) {
                Refuse(who + ": temperatura t2 = " + Number(end.t) + " °C leży poza zakresem " + RangeText() + ".");
            }
            end.i = Enthalpy(end.t, end.x);
            if (r.massFlow) r.power = fp::Store(static_cast<real>(*r.massFlow) * (static_cast<real>(end.i) - a.i));
        } else {
            r.power = *p.q;
            end.i = fp::Store(a.i + fp::Div(*p.q, *r.massFlow));
            end.t = TemperatureOf(end.i, end.x);
        }
        if (end.t < a.tr || (InStateRange(end.t) && Oversaturated(end.t, end.x, pb_))) {
            Refuse(who + ": temperatura końcowa " + Number(end.t) + " °C jest niższa od punktu rosy tr = " +
                   Number(a.tr) + " °C powietrza w punkcie " + Quoted(a.name) +
                   ". Przy schładzaniu poniżej punktu rosy wykrapla się woda: użyj przemiany „chłodzenie z osuszaniem”.");
        }
        if (end.i < a.i) r.name = "chłodzenie suche";
        return end;
    }

    // A coil at t_ADP with a bypass factor BF: the share BF of the air passes
    // untouched, the rest leaves saturated at t_ADP. A coil colder than the
    // air's dew point condenses water, which leaves at t_ADP.
    Air Cool(const ProcessInput& p, const StateResult& a, ProcessResult& r, const std::string& who) const {
        const double adp = *p.adp, bf = *p.bf;
        if (bf < 0 || bf > 1) Refuse(who + ": współczynnik obejścia BF = " + Number(bf) + " musi leżeć w zakresie 0…1.");
        if (!InStateRange(adp)) {
            Refuse(who + ": temperatura tADP = " + Number(adp) + " °C leży poza zakresem " + RangeText() + ".");
        }
        if (adp > a.t) {
            Refuse(who + ": temperatura powierzchni chłodnicy tADP = " + Number(adp) +
                   " °C jest wyższa od temperatury powietrza t = " + Number(a.t) + " °C w punkcie " + Quoted(a.name) + ".");
        }
        const double xAdp = SaturationHumidityRatio(adp, pb_);
        if (xAdp >= a.humidityRatio) {
            // Surface at or above the dew point: dry cooling at constant x.
            r.name = "chłodzenie suche";
            Air end;
            end.x = a.humidityRatio;
            end.t = fp::Store(adp + static_cast<real>(bf) * (static_cast<real>(a.t) - adp));
            end.i = Enthalpy(end.t, end.x);
            if (r.massFlow) r.power = fp::Store(static_cast<real>(*r.massFlow) * (static_cast<real>(end.i) - a.i));
            return end;
        }
        const double iAdp = Enthalpy(adp, xAdp);
        const double x2 = fp::Store(xAdp + static_cast<real>(bf) * (static_cast<real>(a.humidityRatio) - xAdp));
        const double i2 = fp::Store(iAdp + static_cast<real>(bf) * (static_cast<real>(a.i) - iAdp));
        if (r.massFlow) {
            const real m = *r.massFlow;
            const real condensate = m * (static_cast<real>(a.humidityRatio) - x2);  // kg/s
            r.water = fp::Store(-condensate * kSecondsPerHour);
            r.power = fp::Store(m * (static_cast<real>(i2) - a.i) + condensate * kLiquidWaterHeat * adp);
        }
        return FromRatioAndEnthalpy(x2, i2, pb_);
    }

    // Water at enthalpy h_w joins the air: i2 = i1 + (x2 - x1) h_w.
    Air Humidify(const ProcessInput& p, const StateResult& a, ProcessResult& r, const std::string& who) const {
        double hw = 0;
        if (p.type == ProcessType::Steam) {
            const double ts = p.ts.value_or(kDefaultSteamTemperature);
            if (ts < kLowestSteamTemperature || ts > kHighestSteamTemperature) {
                Refuse(who + ": temperatura pary ts = " + Number(ts) + " °C leży poza zakresem " +
                       Number(kLowestSteamTemperature) + "…" + Number(kHighestSteamTemperature) + " °C.");
            }
            hw = fp::Store(kVaporisationHeat + kVapourHeat * ts);
        } else {
            const double tw = p.tw.value_or(kDefaultSprayTemperature);
            if (tw < kLowestSprayTemperature || tw > kHighestSprayTemperature) {
                Refuse(who + ": temperatura wody tw = " + Number(tw) + " °C leży poza zakresem " +
                       Number(kLowestSprayTemperature) + "…" + Number(kHighestSprayTemperature) + " °C.");
            }
            hw = fp::Store(kLiquidWaterHeat * tw);
        }
        const double x1 = a.humidityRatio, i1 = a.i;
        const auto enthalpyAt = [&](double x) { return fp::Store(i1 + (static_cast<real>(x) - x1) * hw); };
        double x2 = x1;
        if (p.x2) {
            x2 = ToKgPerKg(*p.x2);
            if (x2 < x1) {
                Refuse(who + ": zawartość wilgoci x2 = " + Number(*p.x2) + " g/kg jest mniejsza niż x = " +
                       Number(a.x) + " g/kg w punkcie " + Quoted(a.name) + "; nawilżanie nie osusza powietrza.");
            }
            if (x2 > x1 && BeyondSaturation(enthalpyAt(x2), x2, pb_)) {
                Refuse(who + ": przy x2 = " + Number(*p.x2) +
                       " g/kg powietrze byłoby przesycone (poza krzywą nasycenia φ = 100 %). Zmniejsz x2.");
            }
        } else {
            x2 = HumidifiedTo(*p.phi2, a, enthalpyAt, who);
        }
        if (r.massFlow) r.water = fp::Store(static_cast<real>(*r.massFlow) * (static_cast<real>(x2) - x1) * kSecondsPerHour);
        return FromRatioAndEnthalpy(x2, enthalpyAt(x2), pb_);
    }

    // The water content at which the process line from a reaches phi2 [%]:
    // a bisection between the start and the first water content beyond
    // saturation (found by doubling steps; a kilogram of water per kg of
    // air is beyond any saturation in the states' range).
    template <class Line>
    double HumidifiedTo(double phi2, const StateResult& a, const Line& enthalpyAt, const std::string& who) const {
        if (phi2 <= 0 || phi2 > 100) {
            Refuse(who + ": wilgotność względna φ2 = " + Number(phi2) + " % musi leżeć w zakresie (0; 100] %.");
        }
        if (phi2 < a.phi) {
            Refuse(who + ": wilgotność względna φ2 = " + Number(phi2) + " % jest mniejsza niż φ = " + Number(a.phi) +
                   " % w punkcie " + Quoted(a.name) + "; nawilżanie jej nie obniża. Nie można osiągnąć φ2.");
        }
        const auto shortfall = [&](double x) {
            const double i = enthalpyAt(x);
            if (BeyondSaturation(i, x, pb_)) return 1.0;
            const double t = TemperatureOf(i, x);
            if (t < kLowestStateTemperature || t > kHighestStateTemperature) return 1.0;
            return fp::Store(100.0L * RelativeHumidity(x, AirCalcSaturationPressure(t), pb_) - phi2);
        };
        const double x1 = a.humidityRatio;
        if (shortfall(x1) >= 0) return x1;
        double step = 0.0005;
        double high = fp::Store(x1 + static_cast<real>(step));
        while (shortfall(high) < 0) {
            step *= 2;
            if (step > 1.0) Refuse(who + ": nie można osiągnąć φ2 = " + Number(phi2) + " %.");
            high = fp::Store(x1 + static_cast<real>(step));
        }
        const double x2 = RisingZero(x1, high, shortfall);
        // A line that leaves the states' temperatures first stops at their
        // edge, short of phi2.
        if (shortfall(x2) < -1e-6) {
            Refuse(who + ": nie można osiągnąć φ2 = " + Number(phi2) + " %: linia przemiany wychodzi wcześniej poza zakres " +
                   RangeText() + ".");
        }
        return x2;
    }

    void AddNotes(const StateResult& s) {
        const std::string who = StateLabel(s.name);
        if (s.fog) {
            result_.notes.push_back(who + " leży w obszarze mgły: powietrze niesie x = " + Number(s.x) +
                                    " g/kg wody, a nasycone przy t = " + Number(s.t) + " °C mieści jako parę tylko " +
                                    Number(ToGramsPerKg(SaturationHumidityRatio(s.t, pb_))) +
                                    " g/kg; nadmiar jest unoszony jako krople wody lub kryształki lodu.");
        }
        if (s.t < kNoteLowTemperature || s.t > kNoteHighTemperature) {
            result_.notes.push_back(who + ": temperatura t = " + Number(s.t) + " °C leży poza zakresem " +
                                    Number(kNoteLowTemperature) + "…" + Number(kNoteHighTemperature) +
                                    " °C wykresu i-x i typowej pracy central wentylacyjnych; sprawdź dane.");
        }
    }

    const ChainInput& chain_;
    double pb_;
    ChainResult result_;
};

}  // namespace

ChainResult ComputeChain(const ChainInput& chain) { return ChainComputer(chain).Run(); }

std::string ProcessName(ProcessType type) {
    switch (type) {
        case ProcessType::Mixing: return "mieszanie";
        case ProcessType::Heating: return "ogrzewanie";
        case ProcessType::Cooling: return "chłodzenie z osuszaniem";
        case ProcessType::Steam: return "nawilżanie parą";
        case ProcessType::Spray: return "nawilżanie wodą";
    }
    return {};
}

std::string ProcessKey(ProcessType type) {
    switch (type) {
        case ProcessType::Mixing: return "mixing";
        case ProcessType::Heating: return "heating";
        case ProcessType::Cooling: return "cooling";
        case ProcessType::Steam: return "steam";
        case ProcessType::Spray: return "spray";
    }
    return {};
}

std::string ParametersText(const ProcessInput& p) {
    std::string text;
    const auto add = [&](const char* symbol, double value, const char* unit) {
        if (!text.empty()) text += ", ";
        text += std::string(symbol) + " = " + FloatToStr(value) + unit;
    };
    if (p.t2) add("t2", *p.t2, " °C");
    if (p.q) add("Q", *p.q, " kW");
    if (p.adp) add("tADP", *p.adp, " °C");
    if (p.bf) add("BF", *p.bf, "");
    if (p.x2) add("x2", *p.x2, " g/kg");
    if (p.phi2) add("φ2", *p.phi2, " %");
    if (p.type == ProcessType::Steam) add("ts", p.ts.value_or(kDefaultSteamTemperature), " °C");
    if (p.type == ProcessType::Spray) add("tw", p.tw.value_or(kDefaultSprayTemperature), " °C");
    return text;
}

std::string ChainCsv(const ChainResult& result) {
    CsvWriter csv;
    csv.Row({"Punkt", "t [°C]", "φ [%]", "x [g/kg]", "i [kJ/kg]", "ρ [kg/m³]", "tr [°C]", "tm [°C]"});
    for (const StateResult& s : result.states) {
        csv.Row({s.name, RoundedDisplay(s.t, -2), RoundedDisplay(s.phi, -2), RoundedDisplay(s.x, -2),
                 RoundedDisplay(s.i, -2), RoundedDisplay(s.rho, -3), RoundedDisplay(s.tr, -2),
                 RoundedDisplay(s.tm, -2)});
    }
    csv.Row({});
    csv.Row({"Przemiana", "Z", "Do", "ṁ [kg/s]", "Q [kW]", "W [kg/h]"});
    for (const ProcessResult& p : result.processes) {
        std::string from;
        for (std::size_t k = 0; k < p.from.size(); ++k) {
            from += (k ? "+" : "") + result.states[static_cast<std::size_t>(p.from[k])].name;
        }
        const auto cell = [](const std::optional<double>& value, int digit) {
            return value ? RoundedDisplay(*value, digit) : std::string();
        };
        csv.Row({p.name, from, result.states[static_cast<std::size_t>(p.to)].name, cell(p.massFlow, -4),
                 cell(p.power, -2), cell(p.water, -2)});
    }
    return csv.Text();
}

}  // namespace vimtal::aircalc
