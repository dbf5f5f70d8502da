// The extremum fits: all eleven term counts (1 ... 11) of a 30,000-point range by our normal
// equations, against the same eleven least-squares fits by Householder QR of the design
// matrix (Eigen), in the same run. Afterwards it prints, for each term count, the largest
// difference between the two fits' values at the data points.

#include "RatioReporter.h"
#include "analysis/PolynomialFit.h"

#include <Eigen/Dense>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>

namespace {

constexpr int Points = 30'000;

// An eclipse observed at uneven moments over 0.3 days, with noise.
const quelmar::PointStore& eclipse() {
    static const quelmar::PointStore store = [] {
        std::mt19937_64 rng(5);
        std::uniform_real_distribution<double> step(0.5e-5, 1.5e-5);
        std::normal_distribution<double> noise(0.0, 0.005);
        quelmar::PointStore s;
        s.PointCount = Points;
        s.ChannelCount = 1;
        s.TimeValues.assign(1, 0.0);
        s.ChannelValues.assign(2, std::vector<double>(1, 0.0));
        s.ChannelVisible.assign(2, true);
        double t = 2458739.8;
        for (int i = 1; i <= Points; ++i) {
            t += step(rng);
            const double phase = (t - 2458739.95) / 0.06;
            s.TimeValues.push_back(t);
            s.ChannelValues[1].push_back(1 - 0.45 * std::exp(-phase * phase) + noise(rng));
        }
        return s;
    }();
    return store;
}

quelmar::ExtremumTables& ourTables() {
    static quelmar::ExtremumTables tables;
    return tables;
}

// Fitted values of the QR fits, [m − 1][point − 1].
std::vector<Eigen::VectorXd>& qrCurves() {
    static std::vector<Eigen::VectorXd> curves(quelmar::MaxTermCount);
    return curves;
}

void BM_NormalEquations(benchmark::State& state) {
    const quelmar::PointStore& s = eclipse();
    for (auto _ : state) {
        quelmar::ExtremumTables& tables = ourTables();
        benchmark::DoNotOptimize(quelmar::fitExtremum(s, 1, 1, Points, {1, quelmar::MaxTermCount},
                                                      tables.beginRun(), tables));
    }
}

// The same normalised time as ours, so both solve the same problem.
void BM_HouseholderQr(benchmark::State& state) {
    const quelmar::PointStore& s = eclipse();
    for (auto _ : state) {
        long double mean = 0;
        for (int i = 1; i <= Points; ++i)
            mean += s.time(i);
        mean /= Points;
        const long double span = static_cast<long double>(s.time(Points)) - s.time(1);
        Eigen::VectorXd t(Points), y(Points);
        for (int i = 1; i <= Points; ++i) {
            t[i - 1] = static_cast<double>((s.time(i) - mean) / span);
            y[i - 1] = s.value(1, i);
        }
        for (int m = 1; m <= quelmar::MaxTermCount; ++m) {
            Eigen::MatrixXd design(Points, m);
            design.col(0).setOnes();
            for (int k = 1; k < m; ++k)
                design.col(k) = design.col(k - 1).cwiseProduct(t);
            const Eigen::VectorXd c = design.householderQr().solve(y);
            qrCurves()[static_cast<std::size_t>(m - 1)] = design * c;
        }
        benchmark::DoNotOptimize(qrCurves().back().data());
    }
}

BENCHMARK(BM_NormalEquations)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_HouseholderQr)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

void printDifferences() {
    const quelmar::ExtremumTables& tables = ourTables();
    for (int m = 1; m <= quelmar::MaxTermCount; ++m) {
        const quelmar::FitCurve& ours = tables.FitCurves[1][m];
        const Eigen::VectorXd& qr = qrCurves()[static_cast<std::size_t>(m - 1)];
        if (!ours.exists() || qr.size() != Points) continue;
        double largest = 0;
        for (int i = 1; i <= Points; ++i)
            largest = std::max(largest, std::abs(ours.at(i) - qr[i - 1]));
        std::printf("%2d terms: largest difference from the QR fit %.3g\n", m, largest);
    }
}

} // namespace

int main(int argc, char** argv) {
    const auto times =
        quelmar::bench::runWithRatios(argc, argv, {{"BM_NormalEquations", "BM_HouseholderQr"}});
    for (const auto& [name, ms] : times)
        if (name == "BM_NormalEquations")
            std::printf("eleven fits of %d points: %.2f ms (target: at most 20 ms)\n", Points, ms);
    printDifferences();
    return 0;
}
