#include "CurveHitTest.h"

#include <algorithm>
#include <ranges>

namespace quelmar {

namespace {

struct PointSpan {
    int first = 1; // points first ... end - 1
    int end = 1;
};

// The points whose x lies in left ... right.
PointSpan pointsInColumns(const PointStore& store, const CurveGeometry& g, Coord left,
                          Coord right) {
    if (!g.TimeScalable || store.PointCount <= 0) return {};
    const auto numbers = std::views::iota(1, store.PointCount + 1);
    auto x = [&](int i) { return *xOfTime(g, store.time(i)); };
    // The first point number for which the predicate fails; x is monotonic in it.
    auto numberAt = [&](auto predicate) {
        const auto it = std::ranges::partition_point(numbers, predicate);
        return it == numbers.end() ? store.PointCount + 1 : *it;
    };
    if (g.XScale >= 0)
        return {numberAt([&](int i) { return x(i) < left; }),
                numberAt([&](int i) { return x(i) <= right; })};
    return {numberAt([&](int i) { return x(i) > right; }),
            numberAt([&](int i) { return x(i) >= left; })};
}

} // namespace

std::vector<int> pointsNear(const PointStore& store, const CurveGeometry& geometry, int k, Coord X,
                            Coord Y, int reach) {
    std::vector<int> hits;
    if (k < 1 || k > store.ChannelCount) return hits;
    const PointSpan span = pointsInColumns(store, geometry, X - reach, X + reach);
    const ChannelPlacement placement(store, geometry, k);
    for (int i = span.first; i < span.end; ++i) {
        const auto y = placement.y(i);
        if (y && *y >= Y - reach && *y <= Y + reach) hits.push_back(i);
    }
    return hits;
}

std::optional<ChannelPoint> pointUnderMouse(const PointStore& store, const CurveGeometry& geometry,
                                            Coord X, Coord Y) {
    std::optional<ChannelPoint> found;
    for (int k = 1; k <= store.ChannelCount; ++k) {
        if (!channelShown(store, k)) continue;
        const auto hits = pointsNear(store, geometry, k, X, Y, 1);
        if (!hits.empty()) found = ChannelPoint{k, hits.back()};
    }
    return found;
}

QString pointHint(int p, double x, double y) {
    return QStringLiteral("№ %1 (%2; %3)")
        .arg(p)
        .arg(QString::number(x, 'g', 15), QString::number(y, 'g', 15));
}

} // namespace quelmar
