#pragma once
// One worker's own copy of the observations, folded at a trial frequency and ordered by phase,
// giving the Lafler–Kinman phase-dispersion statistic Θ (Lafler & Kinman 1965, ApJS 11, 216):
// the sum of squared differences between neighbouring values in phase order, the last value
// compared with the first to close the cycle, divided by the sum of squared deviations from
// the mean. A small Θ marks a likely period.

#include "PeriodSeries.h"

#include <cstdint>
#include <vector>

namespace quelmar {

class PhaseFold {
public:
    // Takes the copy; all memory the folds need is allocated here, none per frequency.
    explicit PhaseFold(const PeriodSeries& series);

    // Θ at the frequency f (cycles per day). The phase of a point is the fractional part of
    // (t(i) − t(1)) · f, brought into [0, 1); points of equal phase keep their file order.
    double theta(double frequency);

private:
    // A point is four doubles side by side: its phase, its offset t(i) − t(1) in days, its
    // value and its place i in the file. They live in plain arrays of doubles so that the
    // arrays can sit on huge pages: faulting in a million points' worth of small pages costs
    // more than several folds. Points of equal phase (repeated dates) are ordered by their
    // place in the file, so Θ does not depend on the order an earlier fold left them in.
    static constexpr std::size_t Phase = 0, Offset = 1, Value = 2, Place = 3, Stride = 4;

    void foldAndCount(double frequency);
    void scatterIntoBuckets();
    void sortBuckets();
    // Whether point a comes after point b in phase order.
    static bool goesAfter(const double* a, const double* b);
    void insertionSort(std::size_t begin, std::size_t end);
    void sortCrowdedBucket(std::size_t begin, std::size_t end);
    double dispersion() const;
    std::uint32_t bucketOf(double phase) const;

    std::size_t count_;
    // points_ stays in the phase order of the previous fold: the next fold moves each point by
    // a small phase shift only, so the bucket scatter writes nearly sequentially.
    std::vector<double> points_;
    std::vector<double> scratch_;
    std::vector<std::uint32_t> bucketStart_; // [bucket + 1], one more for a phase of exactly 1
    std::uint32_t largestBucket_ = 0;
    std::vector<std::uint32_t> crowdedOrder_; // work space for sorting a crowded bucket
    double bucketScale_;
    double deviationSum_;
};

} // namespace quelmar
