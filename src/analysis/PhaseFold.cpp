#include "PhaseFold.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace quelmar {

namespace {

// Buckets this small are ordered faster by insertion than by a general sort.
constexpr std::uint32_t InsertionLimit = 24;

using Point = PhaseFold::Point;

// The phase exactly as the plain scan computes it.
inline double foldedPhase(double offset, double frequency) {
    const double x = offset * frequency;
    const double phase = x - std::trunc(x);
    return phase < 0 ? phase + 1 : phase;
}

// The phase scaled to 32 bits, truncated: monotonic, so a larger key never has a smaller phase.
// A phase that rounded up to exactly 1 shares the last key with the largest phases below it.
inline std::uint32_t keyOf(double phase) {
    const auto scaled = static_cast<std::uint64_t>(phase * 0x1p32);
    return scaled > 0xFFFF'FFFFu ? 0xFFFF'FFFFu : static_cast<std::uint32_t>(scaled);
}

// Whether a comes after b in phase order; equal keys are settled by the exact phases.
inline bool goesAfter(const Point& a, const Point& b, double frequency) {
    if (a.key != b.key) return a.key > b.key;
    const double pa = foldedPhase(a.offset, frequency);
    const double pb = foldedPhase(b.offset, frequency);
    return pa > pb || (pa == pb && a.place > b.place);
}

// Moves points[i] left to its place among points[begin ... i − 1], which are in order.
inline void insert(Point* points, std::size_t begin, std::size_t i, double frequency) {
    if (!goesAfter(points[i - 1], points[i], frequency)) return;
    const Point point = points[i];
    std::size_t j = i;
    for (; j > begin && goesAfter(points[j - 1], point, frequency); --j)
        points[j] = points[j - 1];
    points[j] = point;
}

void insertionSort(Point* points, std::size_t begin, std::size_t end, double frequency) {
    for (std::size_t i = begin + 1; i < end; ++i)
        insert(points, begin, i, frequency);
}

inline double squaredStep(const Point* points, std::size_t i) {
    const double d = points[i].value - points[i - 1].value;
    return d * d;
}

} // namespace

PhaseFold::PhaseFold(const PeriodSeries& series)
    : count_(static_cast<std::size_t>(series.count())), deviationSum_(series.deviationSum) {
    points_.resize(count_);
    scratch_.resize(count_);
    for (std::size_t i = 0; i < count_; ++i)
        points_[i] = {series.times[i + 1] - series.times[1],
                      series.scaledValue(static_cast<int>(i) + 1), 0,
                      static_cast<std::uint32_t>(i)};
    if (count_ > ReorderLimit) {
        // At least as many buckets as points: about one point per bucket when the phases
        // spread over the cycle.
        const unsigned bits = std::max(1u, static_cast<unsigned>(std::bit_width(count_ - 1)));
        bucketShift_ = 32 - bits;
        bucketStart_.resize((std::size_t{1} << bits) + 1);
        crowdedOrder_.reserve(count_);
    } else {
        crowdedOrder_.resize(count_);
    }
}

double PhaseFold::theta(double frequency) {
    frequency_ = frequency;
    if (count_ <= ReorderLimit) {
        reorder(frequency);
        insertionSort(points_.data(), 0, count_, frequency);
        return dispersion();
    }
    countBuckets(frequency);
    scatterIntoBuckets();
    return largestBucket_ <= InsertionLimit ? sortAndSum() : sortCrowdedBucketsAndSum();
}

void PhaseFold::reorder(double frequency) {
    // A small step moves every phase forward by a little, so the previous order is nearly the
    // new one, except for the points whose phase passed 1 and starts again near 0: they go to
    // the front (and points whose phase went back past 0 to the end), each run keeping its
    // order, and the insertion that follows moves every point a few places only.
    constexpr std::uint32_t half = 0x8000'0000u;
    std::uint32_t* const keys = crowdedOrder_.data(); // the new keys, in the previous order
    std::size_t front = 0, back = 0;
    for (std::size_t i = 0; i < count_; ++i) {
        const std::uint32_t old = points_[i].key;
        const std::uint32_t key = keys[i] = keyOf(foldedPhase(points_[i].offset, frequency));
        front += old - key > half && key < old;
        back += key - old > half && key > old;
    }
    if (front == 0 && back == 0) {
        for (std::size_t i = 0; i < count_; ++i)
            points_[i].key = keys[i];
        return;
    }
    std::size_t atFront = 0, atMiddle = front, atBack = count_ - back;
    for (std::size_t i = 0; i < count_; ++i) {
        const std::uint32_t old = points_[i].key, key = keys[i];
        std::size_t& at = old - key > half && key < old   ? atFront
                          : key - old > half && key > old ? atBack
                                                          : atMiddle;
        scratch_[at] = points_[i];
        scratch_[at++].key = key;
    }
    points_.swap(scratch_);
}

void PhaseFold::countBuckets(double frequency) {
    std::fill(bucketStart_.begin(), bucketStart_.end(), 0u);
    for (Point& p : points_) {
        p.key = keyOf(foldedPhase(p.offset, frequency));
        ++bucketStart_[(p.key >> bucketShift_) + 1];
    }
    largestBucket_ = 0;
    std::uint32_t sum = 0;
    for (std::uint32_t& start : bucketStart_) {
        largestBucket_ = std::max(largestBucket_, start);
        start = sum += start;
    }
}

void PhaseFold::scatterIntoBuckets() {
    // Afterwards bucketStart_[b] is where bucket b ends.
    Point* const out = scratch_.data();
    for (const Point& p : points_)
        out[bucketStart_[p.key >> bucketShift_]++] = p;
    points_.swap(scratch_);
}

double PhaseFold::sortAndSum() {
    // A point moves at most largestBucket_ − 1 places, within its bucket, so the places more
    // than that behind the one being inserted are final and their steps are summed at once,
    // in the plain scan's order, while the lines are still in the cache.
    Point* const p = points_.data();
    const std::size_t lag = largestBucket_;
    double sum = 0;
    for (std::size_t i = 1; i < count_; ++i) {
        insert(p, 0, i, frequency_);
        if (i > lag) sum += squaredStep(p, i - lag);
    }
    for (std::size_t i = count_ > lag ? count_ - lag : 1; i < count_; ++i)
        sum += squaredStep(p, i);
    const double closing = p[count_ - 1].value - p[0].value;
    return (closing * closing + sum) / deviationSum_;
}

void PhaseFold::sortCrowdedBucket(std::size_t begin, std::size_t end) {
    const Point* const base = points_.data();
    const double f = frequency_;
    crowdedOrder_.resize(end - begin); // within the capacity reserved at construction
    for (std::size_t i = begin; i < end; ++i)
        crowdedOrder_[i - begin] = static_cast<std::uint32_t>(i);
    std::sort(
        crowdedOrder_.begin(), crowdedOrder_.end(),
        [base, f](std::uint32_t a, std::uint32_t b) { return goesAfter(base[b], base[a], f); });
    for (std::size_t i = begin; i < end; ++i)
        scratch_[i] = base[crowdedOrder_[i - begin]];
    std::copy(scratch_.begin() + static_cast<std::ptrdiff_t>(begin),
              scratch_.begin() + static_cast<std::ptrdiff_t>(end),
              points_.begin() + static_cast<std::ptrdiff_t>(begin));
}

double PhaseFold::sortCrowdedBucketsAndSum() {
    // Crowded phases (a frequency near a multiple of a regular sampling): a bucket may hold
    // most of the points, and insertion would take quadratic time there.
    std::size_t begin = 0;
    for (std::size_t b = 0; b + 1 < bucketStart_.size(); ++b) {
        const std::size_t end = bucketStart_[b];
        if (end - begin > InsertionLimit)
            sortCrowdedBucket(begin, end);
        else
            insertionSort(points_.data(), begin, end, frequency_);
        begin = end;
    }
    return dispersion();
}

double PhaseFold::dispersion() const {
    const Point* const p = points_.data();
    double sum = 0;
    for (std::size_t i = 1; i < count_; ++i)
        sum += squaredStep(p, i);
    const double closing = p[count_ - 1].value - p[0].value;
    return (closing * closing + sum) / deviationSum_;
}

} // namespace quelmar
