#include "ChargingModel.h"

#include "core/Numbers.h"
#include "core/Required.h"

namespace vimtal::dhwsim {

using fp::real;

namespace {

const std::string kMissedTarget = "Dla zadanych warunków nie osiągnięto wymaganej temperatury";
const std::string kAboveMeanSource =
    "Temperatura zasobnika C.W.U nie może by większa od sredniej temperatury zasilania i powrotu";

// Inputs the formulas cannot take: each would divide by zero, take the
// logarithm of a non-positive number or never end the run.
const std::string kStepNotPositive = "Krok czasowy musi być większy od zera";
const std::string kTankNotPositive = "Wysokość i średnica zasobnika C.W.U muszą być większe od zera";
const std::string kDiameterTooSmall =
    "Średnica zasobnika C.W.U musi być większa od 10 mm (podwójnej grubości ścianki przyjmowanej w obliczeniach "
    "strat ciepła)";
const std::string kInsulationNegative = "Grubość izolacji zasobnika C.W.U nie może być ujemna";
const std::string kConductivityNotPositive =
    "Współczynniki przewodzenia ciepła izolacji i zasobnika C.W.U muszą być większe od zera";
const std::string kSourceNotAboveWater =
    "Temperatura początkowa wody musi być niższa od średniej temperatury zasilania i powrotu";
// A run needs a source that the formulas can take: heating water with a flow
// that is known and not negative, an electric heater whose power is not
// negative (either would otherwise heat the tank without bound or cool it
// below any physical temperature).
const std::string kNoFlow =
    "Nie wyznaczono masowego przepływu źródła ciepła. Podaj moc źródła ciepła przy temperaturze początkowej "
    "wody niższej od średniej temperatury zasilania i powrotu.";
const std::string kNegativeFlow = "Masowy przepływ źródła ciepła nie może być ujemny";
const std::string kNegativePower = "Moc źródła ciepła nie może być ujemna";
// The same bound and wording as the duct simulation's, with the second way
// out: the limit of the settings.
const std::string kTooManySteps =
    "Symulacja wymagałaby ponad 100 000 000 kroków czasowych - zwiększ długość kroku czasowego symulacji lub "
    "zmniejsz liczbę iteracji";

}  // namespace

VolumeTexts TankVolume(const std::string& height, const std::string& diameter) {
    const double H = StrToFloat(height);
    const double D = StrToFloat(diameter);
    const double V = fp::Store(static_cast<real>(D) * (static_cast<real>(D) * fp::kPiShort) * 0.25L * H);
    return {RoundedDisplay(V, -4), RoundedDisplay(fp::Store(static_cast<real>(V) * 1000.0L), -2)};
}

DurationTexts MinutesAndHours(const std::string& seconds) {
    const double t = StrToFloat(seconds);
    return {RoundedDisplay(fp::Store(fp::Div(t, 60.0L)), -1), RoundedDisplay(fp::Store(fp::Div(t, 3600.0L)), -2)};
}

double WaterDensity(double t) { return WaterDensityInline(t); }

// ---------------------------------------------------------------------------
// Preparing a run

namespace {

// The required boxes, in the order the user reads them. A chart does not
// test the power and mass-flow boxes (their conversion still does).
std::optional<std::string> MissingInput(const WindowInputs& w, Purpose purpose) {
    const bool run = purpose == Purpose::Run;
    return FirstMissing({
        {w.height.empty(), "Podaj wysokosc zasobnika C.W.U"},
        {w.diameter.empty(), "Podaj srednicę zasobnika C.W.U"},
        {w.insulation.empty(), "Podaj grubosc izolacji zasobnika C.W.U"},
        {w.insulationConductivity.empty(), "Podaj współczynnik przewodzenia ciepła izolacji"},
        {w.wallConductivity.empty(), "Podaj współczynnik przewodzenia ciepła zasobnika C.W.U"},
        {w.airTemperature.empty(), "Podaj temperaturę powietrza otaczającego zasobnik C.W.U"},
        {w.waterHeating && w.supplyTemperature.empty(), "Podaj temperaturę zasilania źródła ciepła"},
        {w.waterHeating && w.returnTemperature.empty(), "Podaj temperaturę powrotu źródła ciepła"},
        {run && w.powerEntrySelected && w.power.empty(), "Podaj moc źródła ciepła"},
        {run && !w.powerEntrySelected && w.massFlow.empty(), "Podaj masowy przepływ źródła ciepła"},
    });
}

// The tank, its room, the time step and the source temperatures, in the
// order the window lists them; the tank volume as soon as its size is known.
void ConvertTankAndRoom(const WindowInputs& w, Purpose purpose, Inputs& in) {
    in.H = StrToFloat(w.height);
    in.D = StrToFloat(w.diameter);
    in.V = fp::Store(static_cast<real>(in.D) * (static_cast<real>(in.D) * fp::kPiShort) * 0.25L * in.H * 1000.0L);
    in.diz = MetresFromMillimetres(StrToFloat(w.insulation));
    if (purpose == Purpose::Run) in.wall = MetresFromMillimetres(StrToFloat(w.wallThickness));
    in.lambdaInsulation = StrToFloat(w.insulationConductivity);
    in.lambdaWall = StrToFloat(w.wallConductivity);
    in.ta = StrToFloat(w.airTemperature);
    in.dtau = StrToFloat(w.timeStep);
    in.tz = StrToFloat(w.supplyTemperature);
    in.tp = StrToFloat(w.returnTemperature);
}

// The quantity of the source the run takes from its text, and the other one
// as the window keeps it. Nothing, or the refusal of a flow that is not
// there.
std::optional<std::string> ConvertSource(const WindowInputs& w, KeptValues& kept, Inputs& in) {
    if (w.givenSource == SourceQuantity::MassFlow) {
        // Ticking water heating shows the flow derived from the power beside
        // it; the flow is empty when none could be derived for the
        // temperatures typed.
        if (w.waterHeating && w.powerEntrySelected && w.massFlow.empty()) return kNoFlow;
        in.m = kept.source.massFlow = StrToFloat(w.massFlow);
        in.Q = kept.source.power;
    } else {
        in.Q = kept.source.power = StrToFloat(w.power);
        in.m = kept.source.massFlow;
    }
    return std::nullopt;
}

// The target that stops the run; the other one stays as the window kept it.
void ConvertTarget(const WindowInputs& w, KeptValues& kept, Inputs& in) {
    if (w.targetTemperatureSelected) {
        kept.targetTemperature = StrToFloat(w.targetTemperature);
    } else {
        kept.targetTime = StrToFloat(w.targetTime);
    }
    in.tk = kept.targetTemperature;
    in.tauk = kept.targetTime;
}

// Inputs the formulas cannot take, and sources a run cannot simulate.
std::optional<std::string> Unusable(const Inputs& in, SourceQuantity given, bool flowKnown) {
    if (!(in.dtau > 0)) return kStepNotPositive;
    if (!(in.H > 0) || !(in.D > 0)) return kTankNotPositive;
    if (in.losses) {
        // The wall is taken as the ring between D - 0.01 m and D.
        if (!(in.D > 0.01)) return kDiameterTooSmall;
        if (in.diz < 0) return kInsulationNegative;
        if (!(in.lambdaInsulation > 0) || !(in.lambdaWall > 0)) return kConductivityNotPositive;
    }
    if (in.electricHeating) {
        if (in.Q < 0) return kNegativePower;
    } else if (in.waterHeating) {
        // A flow given as a flow is the one read; with the power given, the
        // flow is the one the window derived from it, if it still holds.
        if (given == SourceQuantity::Power && !flowKnown) return kNoFlow;
        if (in.m < 0) return kNegativeFlow;
    }
    return std::nullopt;
}

}  // namespace

std::optional<Inputs> Prepare(const WindowInputs& w, const SimulationSettings& settings, Purpose purpose,
                              KeptValues& kept, MessageSink& messages) {
    auto refuse = [&messages](const std::string& text, const char* title = kDhwInfoTitle) {
        messages.ShowMessage(text, title);
        return std::optional<Inputs>();
    };

    Inputs in;
    // The initial temperature is converted before any check.
    in.tw0 = StrToFloat(w.initialTemperature);
    in.waterHeating = w.waterHeating;
    in.electricHeating = w.electricHeating;
    in.criterion = w.targetTemperatureSelected ? Criterion::TargetTemperature : Criterion::TargetTime;
    in.losses = settings.losses;

    if (const auto missing = MissingInput(w, purpose)) return refuse(*missing);
    ConvertTankAndRoom(w, purpose, in);
    if (w.targetTemperatureSelected && w.targetTemperature.empty()) {
        return refuse("Podaj temperaturę do której chcesz ogrzać wode w zasobniku C.W.U.", kInfoTitle);
    }
    if (const auto refused = ConvertSource(w, kept, in)) return refuse(*refused);
    ConvertTarget(w, kept, in);
    in.N = StrToInt(settings.limit);

    in.tm = fp::Store(fp::Div(static_cast<real>(in.tz) + in.tp, 2.0L));
    // Heating water cannot bring the tank above the mean of its supply and
    // return temperatures.
    if (in.waterHeating && in.criterion == Criterion::TargetTemperature && in.tk > in.tm) {
        return refuse(kAboveMeanSource);
    }
    if (const auto refused = Unusable(in, w.givenSource, kept.source.flowKnown)) return refuse(*refused);
    if (fp::Div(RunEnd(in), in.dtau) > static_cast<real>(kMaxSteps)) return refuse(kTooManySteps);
    // The first step's heat is evaluated now: a room at or below absolute
    // zero raises its fault before anything is drawn or written.
    InitialState(in);
    return in;
}

// ---------------------------------------------------------------------------
// A run

namespace detail {

// Half and twice the short pi of the geometry, as the loss formulas write
// them (1.57075 and 6.283): the same long doubles.
constexpr real kHalfPi = fp::kPiShort / 2;
constexpr real kTwoPi = 2 * fp::kPiShort;
static_assert(kHalfPi == 1.57075L && kTwoPi == 6.283L);

Pass::Pass(const Inputs& in) : in_(in) {
    const real D = in_.D;
    limit_ = static_cast<double>(in_.N);
    sourceFactor_ = static_cast<real>(in_.m) * kWaterHeat;
    electricHeat_ = fp::Store(static_cast<real>(in_.Q) * in_.dtau);
    if (in_.losses) {
        airAbsoluteTimesD_ = (static_cast<real>(in_.ta) + 273.15L) * D;
        // Inner film: alpha_i = 39.3 * (2 / D)^0.25.
        s_.alphaI = fp::Store(39.3L * fp::Sqrt(fp::Sqrt(fp::Div(2.0L, D))));
        // Resistance per metre of the equivalent insulated pipe: the steel
        // wall between D - 0.01 and D, the inner film at D - 0.01, the
        // insulation between D and D + diz; the outer film is added at every
        // step.
        const real inner = D - 0.01L;
        outerDiameter_ = D + in_.diz;
        innerTerms_ = fp::Div(fp::Ln(fp::Div(D, inner)), kTwoPi * in_.lambdaWall) +
                      fp::Div(1.0L, static_cast<real>(s_.alphaI) * fp::kPiShort * inner) +
                      fp::Div(fp::Ln(fp::Div(outerDiameter_, D)), kTwoPi * in_.lambdaInsulation);
        lossFactor_ = 0.001L * in_.dtau;
        // The two end discs and the mantle; divided by the outer perimeter
        // they give the length of the equivalent pipe.
        area_ = kHalfPi * (D * D) + fp::kPiShort * D * in_.H;
        perimeter_ = outerDiameter_ * fp::kPiShort;
        // The fast form of the loss (FastLoss). A room at or below absolute
        // zero leaves no fourth root of K: the textbook form, evaluated
        // first at tw0, raises the fault.
        if (airAbsoluteTimesD_ > 0) {
            filmFactor_ = fp::Div(5.0L * fp::kPiShort * outerDiameter_, fp::Sqrt(fp::Sqrt(airAbsoluteTimesD_)));
        }
        lossGain_ = fp::Div(lossFactor_ * area_, perimeter_);
    }
    s_.t = 0;
    s_.tw = in_.tw0;
    s_.Es = InitialSourceHeat();
    s_.El = in_.losses ? StepLoss(in_.tw0) : 0.0;
}

double Pass::StepLoss(double tw) {
    const real difference = static_cast<real>(tw) - in_.ta;
    // Free convection outside: alpha_e = 5 * (|tw - ta| / (Ta * D))^0.25.
    const real x = fp::Div(difference < 0 ? -difference : difference, airAbsoluteTimesD_);
    if (x == 0.0L) {
        // Water at the air temperature: no heat passes (and the outer film
        // resistance would be infinite).
        s_.alphaE = 0;
        return 0.0;
    }
    // The fourth root as two square roots: cheaper than exp(ln(x) / 4) and at
    // least as exact.
    s_.alphaE = fp::Store(5.0L * fp::Sqrt(fp::Sqrt(x)));
    const real outerFilm = fp::Div(1.0L, static_cast<real>(s_.alphaE) * fp::kPiShort * outerDiameter_);
    s_.R = fp::Store(innerTerms_ + outerFilm);
    return fp::Store(fp::Div(lossFactor_ * fp::Div(1.0L, s_.R) * area_ * difference, perimeter_));
}

double Pass::InitialSourceHeat() const {
    if (in_.electricHeating) return electricHeat_;
    return fp::Store((static_cast<real>(in_.tm) - in_.tw0) * sourceFactor_ * in_.dtau);
}

}  // namespace detail

State InitialState(const Inputs& in) { return detail::Pass(in).state(); }

double RunEnd(const Inputs& in) {
    const double limit = in.N;
    if (in.criterion == Criterion::TargetTime && in.tauk < limit) return in.tauk;
    return limit;
}

std::optional<double> Draw(const Inputs& in, const State& end) {
    // The loss of a step is a heat per step: per second it is the loss power
    // in kW, which the nominal power has to cover besides heating the draw.
    const real lossPower = fp::Div(end.El, in.dtau);
    const real heating = (static_cast<real>(end.tw) - in.tw0) * (static_cast<real>(end.rho) * kWaterHeat);
    if (heating == 0.0L) return std::nullopt;
    return fp::Store(fp::Div(static_cast<real>(in.Q) - lossPower, heating));
}

namespace {
std::string DrawText(std::optional<double> draw) { return draw ? RoundedDisplay(*draw, -4) : std::string(); }
}  // namespace

ResultTexts RunResults(const Inputs& in, const Result& result) {
    ResultTexts r;
    switch (result.stop) {
    case Stop::TargetMissed:
    case Stop::Cancelled:
        break;
    case Stop::TargetReached:
        r.time = FloatToStr(result.end.t);
        r.temperature = "";
        r.draw = DrawText(Draw(in, result.end));
        break;
    case Stop::TimeElapsed:
    case Stop::LimitReached:
        r.time = "";
        r.minutes = "";
        r.hours = "";
        r.temperature = FloatToStr(result.end.tw);
        r.draw = DrawText(Draw(in, result.end));
        break;
    }
    return r;
}

ResultTexts ChartResults(const Inputs& in, const Result& result) {
    ResultTexts r;
    if (in.criterion == Criterion::TargetTemperature) {
        r.time = FloatToStr(result.end.t);
        r.temperature = "";
    } else {
        r.time = "";
        r.temperature = FloatToStr(result.end.tw);
    }
    r.draw = DrawText(Draw(in, result.end));
    return r;
}

RunReport Conclude(const Inputs& in, const Result& result, MessageSink& messages) {
    RunReport report;
    report.prepared = true;
    report.stop = result.stop;
    report.inputs = in;
    report.end = result.end;
    if (result.stop == Stop::TargetMissed) messages.ShowMessage(kMissedTarget, kDhwInfoTitle);
    report.results = RunResults(in, result);
    report.openChart = result.stop != Stop::TargetMissed && result.stop != Stop::Cancelled;
    report.notes = AssumptionNotes(in);
    return report;
}

RunReport RunSimulation(const WindowInputs& window, const SimulationSettings& settings, KeptValues& kept,
                        MessageSink& messages) {
    const std::optional<Inputs> in = Prepare(window, settings, Purpose::Run, kept, messages);
    if (!in) return {};
    return Conclude(*in, Simulate(*in), messages);
}

Notes AssumptionNotes(const Inputs& in) {
    Notes notes;
    auto waterTemperature = [&notes](const char* name, double t) {
        if (t >= 0.0 && t <= 100.0) return;
        notes.push_back(std::string(name) + " = " + NoteNumber(t) +
                        " °C leży poza zakresem 0–100 °C, w którym obowiązuje wzór na gęstość wody w stanie ciekłym.");
    };
    waterTemperature("Temperatura początkowa wody tw", in.tw0);
    if (in.criterion == Criterion::TargetTemperature) waterTemperature("Temperatura do osiągnięcia tk", in.tk);
    if (in.waterHeating) {
        waterTemperature("Temperatura zasilania tz", in.tz);
        waterTemperature("Temperatura powrotu tp", in.tp);
        if (in.tz < in.tp) {
            notes.push_back("Temperatura zasilania tz = " + NoteNumber(in.tz) +
                            " °C jest niższa od temperatury powrotu tp = " + NoteNumber(in.tp) +
                            " °C: woda grzewcza oddaje ciepło w wężownicy i stygnie, więc zasilanie powinno być "
                            "cieplejsze od powrotu; obliczenia biorą tylko średnią tm = " + NoteNumber(in.tm) +
                            " °C.");
        }
    }
    if (in.criterion == Criterion::TargetTime && in.tauk < in.dtau) {
        notes.push_back("Czas τ = " + NoteNumber(in.tauk) + " s jest krótszy od kroku czasowego dτ = " +
                        NoteNumber(in.dtau) +
                        " s: symulacja wykonuje zawsze co najmniej jeden krok, więc wynik dotyczy czasu dτ.");
    }
    return notes;
}

// ---------------------------------------------------------------------------
// The exchange between the source power and the mass flow

namespace {

// The initial water temperature and the mean source temperature of the
// texts, converted in the order the window lists them.
struct SourceTemperatures {
    double tw0, tm;
};
SourceTemperatures ConvertSourceTemperatures(const SourceTexts& texts) {
    const double tw0 = StrToFloat(texts.initialTemperature);
    const double tz = StrToFloat(texts.supplyTemperature);
    const double tp = StrToFloat(texts.returnTemperature);
    return {tw0, fp::Store(fp::Div(static_cast<real>(tz) + tp, 2.0L))};
}

}  // namespace

Exchange PowerToFlow(const SourceValues& kept, const SourceTexts& texts, const std::string* power,
                     std::optional<double> ceiling, MessageSink& messages) {
    const SourceTemperatures t = ConvertSourceTemperatures(texts);
    Exchange e;
    e.source = kept;
    e.sourceAboveWater = t.tm > t.tw0;
    if (ceiling && *ceiling > t.tm) {
        messages.ShowMessage(kAboveMeanSource, kDhwInfoTitle);
        e.refused = true;
        return e;
    }
    if (!e.sourceAboveWater) {
        messages.ShowMessage(kSourceNotAboveWater, kDhwInfoTitle);
        e.source.massFlow = 0;
        e.source.flowKnown = false;
        return e;
    }
    if (power) e.source.power = StrToFloat(*power);
    e.source.massFlow = fp::Store(fp::Div(e.source.power, (static_cast<real>(t.tm) - t.tw0) * kWaterHeat));
    e.source.flowKnown = true;
    e.text = RoundedDisplay(e.source.massFlow, -7);
    return e;
}

Exchange FlowToPower(const SourceTexts& texts, const std::string& massFlow) {
    const SourceTemperatures t = ConvertSourceTemperatures(texts);
    Exchange e;
    e.sourceAboveWater = t.tm > t.tw0;
    e.source.massFlow = StrToFloat(massFlow);
    e.source.flowKnown = true;
    e.source.power = fp::Store((static_cast<real>(t.tm) - t.tw0) * (static_cast<real>(e.source.massFlow) * kWaterHeat));
    e.text = RoundedDisplay(e.source.power, -2);
    return e;
}

}  // namespace vimtal::dhwsim
