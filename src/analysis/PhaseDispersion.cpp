#include "PhaseDispersion.h"

#include <cmath>

namespace quelmar {

PhaseDispersion::PhaseDispersion(const WeightedSeries& series, int bins, int covers)
    : series_(series), bins_(bins), covers_(covers) {
    double mean = 0;
    for (const double y : series_.y)
        mean += y;
    mean /= static_cast<double>(series_.size());
    for (double& y : series_.y) {
        y -= mean;
        variance_ += y * y;
    }
    variance_ /= static_cast<double>(series_.size() - 1);
}

double PhaseDispersion::theta(double frequency) {
    const int fine = bins_ * covers_;
    count_.assign(static_cast<std::size_t>(fine), 0.0);
    sum_.assign(static_cast<std::size_t>(fine), 0.0);
    squares_.assign(static_cast<std::size_t>(fine), 0.0);
    for (std::size_t i = 0; i < series_.size(); ++i) {
        const double x = series_.t[i] * frequency;
        auto cell = static_cast<std::size_t>((x - std::floor(x)) * fine);
        if (cell >= static_cast<std::size_t>(fine)) cell = static_cast<std::size_t>(fine - 1);
        count_[cell] += 1;
        sum_[cell] += series_.y[i];
        squares_[cell] += series_.y[i] * series_.y[i];
    }
    // Bin j covers the fine cells j … j + covers − 1, cyclically.
    double within = 0, points = 0;
    int used = 0;
    for (int j = 0; j < fine; ++j) {
        double n = 0, s = 0, q = 0;
        for (int c = 0; c < covers_; ++c) {
            const auto cell = static_cast<std::size_t>((j + c) % fine);
            n += count_[cell];
            s += sum_[cell];
            q += squares_[cell];
        }
        if (n < 2) continue;
        within += q - s * s / n;
        points += n;
        ++used;
    }
    if (points <= used || !(variance_ > 0)) return 1;
    return within / (points - used) / variance_;
}

} // namespace quelmar
