#include "CurveAxes.h"

#include "core/numbers.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QRect>

namespace quelmar {

namespace {

constexpr QRgb WindowPenColour = qRgb(0, 0, 0);
// The value labels begin at x = 3, left of the frame; the time labels 15 pixels above the
// picture's lower edge, the first 35 pixels left of the first point, the last 50 left of the
// last point.
constexpr Coord ValueLabelX = 3;
constexpr Coord TimeLabelRise = 15;
constexpr Coord FirstTimeLabelLead = 35;
constexpr Coord LastTimeLabelLead = 50;
// The legend of a band starts this far right of the frame's left line.
constexpr Coord LegendInset = 4;
// A last time pushed to the right edge ends this far inside the picture, clear of the frame's
// two right lines.
constexpr Coord LastTimeLabelInset = 6;

QString labelText(double value, int decimals) {
    return QString::fromStdString(fixed(value, std::max(decimals, 0)));
}

// The labels of one drawing. A label that would be cut by the picture's edge or overlap a label
// written before it is left out: a number that cannot be read whole would be misread.
class Labels {
public:
    explicit Labels(Canvas& canvas) : canvas_(canvas) {}

    Coord width(double value, int decimals, const LabelFont& font) const {
        return canvas_.textWidth(labelText(value, decimals), font.font);
    }

    void write(Coord x, Coord y, double value, int decimals, const LabelFont& font) {
        if (!canvas_.inside(x, y)) return;
        const QString text = labelText(value, decimals);
        const QRect box(static_cast<int>(x), static_cast<int>(y),
                        canvas_.textWidth(text, font.font), canvas_.textHeight(font.font));
        if (!QRect(0, 0, canvas_.width(), canvas_.height()).contains(box)) return;
        for (const QRect& written : written_)
            if (written.intersects(box)) return;
        canvas_.textOut(x, y, text, font);
        written_.push_back(box);
    }

private:
    Canvas& canvas_;
    std::vector<QRect> written_;
};

void drawTimeLabels(Labels& labels, const PointStore& store, const CurveGeometry& g,
                    const PlotOptions& options) {
    const double first = store.time(g.ViewFirst);
    const double last = store.time(g.ViewLast);
    const Coord y = g.Height - TimeLabelRise - g.Margins.bottom;
    const auto& font = options.XAxisFont;
    labels.write(g.plotLeft() - FirstTimeLabelLead, y, first, options.XAxisDecimals, font);
    if (auto x = pixelOf((last - first) * g.XScale + g.plotLeft() - LastTimeLabelLead)) {
        // A date longer than the room right of its place (a full Julian date, even an MJD with
        // four decimals) ends near the picture's edge instead, while the last point is in the
        // picture: it would otherwise be left out.
        if (*x + LastTimeLabelLead < g.Width)
            x = std::min(*x, g.Width - LastTimeLabelInset -
                                 labels.width(last, options.XAxisDecimals, font));
        labels.write(*x, y, last, options.XAxisDecimals, font);
    }
    // The middle label names the time in the middle of the plot, also when a zoom other than 1
    // makes the view's span take more or less than the plot's width.
    const double middle =
        g.TimeScalable ? first + g.plotWidth() / 2.0 / g.XScale : (first + last) / 2;
    labels.write(g.Width / 2 - 15, y, middle, options.XAxisDecimals, font);
}

// Each shown band is labelled with the value at its upper edge and the one at its lower edge.
void drawValueLabels(Labels& labels, Canvas& canvas, const PointStore& store,
                     const CurveGeometry& g, const PlotOptions& options) {
    const auto& font = options.YAxisFont;
    const int decimals = options.YAxisDecimals;
    const Coord h0 = canvas.textHeight(font.font);
    for (int k = 1; k <= store.ChannelCount; ++k) {
        if (!channelShown(store, k)) continue;
        const Coord upperEdge = Nearest(g.BandTop[k - 1]) + PlotTop;
        if (!g.Flipped) {
            labels.write(ValueLabelX, Nearest(g.BandTop[k]) + PlotTop - h0, g.ChannelMax[k],
                         decimals, font);
            labels.write(ValueLabelX, upperEdge, g.ChannelMin[k], decimals, font);
        } else {
            const double height = std::abs((g.ChannelMax[k] - g.ChannelMin[k]) * g.YScale + 2);
            if (const auto lower = pixelOf(height))
                labels.write(ValueLabelX, *lower + upperEdge - h0, g.ChannelMin[k], decimals, font);
            labels.write(ValueLabelX, upperEdge, g.ChannelMax[k], decimals, font);
        }
    }
}

// N + 1 positions from the first to the last point of the view, both included.
template <typename Mark>
void forEachDivision(const CurveGeometry& g, Coord xLast, int count, Mark mark) {
    const int n = std::max(count, 1);
    const Coord left = g.plotLeft();
    for (int m = 0; m <= n; ++m)
        mark(Nearest(static_cast<double>(xLast - left) / n * m) + left);
}

void drawGrid(Canvas& canvas, const PointStore& store, const CurveGeometry& g, Coord xLast,
              const PlotOptions& options) {
    const Coord w = canvas.width();
    const Coord bottom = g.frameBottom();
    forEachDivision(g, xLast, options.MinorTicks,
                    [&](Coord x) { canvas.line(x, 1, x, bottom - 1); });
    if (!g.hasPoints()) return;
    for (int k = 1; k <= store.ChannelCount; ++k) {
        if (!channelShown(store, k)) continue;
        const ChannelPlacement placement(store, g, k);
        for (int p : {g.ChannelMaxPoint[k], g.ChannelMinPoint[k]})
            if (const auto y = placement.y(p)) canvas.line(g.frameLeft(), *y, w - 1, *y);
    }
}

void drawTicks(Canvas& canvas, const CurveGeometry& g, Coord xLast, const PlotOptions& options) {
    const Coord bottom = g.frameBottom();
    forEachDivision(g, xLast, options.MinorTicks, [&](Coord x) {
        canvas.line(x, bottom - 2, x, bottom - 7);
        canvas.line(x, 1, x, 5);
    });
    forEachDivision(g, xLast, options.MajorTicks, [&](Coord x) {
        canvas.line(x, bottom - 2, x, bottom - 12);
        canvas.line(x, 1, x, 10);
    });
}

void drawBorder(Canvas& canvas) {
    const Coord w = canvas.width();
    const Coord h = canvas.height();
    canvas.rectangle(0, 0, 1, h);
    canvas.rectangle(0, 0, w, 1);
    canvas.rectangle(0, h, w, h - 1);
    canvas.rectangle(w - 1, 0, w, h);
}

} // namespace

CurveMargins labelMargins(const Canvas& canvas, const PointStore& store,
                          const CurveGeometry& geometry, const PlotOptions& options) {
    CurveMargins margins;
    if (!geometry.hasPoints()) return margins;
    const QFont designFont = designLabelFont().font;
    // Pixels a label takes beyond the room the design leaves it, or beyond what it takes in the
    // design font where that is more: the design font keeps the design's picture.
    auto beyond = [](int taken, int takenInDesign, Coord room) {
        return std::max(0, taken - std::max(static_cast<int>(room), takenInDesign));
    };
    int valueWidth = 0, designValueWidth = 0;
    for (int k = 1; k <= store.ChannelCount; ++k) {
        if (!channelShown(store, k)) continue;
        for (double v : {geometry.ChannelMin[k], geometry.ChannelMax[k]}) {
            const QString text = labelText(v, options.YAxisDecimals);
            valueWidth = std::max(valueWidth, canvas.textWidth(text, options.YAxisFont.font));
            designValueWidth = std::max(designValueWidth, canvas.textWidth(text, designFont));
        }
    }
    // Value labels end before the frame's left line.
    margins.left = beyond(valueWidth, designValueWidth, FrameLeft - ValueLabelX);
    const QFont& timeFont = options.XAxisFont.font;
    margins.bottom =
        beyond(canvas.textHeight(timeFont), canvas.textHeight(designFont), TimeLabelRise);
    const QString last = labelText(store.time(geometry.ViewLast), options.XAxisDecimals);
    margins.right = beyond(canvas.textWidth(last, timeFont), canvas.textWidth(last, designFont),
                           LastTimeLabelLead + PlotRightGap);
    return margins;
}

void drawBandLegend(Canvas& canvas, const PointStore& store, const CurveGeometry& geometry,
                    const PlotOptions& options) {
    if (!geometry.hasPoints()) return;
    LabelFont font = options.YAxisFont;
    font.colour = OutlineColour;
    const int height = canvas.textHeight(font.font);
    const int side = std::clamp(height / 2, 5, 12);
    const Coord x = geometry.frameLeft() + LegendInset;
    for (int k = 1; k <= store.ChannelCount; ++k) {
        if (!channelShown(store, k)) continue;
        const Coord top = Nearest(geometry.BandTop[static_cast<std::size_t>(k - 1)]) + PlotTop + 2;
        const Coord bottom = Nearest(geometry.BandTop[static_cast<std::size_t>(k)]) + PlotTop;
        if (top + height > bottom) continue; // a band too low for its name
        const std::string& name = store.channelName(k);
        const QString text = name.empty() ? QString::number(k) : QString::fromStdString(name);
        const Coord swatchTop = top + (height - side) / 2;
        canvas.setPen(OutlineColour);
        canvas.setBrush(ChannelColours[static_cast<std::size_t>(k)]);
        canvas.rectangle(x, swatchTop, x + side, swatchTop + side);
        canvas.setBrush(BackgroundColour);
        canvas.textOut(x + side + 3, top, text, font);
    }
    canvas.setPen(WindowPenColour);
}

void drawFrame(Canvas& canvas, const CurveGeometry& geometry) {
    const Coord w = canvas.width();
    const Coord h = canvas.height();
    canvas.setPen(WindowPenColour);
    canvas.setBrush(BackgroundColour);
    canvas.rectangle(0, 0, w, h);
    canvas.setPen(FrameColour);
    canvas.rectangle(1, 1, w - 1, h - 1);
    canvas.rectangle(geometry.frameLeft(), 1, w - 1, geometry.frameBottom());
    canvas.setPen(WindowPenColour);
}

void drawAxes(Canvas& canvas, const PointStore& store, const CurveGeometry& geometry,
              const AppSettings& settings, const PlotOptions& options) {
    canvas.setBrush(BackgroundColour);
    if (geometry.hasPoints()) {
        Labels labels(canvas);
        drawTimeLabels(labels, store, geometry, options);
        drawValueLabels(labels, canvas, store, geometry, options);
    }
    // x of the last point of the view; the first is at the plot's left edge.
    const Coord left = geometry.plotLeft();
    Coord xLast = left;
    if (geometry.TimeScalable) {
        const double span = store.time(geometry.ViewLast) - geometry.FirstTime;
        xLast = pixelOf(span * geometry.XScale + left).value_or(left);
    }
    canvas.setPen(FrameColour);
    if (settings.ShowGrid)
        drawGrid(canvas, store, geometry, xLast, options);
    else
        drawTicks(canvas, geometry, xLast, options);
    drawBorder(canvas);
    canvas.setPen(WindowPenColour);
}

} // namespace quelmar
