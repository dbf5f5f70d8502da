#include "LombScargle.h"

#include "MatrixSolve.h"

#include <fftw3.h>

#include <cmath>
#include <complex>
#include <mutex>
#include <numbers>
#include <span>

namespace quelmar {

namespace {

constexpr double TwoPi = 2 * std::numbers::pi;
// Extirpolation onto Oversampling × count phases with Lagrange weights over ExtirpolationNodes
// nodes: the error in a sum is below 1e-7 of its largest possible value.
constexpr int Oversampling = 8;
constexpr int ExtirpolationNodes = 16;

// FFTW's planner keeps state of its own that is not safe to use from several threads.
std::mutex& plannerMutex() {
    static std::mutex mutex;
    return mutex;
}

std::size_t powerOfTwoAtLeast(std::size_t n) {
    std::size_t p = 1;
    while (p < n)
        p <<= 1;
    return p;
}

// Σ h(i)·e^{2πi·(f0 + j·df)·t(i)} for j = 0 … count − 1.
std::vector<std::complex<double>> trigSums(std::span<const double> t,
                                           const std::vector<std::complex<double>>& h, double f0,
                                           double df, std::size_t count) {
    const std::size_t size = powerOfTwoAtLeast(std::max<std::size_t>(count * Oversampling, 64));
    fftw_complex* grid = fftw_alloc_complex(size);
    fftw_plan plan;
    {
        const std::lock_guard lock(plannerMutex());
        plan = fftw_plan_dft_1d(static_cast<int>(size), grid, grid, FFTW_BACKWARD, FFTW_ESTIMATE);
    }
    for (std::size_t k = 0; k < size; ++k)
        grid[k][0] = grid[k][1] = 0;
    const auto cells = static_cast<double>(size);
    for (std::size_t i = 0; i < t.size(); ++i) {
        const std::complex<double> value =
            h[i] * std::polar(1.0, TwoPi * std::fmod(f0 * t[i], 1.0));
        double x = t[i] * df;
        x = (x - std::floor(x)) * cells;
        const long long first = static_cast<long long>(std::floor(x)) - ExtirpolationNodes / 2 + 1;
        if (x == std::floor(x)) {
            const auto k = static_cast<std::size_t>(x) % size;
            grid[k][0] += value.real();
            grid[k][1] += value.imag();
            continue;
        }
        // Lagrange weight of node m: Π over the other nodes of (x − node) / (m − node).
        double all = 1;
        for (int m = 0; m < ExtirpolationNodes; ++m)
            all *= x - static_cast<double>(first + m);
        double denominator = 1; // Π_{k≠0} (0 − k), then updated node by node
        for (int k = 1; k < ExtirpolationNodes; ++k)
            denominator *= -k;
        for (int m = 0; m < ExtirpolationNodes; ++m) {
            if (m > 0) denominator *= static_cast<double>(m) / (m - ExtirpolationNodes);
            const double weight = all / (denominator * (x - static_cast<double>(first + m)));
            const long long node = first + m;
            const auto k = static_cast<std::size_t>(
                ((node % static_cast<long long>(size)) + static_cast<long long>(size)) %
                static_cast<long long>(size));
            grid[k][0] += weight * value.real();
            grid[k][1] += weight * value.imag();
        }
    }
    fftw_execute(plan);
    std::vector<std::complex<double>> sums(count);
    for (std::size_t j = 0; j < count; ++j)
        sums[j] = {grid[j][0], grid[j][1]};
    {
        const std::lock_guard lock(plannerMutex());
        fftw_destroy_plan(plan);
    }
    fftw_free(grid);
    return sums;
}

} // namespace

LombScargle::LombScargle(const WeightedSeries& series, int harmonics)
    : series_(series), harmonics_(harmonics) {
    double total = 0, mean = 0;
    for (std::size_t i = 0; i < series_.size(); ++i)
        total += series_.w[i];
    for (std::size_t i = 0; i < series_.size(); ++i) {
        series_.w[i] /= total;
        mean += series_.w[i] * series_.y[i];
    }
    chi2Mean_ = 0;
    for (std::size_t i = 0; i < series_.size(); ++i) {
        series_.y[i] -= mean;
        chi2Mean_ += series_.w[i] * series_.y[i] * series_.y[i];
    }
}

double LombScargle::powerFromSums(const double* cosW, const double* sinW, const double* cosY,
                                  const double* sinY) const {
    // Columns: 1, cos(kx), sin(kx) for k = 1 … K.
    const int n = 2 * harmonics_ + 1;
    SolveMatrix a{};
    SolveVector b{};
    auto at = [&](int r, int c) -> double& { return a[static_cast<std::size_t>(r * n + c)]; };
    auto cosOf = [&](int m) { return cosW[std::abs(m)]; };
    auto sinOf = [&](int m) { return m < 0 ? -sinW[-m] : sinW[m]; };
    at(0, 0) = cosW[0];
    b[0] = 0; // Σ w y of the centred values
    for (int k = 1; k <= harmonics_; ++k) {
        const int c = 2 * k - 1, s = 2 * k;
        at(0, c) = at(c, 0) = cosOf(k);
        at(0, s) = at(s, 0) = sinOf(k);
        b[static_cast<std::size_t>(c)] = cosY[k];
        b[static_cast<std::size_t>(s)] = sinY[k];
        for (int j = 1; j <= harmonics_; ++j) {
            const int cj = 2 * j - 1, sj = 2 * j;
            at(c, cj) = 0.5 * (cosOf(k - j) + cosOf(k + j));
            at(s, sj) = 0.5 * (cosOf(k - j) - cosOf(k + j));
            at(c, sj) = 0.5 * (sinOf(j + k) + sinOf(j - k));
        }
    }
    for (int k = 1; k <= harmonics_; ++k)
        for (int j = 1; j <= harmonics_; ++j)
            at(2 * j, 2 * k - 1) = at(2 * k - 1, 2 * j);
    const SolveVector rhs = b;
    if (!solveSymmetric(a, b, n) || !(chi2Mean_ > 0)) return 0;
    double explained = 0;
    for (int i = 0; i < n; ++i)
        explained += b[static_cast<std::size_t>(i)] * rhs[static_cast<std::size_t>(i)];
    return explained / chi2Mean_;
}

double LombScargle::power(double frequency) const {
    const int k2 = 2 * harmonics_;
    double cosW[2 * MaxHarmonics + 1] = {}, sinW[2 * MaxHarmonics + 1] = {};
    double cosY[MaxHarmonics + 1] = {}, sinY[MaxHarmonics + 1] = {};
    for (std::size_t i = 0; i < series_.size(); ++i) {
        const double x = TwoPi * std::fmod(frequency * series_.t[i], 1.0);
        const double w = series_.w[i], wy = w * series_.y[i];
        cosW[0] += w;
        for (int m = 1; m <= k2; ++m) {
            const double c = std::cos(m * x), s = std::sin(m * x);
            cosW[m] += w * c;
            sinW[m] += w * s;
            if (m <= harmonics_) {
                cosY[m] += wy * c;
                sinY[m] += wy * s;
            }
        }
    }
    return powerFromSums(cosW, sinW, cosY, sinY);
}

std::vector<double> LombScargle::uniformPowers(double f0, double df, std::size_t count) const {
    const int k2 = 2 * harmonics_;
    std::vector<std::complex<double>> weights(series_.size()), weighted(series_.size());
    for (std::size_t i = 0; i < series_.size(); ++i) {
        weights[i] = series_.w[i];
        weighted[i] = series_.w[i] * series_.y[i];
    }
    std::vector<std::vector<std::complex<double>>> sumW(static_cast<std::size_t>(k2 + 1)),
        sumY(static_cast<std::size_t>(harmonics_ + 1));
    for (int m = 1; m <= k2; ++m) {
        sumW[static_cast<std::size_t>(m)] = trigSums(series_.t, weights, m * f0, m * df, count);
        if (m <= harmonics_)
            sumY[static_cast<std::size_t>(m)] =
                trigSums(series_.t, weighted, m * f0, m * df, count);
    }
    std::vector<double> powers(count);
    double cosW[2 * MaxHarmonics + 1] = {}, sinW[2 * MaxHarmonics + 1] = {};
    double cosY[MaxHarmonics + 1] = {}, sinY[MaxHarmonics + 1] = {};
    cosW[0] = 1; // the weights sum to 1
    for (std::size_t j = 0; j < count; ++j) {
        for (int m = 1; m <= k2; ++m) {
            cosW[m] = sumW[static_cast<std::size_t>(m)][j].real();
            sinW[m] = sumW[static_cast<std::size_t>(m)][j].imag();
            if (m <= harmonics_) {
                cosY[m] = sumY[static_cast<std::size_t>(m)][j].real();
                sinY[m] = sumY[static_cast<std::size_t>(m)][j].imag();
            }
        }
        powers[j] = powerFromSums(cosW, sinW, cosY, sinY);
    }
    return powers;
}

std::vector<double> LombScargle::powers(const std::vector<double>& frequencies) const {
    const std::size_t count = frequencies.size();
    // Below this many frequencies the direct sums cost less than setting up the FFTs.
    constexpr std::size_t FewFrequencies = 64;
    bool uniform = count >= FewFrequencies;
    const double df =
        uniform ? (frequencies.back() - frequencies.front()) / static_cast<double>(count - 1) : 0;
    for (std::size_t j = 0; uniform && j < count; ++j)
        uniform = std::abs(frequencies[j] - (frequencies.front() + static_cast<double>(j) * df)) <=
                  1e-3 * df;
    if (uniform) return uniformPowers(frequencies.front(), df, count);
    std::vector<double> powers(count);
    for (std::size_t j = 0; j < count; ++j)
        powers[j] = power(frequencies[j]);
    return powers;
}

} // namespace quelmar
