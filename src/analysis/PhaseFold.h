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
    // The value is the one the plain scan computes, to the last bit, whatever frequency the
    // fold was at before.
    double theta(double frequency);

    // Files up to this many points are ordered by insertion from the previous fold's order;
    // larger ones by buckets.
    static constexpr std::size_t ReorderLimit = 1500;

    // A point as the fold moves it: 24 bytes. The key is the phase scaled to 32 bits and
    // truncated, so a larger key always means a larger phase; points of equal key are told
    // apart by their exact phase, recomputed from the offset, and then by their place.
    struct Point {
        double offset; // t(i) − t(1), days
        double value;  // w(i), the scaled value
        std::uint32_t key;
        std::uint32_t place; // i − 1
    };

private:
    void reorder(double frequency);
    void countBuckets(double frequency);
    void scatterIntoBuckets();
    double sortAndSum();
    double sortCrowdedBucketsAndSum();
    void sortCrowdedBucket(std::size_t begin, std::size_t end);
    double dispersion() const;

    std::size_t count_;
    double frequency_ = 0; // of the fold points_ is ordered for
    // points_ stays in the phase order of the previous fold: the next fold moves each point by
    // a small phase shift only, so the bucket scatter writes nearly sequentially and the
    // insertion of small files moves each point a few places.
    std::vector<Point> points_;
    std::vector<Point> scratch_;
    std::vector<std::uint32_t> bucketStart_; // [bucket + 1]
    unsigned bucketShift_ = 0;               // key >> bucketShift_ is the bucket
    std::uint32_t largestBucket_ = 0;
    std::vector<std::uint32_t> crowdedOrder_; // work space for sorting a crowded bucket
    double deviationSum_;
};

} // namespace quelmar
