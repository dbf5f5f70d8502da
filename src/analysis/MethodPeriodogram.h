#pragma once
// The periodograms of the methods beside Lafler–Kinman: computed over the trial frequencies of
// the scan on every core, written as the scan writes Θ (frequency, statistic, period, 8
// decimals, CR LF), and the permutation test of the best peak's significance.

#include "BoxLeastSquares.h"
#include "PeriodPeaks.h"
#include "PeriodScan.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quelmar {

// The statistic at every trial frequency of the grid. A progress, when given, counts the
// frequencies done, and its cancel stops the work: the periodogram is then incomplete.
Periodogram methodPeriodogram(const WeightedSeries& series, const PeriodSeries& values,
                              const MethodSettings& settings, const FrequencyGrid& grid,
                              unsigned threads, ScanProgress* progress = nullptr);

// The same periodogram into a sink, as the scan delivers Θ, for a window that polls the
// progress. A cancelled one delivers no line: its frequencies were shared out, not done in order.
ScanOutcome methodScan(const WeightedSeries& series, const PeriodSeries& values,
                       const MethodSettings& settings, const FrequencyGrid& grid,
                       PeriodogramSink& sink, unsigned threads, ScanProgress& progress);

// Writes the periodogram (the command has checked that it is no file it reads).
void writePeriodogram(const Periodogram& periodogram, const std::string& outputPath);

// The best line: the smallest Θ or the largest power, the first of equals.
std::size_t bestLine(const Periodogram& periodogram, bool lowIsBetter);

// The box of the best frequency, for the box search.
TransitBox bestTransit(const WeightedSeries& series, const MethodSettings& settings,
                       double frequency);

struct FalseAlarm {
    double probability = 0; // (as extreme + 1) / (permutations + 1)
    long long asExtreme = 0;
    long long permutations = 0;
};

// Shuffles the values (with their weights) over the dates `permutations` times and counts the
// shuffles whose best statistic is as extreme as `best`. Each shuffle has its own random stream
// drawn from the seed, so the result is the same on any number of threads. Setting *cancel
// stops the shuffles early, and the result is to be dropped.
FalseAlarm permutationFalseAlarm(const WeightedSeries& series, const PeriodSeries& values,
                                 const MethodSettings& settings, const FrequencyGrid& grid,
                                 double best, long long permutations, std::uint64_t seed,
                                 unsigned threads, const std::atomic<bool>* cancel = nullptr);

inline constexpr long long MaxPermutations = 100'000;

// What a search reports beside its periodogram: the listed peaks (best first), the box of the
// best one for the box search, and the false-alarm probability when permutations are asked.
struct PeriodReport {
    PeriodMethod method = PeriodMethod::LaflerKinman;
    std::vector<PeriodPeak> peaks;
    std::optional<TransitBox> box;
    std::optional<FalseAlarm> fap;
};

// Throws QuelmarError naming the series when the periodogram has no line to report; *cancel
// stops the permutations early, as permutationFalseAlarm says.
PeriodReport periodReport(const Periodogram& periodogram, const WeightedSeries& series,
                          const PeriodSeries& values, const MethodSettings& settings,
                          const FrequencyGrid& grid, long long permutations, std::uint64_t seed,
                          unsigned threads, const std::atomic<bool>* cancel = nullptr);

} // namespace quelmar
