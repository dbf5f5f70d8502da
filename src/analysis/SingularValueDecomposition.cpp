#include "SingularValueDecomposition.h"

#include "core/LargeArrays.h"

#include <algorithm>
#include <cmath>

namespace quelmar {

ColumnMatrix::ColumnMatrix(int rowCount, int colCount)
    : rows(rowCount), cols(colCount), column(std::size_t(colCount) + 1) {
    for (int j = 1; j <= cols; ++j)
        resizeLarge(column[std::size_t(j)], std::size_t(rows) + 1);
}

ColumnMatrix ColumnMatrix::copy() const {
    ColumnMatrix to(rows, cols);
    for (int j = 1; j <= cols; ++j)
        std::copy(column[std::size_t(j)].begin(), column[std::size_t(j)].end(),
                  to.column[std::size_t(j)].begin());
    return to;
}

namespace {

// Rows are worked on in blocks that stay in the first-level cache while every column's share
// of the block is updated. Each element still sees the operations of the plain algorithm in
// the same order, so the results are the same to the last bit.
constexpr int RowBlock = 256;

// sum + Σ |c[k]|, k = from ... to, added in that order.
double magnitudeSum(const double* c, int from, int to, double sum = 0) {
    for (int k = from; k <= to; ++k)
        sum += std::abs(c[k]);
    return sum;
}

// Step 2 of the algorithm: Householder reduction of U (a copy of A) to bidiagonal form, the
// diagonal in w and the superdiagonal in work. The left reflection of column i is applied to
// the columns after it; the right reflection of row i to the rows after it.
class Bidiagonalization {
public:
    Bidiagonalization(ColumnMatrix& U, SmallVector& w, SmallVector& work)
        : U_(U), m_(U.rows), n_(U.cols), w_(w), work_(work) {}

    // Returns x, the largest |w[i]| + |work[i]|, against which the iteration tests smallness.
    double run() {
        double x = 0;
        for (int i = 1; i <= n_; ++i) {
            work_[i] = scale_ * g_;
            g_ = 0;
            scale_ = 0;
            if (i <= m_) prepareLeft(i);
            w_[i] = scale_ * g_;
            g_ = 0;
            scale_ = 0;
            applyToRowsFrom(i);
            x = std::max(x, std::abs(w_[i]) + std::abs(work_[i]));
        }
        return x;
    }

private:
    double* col(int j) { return U_.column[std::size_t(j)].data(); }

    // Forms the left reflection of column i: divides the column by its scale, and finds the
    // factor f_j of every later column j, all in one pass over the rows.
    void prepareLeft(int i) {
        double* ci = col(i);
        scale_ = nextScale_ >= 0 ? nextScale_ : magnitudeSum(ci, i, m_);
        nextScale_ = -1;
        leftApplies_ = scale_ != 0;
        if (!leftApplies_) return;
        double s = 0;
        for (int k = i; k <= m_; ++k) {
            ci[k] /= scale_;
            s += ci[k] * ci[k];
        }
        const double f = ci[i];
        g_ = f >= 0 ? -std::sqrt(s) : std::sqrt(s);
        const double h = f * g_ - s;
        ci[i] = f - g_;
        leftScale_ = scale_;
        std::array<const double*, MaxColumns + 1> cols{};
        for (int j = i + 1; j <= n_; ++j)
            cols[std::size_t(j)] = col(j);
        SmallVector dot{};
        for (int k = i; k <= m_; ++k)
            for (int j = i + 1; j <= n_; ++j)
                dot[j] += ci[k] * cols[std::size_t(j)][k];
        for (int j = i + 1; j <= n_; ++j)
            leftFactor_[j] = dot[j] / h;
    }

    // Row i gets the left reflection first; the right reflection is formed from it, and every
    // later row then gets both, and adds its share of the next column's scale.
    void applyToRowsFrom(int i) {
        const bool left = leftApplies_;
        leftApplies_ = false;
        if (left) applyLeft(i, i, i + 1);
        const bool right = i <= m_ && i != n_ && prepareRight(i);
        const bool sumNext = i + 1 <= n_ && i + 1 <= m_;
        if (!left && !right) return;
        double next = 0;
        for (int from = i + 1; from <= m_; from += RowBlock) {
            const int to = std::min(from + RowBlock, m_ + 1);
            if (left) applyLeft(i, from, to);
            if (right) applyRight(i, from, to);
            if (sumNext) next = magnitudeSum(col(i + 1), from, to - 1, next);
        }
        if (sumNext) nextScale_ = next;
    }

    // Rows from ... to − 1 of the columns after i: U[k][j] += f_j·U[k][i]; then column i is
    // multiplied by its scale again.
    void applyLeft(int i, int from, int to) {
        double* ci = col(i);
        for (int j = i + 1; j <= n_; ++j) {
            double* cj = col(j);
            const double f = leftFactor_[j];
            for (int k = from; k < to; ++k)
                cj[k] += f * ci[k];
        }
        for (int k = from; k < to; ++k)
            ci[k] *= leftScale_;
    }

    // Forms the right reflection of row i over the columns l = i + 1 ... n; false when the row
    // is zero there and nothing is to be done.
    bool prepareRight(int i) {
        const int l = i + 1;
        for (int k = l; k <= n_; ++k)
            scale_ += std::abs(col(k)[i]);
        if (scale_ == 0) return false;
        double s = 0;
        for (int k = l; k <= n_; ++k) {
            rowI_[k] = col(k)[i] / scale_;
            s += rowI_[k] * rowI_[k];
        }
        const double f = rowI_[l];
        g_ = f >= 0 ? -std::sqrt(s) : std::sqrt(s);
        const double h = f * g_ - s;
        rowI_[l] = f - g_;
        for (int k = l; k <= n_; ++k)
            work_[k] = rowI_[k] / h;
        for (int k = l; k <= n_; ++k)
            col(k)[i] = rowI_[k] * scale_;
        return true;
    }

    // Rows from ... to − 1: s = Σ_k U[j][k]·U[i][k], then U[j][k] += s·work[k], k = l ... n.
    void applyRight(int i, int from, int to) {
        double s[RowBlock];
        const int count = to - from;
        std::fill(s, s + count, 0.0);
        for (int k = i + 1; k <= n_; ++k) {
            const double* ck = col(k) + from;
            const double r = rowI_[k];
            for (int t = 0; t < count; ++t)
                s[t] += ck[t] * r;
        }
        for (int k = i + 1; k <= n_; ++k) {
            double* ck = col(k) + from;
            const double v = work_[k];
            for (int t = 0; t < count; ++t)
                ck[t] += s[t] * v;
        }
    }

    ColumnMatrix& U_;
    const int m_;
    const int n_;
    SmallVector& w_;
    SmallVector& work_;
    double g_ = 0;
    double scale_ = 0;
    double nextScale_ = -1; // Σ |U[k][i]| of the next column, when the last pass formed it
    bool leftApplies_ = false;
    double leftScale_ = 0;
    SmallVector leftFactor_{};
    SmallVector rowI_{}; // row i of the right reflection, divided by its scale
};

// Step 3: the right-hand transformations, accumulated into V.
void accumulateRight(const ColumnMatrix& U, const SmallVector& work, int n, SmallMatrix& V) {
    double g = 0;
    int l = n + 1;
    for (int i = n; i >= 1; --i) {
        if (i < n) {
            if (g != 0) {
                for (int j = l; j <= n; ++j)
                    V[j][i] = (U(i, j) / U(i, l)) / g; // two divisions avoid underflow
                for (int j = l; j <= n; ++j) {
                    double s = 0;
                    for (int k = l; k <= n; ++k)
                        s += U(i, k) * V[k][j];
                    for (int k = l; k <= n; ++k)
                        V[k][j] += s * V[k][i];
                }
            }
            for (int j = l; j <= n; ++j) {
                V[i][j] = 0;
                V[j][i] = 0;
            }
        }
        V[i][i] = 1;
        g = work[i];
        l = i;
    }
}

void rotateColumns(SmallMatrix& V, int n, int a, int b, double c, double s) {
    for (int j = 1; j <= n; ++j) {
        const double x = V[j][a];
        const double z = V[j][b];
        V[j][a] = x * c + z * s;
        V[j][b] = -x * s + z * c;
    }
}

// Step 4.2: work[l] is negligible against x after rotations that cancel it.
void cancel(SmallVector& w, SmallVector& work, double x, int l, int k) {
    double c = 0;
    double s = 1;
    for (int i = l; i <= k; ++i) {
        const double f = s * work[i];
        work[i] = c * work[i];
        if (x + std::abs(f) == x) return;
        const double g = w[i];
        const double h = std::sqrt(f * f + g * g);
        w[i] = h;
        c = g / h;
        s = -f / h;
    }
}

// Step 4.4: one QR sweep over rows l ... k with the shift from the bottom 2 × 2 minor.
void sweep(SmallVector& w, SmallVector& work, SmallMatrix& V, int n, int l, int k) {
    const double z0 = w[k];
    double xx = w[l];
    double y = w[k - 1];
    double g = work[k - 1];
    double h = work[k];
    double f = ((y - z0) * (y + z0) + (g - h) * (g + h)) / (2.0 * h * y);
    g = std::sqrt(f * f + 1.0);
    f = ((xx - z0) * (xx + z0) + h * (y / (f >= 0 ? f + g : f - g) - h)) / xx;
    double c = 1;
    double s = 1;
    for (int i = l + 1; i <= k; ++i) {
        g = work[i];
        y = w[i];
        h = s * g;
        g = c * g;
        double z = std::sqrt(f * f + h * h);
        work[i - 1] = z;
        c = f / z;
        s = h / z;
        f = xx * c + g * s;
        g = -xx * s + g * c;
        h = y * s;
        y = y * c;
        rotateColumns(V, n, i - 1, i, c, s);
        z = std::sqrt(f * f + h * h);
        w[i - 1] = z;
        if (z != 0) {
            c = f / z;
            s = h / z;
        }
        f = c * g + s * y;
        xx = -s * g + c * y;
    }
    work[l] = 0;
    work[k] = f;
    w[k] = xx;
}

// Step 4: diagonalisation of the bidiagonal form. Returns 0, or the index of the singular value
// that did not converge within 30 sweeps, where the iteration stops.
int diagonalize(SmallVector& w, SmallVector& work, SmallMatrix& V, int n, double x) {
    constexpr int SweepLimit = 30;
    for (int k = n; k >= 1; --k) {
        for (int sweeps = 0;; ++sweeps) {
            int l = k;
            for (; l >= 1; --l) {
                if (x + std::abs(work[l]) == x) break;
                if (x + std::abs(w[l - 1]) == x) {
                    cancel(w, work, x, l, k);
                    break;
                }
            }
            // work[1] is always 0, so only a value that is no number ends the search at 0.
            if (l < 1) return k;
            const double z = w[k];
            if (l == k) {
                if (z < 0) {
                    w[k] = -z;
                    for (int j = 1; j <= n; ++j)
                        V[j][k] = -V[j][k];
                }
                break;
            }
            if (sweeps == SweepLimit) return k;
            sweep(w, work, V, n, l, k);
        }
    }
    return 0;
}

// Step 6: U := A × V, row block by row block, each element summed over l = 1 ... n in order.
void multiply(const ColumnMatrix& A, const SmallMatrix& V, ColumnMatrix& U) {
    const int m = A.rows;
    const int n = A.cols;
    for (int from = 1; from <= m; from += RowBlock) {
        const int count = std::min(RowBlock, m + 1 - from);
        for (int j = 1; j <= n; ++j) {
            double* u = U.column[std::size_t(j)].data() + from;
            std::fill(u, u + count, 0.0);
            for (int l = 1; l <= n; ++l) {
                const double* a = A.column[std::size_t(l)].data() + from;
                const double v = V[l][j];
                for (int t = 0; t < count; ++t)
                    u[t] += a[t] * v;
            }
        }
    }
}

} // namespace

SvdResult singularValueDecomposition(const ColumnMatrix& A) {
    SvdResult result;
    const int n = A.cols;
    result.U = A.copy();
    SmallVector work{};
    const double x = Bidiagonalization(result.U, result.w, work).run();
    accumulateRight(result.U, work, n, result.V);
    result.status = diagonalize(result.w, work, result.V, n, x);
    multiply(A, result.V, result.U);
    return result;
}

} // namespace quelmar
