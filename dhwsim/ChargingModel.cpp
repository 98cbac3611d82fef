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

// Half and twice the short pi of the geometry, as the loss formulas have
// always written them (1.57075 and 6.283): the same long doubles.
constexpr real kHalfPi = fp::kPiShort / 2;
constexpr real kTwoPi = 2 * fp::kPiShort;
static_assert(kHalfPi == 1.57075L && kTwoPi == 6.283L);

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

bool ChargingModel::Prepare(const WindowInputs& w, const SimulationSettings& settings, Purpose purpose,
                            MessageSink& messages) {
    auto refuse = [&messages](const std::string& text, const std::string& title = kDhwInfoTitle) {
        messages.ShowMessage(text, title);
        return false;
    };

    s_.t = 0;
    in_.tw0 = StrToFloat(w.initialTemperature);
    s_.tw = in_.tw0;
    in_.waterHeating = w.waterHeating;
    in_.electricHeating = w.electricHeating;
    in_.criterion = w.targetTemperatureSelected ? Criterion::TargetTemperature : Criterion::TargetTime;
    in_.losses = settings.losses;

    // Required boxes, in the order the user reads them. A chart does not
    // test the power and mass-flow boxes (their conversion still does).
    const bool run = purpose == Purpose::Run;
    if (const auto missing = FirstMissing({
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
        })) {
        return refuse(*missing);
    }

    in_.H = StrToFloat(w.height);
    in_.D = StrToFloat(w.diameter);
    in_.V = fp::Store(static_cast<real>(in_.D) * (static_cast<real>(in_.D) * fp::kPiShort) * 0.25L * in_.H * 1000.0L);
    in_.diz = MetresFromMillimetres(StrToFloat(w.insulation));
    if (run) in_.wall = MetresFromMillimetres(StrToFloat(w.wallThickness));
    in_.lambdaInsulation = StrToFloat(w.insulationConductivity);
    in_.lambdaWall = StrToFloat(w.wallConductivity);
    in_.ta = StrToFloat(w.airTemperature);
    in_.dtau = StrToFloat(w.timeStep);
    in_.tz = StrToFloat(w.supplyTemperature);
    in_.tp = StrToFloat(w.returnTemperature);
    if (w.targetTemperatureSelected && w.targetTemperature.empty()) {
        return refuse("Podaj temperaturę do której chcesz ogrzać wode w zasobniku C.W.U.", kInfoTitle);
    }
    if (w.massFlowBoxEnabled) {
        // Ticking water heating enables the mass-flow box beside the power
        // entry; it is empty when no flow could be derived from the power
        // for the temperatures typed.
        if (w.waterHeating && w.powerEntrySelected && w.massFlow.empty()) return refuse(kNoFlow);
        in_.m = StrToFloat(w.massFlow);
    } else {
        in_.Q = StrToFloat(w.power);
    }
    if (w.targetTemperatureBoxEnabled) {
        in_.tk = StrToFloat(w.targetTemperature);
    } else {
        in_.tauk = StrToFloat(w.targetTime);
    }
    in_.N = StrToInt(settings.limit);

    in_.tm = fp::Store(fp::Div(static_cast<real>(in_.tz) + in_.tp, 2.0L));
    // Heating water cannot bring the tank above the mean of its supply and
    // return temperatures.
    if (in_.waterHeating && in_.criterion == Criterion::TargetTemperature && in_.tk > in_.tm) {
        return refuse(kAboveMeanSource);
    }

    if (!(in_.dtau > 0)) return refuse(kStepNotPositive);
    if (!(in_.H > 0) || !(in_.D > 0)) return refuse(kTankNotPositive);
    if (in_.losses) {
        // The wall is taken as the ring between D - 0.01 m and D.
        if (!(in_.D > 0.01)) return refuse(kDiameterTooSmall);
        if (in_.diz < 0) return refuse(kInsulationNegative);
        if (!(in_.lambdaInsulation > 0) || !(in_.lambdaWall > 0)) return refuse(kConductivityNotPositive);
    }
    if (in_.electricHeating) {
        if (in_.Q < 0) return refuse(kNegativePower);
    } else if (in_.waterHeating) {
        // A flow typed into its box is read above; otherwise the flow is the
        // one the window derived from the power, if it still holds.
        if (!w.massFlowBoxEnabled && !flowKnown_) return refuse(kNoFlow);
        if (in_.m < 0) return refuse(kNegativeFlow);
    }

    Hoist();
    Restart();
    return true;
}

void ChargingModel::Hoist() {
    const real D = in_.D;
    h_ = Hoisted{};
    h_.limit = static_cast<double>(in_.N);
    h_.sourceFactor = static_cast<real>(in_.m) * kWaterHeat;
    h_.electricHeat = fp::Store(static_cast<real>(in_.Q) * in_.dtau);
    if (!in_.losses) return;

    h_.airAbsoluteTimesD = (static_cast<real>(in_.ta) + 273.15L) * D;
    // Inner film: alpha_i = 39.3 * (2 / D)^0.25.
    s_.alphaI = fp::Store(39.3L * fp::Sqrt(fp::Sqrt(fp::Div(2.0L, D))));
    // Resistance per metre of the equivalent insulated pipe: the steel wall
    // between D - 0.01 and D, the inner film at D - 0.01, the insulation
    // between D and D + diz; the outer film is added at every step.
    const real inner = D - 0.01L;
    h_.outerDiameter = D + in_.diz;
    h_.innerTerms = fp::Div(fp::Ln(fp::Div(D, inner)), kTwoPi * in_.lambdaWall) +
                    fp::Div(1.0L, static_cast<real>(s_.alphaI) * fp::kPiShort * inner) +
                    fp::Div(fp::Ln(fp::Div(h_.outerDiameter, D)), kTwoPi * in_.lambdaInsulation);
    h_.lossFactor = 0.001L * in_.dtau;
    // The two end discs and the mantle; divided by the outer perimeter they
    // give the length of the equivalent pipe.
    h_.area = kHalfPi * (D * D) + fp::kPiShort * D * in_.H;
    h_.perimeter = h_.outerDiameter * fp::kPiShort;
    // The fast form of the loss (FastLoss). A room at or below absolute zero
    // leaves no fourth root of K: the textbook form, evaluated first at tw0,
    // raises the fault.
    if (h_.airAbsoluteTimesD > 0) {
        h_.filmFactor = fp::Div(5.0L * fp::kPiShort * h_.outerDiameter, fp::Sqrt(fp::Sqrt(h_.airAbsoluteTimesD)));
    }
    h_.lossGain = fp::Div(h_.lossFactor * h_.area, h_.perimeter);
}

double ChargingModel::StepLoss(double tw) {
    const real difference = static_cast<real>(tw) - in_.ta;
    // Free convection outside: alpha_e = 5 * (|tw - ta| / (Ta * D))^0.25.
    const real x = fp::Div(difference < 0 ? -difference : difference, h_.airAbsoluteTimesD);
    if (x == 0.0L) {
        // Water at the air temperature: no heat passes (and the outer film
        // resistance would be infinite).
        s_.alphaE = 0;
        return 0.0;
    }
    // The fourth root as two square roots: cheaper than exp(ln(x) / 4) and at
    // least as exact.
    s_.alphaE = fp::Store(5.0L * fp::Sqrt(fp::Sqrt(x)));
    const real outerFilm = fp::Div(1.0L, static_cast<real>(s_.alphaE) * fp::kPiShort * h_.outerDiameter);
    s_.R = fp::Store(h_.innerTerms + outerFilm);
    return fp::Store(fp::Div(h_.lossFactor * fp::Div(1.0L, s_.R) * h_.area * difference, h_.perimeter));
}

double ChargingModel::InitialSourceHeat() const {
    if (in_.electricHeating) return h_.electricHeat;
    return fp::Store((static_cast<real>(in_.tm) - in_.tw0) * h_.sourceFactor * in_.dtau);
}

void ChargingModel::Restart() {
    s_.t = 0;
    s_.tw = in_.tw0;
    s_.Es = InitialSourceHeat();
    s_.El = in_.losses ? StepLoss(in_.tw0) : 0.0;
}

std::optional<double> ChargingModel::Draw() {
    // The loss of a step is a heat per step: per second it is the loss power
    // in kW, which the nominal power has to cover besides heating the draw.
    const real lossPower = fp::Div(s_.El, in_.dtau);
    const real heating = (static_cast<real>(s_.tw) - in_.tw0) * (static_cast<real>(s_.rho) * kWaterHeat);
    if (heating == 0.0L) return std::nullopt;
    s_.flow = fp::Store(fp::Div(static_cast<real>(in_.Q) - lossPower, heating));
    return s_.flow;
}

namespace {
std::string DrawText(std::optional<double> draw) { return draw ? RoundedDisplay(*draw, -4) : std::string(); }
}  // namespace

ResultTexts ChargingModel::RunResults(Stop stop) {
    ResultTexts r;
    switch (stop) {
    case Stop::TargetMissed:
        break;
    case Stop::TargetReached:
        r.time = FloatToStr(s_.t);
        r.temperature = "";
        r.draw = DrawText(Draw());
        break;
    case Stop::TimeElapsed:
    case Stop::LimitReached:
        r.time = "";
        r.minutes = "";
        r.hours = "";
        r.temperature = FloatToStr(s_.tw);
        r.draw = DrawText(Draw());
        break;
    }
    return r;
}

ResultTexts ChargingModel::ChartResults() {
    ResultTexts r;
    if (in_.criterion == Criterion::TargetTemperature) {
        r.time = FloatToStr(s_.t);
        r.temperature = "";
    } else {
        r.time = "";
        r.temperature = FloatToStr(s_.tw);
    }
    r.draw = DrawText(Draw());
    return r;
}

RunReport ChargingModel::Run(const WindowInputs& window, const SimulationSettings& settings,
                             MessageSink& messages) {
    RunReport report;
    if (!Prepare(window, settings, Purpose::Run, messages)) return report;
    report.prepared = true;
    report.stop = Advance();
    if (report.stop == Stop::TargetMissed) messages.ShowMessage(kMissedTarget, kDhwInfoTitle);
    report.results = RunResults(report.stop);
    report.openChart = report.stop != Stop::TargetMissed;
    report.notes = AssumptionNotes();
    return report;
}

Notes ChargingModel::AssumptionNotes() const {
    Notes notes;
    auto waterTemperature = [&notes](const char* name, double t) {
        if (t >= 0.0 && t <= 100.0) return;
        notes.push_back(std::string(name) + " = " + NoteNumber(t) +
                        " °C leży poza zakresem 0–100 °C, w którym obowiązuje wzór na gęstość wody w stanie ciekłym.");
    };
    waterTemperature("Temperatura początkowa wody tw", in_.tw0);
    if (in_.criterion == Criterion::TargetTemperature) waterTemperature("Temperatura do osiągnięcia tk", in_.tk);
    if (in_.waterHeating) {
        waterTemperature("Temperatura zasilania tz", in_.tz);
        waterTemperature("Temperatura powrotu tp", in_.tp);
        if (in_.tz < in_.tp) {
            notes.push_back("Temperatura zasilania tz = " + NoteNumber(in_.tz) +
                            " °C jest niższa od temperatury powrotu tp = " + NoteNumber(in_.tp) +
                            " °C: woda grzewcza oddaje ciepło w wężownicy i stygnie, więc zasilanie powinno być "
                            "cieplejsze od powrotu; obliczenia biorą tylko średnią tm = " + NoteNumber(in_.tm) +
                            " °C.");
        }
    }
    if (in_.criterion == Criterion::TargetTime && in_.tauk < in_.dtau) {
        notes.push_back("Czas τ = " + NoteNumber(in_.tauk) + " s jest krótszy od kroku czasowego dτ = " +
                        NoteNumber(in_.dtau) +
                        " s: symulacja wykonuje zawsze co najmniej jeden krok, więc wynik dotyczy czasu dτ.");
    }
    return notes;
}

std::optional<std::string> ChargingModel::PowerToFlow(const SourceTexts& texts, const std::string* power,
                                                      bool ceilingTest, MessageSink& messages) {
    in_.tw0 = StrToFloat(texts.initialTemperature);
    in_.tz = StrToFloat(texts.supplyTemperature);
    in_.tp = StrToFloat(texts.returnTemperature);
    in_.tm = fp::Store(fp::Div(static_cast<real>(in_.tz) + in_.tp, 2.0L));
    if (ceilingTest && in_.tk > in_.tm) {
        messages.ShowMessage(kAboveMeanSource, kDhwInfoTitle);
        return std::nullopt;
    }
    if (!SourceAboveWater()) {
        messages.ShowMessage(kSourceNotAboveWater, kDhwInfoTitle);
        flowKnown_ = false;
        in_.m = 0;
        return std::string();
    }
    if (power) in_.Q = StrToFloat(*power);
    in_.m = fp::Store(fp::Div(in_.Q, (static_cast<real>(in_.tm) - in_.tw0) * kWaterHeat));
    flowKnown_ = true;
    return RoundedDisplay(in_.m, -7);
}

std::string ChargingModel::FlowToPower(const SourceTexts& texts, const std::string& massFlow) {
    in_.tw0 = StrToFloat(texts.initialTemperature);
    in_.tz = StrToFloat(texts.supplyTemperature);
    in_.tp = StrToFloat(texts.returnTemperature);
    in_.tm = fp::Store(fp::Div(static_cast<real>(in_.tz) + in_.tp, 2.0L));
    in_.m = StrToFloat(massFlow);
    flowKnown_ = true;
    in_.Q = fp::Store((static_cast<real>(in_.tm) - in_.tw0) * (static_cast<real>(in_.m) * kWaterHeat));
    return RoundedDisplay(in_.Q, -2);
}

}  // namespace vimtal::dhwsim
