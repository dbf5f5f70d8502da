// Principal components of 1,000,000 points in 10 channels: our whole command (means, centred
// matrix, decomposition, component series) against Eigen's BDCSVD of the same centred matrix,
// thin U and V, in the same run; the singular values are compared first. Also the restoration
// of every channel from every component, against the formula evaluated point by point.

#include "RatioReporter.h"
#include "analysis/PrincipalComponents.h"
#include "analysis/SignalRestoration.h"

#include <Eigen/SVD>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <random>

namespace {

using namespace quelmar;

constexpr int Points = 1'000'000;
constexpr int Channels = 10;
constexpr double DecompositionTargetMs = 2000;
constexpr double EigenTargetRatio = 1.5; // ours at most this many times Eigen's time
constexpr double RestorationTargetMs = 500;

// Ten photometric bands of a pulsating star: two common signals with their own amplitude in
// each band, a slow trend in two of them, and noise.
const PointStore& observations() {
    static const PointStore store = [] {
        PointStore s;
        s.PointCount = Points;
        s.ChannelCount = Channels;
        s.TimeValues.resize(Points + 1);
        s.ChannelValues.assign(Channels + 1, std::vector<double>(Points + 1));
        s.ChannelVisible.assign(Channels + 1, true);
        std::mt19937_64 rng(5);
        std::normal_distribution<double> noise(0.0, 0.02);
        for (int i = 1; i <= Points; ++i) {
            const double t = 2450000.0 + i * 0.003;
            const double pulse = std::sin(2 * M_PI * t / 0.6564975);
            const double spot = std::cos(2 * M_PI * t / 3.1);
            s.TimeValues[i] = t;
            for (int k = 1; k <= Channels; ++k)
                s.ChannelValues[k][i] = 10.0 + k + (0.5 - 0.03 * k) * pulse + 0.01 * k * spot +
                                        (k > 8 ? 1e-6 * i : 0.0) + noise(rng);
        }
        return s;
    }();
    return store;
}

Eigen::MatrixXd centredMatrix() {
    const PointStore& s = observations();
    Eigen::MatrixXd A(Points, Channels);
    for (int k = 1; k <= Channels; ++k) {
        double sum = 0;
        for (int i = 1; i <= Points; ++i)
            sum += s.ChannelValues[k][i];
        for (int i = 1; i <= Points; ++i)
            A(i - 1, k - 1) = s.ChannelValues[k][i] - sum / Points;
    }
    return A;
}

void BM_PrincipalComponents(benchmark::State& state) {
    for (auto _ : state) {
        PrincipalComponents pca;
        benchmark::DoNotOptimize(computePrincipalComponents(observations(), pca));
    }
}

void BM_EigenBDCSVD(benchmark::State& state) {
    const Eigen::MatrixXd A = centredMatrix();
    for (auto _ : state) {
        Eigen::BDCSVD<Eigen::MatrixXd> svd(A, Eigen::ComputeThinU | Eigen::ComputeThinV);
        benchmark::DoNotOptimize(svd.singularValues().data());
    }
}

struct Shown {
    PrincipalComponents pca;
    PointStore store;
};

Shown& shownComponents() {
    static Shown shown = [] {
        Shown s;
        s.store = observations();
        computePrincipalComponents(s.store, s.pca);
        takeOverComponents(s.pca, s.store);
        return s;
    }();
    return shown;
}

void BM_Restoration(benchmark::State& state) {
    Shown& s = shownComponents();
    const std::vector<bool> every(Channels + 1, true);
    for (auto _ : state) {
        restoreSignal(s.pca, every, s.store);
        benchmark::DoNotOptimize(s.store.ChannelValues[1].data());
    }
}

// v(c, i) = mean(c) + Σ_k axis(c, k) · score(k, i), point after point.
void BM_RestorationPointByPoint(benchmark::State& state) {
    Shown& s = shownComponents();
    for (auto _ : state) {
        for (int i = 1; i <= Points; ++i)
            for (int c = 1; c <= Channels; ++c) {
                double v = s.pca.PcaMeans[c];
                for (int k = 1; k <= Channels; ++k)
                    v += s.pca.PcaAxes[c][k] * s.pca.PcaScores[k][i];
                s.store.ChannelValues[c][i] = v;
            }
        benchmark::DoNotOptimize(s.store.ChannelValues[1].data());
    }
}

BENCHMARK(BM_PrincipalComponents)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_EigenBDCSVD)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Restoration)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RestorationPointByPoint)->Unit(benchmark::kMillisecond)->Iterations(3);

// Both sets sorted by size; the largest relative difference, measured against the largest value.
double singularValueDifference() {
    PrincipalComponents pca;
    computePrincipalComponents(observations(), pca);
    std::vector<double> ours(pca.SingularValues.begin() + 1,
                             pca.SingularValues.begin() + 1 + Channels);
    std::sort(ours.rbegin(), ours.rend());
    const Eigen::BDCSVD<Eigen::MatrixXd> svd(centredMatrix());
    const Eigen::VectorXd& theirs = svd.singularValues(); // in decreasing order
    double largest = 0;
    for (int k = 0; k < Channels; ++k)
        largest = std::max(largest, std::abs(ours[std::size_t(k)] - theirs(k)) / theirs(0));
    std::printf("singular values (ours | Eigen):\n");
    for (int k = 0; k < Channels; ++k)
        std::printf("  %.10f | %.10f\n", ours[std::size_t(k)], theirs(k));
    return largest;
}

double timeOf(const std::vector<std::pair<std::string, double>>& times, const std::string& name) {
    for (const auto& [n, ms] : times)
        if (n.rfind(name, 0) == 0) return ms;
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    const double difference = singularValueDifference();
    const bool agree = difference < 1e-10;
    std::printf("singular values agree with Eigen's: %s (largest difference %.2e of the largest "
                "value)\n",
                agree ? "yes" : "NO", difference);

    const auto times =
        quelmar::bench::runWithRatios(argc, argv,
                                      {{"BM_PrincipalComponents", "BM_EigenBDCSVD"},
                                       {"BM_Restoration", "BM_RestorationPointByPoint"}});
    const double ours = timeOf(times, "BM_PrincipalComponents");
    const double eigen = timeOf(times, "BM_EigenBDCSVD");
    const double restoration = timeOf(times, "BM_Restoration");
    bool met = agree;
    if (ours > 0 && eigen > 0) {
        const bool ok = ours <= DecompositionTargetMs && ours <= EigenTargetRatio * eigen;
        std::printf("decomposition: %.0f ms, %.2fx Eigen's time (targets: <= %.0f ms, <= %.1fx): "
                    "%s\n",
                    ours, ours / eigen, DecompositionTargetMs, EigenTargetRatio,
                    ok ? "met" : "MISSED");
        met = met && ok;
    }
    if (restoration > 0) {
        const bool ok = restoration <= RestorationTargetMs;
        std::printf("restoration: %.0f ms (target: <= %.0f ms): %s\n", restoration,
                    RestorationTargetMs, ok ? "met" : "MISSED");
        met = met && ok;
    }
    return met ? 0 : 1;
}
