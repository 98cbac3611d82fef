#include <benchmark/benchmark.h>

#include "aircalc/AirCalculator.h"
#include "core/Errors.h"
#include "core/Numbers.h"

namespace vimtal::aircalc {
namespace {

// A typical state: the wet-bulb search runs about 44 000 steps.
void BM_CaseFive(benchmark::State& state) {
    SetDecimalSeparator(',');
    const AirTexts texts{"", "", "20", "50", "101300"};
    for (auto _ : state) {
        AirState s;
        benchmark::DoNotOptimize(Calculate(s, texts));
    }
}
BENCHMARK(BM_CaseFive)->Unit(benchmark::kMillisecond);

// Case 6: two searches.
void BM_CaseSix(benchmark::State& state) {
    SetDecimalSeparator(',');
    const AirTexts texts{"38,5", "", "", "50", "101300"};
    for (auto _ : state) {
        AirState s;
        benchmark::DoNotOptimize(Calculate(s, texts));
    }
}
BENCHMARK(BM_CaseSix)->Unit(benchmark::kMillisecond);

// The longest refusal: a search that runs up to the temperature bound.
void BM_SearchToTheTemperatureBound(benchmark::State& state) {
    for (auto _ : state) {
        try {
            TemperatureSearch(38.5, -0.5, 101300);
        } catch (const NoticeError&) {
        }
    }
}
BENCHMARK(BM_SearchToTheTemperatureBound)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vimtal::aircalc
