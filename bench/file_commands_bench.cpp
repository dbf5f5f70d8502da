// The file commands on a data file of 1,000,000 lines with 3 value columns: the phase file and
// the barycentric rewrite (copy and corrected file) in the design's series and in BJD_TDB, each
// against a plain line-by-line copy of the same file through std::getline and std::ofstream, in the
// same run.

#include "RatioReporter.h"
#include "analysis/BarycentricCorrection.h"
#include "analysis/PhaseCurve.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

constexpr int Lines = 1'000'000;
constexpr int Channels = 3;

const std::filesystem::path& folder() {
    static const std::filesystem::path path = [] {
        auto p = std::filesystem::temp_directory_path() / "quelmar-file-commands-bench";
        std::filesystem::create_directories(p);
        return p;
    }();
    return path;
}

std::string dataFile() {
    static const std::string path = [] {
        const auto p = folder() / "star.dat";
        std::ofstream out(p, std::ios::binary);
        std::mt19937_64 rng(7);
        std::uniform_real_distribution<double> mag(8.0, 14.0);
        char line[256];
        for (int i = 0; i < Lines; ++i) {
            int n = std::snprintf(line, sizeof line, "%.5f", 2451545.0 + i * 0.01);
            for (int k = 0; k < Channels; ++k)
                n += std::snprintf(line + n, sizeof line - n, " %.3f", mag(rng));
            n += std::snprintf(line + n, sizeof line - n, " obs\r\n");
            out.write(line, n);
        }
        return p.string();
    }();
    return path;
}

// The data file as it was before each correction, so every run corrects the same dates.
std::string freshCopy() {
    const auto p = folder() / "work.dat";
    std::filesystem::copy_file(dataFile(), p, std::filesystem::copy_options::overwrite_existing);
    return p.string();
}

void BM_PhaseFile(benchmark::State& state) {
    const std::string data = dataFile();
    const std::string output = (folder() / "star_ph.dat").string();
    for (auto _ : state)
        benchmark::DoNotOptimize(quelmar::writePhaseCurve(data, output, 2451545.0, 0.6564975));
}

void BM_BarycentricRewrite(benchmark::State& state) {
    const quelmar::StarPosition star{4.46902778, -70.35633333};
    for (auto _ : state) {
        state.PauseTiming();
        const std::string data = freshCopy();
        state.ResumeTiming();
        const quelmar::BarycentricRewrite rewrite(data);
        rewrite.run(star, 0);
    }
}

void BM_BarycentricRewriteTdb(benchmark::State& state) {
    const quelmar::PreciseCorrection star{4.46902778, -70.35633333};
    for (auto _ : state) {
        state.PauseTiming();
        const std::string data = freshCopy();
        state.ResumeTiming();
        const quelmar::BarycentricRewrite rewrite(data);
        rewrite.runTdb(star, 0);
    }
}

void BM_GetlineCopy(benchmark::State& state) {
    const std::string data = dataFile();
    const std::string output = (folder() / "copy.dat").string();
    for (auto _ : state) {
        std::ifstream in(data, std::ios::binary);
        std::ofstream out(output, std::ios::binary);
        std::string line;
        while (std::getline(in, line))
            out << line << '\n';
    }
}

BENCHMARK(BM_PhaseFile)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BarycentricRewrite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BarycentricRewriteTdb)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_GetlineCopy)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    const auto times =
        quelmar::bench::runWithRatios(argc, argv,
                                      {{"BM_PhaseFile", "BM_GetlineCopy"},
                                       {"BM_BarycentricRewrite", "BM_GetlineCopy"},
                                       {"BM_BarycentricRewriteTdb", "BM_GetlineCopy"}});
    double copy = 0;
    for (const auto& [name, ms] : times)
        if (name.rfind("BM_GetlineCopy", 0) == 0) copy = ms;
    for (const auto& [name, ms] : times)
        if (copy > 0 && name.rfind("BM_GetlineCopy", 0) != 0)
            std::printf("%s: %.0f ms, %.2f times the plain copy (targets: 1500 ms, 3 times)\n",
                        name.c_str(), ms, ms / copy);
    std::filesystem::remove_all(folder());
    return 0;
}
