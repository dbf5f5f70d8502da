#include "CurveGeometry.h"

#include "core/numbers.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace quelmar {

namespace {

// The stored view with 0 read as "from the first" / "to the last" point, kept within the points
// and in order, so a stale or reversed range never reads outside the arrays.
void resolveView(const PointStore& store, CurveGeometry& g) {
    if (store.PointCount <= 0) return;
    int first = store.ViewFirst == 0 ? 1 : store.ViewFirst;
    int last = store.ViewLast == 0 ? store.PointCount : store.ViewLast;
    first = std::clamp(first, 1, store.PointCount);
    last = std::clamp(last, 1, store.PointCount);
    if (last < first) std::swap(first, last);
    g.ViewFirst = first;
    g.ViewLast = last;
}

void measureTime(const PointStore& store, const ViewState& view, CurveGeometry& g) {
    if (!g.hasPoints()) return;
    g.FirstTime = store.time(g.ViewFirst);
    const double span = store.time(g.ViewLast) - g.FirstTime;
    const double scale = g.plotWidth() * view.XZoom / span;
    g.TimeScalable = span != 0 && std::isfinite(scale);
    g.XScale = g.TimeScalable ? scale : 0;
}

// Missing values are no extremes, so they do not stretch the band; the first value present
// starts both (the first point's, present or not, when the view has none). Only strictly
// smaller or larger values replace an extreme, so the first occurrence wins.
void measureExtremes(const PointStore& store, int k, CurveGeometry& g) {
    const double* v = store.ChannelValues[static_cast<std::size_t>(k)].data();
    const std::uint8_t* mask = missingMaskOf(store, k);
    const auto absent = [mask](int i) { return mask && mask[i]; };
    int first = g.ViewFirst;
    while (first < g.ViewLast && absent(first))
        ++first;
    if (absent(first)) first = g.ViewFirst;
    double min = v[first];
    double max = min;
    int minPoint = first;
    int maxPoint = first;
    for (int i = first; i <= g.ViewLast; ++i) {
        if (absent(i)) continue;
        if (v[i] < min) {
            min = v[i];
            minPoint = i;
        }
        if (v[i] > max) {
            max = v[i];
            maxPoint = i;
        }
    }
    g.ChannelMin[k] = min;
    g.ChannelMax[k] = max;
    g.ChannelMinPoint[k] = minPoint;
    g.ChannelMaxPoint[k] = maxPoint;
}

double finiteOrZero(double v) {
    return std::isfinite(v) ? v : 0;
}

// One scale for all bands, so that together they fill the height; a single channel fills
// H - 45 pixels. A scale that cannot be formed (equal values, also flipped) stays 0 and puts
// every point on the upper edge of its band.
void measureValueScale(const PointStore& store, const ViewState& view, CurveGeometry& g) {
    const int channels = store.ChannelCount;
    double sum = 0;
    for (int k = 1; k <= channels; ++k)
        if (channelShown(store, k)) sum += g.ChannelMax[k] - g.ChannelMin[k];
    double scale = 0;
    const int height = g.Height - g.Margins.bottom;
    if (sum != 0) scale = (height - 42 - 2 * channels) / std::abs(sum);
    if (channels == 1) {
        const double range = g.ChannelMax[1] - g.ChannelMin[1];
        if (range != 0) scale = (height - 45) / (view.Flipped ? -range : range);
    }
    g.YScale = finiteOrZero(scale);
}

void measureBands(const PointStore& store, CurveGeometry& g) {
    g.BandTop[0] = 0;
    for (int k = 1; k <= store.ChannelCount; ++k) {
        g.BandTop[k] = g.BandTop[k - 1];
        if (channelShown(store, k))
            g.BandTop[k] += static_cast<double>(
                Nearest(finiteOrZero((g.ChannelMax[k] - g.ChannelMin[k]) * g.YScale)) + 2);
    }
}

// The scales and bands within the margins; the view and its extremes are measured.
void measureScales(const PointStore& store, const ViewState& view, CurveGeometry& g) {
    measureTime(store, view, g);
    measureValueScale(store, view, g);
    measureBands(store, g);
    if (store.ChannelCount > 1 && view.Flipped) g.YScale = -g.YScale;
}

} // namespace

CurveGeometry measureCurve(const PointStore& store, const ViewState& view, int width, int height) {
    CurveGeometry g;
    g.Width = width;
    g.Height = height;
    g.Flipped = view.Flipped;
    resolveView(store, g);
    if (g.hasPoints())
        for (int k = 1; k <= store.ChannelCount; ++k)
            measureExtremes(store, k, g);
    measureScales(store, view, g);
    return g;
}

void widenMargins(CurveGeometry& g, const PointStore& store, const ViewState& view,
                  CurveMargins margins) {
    const int across = std::max(0, (g.Width - PlotLeft - PlotRightGap) / 2);
    const int down = std::max(0, (g.Height - 45) / 2);
    g.Margins.left = std::clamp(margins.left, 0, across);
    g.Margins.right = std::clamp(margins.right, 0, across - g.Margins.left);
    g.Margins.bottom = std::clamp(margins.bottom, 0, down);
    measureScales(store, view, g);
}

ChannelPlacement::ChannelPlacement(const PointStore& store, const CurveGeometry& geometry, int k)
    : geometry_(geometry), times_(store.TimeValues.data()),
      values_(store.ChannelValues[static_cast<std::size_t>(k)].data()),
      missing_(missingMaskOf(store, k)), referenceValue_(values_[geometry.referencePoint(k)]),
      yScale_(geometry.YScale), top_(PlotTop + geometry.BandTop[static_cast<std::size_t>(k - 1)]) {}

std::optional<QPoint> cursorMarkPosition(const PointStore& store, const CurveGeometry& geometry,
                                         int c, int p) {
    if (c < 1 || c > store.ChannelCount || p < 1 || p > store.PointCount) return std::nullopt;
    const ChannelPlacement placement(store, geometry, c);
    const auto x = placement.x(p);
    const auto y = placement.y(p);
    if (!x || !y) return std::nullopt;
    // A mark this far off lies outside any window.
    constexpr Coord limit = 1'000'000;
    return QPoint(static_cast<int>(std::clamp(*x - 1, -limit, limit)),
                  static_cast<int>(std::clamp(*y + 2, -limit, limit)));
}

} // namespace quelmar
