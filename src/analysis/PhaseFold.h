#pragma once
// One worker's own copy of the observations, folded at a trial frequency and ordered by phase,
// giving the Lafler–Kinman phase-dispersion statistic Θ (Lafler & Kinman 1965, ApJS 11, 216):
// the sum of squared differences between neighbouring values in phase order, the last value
// compared with the first to close the cycle, divided by the sum of squared deviations from
// the mean. A small Θ marks a likely period.

#include "PeriodSeries.h"
#include "core/LargeArrays.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace quelmar {

class PhaseFold {
public:
    // Takes the copy; the memory the folds need is allocated here, none per frequency (the
    // buffers of a tile only grow to the largest tile).
    explicit PhaseFold(const PeriodSeries& series);
    // The arrays point into the fold's own block of memory.
    PhaseFold(const PhaseFold&) = delete;
    PhaseFold& operator=(const PhaseFold&) = delete;

    // Θ at the frequency f (cycles per day). The phase of a point is the fractional part of
    // (t(i) − t(1)) · f, brought into [0, 1); points of equal phase keep their file order.
    // The value is the one the plain scan computes, to the last bit, whatever frequency the
    // fold was at before.
    double theta(double frequency);
    // The same, readying the fold for nextFrequency as it goes: a scan that asks for that one
    // next saves a pass over the points. Any other frequency next is folded as above.
    double theta(double frequency, double nextFrequency);

    // Files up to this many points are ordered by insertion from the previous fold's order;
    // larger ones by buckets, and those above TileLimit are first dealt into tiles of phase
    // small enough for a core's own cache.
    static constexpr std::size_t ReorderLimit = 1500;
    static constexpr std::size_t TileLimit = 262144;

private:
    // The points in phase order, one array per field: 20 bytes a point, and the key of each at
    // the frequency the next order is built for, from the count of the buckets (files of up to
    // ReorderLimit points keep their keys in the order instead). Files dealt into tiles move
    // the 20 bytes only, and each tile computes its keys again.
    struct Points {
        double* offset;       // t(i) − t(1), days
        double* value;        // w(i), the scaled value
        std::uint32_t* place; // i − 1
        std::uint32_t* key;
    };
    // Copies a point from one copy of the points to a place in the other.
    struct PointMove {
        PointMove(const Points& from, const Points& to)
            : offset(from.offset), value(from.value), place(from.place), toOffset(to.offset),
              toValue(to.value), toPlace(to.place) {}
        void operator()(std::size_t from, std::size_t to) const {
            toOffset[to] = offset[from];
            toValue[to] = value[from];
            toPlace[to] = place[from];
        }
        const double* __restrict const offset;
        const double* __restrict const value;
        const std::uint32_t* __restrict const place;
        double* __restrict const toOffset;
        double* __restrict const toValue;
        std::uint32_t* __restrict const toPlace;
    };
    // The sum of squared steps so far along the phase order, and the ends of that order.
    struct Steps {
        double sum = 0;
        double first = 0;
        double last = 0;
        bool started = false;
    };

    void reorder(double frequency);
    void insertionSort(std::size_t begin, std::size_t end);

    void countBuckets(double frequency);
    void startBuckets();
    void scatterIntoBuckets();
    void sortCrowdedBuckets();
    void sortCrowdedBucket(std::size_t begin, std::size_t end);
    double settleGatherAndSum(bool sorted, double nextFrequency);

    double tiledTheta(double frequency, double nextFrequency);
    void countTiles(double frequency);
    void dealIntoTiles(double frequency, double nextFrequency);
    void sortTileAndSum(std::size_t begin, std::size_t end, Steps& steps);
    std::size_t tiles() const { return tileStart_.size() - 1; }

    std::size_t count_;
    // Every array of the fold below, in one block of memory: a few huge pages where the system
    // has them, rather than thousands of small pages to fault in one at a time.
    LargeBytes storage_;
    double frequency_ = 0; // of the fold points_ is ordered for
    double countedFor_ = std::numeric_limits<double>::quiet_NaN(); // bucketStart_ counts it
    // points_ stays in the phase order of the previous fold (in its tiles, for the largest
    // files): the next fold moves each point by a small phase shift only, so the bucket scatter
    // writes within a short sliding window and the insertion of small files moves each point a
    // few places.
    Points points_;
    Points scratch_;
    // The new order as the buckets take it: the phase scaled to 32 bits (the key) above the
    // point's index in points_. A larger key always means a larger phase; points of equal key
    // are told apart by their exact phase, recomputed from the offset, and then by their place.
    std::uint64_t* order_;
    // The keys, values and order of one tile, for files dealt into tiles.
    LargeVector<std::uint32_t> tileKeys_;
    LargeVector<double> tileValues_;
    LargeVector<std::uint64_t> tileOrder_;
    std::vector<std::uint32_t> bucketStart_; // [bucket + 1]
    unsigned bucketShift_ = 0;               // key >> bucketShift_ is the bucket
    std::uint32_t largestBucket_ = 0;
    std::vector<std::uint64_t> reordered_; // work space of the reorder of a small file
    // Tiles: the top bits of the key pick the tile, the bits below them the bucket within it.
    unsigned tileShift_ = 32;
    std::vector<std::uint32_t> tileStart_; // [tile + 1]
    std::vector<std::uint32_t> nextTiles_; // counts of the tiles for the next frequency
    double deviationSum_;
};

} // namespace quelmar
