#include "LombScargle.h"

#include "MatrixSolve.h"
#include "PeriodScan.h"

#include <fftw3.h>

#include <algorithm>
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

// A grid of phases for Oversampling × count frequencies and its FFT, made once for every sum of
// a block of frequencies and every block of a share of the scan: a block's grid stays in cache,
// where one over a whole scan of a million frequencies took 256 MB for each sum.
class PhaseGrid {
public:
    explicit PhaseGrid(std::size_t count)
        : size_(powerOfTwoAtLeast(std::max<std::size_t>(count * Oversampling, 64))),
          grid_(fftw_alloc_complex(size_)) {
        if (!grid_) throw std::bad_alloc();
        // Without buffering the transform needs no memory of its own: a buffered one takes fresh
        // memory at every execution.
        const std::lock_guard lock(plannerMutex());
        plan_ = fftw_plan_dft_1d(static_cast<int>(size_), grid_, grid_, FFTW_BACKWARD,
                                 FFTW_ESTIMATE | FFTW_NO_BUFFERING);
        if (!plan_) {
            fftw_free(grid_);
            throw std::bad_alloc();
        }
    }
    ~PhaseGrid() {
        {
            const std::lock_guard lock(plannerMutex());
            fftw_destroy_plan(plan_);
        }
        fftw_free(grid_);
    }
    PhaseGrid(const PhaseGrid&) = delete;
    PhaseGrid& operator=(const PhaseGrid&) = delete;

    // Σ h(i)·e^{2πi·(f0 + j·df)·t(i)} for j = 0 … sums.size() − 1, at most the grid's count.
    void sums(std::span<const double> t, std::span<const std::complex<double>> h, double f0,
              double df, std::span<std::complex<double>> sums) {
        for (std::size_t k = 0; k < size_; ++k)
            grid_[k][0] = grid_[k][1] = 0;
        for (std::size_t i = 0; i < t.size(); ++i)
            extirpolate(h[i] * std::polar(1.0, TwoPi * std::fmod(f0 * t[i], 1.0)), t[i] * df);
        fftw_execute(plan_);
        for (std::size_t j = 0; j < sums.size(); ++j)
            sums[j] = {grid_[j][0], grid_[j][1]};
    }

private:
    // Spreads value over the nodes around phase x (in turns) of the grid.
    void extirpolate(std::complex<double> value, double x) {
        x = (x - std::floor(x)) * static_cast<double>(size_);
        const long long first = static_cast<long long>(std::floor(x)) - ExtirpolationNodes / 2 + 1;
        if (x == std::floor(x)) {
            const auto k = static_cast<std::size_t>(x) % size_;
            grid_[k][0] += value.real();
            grid_[k][1] += value.imag();
            return;
        }
        // Lagrange weight of node m: Π over the other nodes of (x − node) / (m − node).
        double all = 1;
        for (int m = 0; m < ExtirpolationNodes; ++m)
            all *= x - static_cast<double>(first + m);
        double denominator = 1; // Π_{k≠0} (0 − k), then updated node by node
        for (int k = 1; k < ExtirpolationNodes; ++k)
            denominator *= -k;
        const auto size = static_cast<long long>(size_);
        for (int m = 0; m < ExtirpolationNodes; ++m) {
            if (m > 0) denominator *= static_cast<double>(m) / (m - ExtirpolationNodes);
            const double weight = all / (denominator * (x - static_cast<double>(first + m)));
            const auto k = static_cast<std::size_t>((((first + m) % size) + size) % size);
            grid_[k][0] += weight * value.real();
            grid_[k][1] += weight * value.imag();
        }
    }

    std::size_t size_;
    fftw_complex* grid_;
    fftw_plan plan_;
};

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

std::size_t LombScargle::blockFrequencies(std::size_t count) const {
    // About twice as many frequencies as points: the extirpolation of a block then costs about
    // what its FFTs cost, and the grid stays within the caches.
    constexpr std::size_t Fewest = 4096, Most = 65536;
    return std::min(count, std::clamp(powerOfTwoAtLeast(2 * series_.size()), Fewest, Most));
}

void LombScargle::uniformPowers(double f0, double df, std::size_t count, std::size_t first,
                                std::size_t last, double* powers, ScanProgress* progress) const {
    const int k2 = 2 * harmonics_;
    const std::size_t block = blockFrequencies(count);
    std::vector<std::complex<double>> weights(series_.size()), weighted(series_.size());
    for (std::size_t i = 0; i < series_.size(); ++i) {
        weights[i] = series_.w[i];
        weighted[i] = series_.w[i] * series_.y[i];
    }
    PhaseGrid grid(block);
    std::vector<std::complex<double>> sumW(static_cast<std::size_t>(k2 + 1) * block),
        sumY(static_cast<std::size_t>(harmonics_ + 1) * block);
    auto row = [&](std::vector<std::complex<double>>& sums, int m, std::size_t n) {
        return std::span(sums).subspan(static_cast<std::size_t>(m) * block, n);
    };
    double cosW[2 * MaxHarmonics + 1] = {}, sinW[2 * MaxHarmonics + 1] = {};
    double cosY[MaxHarmonics + 1] = {}, sinY[MaxHarmonics + 1] = {};
    cosW[0] = 1; // the weights sum to 1
    for (std::size_t start = first; start < last; start += block) {
        if (progress && progress->cancel) return;
        const std::size_t n = std::min(block, last - start);
        const double from = f0 + static_cast<double>(start) * df;
        for (int m = 1; m <= k2; ++m) {
            grid.sums(series_.t, weights, m * from, m * df, row(sumW, m, n));
            if (m <= harmonics_) grid.sums(series_.t, weighted, m * from, m * df, row(sumY, m, n));
        }
        for (std::size_t j = 0; j < n; ++j) {
            for (int m = 1; m <= k2; ++m) {
                const std::complex<double> w = row(sumW, m, n)[j];
                cosW[m] = w.real();
                sinW[m] = w.imag();
                if (m <= harmonics_) {
                    const std::complex<double> y = row(sumY, m, n)[j];
                    cosY[m] = y.real();
                    sinY[m] = y.imag();
                }
            }
            powers[start - first + j] = powerFromSums(cosW, sinW, cosY, sinY);
        }
        if (progress) progress->done += static_cast<long long>(n);
    }
}

std::vector<double> LombScargle::uniformPowers(double f0, double df, std::size_t count) const {
    std::vector<double> powers(count);
    uniformPowers(f0, df, count, 0, count, powers.data());
    return powers;
}

double LombScargle::uniformStep(const std::vector<double>& frequencies) {
    const std::size_t count = frequencies.size();
    // Below this many frequencies the direct sums cost less than setting up the FFTs.
    constexpr std::size_t FewFrequencies = 64;
    if (count < FewFrequencies) return 0;
    const double df = (frequencies.back() - frequencies.front()) / static_cast<double>(count - 1);
    for (std::size_t j = 0; j < count; ++j)
        if (!(std::abs(frequencies[j] - (frequencies.front() + static_cast<double>(j) * df)) <=
              1e-3 * df))
            return 0;
    return df;
}

} // namespace quelmar
