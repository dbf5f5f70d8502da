#include "FitDrawing.h"

#include <algorithm>

namespace quelmar {

namespace {

struct Pixel {
    Coord x = 0;
    Coord y = 0;
};

class FitPen {
public:
    FitPen(Canvas& canvas, const CurveGeometry& geometry, const ChannelPlacement& placement)
        : canvas_(canvas), geometry_(geometry), placement_(placement) {}

    std::optional<Pixel> pixel(double time, double value) const {
        const auto x = xOfTime(geometry_, time);
        const auto y = placement_.yOf(value);
        if (!x || !y) return std::nullopt;
        return Pixel{*x, *y};
    }
    // A line from the last point to this one; nothing is drawn to or from a point that
    // cannot be placed.
    void lineTo(double time, double value) {
        const std::optional<Pixel> to = pixel(time, value);
        if (at_ && to) canvas_.line(at_->x, at_->y, to->x, to->y);
        at_ = to;
    }
    void moveTo(double time, double value) { at_ = pixel(time, value); }

private:
    Canvas& canvas_;
    const CurveGeometry& geometry_;
    const ChannelPlacement& placement_;
    std::optional<Pixel> at_;
};

void drawErrorBox(FitPen& pen, double x, double sx, double v, double sv) {
    pen.moveTo(x - sx, v - sv);
    pen.lineTo(x + sx, v - sv);
    pen.lineTo(x + sx, v + sv);
    pen.lineTo(x - sx, v + sv);
    pen.lineTo(x - sx, v - sv);
    pen.moveTo(x, v - sv);
    pen.lineTo(x, v + sv);
    pen.moveTo(x - sx, v);
    pen.lineTo(x + sx, v);
}

} // namespace

std::optional<QPoint> drawFit(QImage& picture, const PointStore& store,
                              const CurveGeometry& geometry, const ExtremumTables& tables, int c,
                              int m) {
    if (c < 1 || c > std::min(store.ChannelCount, MaxChannels) || m < 1 || m > MaxTermCount ||
        !geometry.hasPoints() || !geometry.TimeScalable)
        return std::nullopt;
    const FitCurve& curve = tables.FitCurves[c][m];
    if (!curve.exists()) return std::nullopt;

    Canvas canvas(picture);
    canvas.setPen(FitColour);
    // The curve may run beyond its band: it stops at the frame, above the time labels.
    canvas.limitHeight(geometry.Height - FrameBottomGap - geometry.Margins.bottom);
    const ChannelPlacement placement(store, geometry, c);
    FitPen pen(canvas, geometry, placement);
    const int last = std::min(curve.last, store.PointCount);
    for (int i = std::max(curve.first, 1); i <= last; ++i)
        pen.lineTo(store.time(i), curve.at(i));

    const double x = tables.ExtremumMoment[c][m];
    const double v = tables.ExtremumValue[c][m];
    drawErrorBox(pen, x, tables.ExtremumMomentError[c][m], v, tables.ExtremumValueError[c][m]);
    const std::optional<Pixel> extremum = pen.pixel(x, v);
    if (!extremum) return std::nullopt;
    constexpr Coord limit = 1'000'000; // a mark this far off lies outside any window
    return QPoint(static_cast<int>(std::clamp(extremum->x, -limit, limit)),
                  static_cast<int>(std::clamp(extremum->y, -limit, limit)));
}

} // namespace quelmar
