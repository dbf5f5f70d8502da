#pragma once
// Where a redraw put things: the view it showed, its scales, the band of each channel and the
// extremes each band is scaled to. They stay valid until the next redraw; the cursor mark, the
// mouse and the commands that jump to extremes read them.

#include "Canvas.h"
#include "core/PointStore.h"
#include "core/numbers.h"
#include "document/ViewState.h"

#include <array>
#include <cmath>
#include <optional>

namespace quelmar {

// Left edge of the points' area with the design margins: the first point of the view is drawn
// at x = 55, right of the frame's left line at x = 44.
inline constexpr int PlotLeft = 55;
inline constexpr int FrameLeft = 44;
// A view shown whole ends this far left of the picture's right edge.
inline constexpr int PlotRightGap = 15;
// Top edge of the first band.
inline constexpr int PlotTop = 10;
// The frame's bottom line lies this far above the picture's lower edge.
inline constexpr int FrameBottomGap = 20;

// Pixels added to the design margins so that the labels of a larger axis font are drawn whole:
// on the left for the value labels, below for the time labels, on the right for the last one.
struct CurveMargins {
    int left = 0;
    int bottom = 0;
    int right = 0;
};

struct CurveGeometry {
    int Width = 0;
    int Height = 0;
    int ViewFirst = 0; // the view drawn, within 1 ... PointCount; both 0 when there are no points
    int ViewLast = 0;
    bool Flipped = false;
    double FirstTime = 0;      // TimeValues[ViewFirst]
    bool TimeScalable = false; // false when the view spans no time: no point can be placed
    double XScale = 0;         // pixels per time unit
    double YScale = 0;         // pixels per value unit, shared by all bands
    std::array<double, MaxChannels + 1> BandTop{}; // [k]: offset at which band k + 1 begins
    std::array<double, MaxChannels + 1> ChannelMin{};
    std::array<double, MaxChannels + 1> ChannelMax{};
    std::array<int, MaxChannels + 1> ChannelMinPoint{};
    std::array<int, MaxChannels + 1> ChannelMaxPoint{};
    CurveMargins Margins;

    bool hasPoints() const { return ViewFirst > 0; }
    int plotLeft() const { return PlotLeft + Margins.left; }
    int frameLeft() const { return FrameLeft + Margins.left; }
    int frameBottom() const { return Height - FrameBottomGap - Margins.bottom; }
    // The width the view's time span takes at zoom 1.
    int plotWidth() const { return Width - PlotLeft - PlotRightGap - Margins.left - Margins.right; }
    // The reference point of channel k: the point whose value is drawn at the top of its band.
    int referencePoint(int k) const { return Flipped ? ChannelMaxPoint[k] : ChannelMinPoint[k]; }
};

// The view range, scales, extremes and bands for a surface of width x height pixels with the
// design margins. Every channel gets its extremes, shown or not, so they always name points of
// the current view.
CurveGeometry measureCurve(const PointStore& store, const ViewState& view, int width, int height);
// The scales and bands again for wider margins; the view and its extremes stay. However large
// the margins asked for, the points keep at least half of the design's room.
void widenMargins(CurveGeometry& geometry, const PointStore& store, const ViewState& view,
                  CurveMargins margins);

// A pixel position along one axis, Nearest(z), or nothing where the value cannot be scaled.
// Runs for every point of every redraw: within the range of positions, adding and taking away
// 1.5 x 2^52 rounds to the nearest integer, ties to even, without a library call.
inline std::optional<Coord> pixelOf(double z) {
    constexpr double shift = 6755399441055744.0;
    if (std::abs(z) < 1e15) return static_cast<Coord>((z + shift) - shift);
    if (!std::isfinite(z)) return std::nullopt;
    return Nearest(z);
}

// The x of a time: the column of every point with that time, in every channel.
inline std::optional<Coord> xOfTime(const CurveGeometry& geometry, double t) {
    if (!geometry.TimeScalable) return std::nullopt;
    return pixelOf((t - geometry.FirstTime) * geometry.XScale + geometry.plotLeft());
}

// Marker centres of the points of one channel, as the redraw places them.
class ChannelPlacement {
public:
    ChannelPlacement(const PointStore& store, const CurveGeometry& geometry, int k);

    std::optional<Coord> x(int i) const { return xOfTime(geometry_, times_[i]); }
    // Nothing for a missing value: it is not drawn.
    std::optional<Coord> y(int i) const {
        if (missing_ && missing_[i]) return std::nullopt;
        return yOf(values_[i]);
    }
    // The row of any value of the channel, a point's or not.
    std::optional<Coord> yOf(double v) const {
        return pixelOf((v - referenceValue_) * yScale_ + top_);
    }

private:
    const CurveGeometry& geometry_;
    const double* times_;
    const double* values_;
    const std::uint8_t* missing_; // null when the channel misses no value
    double referenceValue_;
    double yScale_;
    double top_;
};

// Top-left corner of the cursor mark (3 x 13 pixels) for point p of channel c: one pixel left
// of the marker centre and two below it. Nothing when the point cannot be placed.
std::optional<QPoint> cursorMarkPosition(const PointStore& store, const CurveGeometry& geometry,
                                         int c, int p);

} // namespace quelmar
