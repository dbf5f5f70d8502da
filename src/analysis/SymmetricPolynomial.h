#pragma once
// The time of a minimum as the centre T0 of a polynomial in (t − T0)², fitted by least squares
// with T0 among its parameters: y = a0 + a1·u + … + a(m−1)·u^(m−1), u = ((t − T0)/h)², h half
// the span of the range. For a fixed T0 the fit is linear; T0 is found by Gauss–Newton steps on
// all parameters, each step's coefficients solved afresh (nonlinear least squares as in Press
// et al., Numerical Recipes, 3rd ed., §15.5). The errors of T0 and of the value a0 are those of the
// full covariance s²·(JᵀJ)⁻¹ with N − m − 1 degrees of freedom.

#include "MinimumTiming.h"

namespace quelmar {

// Terms of the polynomial in u: 3 reaches (t − T0)⁴, which follows the flat bottom and the
// steep sides of an eclipse.
inline constexpr int SymmetricTerms = 3;
inline constexpr int SymmetricMostTerms = 10;

MinimumTiming symmetricPolynomial(const TimingSeries& series, int terms = SymmetricTerms);

// The value at a given time and its error, from the same polynomial with T0 held there (the
// value beside a moment found by another method); zero when too few points.
struct SymmetricValue {
    double value = 0;
    double error = 0;
};
SymmetricValue symmetricValueAt(const TimingSeries& series, double time,
                                int terms = SymmetricTerms);

} // namespace quelmar
