#include "CurvePoints.h"

#include "MarkerSprite.h"
#include "core/numbers.h"

namespace quelmar {

namespace {

struct Spot {
    Coord x = 0;
    Coord y = 0;
    bool placed = false;

    bool operator==(const Spot& other) const {
        return placed && other.placed && x == other.x && y == other.y;
    }
};

Spot spotOf(const ChannelPlacement& placement, int i) {
    const auto x = placement.x(i);
    if (!x) return {};
    const auto y = placement.y(i);
    if (!y) return {};
    return {*x, *y, true};
}

} // namespace

// Many points share a pixel. A marker stamped again where nothing was painted since changes no
// pixel, so it is stamped once; the picture is the one every marker drawn in turn gives.
void drawChannelPoints(Canvas& canvas, const PointStore& store, const CurveGeometry& geometry,
                       int k, const ViewState& view, const AppSettings& settings,
                       const PlotOptions& options) {
    if (!geometry.hasPoints()) return;
    const MarkerSprite sprite(markerStyle(settings, options, k), canvas);
    const ChannelPlacement placement(store, geometry, k);
    canvas.setPen(JoiningLineColour);
    Spot lastStamp;
    Spot current = spotOf(placement, geometry.ViewFirst);
    for (int i = geometry.ViewFirst; i <= geometry.ViewLast; ++i) {
        const Spot next = i < geometry.ViewLast ? spotOf(placement, i + 1) : Spot{};
        if (current.placed) {
            if (!(current == lastStamp)) {
                sprite.stamp(canvas, current.x, current.y);
                lastStamp = current;
            }
            if (view.ShowLines && next.placed && !(next == current)) {
                canvas.line(current.x, current.y, next.x, next.y);
                lastStamp = {};
            }
        }
        current = next;
    }
}

void drawBandEdge(Canvas& canvas, const CurveGeometry& geometry, double bandTop) {
    const Coord y = Nearest(bandTop) + PlotTop;
    canvas.setPen(BandEdgeColour);
    canvas.line(geometry.frameLeft() + 1, y, canvas.width() - 2, y);
}

} // namespace quelmar
