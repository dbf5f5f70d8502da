#pragma once
// The peaks of a periodogram an observer reports: the five best local extrema farther apart
// than the resolution 1 / T, each with its period refined by a harmonic fit, the fit's formal
// error and the peak's half width, and labelled when it is a multiple (3, 2, 1/2, 1/3) or a
// one-day, sidereal-day or lunar alias of another listed peak.

#include "PeriodMethod.h"
#include "PeriodScan.h"

#include <string>
#include <vector>

namespace quelmar {

struct PeriodPeak {
    double frequency = 0; // of the periodogram line
    double statistic = 0;
    double period = 0;      // refined by the fit
    double periodError = 0; // the fit's formal error, days
    double halfWidth = 0;   // of the peak, in period (days)
    std::string relation;   // "3x", "1/2x", "1-day alias", … or empty
    double relationTo = 0;  // the period of the peak it relates to
};

inline constexpr int ListedPeaks = 5;

// The peaks, best first. lowIsBetter for Θ; the half width is taken where the statistic is
// halfway between the peak and `noise`.
std::vector<PeriodPeak> findPeaks(const Periodogram& periodogram, bool lowIsBetter, double noise,
                                  double resolution, const WeightedSeries& series, int harmonics);

// The peaks a search of `series` by the method of `settings` lists from its periodogram: the
// noise level and harmonics of that method, the resolution of the series' time span.
std::vector<PeriodPeak> searchPeaks(const Periodogram& periodogram, const MethodSettings& settings,
                                    const WeightedSeries& weighted, const PeriodSeries& series);

// The peaks of a periodogram file whose method is not known (one opened from disk): minima mark
// its periods when its deepest minimum stands farther below the median than its highest
// maximum above it, as Θ's and θ's do, maxima otherwise, as powers do; the median is the noise
// level. The fit takes three harmonics.
std::vector<PeriodPeak> periodogramFilePeaks(const Periodogram& periodogram,
                                             const WeightedSeries& weighted,
                                             const PeriodSeries& series);
bool minimaMarkPeriods(const Periodogram& periodogram);

// Labels each peak by its first relation to another listed one.
void labelRelations(std::vector<PeriodPeak>& peaks);

// The periodogram a file holds (frequency and statistic of each line), as the scan wrote it.
Periodogram readPeriodogram(const std::string& path);

} // namespace quelmar
