#include "PeriodPeaks.h"

#include "HarmonicFit.h"

#include "core/TextFile.h"
#include "core/TextSlices.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace quelmar {

namespace {

struct Alias {
    double frequency; // cycles per day
    const char* name;
};
// The solar day, the sidereal day and the synodic month.
constexpr Alias Aliases[] = {{1.0, "1-day alias"},
                             {1.0 / 0.99726957, "sidereal-day alias"},
                             {1.0 / 29.530589, "lunar alias"}};

struct Multiple {
    double factor;
    const char* name;
};
constexpr Multiple Multiples[] = {{3, "3x"}, {2, "2x"}, {0.5, "1/2x"}, {1.0 / 3, "1/3x"}};

// Half the width in frequency where the statistic is halfway between the peak and the noise.
double halfWidthAt(const Periodogram& p, std::size_t peak, double noise) {
    const double half = 0.5 * (p.statistics[peak] + noise);
    const bool low = p.statistics[peak] < noise;
    auto beyond = [&](std::size_t i) {
        return low ? p.statistics[i] >= half : p.statistics[i] <= half;
    };
    auto crossing = [&](std::size_t inside, std::size_t outside) {
        const double a = p.statistics[inside], b = p.statistics[outside];
        const double share = a == b ? 0 : (half - a) / (b - a);
        return p.frequencies[inside] + share * (p.frequencies[outside] - p.frequencies[inside]);
    };
    std::size_t left = peak, right = peak;
    while (left > 0 && !beyond(left - 1))
        --left;
    while (right + 1 < p.frequencies.size() && !beyond(right + 1))
        ++right;
    const double lo = left > 0 ? crossing(left, left - 1) : p.frequencies[left];
    const double hi =
        right + 1 < p.frequencies.size() ? crossing(right, right + 1) : p.frequencies[right];
    return 0.5 * (hi - lo);
}

// The harmonics the fit of a peak takes: the method's own for Lomb–Scargle, enough for the
// shape of a pulsating star or an eclipse otherwise.
int fitHarmonics(const MethodSettings& settings) {
    switch (settings.method) {
    case PeriodMethod::LombScargle:
        return settings.harmonics;
    case PeriodMethod::BoxLeastSquares:
        return MaxHarmonics;
    default:
        return 3;
    }
}

double medianStatistic(const Periodogram& p) {
    std::vector<double> sorted = p.statistics;
    const auto middle = sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 2);
    std::nth_element(sorted.begin(), middle, sorted.end());
    return *middle;
}

} // namespace

std::vector<PeriodPeak> searchPeaks(const Periodogram& periodogram, const MethodSettings& settings,
                                    const WeightedSeries& weighted, const PeriodSeries& series) {
    return findPeaks(periodogram, lowMarksPeriod(settings.method),
                     noiseLevel(settings.method, series.count()), 1 / series.timeSpan, weighted,
                     fitHarmonics(settings));
}

bool minimaMarkPeriods(const Periodogram& p) {
    if (p.statistics.empty()) return true;
    const auto [lowest, highest] = std::minmax_element(p.statistics.begin(), p.statistics.end());
    const double median = medianStatistic(p);
    return median - *lowest >= *highest - median;
}

std::vector<PeriodPeak> periodogramFilePeaks(const Periodogram& periodogram,
                                             const WeightedSeries& weighted,
                                             const PeriodSeries& series) {
    if (periodogram.statistics.empty()) return {};
    return findPeaks(periodogram, minimaMarkPeriods(periodogram), medianStatistic(periodogram),
                     1 / series.timeSpan, weighted, 3);
}

std::vector<PeriodPeak> findPeaks(const Periodogram& p, bool lowIsBetter, double noise,
                                  double resolution, const WeightedSeries& series, int harmonics) {
    const std::size_t n = p.frequencies.size();
    auto better = [&](double a, double b) { return lowIsBetter ? a < b : a > b; };
    std::vector<std::size_t> extrema;
    for (std::size_t i = 0; i < n; ++i)
        if ((i == 0 || !better(p.statistics[i - 1], p.statistics[i])) &&
            (i + 1 == n || !better(p.statistics[i + 1], p.statistics[i])))
            extrema.push_back(i);
    std::stable_sort(extrema.begin(), extrema.end(), [&](std::size_t a, std::size_t b) {
        return better(p.statistics[a], p.statistics[b]);
    });
    struct Fitted {
        PeriodPeak peak;
        double reach = 0;
        std::exception_ptr failure;
    };
    std::vector<Fitted> fitted;
    for (const std::size_t i : extrema) {
        if (static_cast<int>(fitted.size()) == ListedPeaks) break;
        if (std::any_of(fitted.begin(), fitted.end(), [&](const Fitted& q) {
                return std::abs(q.peak.frequency - p.frequencies[i]) <= resolution;
            }))
            continue;
        Fitted item;
        item.peak.frequency = p.frequencies[i];
        item.peak.statistic = p.statistics[i];
        const double width = halfWidthAt(p, i, noise);
        item.reach = std::max(width, 0.5 * resolution);
        item.peak.halfWidth = width / (item.peak.frequency * item.peak.frequency);
        fitted.push_back(item);
    }
    // The fits pass over every point some ten times each and do not depend on each other.
    runOnThreads(fitted, [&](Fitted& item) {
        try {
            const FrequencyFit fit =
                fitFrequency(series, harmonics, item.peak.frequency, item.reach);
            item.peak.period = fit.period();
            item.peak.periodError = fit.periodError();
        } catch (...) {
            item.failure = std::current_exception();
        }
    });
    std::vector<PeriodPeak> peaks;
    for (const Fitted& item : fitted) {
        if (item.failure) std::rethrow_exception(item.failure);
        peaks.push_back(item.peak);
    }
    labelRelations(peaks);
    return peaks;
}

void labelRelations(std::vector<PeriodPeak>& peaks) {
    for (PeriodPeak& a : peaks) {
        for (const PeriodPeak& b : peaks) {
            if (&a == &b || !a.relation.empty()) continue;
            for (const Multiple& m : Multiples)
                if (a.relation.empty() && std::abs(a.period - m.factor * b.period) <=
                                              a.halfWidth + m.factor * b.halfWidth) {
                    a.relation = m.name;
                    a.relationTo = b.period;
                }
            // Frequencies an alias apart; only the weaker of the two is labelled.
            if (&b > &a) continue;
            const double fa = 1 / a.period, fb = 1 / b.period;
            const double tolerance = a.halfWidth * fa * fa + b.halfWidth * fb * fb;
            for (const Alias& alias : Aliases)
                if (a.relation.empty() &&
                    std::abs(std::abs(fa - fb) - alias.frequency) <= tolerance) {
                    a.relation = alias.name;
                    a.relationTo = b.period;
                }
        }
    }
}

Periodogram readPeriodogram(const std::string& path) {
    const FileContent file(path);
    LineReader lines(file.text());
    Periodogram p;
    std::string_view text;
    while (lines.next(text)) {
        LineTokens tokens(text);
        const auto f = parseNumber(tokens.next());
        const auto statistic = parseNumber(tokens.next());
        if (!f || !statistic) continue;
        p.frequencies.push_back(*f);
        p.statistics.push_back(*statistic);
    }
    return p;
}

} // namespace quelmar
