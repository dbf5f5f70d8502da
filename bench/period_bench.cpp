// The period scan: our engine on every core against the plain one-frequency-at-a-time scan
// with its Shell sort, in the same run, for 100,000 points × 1,000 trial frequencies and for
// 1,000,000 points × 20. Each pair also checks that both wrote the same periodogram. Then the
// engine alone on a year of 2-minute photometry from space (200,000 points over 350 days with
// gaps), 10,000 trial frequencies, with the time the whole 0.1–10 d scan would take.

#include "RatioReporter.h"
#include "analysis/PeriodScan.h"
#include "support/PeriodOracle.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <numbers>
#include <random>
#include <sstream>
#include <string>

namespace {

struct Workload {
    quelmar::PeriodSeries series;
    quelmar::PeriodScanSettings settings;
    long long frequencies = 0;
};

// A pulsating star observed at the moments t (days, increasing), and a period range that
// begins at fmin and gives the wanted number of trial frequencies with the default step.
Workload makeWorkload(const std::vector<double>& t, int frequencies, double fmin) {
    std::mt19937_64 rng(7);
    std::normal_distribution<double> noise(0.0, 0.05);
    Workload w;
    w.series.path = "generated";
    w.series.DataChannelCount = 1;
    w.series.times.assign(1, 0.0);
    w.series.values.assign(1, 0.0);
    for (double x : t) {
        w.series.times.push_back(2450000.0 + x);
        w.series.values.push_back(12.0 + 0.4 * std::sin(2 * std::numbers::pi * x / 0.6565) +
                                  noise(rng));
    }
    const int points = static_cast<int>(t.size());
    double mean = 0;
    for (int i = 1; i <= points; ++i)
        mean += w.series.values[i];
    mean /= points;
    for (int i = 1; i <= points; ++i)
        w.series.deviationSum += (w.series.values[i] - mean) * (w.series.values[i] - mean);
    w.series.timeSpan = w.series.times.back() - w.series.times[1];

    const double df = quelmar::DefaultPeriodStep / w.series.timeSpan;
    w.settings = {.pmin = 1 / (fmin + (frequencies - 0.5) * df), .pmax = 1 / fmin};
    w.frequencies =
        quelmar::countTrialFrequencies(quelmar::frequencyGrid(w.settings, w.series.timeSpan));
    return w;
}

// Random moments over 1,000 days.
Workload makeWorkload(int points, int frequencies) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> moment(0.0, 1000.0);
    std::vector<double> t(static_cast<std::size_t>(points));
    for (double& x : t)
        x = moment(rng);
    std::sort(t.begin(), t.end());
    return makeWorkload(t, frequencies, 1.7320508075);
}

// A year of 2-minute cadence from space: orbits of 13.7 days, each ending in a 1.7-day gap for
// the data download, and a tenth of the points lost at random; 200,000 points over 350 days.
std::vector<double> spaceYearMoments() {
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    std::vector<double> t;
    for (long long i = 0; t.size() < 200'000; ++i) {
        const double x = static_cast<double>(i) * 2 / 1440;
        if (std::fmod(x, 13.7) < 12.0 && chance(rng) > 0.1) t.push_back(x);
    }
    return t;
}

constexpr int SpaceYearFrequencies = 10'000;

const Workload& workload(int points, int frequencies) {
    static std::map<std::pair<int, int>, Workload> made;
    auto it = made.find({points, frequencies});
    if (it == made.end())
        it = made.emplace(std::pair(points, frequencies), makeWorkload(points, frequencies)).first;
    return it->second;
}

std::map<std::string, std::string>& periodograms() {
    static std::map<std::string, std::string> written;
    return written;
}

std::string outputPath() {
    return (std::filesystem::temp_directory_path() / "quelmar-period-bench.per").string();
}

void countPointFrequencies(benchmark::State& state, const Workload& w, unsigned cores) {
    const double pointFrequencies = static_cast<double>(w.series.count()) *
                                    static_cast<double>(w.frequencies) *
                                    static_cast<double>(state.iterations());
    state.counters["point_frequencies_per_s"] =
        benchmark::Counter(pointFrequencies, benchmark::Counter::kIsRate);
    state.counters["per_s_per_core"] =
        benchmark::Counter(pointFrequencies / cores, benchmark::Counter::kIsRate);
}

void scanAll(benchmark::State& state, const Workload& w) {
    const auto grid = quelmar::frequencyGrid(w.settings, w.series.timeSpan);
    // One scan before the timed ones: the first touch of memory that a freshly started virtual
    // machine has never used costs the host's backing of it (about 11 µs per 4 KiB here against
    // 0.4 µs afterwards), a cost of the machine's age rather than of the scan.
    {
        quelmar::ScanProgress progress;
        quelmar::scanPeriods(w.series, grid, outputPath(), 0, progress);
    }
    for (auto _ : state) {
        quelmar::ScanProgress progress;
        benchmark::DoNotOptimize(quelmar::scanPeriods(w.series, grid, outputPath(), 0, progress));
    }
    countPointFrequencies(state, w, quelmar::scanThreads(0));
}

void BM_Engine(benchmark::State& state) {
    const Workload& w =
        workload(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    scanAll(state, w);
    std::ifstream in(outputPath(), std::ios::binary);
    periodograms()["engine/" + std::to_string(state.range(0))] =
        (std::ostringstream() << in.rdbuf()).str();
}

const Workload& spaceYear() {
    static const Workload w = makeWorkload(spaceYearMoments(), SpaceYearFrequencies, 0.1);
    return w;
}

void BM_EngineSpaceYear(benchmark::State& state) {
    scanAll(state, spaceYear());
}

void BM_DirectScan(benchmark::State& state) {
    const Workload& w =
        workload(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    std::string periodogram;
    for (auto _ : state)
        periodogram = quelmar::test::directPeriodogram(
            w.series.times, w.series.values, w.settings.pmin, w.settings.pmax, w.settings.step);
    periodograms()["direct/" + std::to_string(state.range(0))] = periodogram;
    countPointFrequencies(state, w, 1);
}

// The oracle is slow (about half a minute for the two sizes): one iteration of it. The engine
// takes the median of five scans: a neighbour on the host can hold a core for tens of
// milliseconds, which a mean of so short runs takes in whole.
BENCHMARK(BM_Engine)
    ->Args({100'000, 1000})
    ->Args({1'000'000, 20})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_EngineSpaceYear)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_DirectScan)
    ->Args({100'000, 1000})
    ->Args({1'000'000, 20})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    const auto times =
        quelmar::bench::runWithRatios(argc, argv,
                                      {{"BM_Engine/100000/1000", "BM_DirectScan/100000/1000"},
                                       {"BM_Engine/1000000/20", "BM_DirectScan/1000000/20"}});
    for (const char* points : {"100000", "1000000"}) {
        const auto engine = periodograms().find(std::string("engine/") + points);
        const auto direct = periodograms().find(std::string("direct/") + points);
        if (engine != periodograms().end() && direct != periodograms().end())
            std::printf("periodograms for %s points: %s\n", points,
                        engine->second == direct->second ? "identical" : "DIFFERENT");
    }
    for (const auto& [name, ms] : times) {
        if (name.rfind("BM_EngineSpaceYear", 0) != 0) continue;
        // Periods 0.1-10 d over the time span at the default step.
        const double span = spaceYear().series.timeSpan;
        const double full = (10 - 0.1) / (quelmar::DefaultPeriodStep / span) + 1;
        std::printf("a year from space (%.0f days), %.0f trial frequencies for periods of 0.1-10 "
                    "d: about %.0f s (%.1f min) at this pace\n",
                    span, full, ms / 1000 * full / SpaceYearFrequencies,
                    ms / 60000 * full / SpaceYearFrequencies);
    }
    std::filesystem::remove(outputPath());
    return 0;
}
