#pragma once
// The period scan written out plainly, one trial frequency after another, with the Shell sort
// that moves each phase together with its value. The engine's periodogram is checked against
// this one byte for byte, and the benchmark measures the engine against it.
//
// Points of exactly equal phase (repeated dates) are ordered by their place in the file, the
// one rule that makes Θ independent of the sort; the Shell sort alone would order them by the
// accident of its gaps. Arrays are numbered from 1, element 0 unused. The time span is the
// latest date minus the earliest, so input out of time order ends its scan too.

#include "core/numbers.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace quelmar::test {

inline void shellSortByPhase(std::vector<double>& phase, std::vector<double>& work,
                             std::vector<int>& place, int n) {
    const auto goesAfter = [&](int a, int b) {
        return phase[a] > phase[b] || (phase[a] == phase[b] && place[a] > place[b]);
    };
    int h = 1;
    while (n / 9.0 > h)
        h = 3 * h + 1;
    do {
        for (int i = h + 1; i <= n; ++i) {
            for (int q = i - h; q >= 1 && goesAfter(q, q + h); q -= h) {
                std::swap(phase[q], phase[q + h]);
                std::swap(work[q], work[q + h]);
                std::swap(place[q], place[q + h]);
            }
        }
        h /= 3;
    } while (h != 0);
}

// The periodogram text for dates t and values v (both [1 ... n]).
inline std::string directPeriodogram(const std::vector<double>& t, const std::vector<double>& v,
                                     double pmin, double pmax, double s) {
    const int n = static_cast<int>(t.size()) - 1;
    std::vector<double> work(t.size()), phase(t.size());
    std::vector<int> place(t.size());
    if (pmin > pmax) std::swap(pmin, pmax);
    const double fmin = 1 / pmax;
    const double fmax = 1 / pmin;
    const auto [earliest, latest] = std::minmax_element(t.begin() + 1, t.end());
    const double df = s / (*latest - *earliest);

    double mean = 0;
    for (int i = 1; i <= n; ++i)
        mean += v[i];
    mean /= n;
    double S = 0;
    for (int i = 1; i <= n; ++i)
        S += (v[i] - mean) * (v[i] - mean);

    std::string periodogram;
    for (double f = fmin; f <= fmax; f += df) {
        const double P = 1 / f;
        for (int i = 1; i <= n; ++i) {
            work[i] = v[i];
            place[i] = i;
            const double x = (t[i] - t[1]) * f;
            phase[i] = x - std::trunc(x);
            if (phase[i] < 0) phase[i] += 1;
        }
        if (n > 1) shellSortByPhase(phase, work, place, n);
        double sum = 0;
        for (int i = 2; i <= n; ++i)
            sum += (work[i] - work[i - 1]) * (work[i] - work[i - 1]);
        const double theta = ((work[n] - work[1]) * (work[n] - work[1]) + sum) / S;
        periodogram += fixed(f, 8) + " " + fixed(theta, 8) + " " + fixed(P, 8) + "\r\n";
    }
    return periodogram;
}

} // namespace quelmar::test
