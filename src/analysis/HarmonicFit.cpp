#include "HarmonicFit.h"

#include "MatrixSolve.h"

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
// sines and cosines of the first pass are kept for the second (`rows`: linear per point).
Step linearisedStep(const WeightedSeries& s, int harmonics, double f, double middle,
                    std::vector<double>& rows) {
    const int linear = 2 * harmonics + 1;
    // First the linear fit at f, for the amplitudes the frequency derivative needs.
    SolveMatrix a{};
    SolveVector b{};
    rows.resize(s.size() * static_cast<std::size_t>(linear));
    for (std::size_t i = 0; i < s.size(); ++i) {
        double* const row = rows.data() + i * static_cast<std::size_t>(linear);
        const double x = TwoPi * f * (s.t[i] - middle);
        row[0] = 1;
        for (int k = 1; k <= harmonics; ++k) {
            row[2 * k - 1] = std::cos(k * x);
            row[2 * k] = std::sin(k * x);
        }
        for (int r = 0; r < linear; ++r) {
            b[r] += s.w[i] * row[r] * s.y[i];
            for (int c = 0; c <= r; ++c)
                a[r * linear + c] += s.w[i] * row[r] * row[c];
        }
    }
    if (!solveSymmetric(a, b, linear)) return {};
    const SolveVector amplitudes = b;

    const int n = linear + 1;
    SolveMatrix full{};
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
        for (int r = 0; r < n; ++r) {
            rhs[r] += s.w[i] * row[r] * residual;
            for (int c = 0; c <= r; ++c)
                full[r * n + c] += s.w[i] * row[r] * row[c];
        }
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

} // namespace

FrequencyFit fitFrequency(const WeightedSeries& series, int harmonics, double trial, double reach) {
    const double middle = 0.5 * *std::max_element(series.t.begin(), series.t.end());
    FrequencyFit fit{trial, std::numeric_limits<double>::quiet_NaN()};
    double f = trial;
    std::vector<double> rows;
    for (int iteration = 0; iteration < 20; ++iteration) {
        const Step step = linearisedStep(series, harmonics, f, middle, rows);
        if (!step.ok) return fit;
        if (std::abs(f + step.shift - trial) > reach) break; // wandered to another peak
        fit = {f, std::sqrt(std::max(step.variance, 0.0))};
        f += step.shift;
        if (std::abs(step.shift) < 1e-13 * f) break;
    }
    const Step last = linearisedStep(series, harmonics, f, middle, rows);
    if (last.ok && std::abs(f - trial) <= reach) fit = {f, std::sqrt(std::max(last.variance, 0.0))};
    return fit;
}

} // namespace quelmar
