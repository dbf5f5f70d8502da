// The periodograms beside Lafler–Kinman: the Lomb–Scargle power by FFTs against the plain direct
// O(N·F) sums (18,278 points of a TESS-like sector, periods 0.1–14 d at tenfold oversampling),
// the box search over 1–5 d with 10 durations, and 1,000 permutations of a 360-point star.

#include "RatioReporter.h"
#include "analysis/LombScargle.h"
#include "analysis/MethodPeriodogram.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>

namespace {

using namespace quelmar;

PeriodSeries star(int points, double span, double period) {
    std::mt19937_64 random(5);
    std::normal_distribution<double> noise(0, 0.002);
    PeriodSeries s;
    s.path = "generated";
    s.times.assign(1, 0.0);
    s.values.assign(1, 0.0);
    for (int i = 0; i < points; ++i) {
        const double t = span * i / points;
        s.times.push_back(2459000 + t);
        s.values.push_back(1 + 0.003 * std::sin(2 * std::numbers::pi * t / period) + noise(random));
    }
    s.timeSpan = span;
    return s;
}

const PeriodSeries& sector() {
    static const PeriodSeries s = star(18278, 25.4, 3.2888);
    return s;
}

FrequencyGrid gridOf(double pmin, double pmax, double step, double span) {
    return frequencyGrid({.pmin = pmin, .pmax = pmax, .step = step}, span);
}

void BM_LombScargleFft(benchmark::State& state) {
    const LombScargle gls(weightedSeries(sector()), 1);
    const FrequencyGrid grid = gridOf(0.1, 14, 0.1, sector().timeSpan);
    const auto count = static_cast<std::size_t>(countTrialFrequencies(grid));
    for (auto _ : state)
        benchmark::DoNotOptimize(gls.uniformPowers(grid.fmin, grid.step, count));
}

void BM_LombScargleDirect(benchmark::State& state) {
    const LombScargle gls(weightedSeries(sector()), 1);
    const FrequencyGrid grid = gridOf(0.1, 14, 0.1, sector().timeSpan);
    const long long count = countTrialFrequencies(grid);
    for (auto _ : state)
        for (long long j = 0; j < count; ++j)
            benchmark::DoNotOptimize(gls.power(grid.fmin + static_cast<double>(j) * grid.step));
}

void BM_BoxSearch(benchmark::State& state) {
    MethodSettings settings;
    settings.method = PeriodMethod::BoxLeastSquares;
    settings.durations = defaultDurations(1);
    const FrequencyGrid grid = gridOf(1, 5, 0.01, sector().timeSpan);
    const WeightedSeries series = weightedSeries(sector());
    for (auto _ : state)
        benchmark::DoNotOptimize(methodPeriodogram(series, sector(), settings, grid, 0));
}

void BM_PermutationFalseAlarm(benchmark::State& state) {
    static const PeriodSeries s = star(360, 60, 0.6565);
    MethodSettings settings;
    settings.method = PeriodMethod::LombScargle;
    const FrequencyGrid grid = gridOf(0.2, 1, 0.1, s.timeSpan);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            permutationFalseAlarm(weightedSeries(s), s, settings, grid, 0.5, 1000, 1, 0));
}

BENCHMARK(BM_LombScargleFft)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_LombScargleDirect)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_BoxSearch)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_PermutationFalseAlarm)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    const auto times =
        quelmar::bench::runWithRatios(argc, argv, {{"BM_LombScargleFft", "BM_LombScargleDirect"}});
    for (const auto& [name, ms] : times)
        std::printf("%s: %.1f ms\n", name.c_str(), ms);
    return 0;
}
