#include "MinimumTiming.h"

#include "KweeVanWoerden.h"
#include "PolynomialFit.h"
#include "SymmetricPolynomial.h"

#include <algorithm>
#include <array>
#include <utility>

namespace quelmar {

namespace {

constexpr std::array<std::pair<TimingMethod, std::string_view>, 3> MethodWords{{
    {TimingMethod::Polynomial, "polynomial"},
    {TimingMethod::KweeVanWoerden, "kvw"},
    {TimingMethod::Symmetric, "symmetric"},
}};

double mean(const std::vector<double>& v, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += v[i];
    return to > from ? sum / static_cast<double>(to - from) : 0;
}

} // namespace

std::string_view methodWord(TimingMethod method) {
    for (const auto& [m, word] : MethodWords)
        if (m == method) return word;
    return {};
}

std::optional<TimingMethod> methodNamed(std::string_view word) {
    for (const auto& [m, w] : MethodWords)
        if (w == word) return m;
    return std::nullopt;
}

TimingSeries timingSeries(const PointStore& store, int c, int first, int last) {
    TimingSeries s;
    for (int i = std::max(first, 1); i <= std::min(last, store.PointCount); ++i) {
        if (store.missing(c, i)) {
            ++s.leftOut;
            continue;
        }
        s.t.push_back(store.time(i));
        s.y.push_back(store.value(c, i));
    }
    const std::size_t n = s.y.size();
    if (n >= 3) {
        const std::size_t third = n / 3;
        const double middle = mean(s.y, third, n - third);
        const double ends = (mean(s.y, 0, third) + mean(s.y, n - third, n)) / 2;
        s.flipped = middle > ends;
    }
    if (s.flipped)
        for (double& v : s.y)
            v = -v;
    return s;
}

double roughMinimum(const TimingSeries& series) {
    const std::size_t n = series.y.size();
    const std::size_t width = std::max<std::size_t>(1, n / 20);
    double sum = 0;
    double lowest = 0;
    std::size_t at = 0;
    for (std::size_t i = 0; i < n; ++i) {
        sum += series.y[i];
        if (i >= width) sum -= series.y[i - width];
        if (i + 1 < width) continue;
        if (i + 1 == width || sum < lowest) {
            lowest = sum;
            at = i - (width - 1) / 2;
        }
    }
    return n == 0 ? 0 : series.t[std::min(at, n - 1)];
}

MinimumTiming timeExtremum(const PointStore& store, int c, int first, int last, TimingMethod method,
                           TermRange terms) {
    if (method == TimingMethod::KweeVanWoerden)
        return kweeVanWoerden(timingSeries(store, c, first, last));
    if (method == TimingMethod::Symmetric)
        return symmetricPolynomial(timingSeries(store, c, first, last), terms.first);
    MinimumTiming r;
    r.method = TimingMethod::Polynomial;
    ExtremumTables tables;
    const ChannelFit fit = fitExtremum(store, c, first, last, terms, tables.beginRun(), tables);
    const int m = bestTermCount(tables, fit, terms);
    const auto term = std::find_if(fit.terms.begin(), fit.terms.end(),
                                   [m](const TermFit& f) { return f.terms == m; });
    if (fit.refusal != FitRefusal::None) {
        r.refusal = MessageText(message::TimingTooFewPoints,
                                {"polynomial", std::to_string(std::max(terms.last, 2) + 1),
                                 std::to_string(fit.points)});
        return r;
    }
    if (term == fit.terms.end() || m < 2 || term->note != ExtremumNote::None) {
        r.refusal = MessageText(message::TimingNoMinimum);
        return r;
    }
    r.terms = m;
    r.points = fit.points;
    r.moment = tables.ExtremumMoment[c][m];
    r.momentError = tables.ExtremumMomentError[c][m];
    r.value = tables.ExtremumValue[c][m];
    r.valueError = tables.ExtremumValueError[c][m];
    return r;
}

} // namespace quelmar
