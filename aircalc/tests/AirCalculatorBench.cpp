#include <benchmark/benchmark.h>

#include "aircalc/AirCalculator.h"
#include "core/Errors.h"
#include "core/Numbers.h"

namespace vimtal::aircalc {
namespace {

// A calculation of the given texts: case 5 (t, phi), a typical state whose
// wet-bulb search runs about 44 000 steps, and case 6 (i, phi) with its two
// searches.
void BM_Case(benchmark::State& state, const AirTexts& texts) {
    SetDecimalSeparator(',');
    for (auto _ : state) {
        AirState s;
        benchmark::DoNotOptimize(Calculate(s, texts));
    }
}
BENCHMARK_CAPTURE(BM_Case, FiveTPhi, AirTexts{"", "", "20", "50", "101300"})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Case, SixIPhi, AirTexts{"38,5", "", "", "50", "101300"})->Unit(benchmark::kMillisecond);

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
