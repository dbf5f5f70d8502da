#include "EphemerisFit.h"

#include "MatrixInverse.h"
#include "core/Error.h"

#include <algorithm>
#include <cmath>

namespace quelmar {

namespace {

MessageText kindName(EphemerisKind kind) {
    return MessageText(kind == EphemerisKind::Linear ? message::OcLinear : message::OcQuadratic);
}

} // namespace

EphemerisFit fitEphemeris(const std::vector<OcPoint>& points, Ephemeris ephemeris,
                          EphemerisKind kind, const std::string& path) {
    const int terms = kind == EphemerisKind::Linear ? 2 : 3;
    const auto n = static_cast<int>(points.size());
    if (n < terms + 1)
        throw QuelmarError(path, {message::OcTooFewForFit,
                                  {kindName(kind), std::to_string(terms + 1), std::to_string(n)}});
    // The cycles scaled to at most 1, so that the powers of E stay of one size.
    double scale = 0;
    for (const OcPoint& p : points)
        scale = std::max(scale, std::fabs(p.cycle));
    if (scale == 0) scale = 1;
    const bool weighted = std::all_of(points.begin(), points.end(),
                                      [](const OcPoint& p) { return p.time.error > 0; });

    // The normal matrix of 1, u, u² holds only the weighted sums of u⁰ ... u⁴.
    std::array<long double, 5> moments{};
    std::array<long double, MaxTermCount + 1> right{};
    for (const OcPoint& p : points) {
        const long double w =
            weighted ? 1 / (static_cast<long double>(p.time.error) * p.time.error) : 1;
        const long double u = p.cycle / scale;
        const long double wu = w * u, wu2 = wu * u;
        moments[0] += w;
        moments[1] += wu;
        moments[2] += wu2;
        right[1] += w * p.oc;
        right[2] += wu * p.oc;
        if (terms == 3) {
            moments[3] += wu2 * u;
            moments[4] += wu2 * u * u;
            right[3] += wu2 * p.oc;
        }
    }
    NormalMatrix a{};
    for (int j = 1; j <= terms; ++j)
        for (int k = 1; k <= terms; ++k)
            a[j][k] = moments[static_cast<std::size_t>(j + k - 2)];
    if (invertMatrix(a, terms) == 0)
        throw QuelmarError(path, {message::OcSingular, {kindName(kind)}});
    std::array<long double, 4> c{};
    for (int j = 1; j <= terms; ++j)
        for (int k = 1; k <= terms; ++k)
            c[j] += a[j][k] * right[k];

    EphemerisFit fit;
    fit.kind = kind;
    fit.residuals.reserve(points.size());
    long double chi2 = 0;
    for (const OcPoint& p : points) {
        const long double u = p.cycle / scale;
        const long double r = p.oc - (c[1] + c[2] * u + (terms == 3 ? c[3] * u * u : 0));
        fit.residuals.push_back(static_cast<double>(r));
        const long double sigma = weighted ? p.time.error : 1;
        chi2 += (r / sigma) * (r / sigma);
    }
    const long double reduced = chi2 / (n - terms);
    fit.chi2Reduced = static_cast<double>(reduced);
    // Without errors the scatter itself is the error of a time.
    const long double variance = weighted ? 1 : reduced;
    auto error = [&](int j, long double unit) {
        return static_cast<double>(std::sqrt(std::max(0.0L, variance * a[j][j])) / unit);
    };
    fit.epoch = static_cast<double>(ephemeris.epoch + c[1]);
    fit.epochError = error(1, 1);
    fit.period = static_cast<double>(ephemeris.period + c[2] / scale);
    fit.periodError = error(2, scale);
    if (terms == 3) {
        fit.quadratic = static_cast<double>(c[3] / (static_cast<long double>(scale) * scale));
        fit.quadraticError = error(3, static_cast<long double>(scale) * scale);
        fit.periodChange = 2 * fit.quadratic / fit.period;
        fit.periodChangeError = 2 * fit.quadraticError / fit.period;
    }
    return fit;
}

} // namespace quelmar
