#pragma once
// Small symmetric positive-definite systems (the normal equations of harmonic fits), solved by
// Cholesky factorisation. Matrices are row-major n × n with n ≤ MaxSolveSize.

#include <array>

namespace quelmar {

inline constexpr int MaxSolveSize = 14;
using SolveMatrix = std::array<double, MaxSolveSize * MaxSolveSize>;
using SolveVector = std::array<double, MaxSolveSize>;

// Replaces b by the solution of a·x = b; a is overwritten by its factor. False when a is not
// positive definite (the fit is degenerate).
bool solveSymmetric(SolveMatrix& a, SolveVector& b, int n);

// Element (row, row) of the inverse of a, without forming the inverse; NaN when a is not
// positive definite.
double inverseDiagonal(SolveMatrix a, int n, int row);

} // namespace quelmar
