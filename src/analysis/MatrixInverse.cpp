#include "MatrixInverse.h"

#include <cmath>

namespace quelmar {

namespace {

// Exchanges rows k and r; the entries that leave row k change sign.
void swapRowsNegating(NormalMatrix& a, int n, int k, int r) {
    for (int j = 1; j <= n; ++j) {
        const long double hold = -a[k][j];
        a[k][j] = a[r][j];
        a[r][j] = hold;
    }
}

// Exchanges columns k and c; the entries that leave column k change sign.
void swapColumnsNegating(NormalMatrix& a, int n, int k, int c) {
    for (int i = 1; i <= n; ++i) {
        const long double hold = -a[i][k];
        a[i][k] = a[i][c];
        a[i][c] = hold;
    }
}

// Sweeps column k out of every other row with the pivot a[k][k].
void eliminate(NormalMatrix& a, int n, int k, long double pivot) {
    for (int i = 1; i <= n; ++i)
        if (i != k) a[i][k] = -a[i][k] / pivot;
    for (int i = 1; i <= n; ++i) {
        if (i == k) continue;
        for (int j = 1; j <= n; ++j)
            if (j != k) a[i][j] = a[i][k] * a[k][j] + a[i][j];
    }
    for (int j = 1; j <= n; ++j)
        if (j != k) a[k][j] = a[k][j] / pivot;
    a[k][k] = 1 / pivot;
}

} // namespace

long double invertMatrix(NormalMatrix& a, int n) {
    std::array<int, MaxTermCount + 1> pivotRow{};
    std::array<int, MaxTermCount + 1> pivotColumn{};
    long double determinant = 1;
    for (int k = 1; k <= n; ++k) {
        // The later of equal magnitudes wins, so the scan uses >=.
        long double pivot = 0;
        for (int i = k; i <= n; ++i)
            for (int j = k; j <= n; ++j)
                if (std::fabs(a[i][j]) >= std::fabs(pivot)) {
                    pivot = a[i][j];
                    pivotRow[k] = i;
                    pivotColumn[k] = j;
                }
        if (pivot == 0) return 0;
        if (pivotRow[k] > k) swapRowsNegating(a, n, k, pivotRow[k]);
        if (pivotColumn[k] > k) swapColumnsNegating(a, n, k, pivotColumn[k]);
        eliminate(a, n, k, pivot);
        determinant *= pivot;
    }
    // Undo the exchanges in reverse order: a row exchange of the matrix becomes a column
    // exchange of its inverse, and the other way round.
    for (int k = n; k >= 1; --k) {
        if (pivotRow[k] > k)
            for (int r = 1; r <= n; ++r) {
                const long double hold = a[r][k];
                a[r][k] = -a[r][pivotRow[k]];
                a[r][pivotRow[k]] = hold;
            }
        if (pivotColumn[k] > k)
            for (int j = 1; j <= n; ++j) {
                const long double hold = a[k][j];
                a[k][j] = -a[pivotColumn[k]][j];
                a[pivotColumn[k]][j] = hold;
            }
    }
    return determinant;
}

} // namespace quelmar
