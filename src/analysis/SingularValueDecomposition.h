#pragma once
// The singular value decomposition A = U·diag(w)·Vᵀ of a tall matrix by the Golub–Reinsch
// algorithm (Golub & Reinsch 1970, Numer. Math. 14, 403), as the EISPACK routine SVD first
// published it, with √(f² + g²) evaluated directly. The singular values are left in the order
// the iteration leaves them, not sorted, so the numbering and signs of the components are those
// of that algorithm and no other.

#include <array>
#include <vector>

namespace quelmar {

// The most columns the decomposition takes: one per channel.
inline constexpr int MaxColumns = 10;

// A matrix of `rows` × `cols` stored by columns, rows and columns numbered from 1: column j is
// an array whose element i is row i, element 0 unused, as the channels of the point store are.
struct ColumnMatrix {
    int rows = 0;
    int cols = 0;
    std::vector<std::vector<double>> column; // [j][i], j = 1 ... cols

    ColumnMatrix() = default;
    // Columns of millions of rows are backed by huge pages where the system offers them.
    ColumnMatrix(int rowCount, int colCount);
    ColumnMatrix(ColumnMatrix&&) = default;
    ColumnMatrix& operator=(ColumnMatrix&&) = default;
    // No implicit copies of a matrix this large.
    ColumnMatrix(const ColumnMatrix&) = delete;
    ColumnMatrix& operator=(const ColumnMatrix&) = delete;
    ColumnMatrix copy() const;

    double& operator()(int i, int j) { return column[std::size_t(j)][std::size_t(i)]; }
    double operator()(int i, int j) const { return column[std::size_t(j)][std::size_t(i)]; }
};

// An n × n matrix, n ≤ MaxColumns, rows and columns numbered from 1.
using SmallMatrix = std::array<std::array<double, MaxColumns + 1>, MaxColumns + 1>;
using SmallVector = std::array<double, MaxColumns + 1>;

struct SvdResult {
    ColumnMatrix U;  // m × n: A × V, that is σ_j times the left singular vectors
    SmallMatrix V{}; // n × n: column j is the right singular vector of w[j]
    SmallVector w{}; // w[j] ≥ 0 for every j that converged
    int status = 0;  // 0, or the index of the singular value that did not converge in 30 sweeps
};

// Decomposes A (m × n, 1 ≤ n ≤ MaxColumns, any m ≥ 0); A is not changed. The final U is A × V,
// also when an iteration did not converge: the left-hand transformations are therefore never
// accumulated, since that product replaces whatever they would leave.
SvdResult singularValueDecomposition(const ColumnMatrix& A);

} // namespace quelmar
