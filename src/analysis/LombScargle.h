#pragma once
// The generalised (floating-mean) Lomb–Scargle periodogram (Zechmeister & Kürster 2009, A&A
// 496, 577) with K harmonics: at each frequency, the weighted least-squares fit of a constant
// and K sine terms, its power the share of the weighted variance about the mean that the fit
// removes, 1 − χ²(f) / χ²₀ (astropy's "standard" normalisation).
//
// On a uniform grid the trigonometric sums come from FFTs (Press & Rybicki 1989, ApJ 338, 277:
// each observation is extirpolated onto a regular grid of phases); elsewhere they are summed
// directly. The two agree to better than 1e-6 in power.

#include "PeriodMethod.h"

#include <vector>

namespace quelmar {

struct ScanProgress;

class LombScargle {
public:
    LombScargle(const WeightedSeries& series, int harmonics);

    // The power at one frequency (cycles per day), by direct sums.
    double power(double frequency) const;
    // A uniform scan of count frequencies is worked through in blocks of this many from its
    // first frequency, one set of FFTs each: a scan shared out at its multiples gives the same
    // powers as one worked through at once.
    std::size_t blockFrequencies(std::size_t count) const;
    // The powers at f0 + j·df for j in [first, last) of a uniform scan of count frequencies,
    // first a multiple of blockFrequencies(count), into powers[0 … last − first); counted in
    // progress block by block, and stopped between blocks when it is cancelled.
    void uniformPowers(double f0, double df, std::size_t count, std::size_t first, std::size_t last,
                       double* powers, ScanProgress* progress = nullptr) const;
    // The powers at frequencies f0 + j·df, j = 0 … count − 1, by FFTs.
    std::vector<double> uniformPowers(double f0, double df, std::size_t count) const;
    // The step of frequencies evenly spaced and many enough for the FFTs to pay; 0 otherwise.
    static double uniformStep(const std::vector<double>& frequencies);

private:
    // Solves the normal equations of the fit from the sums Σw·e^{imx} (m = 0 … 2K) and
    // Σw·y·e^{ikx} (k = 1 … K), x = 2πft.
    double powerFromSums(const double* cosW, const double* sinW, const double* cosY,
                         const double* sinY) const;

    WeightedSeries series_; // values centred on their weighted mean, weights summing to 1
    int harmonics_;
    double chi2Mean_; // Σ w y² of the centred values
};

} // namespace quelmar
