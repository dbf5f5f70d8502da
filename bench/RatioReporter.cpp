#include "RatioReporter.h"

#include <benchmark/benchmark.h>
#include <cstdio>

namespace quelmar::bench {

namespace {

class CollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs) {
            // A benchmark run several times stands for the median of its repetitions.
            if (run.run_type != Run::RT_Iteration && run.aggregate_name != "median") continue;
            const double ms = run.GetAdjustedRealTime() *
                              benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond) /
                              benchmark::GetTimeUnitMultiplier(run.time_unit);
            times.emplace_back(run.benchmark_name(), ms);
        }
    }
    std::vector<std::pair<std::string, double>> times;
};

double timeOf(const std::vector<std::pair<std::string, double>>& times, const std::string& name) {
    double time = -1;
    for (const auto& [n, ms] : times)
        if (n.rfind(name, 0) == 0) {
            if (n.ends_with("_median")) return ms;
            if (time < 0) time = ms;
        }
    return time;
}

} // namespace

std::vector<std::pair<std::string, double>> runWithRatios(int argc, char** argv,
                                                          const std::vector<Pair>& pairs) {
    benchmark::Initialize(&argc, argv);
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const auto& pair : pairs) {
        const double ours = timeOf(reporter.times, pair.ours);
        const double base = timeOf(reporter.times, pair.baseline);
        if (ours > 0 && base > 0)
            std::printf("ratio %s vs %s: %.2fx %s (%.1f ms against %.1f ms)\n", pair.ours.c_str(),
                        pair.baseline.c_str(), ours <= base ? base / ours : ours / base,
                        ours <= base ? "faster" : "slower", ours, base);
    }
    benchmark::Shutdown();
    return reporter.times;
}

} // namespace quelmar::bench
