#include "HarmonicFit.h"

#include "MatrixSolve.h"
#include "SinesAndCosines.h"

#include <algorithm>
#include <cmath>
#include <cstring>
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

// Points go four at a time, each lane of a sum taking every fourth point in turn; the lanes are
// added in a fixed order at the end, so the sums are the same whatever the vector width. The
// last group is filled with points of no weight, which add nothing. A Lane is the compiler's
// vector of four doubles: every operation on it is the same operation on each lane, so the
// sums are those of the loops over the lanes it stands for, on any processor.
constexpr std::size_t Lanes = 4;
using Lane = double __attribute__((vector_size(Lanes * sizeof(double))));
// Lanes pass between functions of this file only, each compiled for one instruction set and
// inlined into it: how a vector is passed where AVX is not enabled concerns no other code.
#pragma GCC diagnostic ignored "-Wpsabi"

[[gnu::always_inline]] inline double laneTotal(const Lane& lane) {
    return ((lane[0] + lane[1]) + lane[2]) + lane[3];
}

[[gnu::always_inline]] inline Lane laneAt(const double* first) {
    Lane lane;
    std::memcpy(&lane, first, sizeof lane);
    return lane;
}

// The observations of a group of four: time from the middle, weight and value.
struct Group {
    Lane t, w, y;
};

[[gnu::always_inline]] inline Group groupAt(const WeightedSeries& s, std::size_t first,
                                            double middle) {
    if (first + Lanes <= s.size())
        return {laneAt(s.t.data() + first) - middle, laneAt(s.w.data() + first),
                laneAt(s.y.data() + first)};
    Group g{};
    for (std::size_t p = 0; p < Lanes; ++p) {
        const std::size_t i = first + p;
        g.t[p] = i < s.size() ? s.t[i] - middle : 0;
        g.w[p] = i < s.size() ? s.w[i] : 0;
        g.y[p] = i < s.size() ? s.y[i] : 0;
    }
    return g;
}

// Column 0 the constant, then cos, sin of each harmonic, last the derivative by the frequency.
// The solver reads the lower triangle of the normal matrices only, so only that is summed. The
// number of harmonics is a constant of each version, so that the loops unroll.

// The row of a group from the cosines and sines of its first harmonic: the higher harmonics by
// the angle-sum rule, exact to a few units of the last place, and alike in both passes.
template <int Harmonics>
[[gnu::always_inline]] inline void fillRow(const double* first, Lane* row) {
    const Lane c1 = laneAt(first), s1 = laneAt(first + Lanes);
    row[0] = Lane{} + 1;
    row[1] = c1;
    row[2] = s1;
    for (int k = 2; k <= Harmonics; ++k) {
        row[2 * k - 1] = row[2 * k - 3] * c1 - row[2 * k - 2] * s1;
        row[2 * k] = row[2 * k - 2] * c1 + row[2 * k - 3] * s1;
    }
}

// The first pass: the normal equations of the linear fit at f, which the second needs the
// amplitudes of. The cosines and sines of the first harmonic are kept for it (`turns`: two
// lanes per group), which is less to write and read than the whole rows.
template <int Harmonics>
[[gnu::always_inline]] inline void linearSums(const WeightedSeries& s, double f, double middle,
                                              LargeVector<double>& turns, SolveMatrix& a,
                                              SolveVector& b) {
    constexpr int linear = 2 * Harmonics + 1;
    const std::size_t groups = (s.size() + Lanes - 1) / Lanes;
    Lane triangle[linear * (linear + 1) / 2] = {};
    Lane sums[linear] = {};
    turns.resize(groups * 2 * Lanes);
    Angles x{}, sinX{}, cosX{};
    for (std::size_t g = 0; g < groups; ++g) {
        // The angles of the next AngleLanes points side by side.
        const std::size_t lane = g * Lanes % AngleLanes;
        if (lane == 0) {
            for (std::size_t j = 0; j < AngleLanes; ++j) {
                const std::size_t i = g * Lanes + j;
                x[j] = i < s.size() ? TwoPi * f * (s.t[i] - middle) : 0;
            }
            sinesAndCosines(x, sinX, cosX);
        }
        const Group group = groupAt(s, g * Lanes, middle);
        double* const first = turns.data() + g * 2 * Lanes;
        std::copy_n(cosX.begin() + static_cast<std::ptrdiff_t>(lane), Lanes, first);
        std::copy_n(sinX.begin() + static_cast<std::ptrdiff_t>(lane), Lanes, first + Lanes);
        Lane row[linear];
        fillRow<Harmonics>(first, row);
        for (int r = 0; r < linear; ++r) {
            sums[r] += group.w * row[r] * group.y;
            for (int c = 0; c <= r; ++c)
                triangle[r * (r + 1) / 2 + c] += group.w * row[r] * row[c];
        }
    }
    for (int r = 0; r < linear; ++r) {
        b[r] = laneTotal(sums[r]);
        for (int c = 0; c <= r; ++c)
            a[r * linear + c] = laneTotal(triangle[r * (r + 1) / 2 + c]);
    }
}

// The second pass: the last row of the full normal matrix (the derivative against each column)
// and its right-hand side, from the residuals of the linear fit; returns χ².
template <int Harmonics>
[[gnu::always_inline]] inline double
frequencySums(const WeightedSeries& s, double middle, const LargeVector<double>& turns,
              const SolveVector& amplitudes, SolveMatrix& full, SolveVector& rhs) {
    constexpr int linear = 2 * Harmonics + 1, n = linear + 1;
    const std::size_t groups = (s.size() + Lanes - 1) / Lanes;
    Lane right[n] = {}, last[n] = {};
    Lane chi2 = {};
    for (std::size_t g = 0; g < groups; ++g) {
        const Group group = groupAt(s, g * Lanes, middle);
        Lane row[linear];
        fillRow<Harmonics>(turns.data() + g * 2 * Lanes, row);
        Lane model = Lane{} + amplitudes[0], slope = {};
        for (int k = 1; k <= Harmonics; ++k) {
            const double ak = amplitudes[2 * k - 1], bk = amplitudes[2 * k];
            model += ak * row[2 * k - 1] + bk * row[2 * k];
            slope += TwoPi * k * group.t * (-ak * row[2 * k] + bk * row[2 * k - 1]);
        }
        const Lane derivative = slope, residual = group.y - model;
        chi2 += group.w * residual * residual;
        for (int r = 0; r < linear; ++r) {
            right[r] += group.w * row[r] * residual;
            last[r] += group.w * derivative * row[r];
        }
        right[linear] += group.w * derivative * residual;
        last[linear] += group.w * derivative * derivative;
    }
    for (int r = 0; r < n; ++r) {
        rhs[r] = laneTotal(right[r]);
        full[linear * n + r] = laneTotal(last[r]);
    }
    return laneTotal(chi2);
}

template <int Harmonics>
[[gnu::always_inline]] inline Step stepAt(const WeightedSeries& s, double f, double middle,
                                          LargeVector<double>& turns) {
    constexpr int linear = 2 * Harmonics + 1, n = linear + 1;
    SolveMatrix a{};
    SolveVector b{};
    linearSums<Harmonics>(s, f, middle, turns, a, b);
    // The linear block of the full normal matrix is the one just summed, term for term.
    SolveMatrix full{};
    for (int r = 0; r < linear; ++r)
        std::copy_n(a.data() + r * linear, r + 1, full.data() + r * n);
    if (!solveSymmetric(a, b, linear)) return {};
    SolveVector rhs{};
    const double chi2 = frequencySums<Harmonics>(s, middle, turns, b, full, rhs);
    const double dof = static_cast<double>(s.size()) - n;
    if (!(dof > 0)) return {};
    Step step;
    step.variance = inverseDiagonal(full, n, linear) * chi2 / dof;
    if (!solveSymmetric(full, rhs, n)) return {};
    step.shift = rhs[linear];
    step.ok = std::isfinite(step.variance) && std::isfinite(step.shift);
    return step;
}

template <int Harmonics>
Step portableStep(const WeightedSeries& s, double f, double middle, LargeVector<double>& turns) {
    return stepAt<Harmonics>(s, f, middle, turns);
}

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
// The same operations four lanes wide; without fused multiply-add (the library's flags) both
// versions round alike. Chosen at the first call rather than by the loader, which sanitizers do
// not allow.
template <int Harmonics>
__attribute__((target("avx2"))) Step wideStep(const WeightedSeries& s, double f, double middle,
                                              LargeVector<double>& turns) {
    return stepAt<Harmonics>(s, f, middle, turns);
}

template <int Harmonics>
Step stepOf(const WeightedSeries& s, double f, double middle, LargeVector<double>& turns) {
    static const bool wide = __builtin_cpu_supports("avx2");
    return wide ? wideStep<Harmonics>(s, f, middle, turns)
                : portableStep<Harmonics>(s, f, middle, turns);
}
#else
template <int Harmonics>
Step stepOf(const WeightedSeries& s, double f, double middle, LargeVector<double>& turns) {
    return portableStep<Harmonics>(s, f, middle, turns);
}
#endif

Step linearisedStep(const WeightedSeries& s, int harmonics, double f, double middle,
                    LargeVector<double>& turns) {
    switch (harmonics) {
    case 1:
        return stepOf<1>(s, f, middle, turns);
    case 2:
        return stepOf<2>(s, f, middle, turns);
    case 3:
        return stepOf<3>(s, f, middle, turns);
    case 4:
        return stepOf<4>(s, f, middle, turns);
    case 5:
        return stepOf<5>(s, f, middle, turns);
    default:
        static_assert(MaxHarmonics == 6);
        return stepOf<6>(s, f, middle, turns);
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
    LargeVector<double> turns;
    for (int iteration = 0; iteration < 20; ++iteration) {
        const Step step = linearisedStep(series, harmonics, f, middle, turns);
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
