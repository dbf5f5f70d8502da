#include "KweeVanWoerden.h"

#include "ExtremumTables.h"
#include "SymmetricPolynomial.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>

namespace quelmar {

namespace {

constexpr int MoveLimit = 100; // moves of T1 before the timing is given up
constexpr int FewestPairs = 3;

// The series' values, interpolated linearly, at the times of a walk in one direction.
class Interpolation {
public:
    Interpolation(const TimingSeries& s, double start, bool upwards) : s_(s), up_(upwards) {
        const auto& t = s.t;
        const auto above = std::upper_bound(t.begin(), t.end(), start);
        i_ = static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(
            above - t.begin(), 1, static_cast<std::ptrdiff_t>(t.size()) - 1));
    }
    double at(double x) {
        const auto& t = s_.t;
        if (up_)
            while (i_ + 1 < t.size() && t[i_] < x)
                ++i_;
        else
            while (i_ > 1 && t[i_ - 1] > x)
                --i_;
        const double t0 = t[i_ - 1], t1 = t[i_];
        if (t1 == t0) return (s_.y[i_ - 1] + s_.y[i_]) / 2;
        const double w = (x - t0) / (t1 - t0);
        return s_.y[i_ - 1] + w * (s_.y[i_] - s_.y[i_ - 1]);
    }

private:
    const TimingSeries& s_;
    bool up_;
    std::size_t i_ = 1;
};

struct Lattice {
    double origin = 0; // the first observation
    double step = 0;   // Δt / 2
    double time(long long j) const { return origin + static_cast<double>(j) * step; }
    long long nearest(double t) const { return Nearest((t - origin) / step); }
};

// The offset of pair k (from 1) about lattice point j: whole spacings about an observation's
// place, half spacings between two.
double offset(long long j, int k, double spacing) {
    return (j % 2 == 0 ? k : k - 0.5) * spacing;
}

// The most pairs that fit in the series about lattice point j.
int pairsAbout(const TimingSeries& s, const Lattice& lattice, long long j, double spacing) {
    const double room = std::min(lattice.time(j) - s.t.front(), s.t.back() - lattice.time(j));
    if (room < 0) return 0;
    const double k = room / spacing + (j % 2 == 0 ? 0 : 0.5);
    return static_cast<int>(std::floor(k * (1 + 1e-12) + 1e-9));
}

double reflectionSum(const TimingSeries& s, const Lattice& lattice, long long j, int pairs,
                     double spacing) {
    const double centre = lattice.time(j);
    Interpolation left(s, centre, false), right(s, centre, true);
    double sum = 0;
    for (int k = 1; k <= pairs; ++k) {
        const double d = offset(j, k, spacing);
        const double difference = right.at(centre + d) - left.at(centre - d);
        sum += difference * difference;
    }
    return sum;
}

MessageText reflectionRunsOut(double time) {
    return {message::TimingReflectionRunsOut, {fixed(time, 5)}};
}

} // namespace

MinimumTiming kweeVanWoerden(const TimingSeries& s) {
    MinimumTiming r;
    r.method = TimingMethod::KweeVanWoerden;
    const auto n = static_cast<int>(s.t.size());
    if (n < KweeVanWoerdenMinimumPoints || s.t.back() == s.t.front()) {
        r.refusal = MessageText(
            message::TimingTooFewPoints,
            {"Kwee–van Woerden", std::to_string(KweeVanWoerdenMinimumPoints), std::to_string(n)});
        return r;
    }
    const double spacing = (s.t.back() - s.t.front()) / (n - 1);
    const Lattice lattice{s.t.front(), spacing / 2};
    long long j = lattice.nearest(roughMinimum(s));
    for (int move = 0; move < MoveLimit; ++move) {
        const int pairs =
            std::min({pairsAbout(s, lattice, j - 1, spacing), pairsAbout(s, lattice, j, spacing),
                      pairsAbout(s, lattice, j + 1, spacing)});
        if (pairs < FewestPairs) {
            r.refusal = reflectionRunsOut(lattice.time(j));
            return r;
        }
        const double below = reflectionSum(s, lattice, j - 1, pairs, spacing);
        const double at = reflectionSum(s, lattice, j, pairs, spacing);
        const double above = reflectionSum(s, lattice, j + 1, pairs, spacing);
        const double h = lattice.step;
        const double a = (above + below - 2 * at) / (2 * h * h);
        if (!(a > 0)) {
            r.refusal = MessageText(message::TimingNoMinimum);
            return r;
        }
        const double b = (above - below) / (2 * h); // slope at T1, in local time T − T1
        const double shift = -b / (2 * a);
        if (std::fabs(shift) > h) {
            const long long next = lattice.nearest(lattice.time(j) + shift);
            j = next == j ? j + (shift > 0 ? 1 : -1) : next;
            continue;
        }
        r.moment = lattice.time(j) + shift;
        const double centre = lattice.time(j);
        const double reach = offset(j, pairs, spacing);
        r.points = static_cast<int>(std::upper_bound(s.t.begin(), s.t.end(), centre + reach) -
                                    std::lower_bound(s.t.begin(), s.t.end(), centre - reach));
        const double z = r.points / 4.0;
        const double lowest = at - b * b / (4 * a); // S at T0: 4ac − b² over 4a
        // A parabola whose lowest S is not above 0 leaves the error undefined.
        r.momentError =
            z > 1 && lowest > 0 ? std::sqrt(lowest / (a * (z - 1))) : MomentErrorUnknown;
        const SymmetricValue value = symmetricValueAt(s, r.moment);
        r.value = value.value;
        r.valueError = value.error;
        return r;
    }
    r.refusal = MessageText(message::TimingNotSettled, {std::to_string(MoveLimit)});
    return r;
}

} // namespace quelmar
