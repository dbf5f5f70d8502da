#include "SymmetricPolynomial.h"

#include "MatrixInverse.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace quelmar {

namespace {

constexpr int StepLimit = 100;

// The series in normalised time x = (t − centre) / h.
struct Normalised {
    long double centre = 0;
    long double h = 0;
    std::vector<long double> x;
};

Normalised normalise(const TimingSeries& s) {
    Normalised n;
    n.centre = (static_cast<long double>(s.t.front()) + s.t.back()) / 2;
    n.h = (static_cast<long double>(s.t.back()) - s.t.front()) / 2;
    n.x.reserve(s.t.size());
    for (double t : s.t)
        n.x.push_back((t - n.centre) / n.h);
    return n;
}

using Vector = std::array<long double, MaxTermCount + 1>; // [1 ... size]

// Least squares with the columns column(i, v) (v[1 ... size]) of every point: the inverse of
// the normal matrix and the solution; false when the normal equations are singular.
template <typename Columns>
bool solve(const TimingSeries& s, int size, Columns column, NormalMatrix& inverse, Vector& solution,
           const std::vector<long double>& target) {
    inverse = {};
    Vector right{};
    Vector v{};
    for (std::size_t i = 0; i < s.t.size(); ++i) {
        column(i, v);
        for (int j = 1; j <= size; ++j) {
            right[j] += v[j] * target[i];
            for (int k = 1; k <= size; ++k)
                inverse[j][k] += v[j] * v[k];
        }
    }
    if (invertMatrix(inverse, size) == 0) return false;
    solution = {};
    for (int j = 1; j <= size; ++j)
        for (int k = 1; k <= size; ++k)
            solution[j] += inverse[j][k] * right[k];
    return true;
}

// The even basis at one point: v[1 + k] = (x − τ)^(2k).
void evenBasis(long double d, int terms, Vector& v) {
    long double u = 1;
    for (int k = 0; k < terms; ++k, u *= d * d)
        v[1 + k] = u;
}

struct LinearFit {
    bool solved = false;
    Vector a{};          // a[1 + k], k = 0 ... terms − 1
    long double rss = 0; // residual sum of squares
    NormalMatrix inverse{};
};

// The polynomial with coefficients a in d², at d; v is room for the basis.
long double evenPolynomial(const Vector& a, long double d, int terms, Vector& v) {
    evenBasis(d, terms, v);
    long double p = 0;
    for (int k = 1; k <= terms; ++k)
        p += a[k] * v[k];
    return p;
}

LinearFit fitAbout(const TimingSeries& s, const Normalised& n, long double tau, int terms) {
    LinearFit f;
    const std::vector<long double> y(s.y.begin(), s.y.end());
    f.solved = solve(
        s, terms, [&](std::size_t i, Vector& v) { evenBasis(n.x[i] - tau, terms, v); }, f.inverse,
        f.a, y);
    if (!f.solved) return f;
    Vector v{};
    for (std::size_t i = 0; i < s.t.size(); ++i) {
        const long double r = y[i] - evenPolynomial(f.a, n.x[i] - tau, terms, v);
        f.rss += r * r;
    }
    return f;
}

// ∂p/∂τ at one point for the coefficients a.
long double slopeInCentre(const Vector& a, long double d, int terms) {
    long double sum = 0, power = d; // d^(2k−1)
    for (int k = 1; k < terms; ++k, power *= d * d)
        sum += -2 * k * a[1 + k] * power;
    return sum;
}

// The Gauss–Newton system about τ: the inverse of JᵀJ (τ last) and the step.
bool fullSystem(const TimingSeries& s, const Normalised& n, long double tau, int terms,
                const LinearFit& f, NormalMatrix& inverse, Vector& step) {
    std::vector<long double> residual(s.t.size());
    Vector v{};
    for (std::size_t i = 0; i < s.t.size(); ++i)
        residual[i] = s.y[i] - evenPolynomial(f.a, n.x[i] - tau, terms, v);
    return solve(
        s, terms + 1,
        [&](std::size_t i, Vector& column) {
            evenBasis(n.x[i] - tau, terms, column);
            column[terms + 1] = slopeInCentre(f.a, n.x[i] - tau, terms);
        },
        inverse, step, residual);
}

MinimumTiming refused(MessageText reason) {
    MinimumTiming r;
    r.method = TimingMethod::Symmetric;
    r.refusal = std::move(reason);
    return r;
}

} // namespace

MinimumTiming symmetricPolynomial(const TimingSeries& s, int terms) {
    terms = std::clamp(terms, 2, SymmetricMostTerms);
    const int needed = terms + 2; // the coefficients, T0 and one degree of freedom
    const auto count = static_cast<int>(s.t.size());
    if (count < needed || s.t.back() == s.t.front())
        return refused({message::TimingTooFewPoints,
                        {"symmetric polynomial", std::to_string(needed), std::to_string(count)}});
    const Normalised n = normalise(s);
    long double tau = (roughMinimum(s) - n.centre) / n.h;
    LinearFit f = fitAbout(s, n, tau, terms);
    NormalMatrix inverse{};
    Vector step{};
    for (int iteration = 0;; ++iteration) {
        if (!f.solved || !fullSystem(s, n, tau, terms, f, inverse, step))
            return refused(MessageText(message::TimingNoMinimum));
        long double shift = step[terms + 1];
        // A ten-billionth of half the range lies far below any timing error; a tighter bound
        // lets rounding in the data keep the steps from ever settling.
        if (std::fabs(shift) <= 1e-10L) break;
        if (iteration == StepLimit)
            return refused({message::TimingNotSettled, {std::to_string(StepLimit)}});
        // Halve a step that makes the fit worse.
        LinearFit next = fitAbout(s, n, tau + shift, terms);
        for (int halving = 0; halving < 40 && (!next.solved || next.rss > f.rss); ++halving) {
            shift /= 2;
            next = fitAbout(s, n, tau + shift, terms);
        }
        if (!next.solved || next.rss > f.rss) break; // no step improves it: τ is the minimum
        tau += shift;
        f = next;
        if (std::fabs(tau) > 1) break;
    }
    // The centre must be a minimum inside the range.
    if (std::fabs(tau) > 1 || !(f.a[2] > 0)) return refused(MessageText(message::TimingNoMinimum));
    const long double s2 = f.rss / (count - terms - 1);
    MinimumTiming r;
    r.method = TimingMethod::Symmetric;
    r.terms = terms;
    r.points = count;
    r.moment = static_cast<double>(n.centre + tau * n.h);
    r.momentError =
        static_cast<double>(std::sqrt(std::max(0.0L, s2 * inverse[terms + 1][terms + 1])) * n.h);
    r.value = static_cast<double>(s.flipped ? -f.a[1] : f.a[1]);
    r.valueError = static_cast<double>(std::sqrt(std::max(0.0L, s2 * inverse[1][1])));
    return r;
}

SymmetricValue symmetricValueAt(const TimingSeries& s, double time, int terms) {
    terms = std::clamp(terms, 1, SymmetricMostTerms);
    const auto count = static_cast<int>(s.t.size());
    terms = std::min(terms, count - 1);
    if (terms < 1 || s.t.back() == s.t.front()) return {};
    const Normalised n = normalise(s);
    const LinearFit f = fitAbout(s, n, (time - n.centre) / n.h, terms);
    if (!f.solved) return {};
    const long double s2 = f.rss / (count - terms);
    return {static_cast<double>(s.flipped ? -f.a[1] : f.a[1]),
            static_cast<double>(std::sqrt(std::max(0.0L, s2 * f.inverse[1][1])))};
}

} // namespace quelmar
