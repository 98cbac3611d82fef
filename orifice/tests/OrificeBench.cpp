#include <benchmark/benchmark.h>

#include "core/Numbers.h"
#include "orifice/OrificeSizing.h"

namespace vimtal::orifice {
namespace {

// The worked example: about 48 000 steps of the ratio search.
void BM_RoundOrifice(benchmark::State& state) {
    SetDecimalSeparator(',');
    const SizingInput input{"1,2", "50", "500", "200", "", DuctShape::Round, Element::Orifice};
    for (auto _ : state) benchmark::DoNotOptimize(Size(input).first);
}
BENCHMARK(BM_RoundOrifice);

// No pressure to throttle: the full 100 000 ratio steps.
void BM_FullyOpenRatioSearch(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(OpenRatioFor(0.0));
}
BENCHMARK(BM_FullyOpenRatioSearch);

// The longest side search still accepted: b up to 1000 m on a 0.1 mm grid.
void BM_LongestSideSearch(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(OrificeSides(999.0 * 999.0, 1.0).b);
}
BENCHMARK(BM_LongestSideSearch)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vimtal::orifice
