#include "PolynomialFit.h"

#include "core/numbers.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace quelmar {

namespace {

using Coefficients = std::array<long double, MaxTermCount + 1>; // [1 ... m]

// One channel over the range, in normalised time, with the power sums of its present points.
struct FitSeries {
    long double xMean = 0;
    long double dx = 0;
    std::vector<double> t; // [i - first], every point of the range
    std::vector<double> y;
    std::vector<std::uint8_t> missing; // [i - first]: the store's mask
    int points = 0;                    // present points (value not missing)
    int distinctTimes = 0; // distinct times among them: at most this many terms are solvable
    double tLow = 0;       // normalised times of the range's ends
    double tHigh = 0;
    std::array<long double, MaxTermCount + 1> b{};     // b[k] = Σ y·t^(k−1), k = 1 ... 11
    std::array<long double, 2 * MaxTermCount - 1> s{}; // s[k] = Σ t^k, k = 0 ... 20

    bool present(std::size_t j) const { return missing[j] == 0; }
};

// b and s over the present points. Four points at a time, so that the four chains of
// multiplications building their powers overlap; a missing value contributes nothing.
void addPowerSums(FitSeries& f) {
    constexpr std::size_t lanes = 4;
    const std::size_t n = f.t.size();
    for (std::size_t j = 0; j < n; j += lanes) {
        long double power[lanes], t[lanes], y[lanes];
        for (std::size_t l = 0; l < lanes; ++l) {
            const bool inside = j + l < n && f.present(j + l);
            power[l] = inside ? 1 : 0;
            t[l] = inside ? f.t[j + l] : 0;
            y[l] = inside ? f.y[j + l] : 0;
        }
        for (int k = 0; k <= 2 * MaxTermCount - 2; ++k) {
            f.s[k] += (power[0] + power[1]) + (power[2] + power[3]);
            if (k < MaxTermCount)
                f.b[k + 1] +=
                    (y[0] * power[0] + y[1] * power[1]) + (y[2] * power[2] + y[3] * power[3]);
            for (std::size_t l = 0; l < lanes; ++l)
                power[l] *= t[l];
        }
    }
}

FitSeries prepare(const PointStore& store, int c, int first, int last) {
    FitSeries f;
    const auto n = static_cast<std::size_t>(last - first + 1);
    for (int i = first; i <= last; ++i)
        f.xMean += store.time(i);
    f.xMean /= static_cast<long double>(n);
    f.dx = static_cast<long double>(store.time(last)) - store.time(first);
    if (f.dx == 0) return f;
    f.t.resize(n);
    f.y.resize(n);
    f.missing.resize(n);
    double previousTime = 0;
    for (std::size_t j = 0; j < n; ++j) {
        const int i = first + static_cast<int>(j);
        f.t[j] = static_cast<double>((store.time(i) - f.xMean) / f.dx);
        f.y[j] = store.value(c, i);
        f.missing[j] = store.missing(c, i);
        if (!f.present(j)) continue;
        if (f.points == 0 || store.time(i) != previousTime) ++f.distinctTimes;
        previousTime = store.time(i);
        ++f.points;
    }
    addPowerSums(f);
    f.tLow = std::min(f.t.front(), f.t.back());
    f.tHigh = std::max(f.t.front(), f.t.back());
    return f;
}

// The normal equations of m terms, inverted in place, and the coefficients; nothing when they
// have no unique solution (fewer distinct times than terms, or a zero pivot).
std::optional<Coefficients> solve(const FitSeries& f, int m, NormalMatrix& a) {
    a = {};
    for (int j = 1; j <= m; ++j)
        for (int k = 1; k <= m; ++k)
            a[j][k] = f.s[j + k - 2];
    if (invertMatrix(a, m) == 0 || m > f.distinctTimes) return std::nullopt;
    Coefficients c{};
    for (int j = 1; j <= m; ++j)
        for (int k = 1; k <= m; ++k)
            c[j] += a[j][k] * f.b[k];
    return c;
}

long double valueAt(const Coefficients& c, int m, long double t) {
    long double p = 0;
    for (int k = m; k >= 1; --k)
        p = p * t + c[k];
    return p;
}

long double slopeAt(const Coefficients& c, int m, long double t) {
    long double p = 0;
    for (int k = m; k >= 2; --k)
        p = p * t + (k - 1) * c[k];
    return p;
}

long double curvatureAt(const Coefficients& c, int m, long double t) {
    long double p = 0;
    for (int k = m; k >= 3; --k)
        p = p * t + (k - 1) * (k - 2) * c[k];
    return p;
}

// vᵀ A⁻¹ v for the inverse held in a.
long double quadraticForm(const NormalMatrix& a, int m, const Coefficients& v) {
    long double sum = 0;
    for (int j = 1; j <= m; ++j)
        for (int k = 1; k <= m; ++k)
            sum += a[j][k] * v[j] * v[k];
    return sum;
}

struct NewtonResult {
    long double t = 0;
    long double curvature = 0; // p″ of the last step
    bool settled = false;
};

NewtonResult findStationaryPoint(const Coefficients& c, int m, long double t) {
    NewtonResult r;
    for (int step = 1; step <= NewtonStepLimit; ++step) {
        const long double slope = slopeAt(c, m, t);
        r.curvature = curvatureAt(c, m, t);
        const long double dt = std::fabs(r.curvature) > 1e-32L ? -slope / r.curvature : 0;
        t += dt;
        if (std::fabs(dt) <= 1e-8L) {
            r.settled = true;
            break;
        }
    }
    r.t = t;
    return r;
}

class ExtremumFitter {
public:
    ExtremumFitter(const PointStore& store, int c, int first, int last, int run,
                   ExtremumTables& tables)
        : c_(c), first_(first), last_(last), run_(run), tables_(tables),
          f_(prepare(store, c, first, last)) {}

    const FitSeries& series() const { return f_; }
    TermFit fit(int m);

private:
    void storeCurve(int m, const Coefficients& c, long double& squaredResiduals);
    long double firstStart(const FitCurve& curve);
    void storeExtremum(int m, const Coefficients& c, long double s2, const NewtonResult& newton,
                       bool momentKnown);

    int c_, first_, last_, run_;
    ExtremumTables& tables_;
    FitSeries f_;
    NormalMatrix inverse_{};
    std::optional<long double> runStart_;  // where the run's first Newton iteration starts
    std::optional<long double> nextStart_; // where the next one starts
};

TermFit ExtremumFitter::fit(int m) {
    const std::optional<Coefficients> c = solve(f_, m, inverse_);
    if (!c) {
        tables_.FitCurves[c_][m] = FitCurve{};
        return {m, ExtremumNote::Singular};
    }
    long double squaredResiduals = 0;
    storeCurve(m, *c, squaredResiduals);
    const long double s2 = squaredResiduals / (f_.points - m);
    if (!runStart_) nextStart_ = runStart_ = firstStart(tables_.FitCurves[c_][m]);
    const NewtonResult newton = findStationaryPoint(*c, m, *nextStart_);
    const bool inRange = newton.t >= f_.tLow && newton.t <= f_.tHigh;
    storeExtremum(m, *c, s2, newton, newton.settled && inRange);
    // A later term count starts where this one ended, unless this one went astray.
    nextStart_ = newton.settled && inRange ? newton.t : *runStart_;
    if (m < 2) return {m, ExtremumNote::None};
    if (!newton.settled) return {m, ExtremumNote::NewtonNotSettled};
    if (!inRange) return {m, ExtremumNote::NewtonLeftRange};
    return {m, ExtremumNote::None};
}

void ExtremumFitter::storeCurve(int m, const Coefficients& c, long double& squaredResiduals) {
    FitCurve& curve = tables_.FitCurves[c_][m];
    curve.run = run_;
    curve.first = first_;
    curve.last = last_;
    curve.values.resize(f_.t.size());
    // Several points at a time, so that their evaluations overlap instead of each waiting on
    // the previous multiplication.
    constexpr std::size_t lanes = 4;
    const std::size_t n = f_.t.size();
    std::size_t j = 0;
    for (; j + lanes <= n; j += lanes) {
        long double p[lanes] = {};
        for (int k = m; k >= 1; --k)
            for (std::size_t l = 0; l < lanes; ++l)
                p[l] = p[l] * f_.t[j + l] + c[k];
        for (std::size_t l = 0; l < lanes; ++l) {
            curve.values[j + l] = static_cast<double>(p[l]);
            const long double r = p[l] - f_.y[j + l];
            if (f_.present(j + l)) squaredResiduals += r * r;
        }
    }
    for (; j < n; ++j) {
        const long double p = valueAt(c, m, f_.t[j]);
        curve.values[j] = static_cast<double>(p);
        if (f_.present(j)) squaredResiduals += (p - f_.y[j]) * (p - f_.y[j]);
    }
}

// The vertex of the 3-term fit when it lies within the range; otherwise the time of the
// fitted value farthest from the mean of the fitted values.
long double ExtremumFitter::firstStart(const FitCurve& curve) {
    NormalMatrix scratch{};
    if (const auto parabola = solve(f_, 3, scratch); parabola && (*parabola)[3] != 0) {
        const long double vertex = -(*parabola)[2] / (2 * (*parabola)[3]);
        if (vertex >= f_.tLow && vertex <= f_.tHigh) return vertex;
    }
    long double mean = 0;
    for (std::size_t j = 0; j < f_.t.size(); ++j)
        if (f_.present(j)) mean += curve.values[j];
    mean /= f_.points;
    std::size_t farthest = 0;
    long double distance = -1;
    for (std::size_t j = 0; j < f_.t.size(); ++j)
        if (f_.present(j) && std::fabs(curve.values[j] - mean) > distance) {
            distance = std::fabs(curve.values[j] - mean);
            farthest = j;
        }
    return f_.t[farthest];
}

void ExtremumFitter::storeExtremum(int m, const Coefficients& c, long double s2,
                                   const NewtonResult& newton, bool momentKnown) {
    const long double t = newton.t;
    Coefficients u{}; // ∂p/∂c_j at t
    Coefficients w{}; // ∂p′/∂c_j at t
    long double power = 1;
    for (int j = 1; j <= m; ++j) {
        u[j] = power;
        if (j + 1 <= m) w[j + 1] = j * power;
        power *= t;
    }
    tables_.ExtremumValue[c_][m] = static_cast<double>(valueAt(c, m, t));
    tables_.ExtremumValueError[c_][m] =
        static_cast<double>(std::sqrt(std::max(0.0L, s2 * quadraticForm(inverse_, m, u))));
    if (m < 2) return;
    const long double curvature = std::fabs(newton.curvature);
    double error = MomentErrorUnknown;
    if (momentKnown && curvature > 1e-32L)
        error = static_cast<double>(std::sqrt(std::fabs(s2 * quadraticForm(inverse_, m, w))) /
                                    curvature * f_.dx);
    tables_.ExtremumMomentError[c_][m] = error;
    tables_.ExtremumMoment[c_][m] = static_cast<double>(t * f_.dx + f_.xMean);
}

} // namespace

ChannelFit fitExtremum(const PointStore& store, int c, int first, int last, TermRange terms,
                       int run, ExtremumTables& tables) {
    ChannelFit result;
    result.channel = c;
    result.first = first;
    result.last = last;
    result.run = run;
    if (first < 1 || last > store.PointCount || first > last) {
        if (terms.first <= terms.last) {
            result.refusal = FitRefusal::TooFewPoints;
            result.refusedTerms = terms.last;
        }
        return result;
    }
    ExtremumFitter fitter(store, c, first, last, run, tables);
    const FitSeries& f = fitter.series();
    result.points = f.points;
    result.leftOut = f.dx == 0 ? 0 : last - first + 1 - f.points;
    if (terms.first > terms.last) return result;
    if (f.dx == 0) {
        result.refusal = FitRefusal::NoTimeSpan;
        return result;
    }
    if (terms.last >= f.points) {
        result.refusal = FitRefusal::TooFewPoints;
        result.refusedTerms = terms.last;
        return result;
    }
    for (int m = terms.first; m <= terms.last; ++m)
        result.terms.push_back(fitter.fit(m));
    return result;
}

std::string extremumNumbers(const ExtremumTables& tables, int c, int m, int decimals) {
    static const std::string plusMinus = "\xC2\xB1";
    return fixed(tables.ExtremumMoment[c][m], decimals) + plusMinus +
           fixed(tables.ExtremumMomentError[c][m], decimals) + " " +
           fixed(tables.ExtremumValue[c][m], decimals) + plusMinus +
           fixed(tables.ExtremumValueError[c][m], decimals);
}

int bestTermCount(const ExtremumTables& tables, const ChannelFit& fit, TermRange terms) {
    int best = 0;
    for (const TermFit& term : fit.terms) {
        if (term.terms < 2 || term.note == ExtremumNote::Singular) continue;
        const auto& errors = tables.ExtremumMomentError[fit.channel];
        if (best == 0 || errors[term.terms] < errors[best]) best = term.terms;
    }
    return best == 0 ? terms.first : best;
}

std::string_view extremumNoteName(ExtremumNote note) {
    switch (note) {
    case ExtremumNote::Singular:
        return "singular";
    case ExtremumNote::NewtonNotSettled:
        return "not_settled";
    case ExtremumNote::NewtonLeftRange:
        return "left_range";
    case ExtremumNote::None:
        break;
    }
    return "";
}

} // namespace quelmar
