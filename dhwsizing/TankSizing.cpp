#include "dhwsizing/TankSizing.h"

#include "core/FloatingPoint.h"
#include "core/Numbers.h"

namespace vimtal::dhwsizing {

using fp::real;

double ChosenCapacity(double designCapacity) { return RoundTo(designCapacity, 1); }

SizingResults Calculate(SizingValues& v, const SizingTexts& texts, MessageSink& messages) {
    const struct {
        const std::string& text;
        double& value;
        const char* message;
    } inputs[] = {
        {texts.dwellings, v.n, "Podaj liczbę miejszkań w budynku"},
        {texts.persons, v.k, "Podaj średnią liczbę osób zamieszkujących dane mieszkanie"},
        {texts.dailyDemand, v.qc, "Podaj dobowe zapotrzebowanie na CWU/osobę"},
        {texts.hours, v.tau, "Podaj liczbę godzin na dobę użytkowania instalacji CWU"},
        {texts.accumulation, v.phi, "Podaj współczynnik akumulacji zasobnika"},
        {texts.coldWater, v.tz, "Podaj temperaturę wody zimnej doprowadzanej do zasobnika"},
        {texts.hotWater, v.tc, "Podaj temperaturę wody ciepłej wyprowadzanej z zasobnika"},
    };
    for (const auto& input : inputs) {
        if (input.text.empty()) {
            messages.ShowMessage(input.message, kInfoTitle);
        } else {
            input.value = StrToFloat(input.text);
        }
    }

    v.U = fp::Store(static_cast<real>(v.n) * v.k);
    // Non-uniformity of the hourly draw, falling with the number of users.
    v.Nh = fp::Store(9.32L * fp::Exp(-0.244L * fp::Ln(v.U)));
    v.qds = fp::Store(static_cast<real>(v.U) * v.qc);
    v.qhs = fp::Store(fp::Div(v.qds, v.tau));
    v.qhm = fp::Store(static_cast<real>(v.qhs) * v.Nh);
    // The maximum hourly demand heated from tz to tc, in kW.
    v.Qbz = fp::Store(
        fp::Div(fp::Div((static_cast<real>(v.tc) - v.tz) * (static_cast<real>(v.qhm) * 1000.0L * 4.19L), 1000.0L),
                3600.0L));
    v.Voz = fp::Store(fp::Log10(v.Nh) * (90.0L * v.phi * v.U));
    v.Vdz = ChosenCapacity(v.Voz);
    // The accumulation the chosen (rounded) capacity actually gives.
    v.phiR = fp::Store(fp::Div(v.Vdz, fp::Log10(v.Nh) * (90.0L * v.U)));
    v.Qdz = fp::Store(fp::Div(1.05L * v.Qbz, (static_cast<real>(v.Nh) - 1.0L) * v.phiR + 1.0L));

    SizingResults r;
    r.qds = RoundedDisplay(v.qds, -3);
    r.qhs = RoundedDisplay(v.qhs, -3);
    r.qhm = RoundedDisplay(v.qhm, -3);
    r.Nh = RoundedDisplay(v.Nh, -3);
    r.Voz = RoundedDisplay(v.Voz, 0);
    r.Vdz = RoundedDisplay(v.Vdz, 0);
    r.Qdz = RoundedDisplay(v.Qdz, -1);
    r.Qbz = RoundedDisplay(v.Qbz, -1);
    r.phiR = RoundedDisplay(v.phiR, -2);
    return r;
}

double TankHeight(const std::string& capacity) {
    const double V = StrToFloat(capacity);
    // V = pi * 0.5^2 / 4 * H * 1000 dm3, so H = 4 * V / (250 * pi); the
    // divisor is the long double 785.39816339744830964.
    constexpr real kDivisor = 250 * fp::kPi;
    static_assert(kDivisor == 785.39816339744830964L);
    return fp::Store(fp::Div(4.0L * V, kDivisor));
}

}  // namespace vimtal::dhwsizing
