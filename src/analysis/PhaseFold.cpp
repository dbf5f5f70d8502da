#include "PhaseFold.h"

#include "core/LargeArrays.h"

#include <algorithm>
#include <cmath>

namespace quelmar {

namespace {

// Buckets this small are ordered faster by insertion than by a general sort.
constexpr std::uint32_t InsertionLimit = 24;

void copyPoint(const double* from, double* to) {
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
    to[3] = from[3];
}

} // namespace

PhaseFold::PhaseFold(const PeriodSeries& series)
    : count_(static_cast<std::size_t>(series.count())) {
    resizeLarge(points_, count_ * Stride);
    resizeLarge(scratch_, count_ * Stride);
    for (std::size_t i = 0; i < count_; ++i) {
        points_[i * Stride + Offset] = series.times[i + 1] - series.times[1];
        points_[i * Stride + Value] = series.scaledValue(static_cast<int>(i) + 1);
        points_[i * Stride + Place] = static_cast<double>(i);
    }
    // About one point per bucket when the phases spread over the cycle.
    bucketStart_.resize(count_ + 2);
    bucketScale_ = static_cast<double>(count_);
    crowdedOrder_.reserve(count_);
    deviationSum_ = series.deviationSum;
}

double PhaseFold::theta(double frequency) {
    foldAndCount(frequency);
    scatterIntoBuckets();
    sortBuckets();
    return dispersion();
}

std::uint32_t PhaseFold::bucketOf(double phase) const {
    // Rounding is monotonic, so a larger phase never falls into an earlier bucket.
    return static_cast<std::uint32_t>(phase * bucketScale_);
}

void PhaseFold::foldAndCount(double frequency) {
    std::fill(bucketStart_.begin(), bucketStart_.end(), 0u);
    double* const end = points_.data() + count_ * Stride;
    for (double* p = points_.data(); p != end; p += Stride) {
        const double x = p[Offset] * frequency;
        double phase = x - std::trunc(x);
        if (phase < 0) phase += 1;
        p[Phase] = phase;
        ++bucketStart_[bucketOf(phase) + 1];
    }
    largestBucket_ = 0;
    for (std::size_t b = 1; b < bucketStart_.size(); ++b) {
        largestBucket_ = std::max(largestBucket_, bucketStart_[b]);
        bucketStart_[b] += bucketStart_[b - 1];
    }
}

void PhaseFold::scatterIntoBuckets() {
    // Afterwards bucketStart_[b] is where bucket b ends.
    const double* const end = points_.data() + count_ * Stride;
    for (const double* p = points_.data(); p != end; p += Stride)
        copyPoint(p, scratch_.data() + std::size_t{bucketStart_[bucketOf(p[Phase])]++} * Stride);
    points_.swap(scratch_);
}

bool PhaseFold::goesAfter(const double* a, const double* b) {
    return a[Phase] > b[Phase] || (a[Phase] == b[Phase] && a[Place] > b[Place]);
}

void PhaseFold::insertionSort(std::size_t begin, std::size_t end) {
    double* const base = points_.data();
    for (std::size_t i = begin + 1; i < end; ++i) {
        if (!goesAfter(base + (i - 1) * Stride, base + i * Stride)) continue;
        double point[Stride];
        copyPoint(base + i * Stride, point);
        std::size_t j = i;
        for (; j > begin && goesAfter(base + (j - 1) * Stride, point); --j)
            copyPoint(base + (j - 1) * Stride, base + j * Stride);
        copyPoint(point, base + j * Stride);
    }
}

void PhaseFold::sortCrowdedBucket(std::size_t begin, std::size_t end) {
    const double* const base = points_.data();
    crowdedOrder_.resize(end - begin); // within the capacity reserved at construction
    for (std::size_t i = begin; i < end; ++i)
        crowdedOrder_[i - begin] = static_cast<std::uint32_t>(i);
    std::sort(crowdedOrder_.begin(), crowdedOrder_.end(), [base](std::uint32_t a, std::uint32_t b) {
        return goesAfter(base + std::size_t{b} * Stride, base + std::size_t{a} * Stride);
    });
    for (std::size_t i = begin; i < end; ++i)
        copyPoint(base + std::size_t{crowdedOrder_[i - begin]} * Stride,
                  scratch_.data() + i * Stride);
    std::copy(scratch_.begin() + static_cast<std::ptrdiff_t>(begin * Stride),
              scratch_.begin() + static_cast<std::ptrdiff_t>(end * Stride),
              points_.begin() + static_cast<std::ptrdiff_t>(begin * Stride));
}

void PhaseFold::sortBuckets() {
    // A point in an earlier bucket always has the smaller phase, so one insertion pass over
    // the whole array never moves a point out of its bucket.
    if (largestBucket_ <= InsertionLimit) {
        insertionSort(0, count_);
        return;
    }
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

double PhaseFold::dispersion() const {
    const double* const w = points_.data() + Value;
    const std::size_t last = (count_ - 1) * Stride;
    double sum = 0;
    for (std::size_t i = Stride; i <= last; i += Stride) {
        const double d = w[i] - w[i - Stride];
        sum += d * d;
    }
    const double closing = w[last] - w[0];
    return (closing * closing + sum) / deviationSum_;
}

} // namespace quelmar
