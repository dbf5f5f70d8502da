// Loading a file of 1,000,000 observations with 10 value columns: our loader against a plain
// std::ifstream >> double loop, in the same run.

#include "RatioReporter.h"
#include "core/ObservationFile.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

constexpr int Points = 1'000'000;
constexpr int Channels = 10;

std::string generatedFile() {
    static const std::string path = [] {
        const auto p = std::filesystem::temp_directory_path() / "quelmar-load-bench.dat";
        std::ofstream out(p, std::ios::binary);
        std::mt19937_64 rng(42);
        std::uniform_real_distribution<double> mag(8.0, 14.0);
        char line[512];
        for (int i = 0; i < Points; ++i) {
            int n =
                std::snprintf(line, sizeof line, "%.5f", 2451545.0 + i * 0.01 + mag(rng) * 1e-4);
            for (int k = 0; k < Channels; ++k)
                n += std::snprintf(line + n, sizeof line - n, " %.4f", mag(rng));
            n += std::snprintf(line + n, sizeof line - n, " obs\r\n");
            out.write(line, n);
        }
        return p.string();
    }();
    return path;
}

void BM_QuelmarLoader(benchmark::State& state) {
    const std::string path = generatedFile();
    for (auto _ : state) {
        auto result = quelmar::loadPointStore(path, Channels);
        const auto& s = result.store;
        std::size_t bytes = s.TimeValues.capacity() * sizeof(double);
        for (const auto& column : s.ChannelValues)
            bytes += column.capacity() * sizeof(double);
        state.counters["points"] = s.PointCount;
        state.counters["store_bytes_per_bound"] =
            static_cast<double>(bytes) / (8.0 * s.PointCount * (Channels + 1));
        benchmark::DoNotOptimize(result);
    }
}

void BM_IfstreamBaseline(benchmark::State& state) {
    const std::string path = generatedFile();
    for (auto _ : state) {
        std::ifstream in(path);
        std::vector<double> times, values;
        times.reserve(Points);
        values.reserve(static_cast<std::size_t>(Points) * Channels);
        std::string rest;
        double v;
        while (in >> v) {
            times.push_back(v);
            for (int k = 0; k < Channels; ++k) {
                in >> v;
                values.push_back(v);
            }
            std::getline(in, rest);
        }
        benchmark::DoNotOptimize(times);
        benchmark::DoNotOptimize(values);
    }
}

BENCHMARK(BM_QuelmarLoader)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_IfstreamBaseline)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv) {
    quelmar::bench::runWithRatios(argc, argv, {{"BM_QuelmarLoader", "BM_IfstreamBaseline"}});
    std::filesystem::remove(generatedFile());
    return 0;
}
