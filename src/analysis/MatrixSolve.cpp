#include "MatrixSolve.h"

#include <cmath>
#include <limits>

namespace quelmar {

namespace {

bool factor(SolveMatrix& a, int n) {
    for (int j = 0; j < n; ++j) {
        double d = a[j * n + j];
        for (int k = 0; k < j; ++k)
            d -= a[j * n + k] * a[j * n + k];
        if (!(d > 0)) return false;
        const double root = std::sqrt(d);
        a[j * n + j] = root;
        for (int i = j + 1; i < n; ++i) {
            double s = a[i * n + j];
            for (int k = 0; k < j; ++k)
                s -= a[i * n + k] * a[j * n + k];
            a[i * n + j] = s / root;
        }
    }
    return true;
}

void substitute(const SolveMatrix& l, SolveVector& b, int n) {
    for (int i = 0; i < n; ++i) {
        double s = b[i];
        for (int k = 0; k < i; ++k)
            s -= l[i * n + k] * b[k];
        b[i] = s / l[i * n + i];
    }
    for (int i = n - 1; i >= 0; --i) {
        double s = b[i];
        for (int k = i + 1; k < n; ++k)
            s -= l[k * n + i] * b[k];
        b[i] = s / l[i * n + i];
    }
}

} // namespace

bool solveSymmetric(SolveMatrix& a, SolveVector& b, int n) {
    if (!factor(a, n)) return false;
    substitute(a, b, n);
    return true;
}

double inverseDiagonal(SolveMatrix a, int n, int row) {
    if (!factor(a, n)) return std::numeric_limits<double>::quiet_NaN();
    SolveVector e{};
    e[row] = 1;
    substitute(a, e, n);
    return e[row];
}

} // namespace quelmar
