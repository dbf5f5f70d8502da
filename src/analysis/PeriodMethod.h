#pragma once
// The statistics a period search can compute beside Lafler–Kinman's Θ, the settings each one
// takes, and the observations they work on: times, values and weights 1/σ².

#include "PeriodSeries.h"
#include "core/LargeArrays.h"

#include <string>
#include <string_view>
#include <vector>

namespace quelmar {

enum class PeriodMethod { LaflerKinman, LombScargle, BoxLeastSquares, PhaseDispersion };

// "lk", "gls", "bls", "pdm"; throws QuelmarError for any other name.
PeriodMethod periodMethodNamed(std::string_view name);
std::string_view periodMethodName(PeriodMethod method);
// The statistic the periodogram's second column holds, as --json names it.
std::string_view statisticName(PeriodMethod method);
// Θ and PDM's θ mark a period by a minimum, the powers by a maximum.
inline bool lowMarksPeriod(PeriodMethod method) {
    return method == PeriodMethod::LaflerKinman || method == PeriodMethod::PhaseDispersion;
}
// The statistic's level far from any period (pure noise): a peak's half width is measured
// halfway between it and the peak.
double noiseLevel(PeriodMethod method, int points);

inline constexpr int MaxHarmonics = 6;

struct MethodSettings {
    PeriodMethod method = PeriodMethod::LaflerKinman;
    int harmonics = 1;             // Lomb–Scargle terms, 1 … MaxHarmonics
    std::vector<double> durations; // box lengths, days (empty: defaultDurations)
    int bins = 10;                 // phase-dispersion bins
    int covers = 3;                // phase-dispersion covers: bins shifted by 1/(bins·covers)
};

// Ten box lengths from 0.02 d (or a twentieth of the shortest period) to 0.25 d (or a quarter
// of it), evenly spaced in logarithm.
std::vector<double> defaultDurations(double shortestPeriod);

// Refuses what makes a method's statistic meaningless, naming it: harmonics outside 1 … 6,
// durations that are not positive or not shorter than the shortest period, fewer than three
// points per phase bin on average, covers below 1.
void checkMethodSettings(const MethodSettings& settings, double shortestPeriod, int points);

// The observations as the methods use them, numbered from 0: times from the earliest date,
// values, weights (1 when no error column is given).
struct WeightedSeries {
    double epoch0 = 0; // the earliest date; times are counted from it
    LargeVector<double> t, y, w;
    std::size_t size() const { return t.size(); }
};

WeightedSeries weightedSeries(const PeriodSeries& series, const std::vector<double>& errors = {});

// The errors (column errorColumn, from 1) of the observations readPeriodSeries keeps, in its
// order. Throws QuelmarError naming the file and line of an error that is missing, zero or
// negative: it could not be a weight 1/σ².
std::vector<double> readErrorColumn(const std::string& path, int valueColumn, int errorColumn);

} // namespace quelmar
