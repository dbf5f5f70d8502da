#pragma once
// Moments and values of an extremum of the light curve, with their standard errors, from
// least-squares polynomials fitted to one channel over a range of points.
//
// A polynomial of m terms is p(t) = c1 + c2·t + … + cm·t^(m−1), fitted in the normalised time
// t = (time − x̄) / Δx, where x̄ is the mean time of the range and Δx its span. The normal
// equations are built from power sums taken once per channel and solved by invertMatrix for every
// term count; the stationary point of p is found by Newton's method on p′(t) = 0. The value
// error is √(s²·uᵀA⁻¹u) with u = (1, t, …, t^(m−1)), and the moment error follows from the
// variance of p′ at the extremum by the delta method, √(s²·wᵀA⁻¹w) / |p″| with
// w = (0, 1, 2t, …, (m−1)·t^(m−2)), where s² is the residual variance with N − m degrees of
// freedom.
//
// Points whose value is missing (the store's mask) are left out of the sums, of N and of the
// residual variance, but the fitted curve covers every point of the range.

#include "ExtremumTables.h"
#include "core/DesignDefaults.h"
#include "core/PointStore.h"

#include <string>
#include <string_view>
#include <vector>

namespace quelmar {

// The term counts fitted in one run, first ... last; none when first > last.
struct TermRange {
    int first = design::PolynomialFirstTerms; // Spinpolynom
    int last = design::PolynomialLastTerms;   // Spinpolynom2
};

// Why a channel was not fitted at all; the tables then keep what they held.
enum class FitRefusal {
    None,
    NoTimeSpan,   // the first and last times of the range are equal
    TooFewPoints, // the largest term count needs more points than the range has (after
                  // leaving out missing values)
};

// What a term count's listing line says besides its numbers.
enum class ExtremumNote {
    None,
    Singular,         // the normal equations have no unique solution: no numbers at all
    NewtonNotSettled, // the iteration did not settle within NewtonStepLimit steps
    NewtonLeftRange,  // the iteration ended outside the fitted range
};

// The note as --json names it: "singular", "not_settled", "left_range"; "" for None.
std::string_view extremumNoteName(ExtremumNote note);

// Newton steps taken at most before a term count's moment is given up as not estimable.
inline constexpr int NewtonStepLimit = 100;

struct TermFit {
    int terms = 0;
    ExtremumNote note = ExtremumNote::None;
};

struct ChannelFit {
    int channel = 0;
    int first = 0; // the range fitted, point numbers
    int last = 0;
    int run = 0;
    FitRefusal refusal = FitRefusal::None;
    int points = 0;             // points fitted: those of the range whose value is not missing
    int leftOut = 0;            // points of the range left out as missing values
    int refusedTerms = 0;       // TooFewPoints: the term count that cannot be fitted
    std::vector<TermFit> terms; // in the order fitted, term counts first ... last
};

// Fits channel c over the points first ... last (1 <= first <= last <= PointCount) with every
// term count of the range, writes the result tables and the fitted curves under the given run
// number, and says what it did. m = 1 writes only the value and its error.
ChannelFit fitExtremum(const PointStore& store, int c, int first, int last, TermRange terms,
                       int run, ExtremumTables& tables);

// The listing line of channel c, term count m as the tables hold it: moment ± error, a blank,
// value ± error, each number with the given decimals (UTF-8).
std::string extremumNumbers(const ExtremumTables& tables, int c, int m, int decimals);

// The term count with the smallest moment error among those of the fit whose moment it
// estimated (two or more terms, not singular); the lower of equals. The first term count of
// the range when there is none.
int bestTermCount(const ExtremumTables& tables, const ChannelFit& fit, TermRange terms);

} // namespace quelmar
