#include "PhaseFold.h"
#include "FoldKernels.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

namespace quelmar {

namespace {

// Buckets this small are ordered faster by insertion than by a general sort.
constexpr std::uint32_t InsertionLimit = 24;

// The phase exactly as the plain scan computes it.
inline double foldedPhase(double offset, double frequency) {
    const double x = offset * frequency;
    const double phase = x - std::trunc(x);
    return phase < 0 ? phase + 1 : phase;
}

// Whether entry a comes after entry b in phase order; equal keys are settled by the exact
// phases of the points, then by their places.
struct PhaseOrder {
    const double* offset;
    const std::uint32_t* place;
    double frequency;

    bool after(std::uint64_t a, std::uint64_t b) const {
        if (keyOf(a) != keyOf(b)) return keyOf(a) > keyOf(b);
        // Equal dates have equal phases at every frequency: only their places tell them apart.
        const double oa = offset[indexOf(a)], ob = offset[indexOf(b)];
        if (oa != ob) {
            const double pa = foldedPhase(oa, frequency), pb = foldedPhase(ob, frequency);
            if (pa != pb) return pa > pb;
        }
        return place[indexOf(a)] > place[indexOf(b)];
    }
    // Moves order[i] left to its place among order[begin ... i − 1], which are in order.
    void insert(std::uint64_t* order, std::size_t begin, std::size_t i) const {
        const std::uint64_t moving = order[i];
        std::size_t j = i;
        for (; j > begin && after(order[j - 1], moving); --j)
            order[j] = order[j - 1];
        order[j] = moving;
    }
};

// Chunks of keys small enough to stay in the first-level cache between computing and using them.
constexpr std::size_t KeyChunk = 256;
// The buckets of a tile: 2^13, for tiles of 4,096 to 8,192 points.
constexpr unsigned TileBucketBits = 13;

// Adds the points of `size` offsets to the counts of their buckets at the frequency, keeping
// their keys in `key` for the scatter that follows.
void countIntoBuckets(const double* offset, std::size_t size, double frequency,
                      std::uint32_t* __restrict count, unsigned shift,
                      std::uint32_t* __restrict key) {
    for (std::size_t begin = 0; begin < size; begin += KeyChunk) {
        const std::size_t chunk = std::min(KeyChunk, size - begin);
        std::uint32_t* const keys = key + begin;
        phaseKeys(offset + begin, keys, chunk, frequency);
#pragma GCC unroll 4
        for (std::size_t i = 0; i < chunk; ++i)
            ++count[keys[i] >> shift];
    }
}

// The same where the keys are not wanted afterwards.
void countIntoBuckets(const double* offset, std::size_t size, double frequency,
                      std::uint32_t* __restrict count, unsigned shift) {
    std::uint32_t keys[KeyChunk];
    for (std::size_t begin = 0; begin < size; begin += KeyChunk) {
        const std::size_t chunk = std::min(KeyChunk, size - begin);
        countIntoBuckets(offset + begin, chunk, frequency, count, shift, keys);
    }
}

} // namespace

PhaseFold::PhaseFold(const PeriodSeries& series)
    : count_(static_cast<std::size_t>(series.count())), deviationSum_(series.deviationSum) {
    // Two copies of the points and the order, 56 bytes a point; files dealt into tiles keep
    // the keys and the order of one tile at a time apart, 40 bytes a point (a worker of the scan
    // holds its own, about 40 MB for a million points). Each array is a whole number of 8-byte
    // words.
    const bool tiled = count_ > TileLimit;
    const std::size_t wide = 8 * count_, narrow = 8 * ((count_ + 1) / 2);
    const std::size_t keys = count_ > ReorderLimit && !tiled ? narrow : 0;
    // Left uninitialised, as the folds write every array before they read it.
    storage_ = largeBytes(2 * (2 * wide + narrow + keys) + (tiled ? 0 : wide));
    char* free = storage_.get();
    const auto take = [&free](std::size_t bytes) { return std::exchange(free, free + bytes); };
    for (Points* points : {&points_, &scratch_}) {
        points->offset = reinterpret_cast<double*>(take(wide));
        points->value = reinterpret_cast<double*>(take(wide));
        points->place = reinterpret_cast<std::uint32_t*>(take(narrow));
        points->key = reinterpret_cast<std::uint32_t*>(take(keys));
    }
    order_ = tiled ? nullptr : reinterpret_cast<std::uint64_t*>(take(wide)); // else per tile
    if (count_ <= ReorderLimit) std::fill(order_, order_ + count_, 0); // read by the first reorder
    for (std::size_t i = 0; i < count_; ++i) {
        points_.offset[i] = series.times[i + 1] - series.times[1];
        points_.value[i] = series.scaledValue(static_cast<int>(i) + 1);
        points_.place[i] = static_cast<std::uint32_t>(i);
    }
    if (count_ <= ReorderLimit) {
        reordered_.resize(count_);
    } else {
        // At least as many buckets as points: about one point per bucket when the phases
        // spread over the cycle.
        const unsigned bits = std::max(1u, static_cast<unsigned>(std::bit_width(count_ - 1)));
        bucketShift_ = 32 - bits;
        bucketStart_.resize((std::size_t{1} << bits) + 1);
        if (tiled) {
            // Tiles of 4,000 to 8,000 points: with their entries and buckets at most 300 kB.
            const unsigned tileBits = bits - TileBucketBits;
            tileShift_ = 32 - tileBits;
            tileStart_.resize((std::size_t{1} << tileBits) + 1);
            nextTiles_.resize(std::size_t{1} << tileBits);
            bucketStart_.resize((std::size_t{1} << TileBucketBits) + 1);
        }
    }
}

double PhaseFold::theta(double frequency) {
    return theta(frequency, std::nan(""));
}

double PhaseFold::theta(double frequency, double nextFrequency) {
    frequency_ = frequency;
    if (count_ <= ReorderLimit) {
        reorder(frequency);
        insertionSort(0, count_);
        return settleGatherAndSum(true, std::nan(""));
    }
    if (count_ > TileLimit) return tiledTheta(frequency, nextFrequency);
    if (!(countedFor_ == frequency)) countBuckets(frequency);
    startBuckets();
    scatterIntoBuckets();
    const bool crowded = largestBucket_ > InsertionLimit;
    if (crowded) sortCrowdedBuckets();
    std::fill(bucketStart_.begin(), bucketStart_.end(), 0u);
    countedFor_ = nextFrequency;
    return settleGatherAndSum(crowded, nextFrequency);
}

void PhaseFold::reorder(double frequency) {
    // A small step moves every phase forward by a little, so the previous order is nearly the
    // new one, except for the points whose phase passed 1 and starts again near 0: they go to
    // the front (and points whose phase went back past 0 to the end), each run keeping its
    // order, and the insertion that follows moves every point a few places only. The keys of
    // the previous fold are still in the order, beside the points they belong to.
    constexpr std::uint32_t half = 0x8000'0000u;
    std::uint32_t keys[ReorderLimit];
    phaseKeys(points_.offset, keys, count_, frequency);
    const auto wrappedForward = [&](std::size_t i) {
        const std::uint32_t old = keyOf(order_[i]);
        return old - keys[i] > half && keys[i] < old;
    };
    const auto wrappedBack = [&](std::size_t i) {
        const std::uint32_t old = keyOf(order_[i]);
        return keys[i] - old > half && keys[i] > old;
    };
    std::size_t front = 0, back = 0;
    for (std::size_t i = 0; i < count_; ++i) {
        front += wrappedForward(i);
        back += wrappedBack(i);
    }
    std::size_t atFront = 0, atMiddle = front, atBack = count_ - back;
    std::uint64_t* const order = reordered_.data();
    for (std::size_t i = 0; i < count_; ++i) {
        std::size_t& at = wrappedForward(i) ? atFront : wrappedBack(i) ? atBack : atMiddle;
        order[at++] = entry(keys[i], i);
    }
    std::copy(order, order + count_, order_);
}

void PhaseFold::insertionSort(std::size_t begin, std::size_t end) {
    const PhaseOrder phaseOrder{points_.offset, points_.place, frequency_};
    std::uint64_t* const order = order_;
    for (std::size_t i = begin + 1; i < end; ++i)
        if (phaseOrder.after(order[i - 1], order[i])) phaseOrder.insert(order, begin, i);
}

void PhaseFold::countBuckets(double frequency) {
    std::fill(bucketStart_.begin(), bucketStart_.end(), 0u);
    countIntoBuckets(points_.offset, count_, frequency, bucketStart_.data() + 1, bucketShift_,
                     points_.key);
}

void PhaseFold::startBuckets() {
    largestBucket_ = runningSums(bucketStart_.data(), bucketStart_.size());
}

void PhaseFold::scatterIntoBuckets() {
    // Afterwards bucketStart_[b] is where bucket b ends. The entries are 8 bytes, and a small
    // step sends them to a short sliding window of the order, which stays in the cache. The
    // keys are those the count of the buckets computed.
    const std::uint32_t* __restrict const key = points_.key;
    std::uint32_t* __restrict const start = bucketStart_.data();
    std::uint64_t* __restrict const order = order_;
    const unsigned shift = bucketShift_;
#pragma GCC unroll 4
    for (std::size_t i = 0; i < count_; ++i)
        order[start[key[i] >> shift]++] = entry(key[i], i);
}

void PhaseFold::sortCrowdedBucket(std::size_t begin, std::size_t end) {
    const PhaseOrder phaseOrder{points_.offset, points_.place, frequency_};
    std::sort(order_ + begin, order_ + end,
              [&phaseOrder](std::uint64_t a, std::uint64_t b) { return phaseOrder.after(b, a); });
}

void PhaseFold::sortCrowdedBuckets() {
    // Crowded phases (a frequency near a multiple of a regular sampling): a bucket may hold
    // most of the points, and insertion would take quadratic time there.
    std::size_t begin = 0;
    for (std::size_t b = 0; b + 1 < bucketStart_.size(); ++b) {
        const std::size_t end = bucketStart_[b];
        if (end - begin > InsertionLimit)
            sortCrowdedBucket(begin, end);
        else
            insertionSort(begin, end);
        begin = end;
    }
}

double PhaseFold::settleGatherAndSum(bool sorted, double nextFrequency) {
    // Unless already sorted, each bucket's entries come in the previous order: three rounds of
    // exchanges with the neighbours order nearly every bucket (most hold one or two points),
    // and an insertion settles the rest and equal keys. A point moves at most largestBucket_
    // − 1 places, so the entries further back are final: their points are copied into the new
    // order and their steps summed, in the plain scan's order, while the lines are still in
    // the cache. Where the next frequency is known, the same pass counts the points into its
    // buckets.
    const PhaseOrder phaseOrder{points_.offset, points_.place, frequency_};
    std::uint64_t* __restrict const order = order_;
    const PointMove move{points_, scratch_};
    std::uint32_t* __restrict const count = bucketStart_.data() + 1;
    const unsigned shift = bucketShift_;
    const bool counting = std::isfinite(nextFrequency);
    const std::size_t n = count_;
    const std::size_t lag = sorted ? 0 : largestBucket_;

    double sum = 0, previous = 0;
    std::size_t copied = 0; // points copied into scratch_
    for (std::size_t begin = 0; begin < n; begin += KeyChunk) {
        // Chunks begin at even places; the odd pair across the end waits for the next chunk,
        // so the places before end − 1 are settled.
        const std::size_t end = std::min(n, begin + KeyChunk);
        const std::size_t settled = end == n ? n : end - 1;
        if (!sorted) {
            exchangeNeighbours(order, begin, end - 1);
            exchangeNeighbours(order, begin > 0 ? begin - 1 : 1, end - 1);
            exchangeNeighbours(order, begin, end - 1);
            for (std::size_t i = begin > 0 ? begin - 1 : 1;
                 (i = firstUnsure(order, i, settled)) < settled; ++i)
                if (phaseOrder.after(order[i - 1], order[i])) phaseOrder.insert(order, 0, i);
        }
        const std::size_t copyEnd = end == n ? n : (settled > lag ? settled - lag : 0);
        const std::size_t copyBegin = copied;
        if (copied == 0 && copyEnd > 0) {
            move(indexOf(order[0]), 0);
            previous = move.toValue[0];
            copied = 1;
        }
        // The additions form one chain, each waiting for the one before: in the loop of the
        // copies they run beside them rather than after.
#pragma GCC unroll 4
        for (; copied < copyEnd; ++copied) {
            const std::uint32_t from = indexOf(order[copied]);
            move(from, copied);
            const double v = move.value[from];
            sum += (v - previous) * (v - previous);
            previous = v;
        }
        if (counting)
            countIntoBuckets(move.toOffset + copyBegin, copyEnd - copyBegin, nextFrequency, count,
                             shift, scratch_.key + copyBegin);
    }
    const double closing = move.toValue[n - 1] - move.toValue[0];
    std::swap(points_, scratch_);
    if (n <= ReorderLimit) // the next reorder reads each point's key where it now stands
        for (std::size_t i = 0; i < n; ++i)
            order[i] = entry(keyOf(order[i]), i);
    return (closing * closing + sum) / deviationSum_;
}

double PhaseFold::tiledTheta(double frequency, double nextFrequency) {
    // Large files: one pass deals the points into tiles of phase, which keeps one sliding
    // output line per tile and so streams through memory; then each tile, small enough for the
    // core's own cache, is bucketed, settled and summed there. The tiles follow each other in
    // phase, so their orders put together are the whole phase order.
    if (countedFor_ == frequency) {
        tileStart_[0] = 0;
        std::copy(nextTiles_.begin(), nextTiles_.begin() + static_cast<std::ptrdiff_t>(tiles()),
                  tileStart_.begin() + 1);
    } else {
        countTiles(frequency);
    }
    dealIntoTiles(frequency, nextFrequency);
    countedFor_ = nextFrequency;
    Steps steps;
    for (std::size_t t = 0; t + 1 < tileStart_.size(); ++t)
        sortTileAndSum(tileStart_[t], tileStart_[t + 1], steps);
    const double closing = steps.last - steps.first;
    return (closing * closing + steps.sum) / deviationSum_;
}

void PhaseFold::countTiles(double frequency) {
    std::fill(tileStart_.begin(), tileStart_.end(), 0u);
    countIntoBuckets(points_.offset, count_, frequency, tileStart_.data() + 1, tileShift_);
}

void PhaseFold::dealIntoTiles(double frequency, double nextFrequency) {
    // The points come in the previous fold's tiles, so neighbours mostly go to one tile or the
    // next: the deal writes a few sliding lines at a time and reads one, which the processor's
    // prefetchers follow. Afterwards tileStart_[t] is where tile t begins.
    runningSums(tileStart_.data(), tileStart_.size());
    std::uint32_t* __restrict const start = tileStart_.data();
    std::uint32_t* __restrict const next = nextTiles_.data();
    std::fill(nextTiles_.begin(), nextTiles_.end(), 0u);
    const bool counting = std::isfinite(nextFrequency);
    const unsigned shift = tileShift_;
    const PointMove move{points_, scratch_};
    std::uint32_t keys[KeyChunk], nextKeys[KeyChunk];
    for (std::size_t begin = 0; begin < count_; begin += KeyChunk) {
        const std::size_t size = std::min(KeyChunk, count_ - begin);
        phaseKeys(move.offset + begin, keys, size, frequency);
        if (counting) phaseKeys(move.offset + begin, nextKeys, size, nextFrequency);
        for (std::size_t i = 0; i < size; ++i) {
            move(begin + i, start[keys[i] >> shift]++);
            if (counting) ++next[nextKeys[i] >> shift];
        }
    }
    // The counters ended where each tile ends: shift them back to the tile starts.
    for (std::size_t t = tiles(); t > 0; --t)
        start[t] = start[t - 1];
    start[0] = 0;
    std::swap(points_, scratch_);
}

void PhaseFold::sortTileAndSum(std::size_t begin, std::size_t end, Steps& steps) {
    if (begin == end) return;
    // The tile's keys, values and order in arrays that every tile reuses and so stay in the
    // core's cache; the entries index the points. They grow to the largest tile.
    const std::size_t size = end - begin;
    if (tileOrder_.size() < size) {
        tileKeys_.resize(size);
        tileValues_.resize(size);
        tileOrder_.resize(size);
        order_ = tileOrder_.data();
    }
    std::uint32_t* __restrict const key = tileKeys_.data();
    phaseKeys(points_.offset + begin, key, size, frequency_);
    // The sum at the end reads the values in phase order, at random within the tile: copied in
    // file order now, a stream the processor fetches ahead, they are in the cache by then, where
    // a prefetch of each line had come too late. Equal keys (repeated dates) are told apart by
    // the places, which are asked for now.
    std::copy_n(points_.value + begin, size, tileValues_.data());
    for (std::size_t i = 0; i < size; i += 16)
        __builtin_prefetch(points_.place + begin + i);
    std::uint32_t* __restrict const start = bucketStart_.data();
    std::uint64_t* __restrict const order = order_;
    const unsigned shift = bucketShift_;
    constexpr std::uint32_t mask = (1u << TileBucketBits) - 1;
    std::fill(bucketStart_.begin(), bucketStart_.end(), 0u);
    for (std::size_t i = 0; i < size; ++i)
        ++start[((key[i] >> shift) & mask) + 1];
    largestBucket_ = runningSums(start, bucketStart_.size());
    for (std::size_t i = 0; i < size; ++i)
        order[start[(key[i] >> shift) & mask]++] = entry(key[i], begin + i);

    const PhaseOrder phaseOrder{points_.offset, points_.place, frequency_};
    if (largestBucket_ > InsertionLimit) {
        std::size_t first = 0;
        for (std::size_t b = 0; b + 1 < bucketStart_.size(); ++b) {
            const std::size_t last = bucketStart_[b];
            if (last - first > InsertionLimit)
                sortCrowdedBucket(first, last);
            else
                insertionSort(first, last);
            first = last;
        }
    } else {
        exchangeNeighbours(order, 0, size - 1);
        exchangeNeighbours(order, 1, size - 1);
        exchangeNeighbours(order, 0, size - 1);
        for (std::size_t i = 1; (i = firstUnsure(order, i, size)) < size; ++i)
            if (phaseOrder.after(order[i - 1], order[i])) phaseOrder.insert(order, 0, i);
    }

    const double* __restrict const value = tileValues_.data();
    double sum = steps.sum, previous = steps.last;
    std::size_t i = 0;
    if (!steps.started) {
        steps.first = previous = value[indexOf(order[0]) - begin];
        steps.started = true;
        ++i;
    }
    for (; i < size; ++i) {
        const double v = value[indexOf(order[i]) - begin];
        sum += (v - previous) * (v - previous);
        previous = v;
    }
    steps.sum = sum;
    steps.last = previous;
}

} // namespace quelmar
