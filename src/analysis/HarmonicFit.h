#pragma once
// The least-squares fit of a constant and K sine terms of one frequency, the frequency itself
// a free parameter (Gauss–Newton from a trial frequency), and the formal error of the
// frequency from the covariance of the fit scaled by its residual variance.

#include "PeriodMethod.h"

namespace quelmar {

struct FrequencyFit {
    double frequency = 0;      // cycles per day, refined from the trial one
    double frequencyError = 0; // formal, 1σ; NaN when the fit is degenerate
    double period() const { return 1 / frequency; }
    double periodError() const { return frequencyError / (frequency * frequency); }
};

// Refines `trial` within `reach` (cycles per day) of it; a step that would leave that range
// keeps the trial frequency, with the error of the fit there.
FrequencyFit fitFrequency(const WeightedSeries& series, int harmonics, double trial, double reach);

} // namespace quelmar
