#pragma once
// The points of a light curve drawn the plain way: every marker drawn in turn through QPainter
// (drawEllipse for circles), every centre dot and every joining line. The redraw's own point
// drawing must give the same picture, pixel for pixel, much faster.

#include "plot/CurvePoints.h"
#include "plot/MarkerSprite.h"

namespace quelmar::test {

inline void drawChannelPointsPlainly(Canvas& canvas, const PointStore& store,
                                     const CurveGeometry& geometry, int k, const ViewState& view,
                                     const AppSettings& settings, const PlotOptions& options) {
    if (!geometry.hasPoints()) return;
    const MarkerStyle style = markerStyle(settings, options, k);
    const ChannelPlacement placement(store, geometry, k);
    for (int i = geometry.ViewFirst; i <= geometry.ViewLast; ++i) {
        const auto x = placement.x(i);
        const auto y = placement.y(i);
        if (!x || !y) continue;
        drawMarker(canvas, style, *x, *y);
        if (!view.ShowLines || i == geometry.ViewLast) continue;
        const auto nextX = placement.x(i + 1);
        const auto nextY = placement.y(i + 1);
        if (!nextX || !nextY) continue;
        canvas.setPen(JoiningLineColour);
        canvas.line(*x, *y, *nextX, *nextY);
    }
}

} // namespace quelmar::test
