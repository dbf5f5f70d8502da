#pragma once
// Inversion in place of the small symmetric matrices of the polynomial fit's normal equations,
// by Gauss–Jordan elimination with complete pivoting (the pivot of each step is the largest
// element of the part not yet eliminated; its row and column are exchanged into place and
// exchanged back at the end). Carried in extended precision.

#include "core/DesignDefaults.h"

#include <array>

namespace quelmar {

// The most terms a polynomial fit takes: degree 10.
inline constexpr int MaxTermCount = design::MaxTerms;

// Rows and columns 1 ... n are used; row and column 0 are unused, as in the formulas.
using NormalMatrix = std::array<std::array<long double, MaxTermCount + 1>, MaxTermCount + 1>;

// Replaces the top-left n x n part of a by its inverse and returns the determinant. Returns 0
// when a pivot is exactly 0; the matrix is then left partly transformed.
long double invertMatrix(NormalMatrix& a, int n);

} // namespace quelmar
