#include "HarmonicFit.h"

#include "MatrixSolve.h"
#include "SinesAndCosines.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace quelmar {

namespace {

constexpr double TwoPi = 2 * std::numbers::pi;

struct Step {
    double shift = 0;    // Gauss–Newton step of the frequency
    double variance = 0; // inverse normal matrix at the frequency times the residual variance
    bool ok = false;
};

// Column 0 the constant, then cos, sin of each harmonic, last the derivative by the frequency.
// The solver reads the lower triangle of the normal matrices only, so only that is summed; the
// sines and cosines of the first pass are kept for the second (`rows`: linear per point). The
// number of harmonics is a constant of each version, so that the sums stay in registers.
template <int Harmonics>
Step linearisedStep(const WeightedSeries& s, double f, double middle, std::vector<double>& rows) {
    constexpr int harmonics = Harmonics, linear = 2 * Harmonics + 1;
    // First the linear fit at f, for the amplitudes the frequency derivative needs.
    double triangle[linear * (linear + 1) / 2] = {};
    double sums[linear] = {};
    rows.resize(s.size() * static_cast<std::size_t>(linear));
    Angles x{}, sinX{}, cosX{};
    for (std::size_t i = 0; i < s.size(); ++i) {
        // The angles of the next AngleLanes points side by side.
        const std::size_t lane = i % AngleLanes;
        if (lane == 0) {
            for (std::size_t j = 0; j < AngleLanes && i + j < s.size(); ++j)
                x[j] = TwoPi * f * (s.t[i + j] - middle);
            sinesAndCosines(x, sinX, cosX);
        }
        double* const row = rows.data() + i * static_cast<std::size_t>(linear);
        const double c1 = cosX[lane], s1 = sinX[lane];
        row[0] = 1;
        row[1] = c1;
        row[2] = s1;
        // The higher harmonics by the angle-sum rule: exact to a few units of the last place.
        for (int k = 2; k <= harmonics; ++k) {
            row[2 * k - 1] = row[2 * k - 3] * c1 - row[2 * k - 2] * s1;
            row[2 * k] = row[2 * k - 2] * c1 + row[2 * k - 3] * s1;
        }
#pragma GCC unroll 16
        for (int r = 0; r < linear; ++r) {
            sums[r] += s.w[i] * row[r] * s.y[i];
#pragma GCC unroll 16
            for (int c = 0; c <= r; ++c)
                triangle[r * (r + 1) / 2 + c] += s.w[i] * row[r] * row[c];
        }
    }
    SolveMatrix a{};
    SolveVector b{};
    for (int r = 0; r < linear; ++r) {
        b[r] = sums[r];
        std::copy_n(triangle + r * (r + 1) / 2, r + 1, a.data() + r * linear);
    }
    const SolveMatrix a0 = a;
    if (!solveSymmetric(a, b, linear)) return {};
    const SolveVector amplitudes = b;

    // The linear block of the full normal matrix is the one just summed, term for term.
    const int n = linear + 1;
    SolveMatrix full{};
    for (int r = 0; r < linear; ++r)
        std::copy_n(a0.data() + r * linear, r + 1, full.data() + r * n);
    SolveVector rhs{};
    double chi2 = 0;
    double row[MaxSolveSize];
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = s.t[i] - middle;
        std::copy_n(rows.data() + i * static_cast<std::size_t>(linear), linear, row);
        double model = amplitudes[0], derivative = 0;
        for (int k = 1; k <= harmonics; ++k) {
            const double ak = amplitudes[2 * k - 1], bk = amplitudes[2 * k];
            model += ak * row[2 * k - 1] + bk * row[2 * k];
            derivative += TwoPi * k * t * (-ak * row[2 * k] + bk * row[2 * k - 1]);
        }
        row[linear] = derivative;
        const double residual = s.y[i] - model;
        chi2 += s.w[i] * residual * residual;
        for (int r = 0; r < n; ++r)
            rhs[r] += s.w[i] * row[r] * residual;
        for (int c = 0; c <= linear; ++c)
            full[linear * n + c] += s.w[i] * row[linear] * row[c];
    }
    const double dof = static_cast<double>(s.size()) - n;
    if (!(dof > 0)) return {};
    Step step;
    step.variance = inverseDiagonal(full, n, linear) * chi2 / dof;
    if (!solveSymmetric(full, rhs, n)) return {};
    step.shift = rhs[linear];
    step.ok = std::isfinite(step.variance) && std::isfinite(step.shift);
    return step;
}

Step linearisedStep(const WeightedSeries& s, int harmonics, double f, double middle,
                    std::vector<double>& rows) {
    switch (harmonics) {
    case 1:
        return linearisedStep<1>(s, f, middle, rows);
    case 2:
        return linearisedStep<2>(s, f, middle, rows);
    case 3:
        return linearisedStep<3>(s, f, middle, rows);
    case 4:
        return linearisedStep<4>(s, f, middle, rows);
    case 5:
        return linearisedStep<5>(s, f, middle, rows);
    default:
        static_assert(MaxHarmonics == 6);
        return linearisedStep<6>(s, f, middle, rows);
    }
}

} // namespace

// Gauss–Newton alone converges only linearly where the residuals are large (a weak peak, an
// alias): its steps then alternate in sign and shrink by a constant factor. The zero of the step
// as a function of the frequency is the same point, so once two steps are known the secant
// through them goes there directly; a secant that would leave the reach falls back to the step.
FrequencyFit fitFrequency(const WeightedSeries& series, int harmonics, double trial, double reach) {
    const double middle = 0.5 * *std::max_element(series.t.begin(), series.t.end());
    FrequencyFit fit{trial, std::numeric_limits<double>::quiet_NaN()};
    double f = trial, previousF = 0, previousShift = 0;
    std::vector<double> rows;
    for (int iteration = 0; iteration < 20; ++iteration) {
        const Step step = linearisedStep(series, harmonics, f, middle, rows);
        if (!step.ok) return fit;
        fit = {f, std::sqrt(std::max(step.variance, 0.0))};
        if (std::abs(step.shift) < 1e-13 * f) return fit;
        double next = f + step.shift;
        if (iteration > 0 && step.shift != previousShift) {
            const double secant = f - step.shift * (f - previousF) / (step.shift - previousShift);
            if (std::isfinite(secant) && std::abs(secant - trial) <= reach) next = secant;
        }
        if (std::abs(next - trial) > reach) return fit; // wandered to another peak
        previousF = f;
        previousShift = step.shift;
        f = next;
    }
    return fit;
}

} // namespace quelmar
