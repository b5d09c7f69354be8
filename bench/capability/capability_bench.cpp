// Benchmarks of the capability figures on 1,000,000 rows of three normal
// values with three decimals, as a gauge would give them: the indices, their
// confidence bounds and the ppm figures in one call, then the normality test.
#include "capability/capability_figures.h"
#include "capability/normality_test.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr int kColumns = 3;

// Values with three decimals repeat often; unrounded ones never do, which
// is the normality test's slowest case (one erfc per value).
std::vector<double> sampleValues(std::size_t rows, bool rounded)
{
    std::mt19937_64 engine(42);
    std::normal_distribution<double> gauge(10.0, 0.2);
    std::vector<double> values(rows * kColumns);
    for (double& v : values)
        v = rounded ? std::round(gauge(engine) * 1000.0) / 1000.0 : gauge(engine);
    return values;
}

void indices(benchmark::State& state)
{
    const auto values = sampleValues(std::size_t(state.range(0)), true);
    const capability::SpecificationLimits limits{9.4, 10.7, 10.05};
    for (auto _ : state) {
        const auto figures = capability::computeCapability(values, kColumns, limits);
        benchmark::DoNotOptimize(figures.indices.data());
    }
}

void normality(benchmark::State& state)
{
    const auto values = sampleValues(std::size_t(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        const auto figures = capability::testNormality(values);
        benchmark::DoNotOptimize(figures.pValue.value);
    }
}

}  // namespace

BENCHMARK(indices)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(normality)->Args({1000000, 1})->Args({1000000, 0})->Unit(benchmark::kMillisecond);
// Near one frame (16 ms): where the control chart window starts running the
// test on a worker thread instead of its user-interface thread.
BENCHMARK(normality)
    ->Args({10000, 0})->Args({30000, 0})->Args({50000, 0})->Args({100000, 0})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
