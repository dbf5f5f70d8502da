#include "BoxLeastSquares.h"

#include <algorithm>
#include <cmath>

namespace quelmar {

namespace {
// Bins per shortest box: the box's edges fall within a fifth of its length of the best ones.
constexpr double BinsPerBox = 5;
constexpr std::size_t MaxBins = 1 << 16;
} // namespace

BoxLeastSquares::BoxLeastSquares(const WeightedSeries& series, std::vector<double> durations)
    : series_(series), durations_(std::move(durations)) {
    double total = 0;
    for (const double w : series_.w)
        total += w;
    for (std::size_t i = 0; i < series_.size(); ++i) {
        series_.w[i] /= total;
        mean_ += series_.w[i] * series_.y[i];
    }
    for (std::size_t i = 0; i < series_.size(); ++i) {
        series_.y[i] -= mean_;
        chi2Mean_ += series_.w[i] * series_.y[i] * series_.y[i];
    }
}

TransitBox BoxLeastSquares::bestBox(double frequency) {
    const double shortest = *std::min_element(durations_.begin(), durations_.end());
    const auto bins = std::clamp<std::size_t>(
        static_cast<std::size_t>(std::ceil(BinsPerBox / (shortest * frequency))), 8, MaxBins);
    binWeight_.assign(2 * bins + 1, 0.0);
    binSum_.assign(2 * bins + 1, 0.0);
    const auto cells = static_cast<double>(bins);
    for (std::size_t i = 0; i < series_.size(); ++i) {
        const double x = series_.t[i] * frequency;
        auto bin = static_cast<std::size_t>((x - std::floor(x)) * cells);
        if (bin >= bins) bin = bins - 1;
        binWeight_[bin + 1] += series_.w[i];
        binSum_[bin + 1] += series_.w[i] * series_.y[i];
    }
    // Prefix sums over two turns of the phase, so a box may run across phase 0.
    for (std::size_t b = 1; b <= bins; ++b) {
        binWeight_[bins + b] = binWeight_[b];
        binSum_[bins + b] = binSum_[b];
    }
    for (std::size_t b = 1; b <= 2 * bins; ++b) {
        binWeight_[b] += binWeight_[b - 1];
        binSum_[b] += binSum_[b - 1];
    }
    TransitBox best;
    for (const double duration : durations_) {
        const auto width = std::clamp<std::size_t>(
            static_cast<std::size_t>(std::lround(duration * frequency * cells)), 1, bins - 1);
        for (std::size_t start = 0; start < bins; ++start) {
            const double r = binWeight_[start + width] - binWeight_[start];
            if (!(r > 0) || !(r < 1 - 1e-12)) continue;
            const double s = binSum_[start + width] - binSum_[start];
            const double power = s * s / (r * (1 - r)) / chi2Mean_;
            if (power > best.power) {
                best.power = power;
                best.duration = static_cast<double>(width) / (cells * frequency);
                const double middle =
                    (static_cast<double>(start) + 0.5 * static_cast<double>(width)) / cells;
                best.epoch = series_.epoch0 + (middle - std::floor(middle)) / frequency;
                best.depth = -s / (r * (1 - r));
            }
        }
    }
    return best;
}

} // namespace quelmar
