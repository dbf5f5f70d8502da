#pragma once
// Phase-dispersion minimisation (Stellingwerf 1978, ApJ 224, 953): the observations folded at
// a frequency fall into `bins` phase bins, each 1 / bins wide, repeated `covers` times shifted
// by 1 / (bins · covers); θ is the pooled variance within the bins divided by the variance of
// all values. A small θ marks a likely period; pure noise gives θ near 1.

#include "PeriodMethod.h"

#include <vector>

namespace quelmar {

class PhaseDispersion {
public:
    PhaseDispersion(const WeightedSeries& series, int bins, int covers);
    double theta(double frequency);

private:
    WeightedSeries series_; // centred values
    int bins_, covers_;
    double variance_ = 0;                       // Σ (y − ȳ)² / (n − 1)
    std::vector<double> count_, sum_, squares_; // per fine bin, bins · covers of them
};

} // namespace quelmar
