// The loss step runs on the user's confirmation and the velocity step on
// every keystroke; both must be instant. The friction scan is the long part.
#include "pressureloss/FittingKinds.h"
#include "pressureloss/FittingCalculator.h"
#include "pressureloss/Friction.h"

#include "core/AmbientAir.h"
#include "core/Numbers.h"

#include <benchmark/benchmark.h>

namespace {
using namespace vimtal;
using namespace vimtal::pressureloss;

FittingInputs Duct() {
    FittingInputs in;
    in.length = "2000";
    in.diameter1 = "100";
    in.diameter2 = "100";
    in.sideA = in.sideB = in.sideC = in.sideD = "100";
    in.angle = "90";
    in.radius = "100";
    in.offsetE = "50";
    in.roundElbowType = "ŁUK GŁADKI";
    in.rectElbowType = "ŁUK";
    in.teePath = "PRZELOT";
    in.teeFlow = "ROZPŁYW";
    in.flow = "100";
    in.branchFlow = "40";
    in.extraLoss = "0";
    in.extraZeta = "0";
    in.roughness = "0,007";
    return in;
}

// The default air as the calculator's windows take it (1,2 kg/m3 and
// 0,000015 m2/s).
AmbientAir air;

void Setup() {
    SetDecimalSeparator(',');
    air.Recompute("20", "50", "101300");
    air.UseDisplayedFigures();
}

void BM_LossStepEveryKind(benchmark::State& state) {
    Setup();
    FittingCalculator calculator{air};
    const FittingInputs in = Duct();
    for (auto _ : state) {
        for (FittingKind kind : AllKinds()) {
            benchmark::DoNotOptimize(calculator.LossStep(kind, in, "", nullptr, 0.0));
        }
    }
    state.SetItemsProcessed(state.iterations() * kKindCount);
}
BENCHMARK(BM_LossStepEveryKind)->Unit(benchmark::kMicrosecond);

void BM_VelocityStep(benchmark::State& state) {
    Setup();
    FittingCalculator calculator{air};
    const FittingInputs in = Duct();
    for (auto _ : state) benchmark::DoNotOptimize(calculator.VelocityStep(FittingKind::RoundTee, in));
}
BENCHMARK(BM_VelocityStep);

// The longest scan that still finds a friction factor, and the refused one
// that runs to the step limit.
void BM_FrictionFactorLongest(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(FrictionFactor(12.0, 0.0, 0.1));
}
BENCHMARK(BM_FrictionFactorLongest)->Unit(benchmark::kMillisecond);

void BM_FrictionFactorRefused(benchmark::State& state) {
    for (auto _ : state) {
        try {
            FrictionFactor(0.02, 0.000007, 1.0);
        } catch (const std::exception&) {
        }
    }
}
BENCHMARK(BM_FrictionFactorRefused)->Unit(benchmark::kMillisecond);

}  // namespace
