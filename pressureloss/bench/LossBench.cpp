// The loss step runs on the user's confirmation and the velocity step on
// every keystroke; both must be instant. The friction scan is the long part.
// Opening a circuit reads every text of its records.
#include "pressureloss/FittingKinds.h"
#include "pressureloss/FittingCalculator.h"
#include "pressureloss/FittingRecord.h"
#include "pressureloss/Friction.h"
#include "pressureloss/tests/TypicalInputs.h"

#include "core/AmbientAir.h"
#include "core/Numbers.h"

#include <benchmark/benchmark.h>

namespace {
using namespace vimtal;
using namespace vimtal::pressureloss;

// Every kind computed from the same sizes: 100 mm round and square, a
// 100 mm elbow radius, a tee whose other stream carries 40 m3/h.
FittingInputs Duct() {
    FittingInputs in = testing::TypicalInputs(FittingKind::RoundStraight);
    in.length = "2000";
    in.diameter2 = in.sideA = in.sideB = in.sideC = in.sideD = "100";
    in.radius = "100";
    in.branchFlow = "40";
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

// A full circuit of 101 fittings saved to the bytes of a .moh file and opened
// again.
void BM_CircuitSaveAndOpen(benchmark::State& state) {
    SetDecimalSeparator(',');
    const char* texts[] = {"PROSTKA_OKRĄGŁA", "2000", "100", "3,537", "ŁĄCZENIE STRUG", "ODGAŁĘŹIENIE", "0,007", "12,34"};
    Circuit circuit;
    for (int i = 0; i < kTableSlots; ++i) {
        FittingRecord record;
        for (int f = 0; f < kFieldCount; ++f) record.Set(static_cast<Field>(f), texts[(i + f) % 8]);
        circuit.Append(record);
    }
    RecordingMessageSink messages;
    for (auto _ : state) {
        const Bytes bytes = circuit.Serialize();
        Circuit opened;
        opened.LoadBytes(bytes, messages);
        benchmark::DoNotOptimize(opened.FieldText(100, Field::TotalLoss));
    }
}
BENCHMARK(BM_CircuitSaveAndOpen)->Unit(benchmark::kMicrosecond);

}  // namespace
