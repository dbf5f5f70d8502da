#pragma once
// The box least-squares search for transits and eclipses (Kovács, Zucker & Mazeh 2002, A&A
// 391, 369): at each frequency the observations are folded and binned in phase, and a box of
// each trial duration slides over the bins; its power is the share of the weighted variance
// about the mean that the best box removes, s² / (r (1 − r)) / Σ w y², where r is the weight
// and s the weighted sum of the centred values inside the box (weights summing to 1).

#include "PeriodMethod.h"

#include <vector>

namespace quelmar {

struct TransitBox {
    double power = 0;
    double duration = 0; // days
    double epoch = 0;    // middle of the box, a date of the series (days)
    double depth = 0;    // mean outside the box minus mean inside: positive for a dip in flux
};

class BoxLeastSquares {
public:
    BoxLeastSquares(const WeightedSeries& series, std::vector<double> durations);

    double power(double frequency) { return bestBox(frequency).power; }
    TransitBox bestBox(double frequency);

private:
    WeightedSeries series_; // centred values, weights summing to 1
    std::vector<double> durations_;
    double mean_ = 0;
    double chi2Mean_ = 0;
    std::vector<double> binWeight_, binSum_; // twice the bins over, for boxes across phase 0
};

} // namespace quelmar
