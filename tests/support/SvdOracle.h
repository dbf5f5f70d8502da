#pragma once
// The Golub–Reinsch decomposition written out plainly, row by row and loop by loop as the
// algorithm is published, with a matrix of rows [i][j] numbered from 1. The library's blocked
// version must give the same bits; the left-hand transformations are left out here too, since
// the final U := A × V replaces them.

#include <algorithm>
#include <cmath>
#include <vector>

namespace quelmar::test {

using Rows = std::vector<std::vector<double>>; // [i][j], i = 1 ... m, j = 1 ... n

struct OracleSvd {
    Rows U;
    Rows V;
    std::vector<double> w;
    int status = 0;
};

inline OracleSvd plainSvd(const Rows& A, int m, int n) {
    OracleSvd r;
    Rows& u = r.U;
    Rows& v = r.V;
    std::vector<double>& w = r.w;
    u = A;
    v.assign(n + 1, std::vector<double>(n + 1));
    w.assign(n + 1, 0.0);
    std::vector<double> rv1(n + 1);
    double g = 0, scale = 0, x = 0, s = 0, f = 0, h = 0;
    int l = 0;
    for (int i = 1; i <= n; ++i) {
        l = i + 1;
        rv1[i] = scale * g;
        g = s = scale = 0;
        if (i <= m) {
            for (int k = i; k <= m; ++k)
                scale += std::abs(u[k][i]);
            if (scale != 0) {
                for (int k = i; k <= m; ++k) {
                    u[k][i] /= scale;
                    s += u[k][i] * u[k][i];
                }
                f = u[i][i];
                g = f >= 0 ? -std::sqrt(s) : std::sqrt(s);
                h = f * g - s;
                u[i][i] = f - g;
                if (i != n)
                    for (int j = l; j <= n; ++j) {
                        s = 0;
                        for (int k = i; k <= m; ++k)
                            s += u[k][i] * u[k][j];
                        f = s / h;
                        for (int k = i; k <= m; ++k)
                            u[k][j] += f * u[k][i];
                    }
                for (int k = i; k <= m; ++k)
                    u[k][i] *= scale;
            }
        }
        w[i] = scale * g;
        g = s = scale = 0;
        if (i <= m && i != n) {
            for (int k = l; k <= n; ++k)
                scale += std::abs(u[i][k]);
            if (scale != 0) {
                for (int k = l; k <= n; ++k) {
                    u[i][k] /= scale;
                    s += u[i][k] * u[i][k];
                }
                f = u[i][l];
                g = f >= 0 ? -std::sqrt(s) : std::sqrt(s);
                h = f * g - s;
                u[i][l] = f - g;
                for (int k = l; k <= n; ++k)
                    rv1[k] = u[i][k] / h;
                for (int j = l; j <= m; ++j) {
                    s = 0;
                    for (int k = l; k <= n; ++k)
                        s += u[j][k] * u[i][k];
                    for (int k = l; k <= n; ++k)
                        u[j][k] += s * rv1[k];
                }
                for (int k = l; k <= n; ++k)
                    u[i][k] *= scale;
            }
        }
        x = std::max(x, std::abs(w[i]) + std::abs(rv1[i]));
    }
    for (int i = n; i >= 1; --i) {
        if (i < n) {
            if (g != 0) {
                for (int j = l; j <= n; ++j)
                    v[j][i] = (u[i][j] / u[i][l]) / g;
                for (int j = l; j <= n; ++j) {
                    s = 0;
                    for (int k = l; k <= n; ++k)
                        s += u[i][k] * v[k][j];
                    for (int k = l; k <= n; ++k)
                        v[k][j] += s * v[k][i];
                }
            }
            for (int j = l; j <= n; ++j)
                v[i][j] = v[j][i] = 0;
        }
        v[i][i] = 1;
        g = rv1[i];
        l = i;
    }
    for (int k = n; k >= 1 && r.status == 0; --k) {
        for (int its = 0;; ++its) {
            bool cancel = false;
            for (l = k; l >= 1; --l) {
                if (x + std::abs(rv1[l]) == x) break;
                if (x + std::abs(w[l - 1]) == x) {
                    cancel = true;
                    break;
                }
            }
            if (cancel) {
                double c = 0;
                s = 1;
                for (int i = l; i <= k; ++i) {
                    f = s * rv1[i];
                    rv1[i] = c * rv1[i];
                    if (x + std::abs(f) == x) break;
                    g = w[i];
                    h = std::sqrt(f * f + g * g);
                    w[i] = h;
                    c = g / h;
                    s = -f / h;
                }
            }
            double z = w[k];
            if (l == k) {
                if (z < 0) {
                    w[k] = -z;
                    for (int j = 1; j <= n; ++j)
                        v[j][k] = -v[j][k];
                }
                break;
            }
            if (its == 30) {
                r.status = k;
                break;
            }
            double xx = w[l], y = w[k - 1];
            g = rv1[k - 1];
            h = rv1[k];
            f = ((y - z) * (y + z) + (g - h) * (g + h)) / (2.0 * h * y);
            g = std::sqrt(f * f + 1.0);
            f = ((xx - z) * (xx + z) + h * (y / (f >= 0 ? f + g : f - g) - h)) / xx;
            double c = 1;
            s = 1;
            for (int i = l + 1; i <= k; ++i) {
                g = rv1[i];
                y = w[i];
                h = s * g;
                g = c * g;
                z = std::sqrt(f * f + h * h);
                rv1[i - 1] = z;
                c = f / z;
                s = h / z;
                f = xx * c + g * s;
                g = -xx * s + g * c;
                h = y * s;
                y = y * c;
                for (int j = 1; j <= n; ++j) {
                    const double a = v[j][i - 1], b = v[j][i];
                    v[j][i - 1] = a * c + b * s;
                    v[j][i] = -a * s + b * c;
                }
                z = std::sqrt(f * f + h * h);
                w[i - 1] = z;
                if (z != 0) {
                    c = f / z;
                    s = h / z;
                }
                f = c * g + s * y;
                xx = -s * g + c * y;
            }
            rv1[l] = 0;
            rv1[k] = f;
            w[k] = xx;
        }
    }
    for (int i = 1; i <= m; ++i)
        for (int j = 1; j <= n; ++j) {
            s = 0;
            for (int k = 1; k <= n; ++k)
                s += A[i][k] * v[k][j];
            u[i][j] = s;
        }
    return r;
}

} // namespace quelmar::test
