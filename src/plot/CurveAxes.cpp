#include "CurveAxes.h"

#include "core/DesignDefaults.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QRect>

namespace quelmar {

LabelFont defaultAxisFont() {
    LabelFont label;
    label.font.setPointSize(design::LabelFontPointSize);
    return label;
}

namespace {

constexpr QRgb WindowPenColour = qRgb(0, 0, 0);

// The labels of one drawing. A label that would be cut by the picture's edge or overlap a label
// written before it is left out: a number that cannot be read whole would be misread.
class Labels {
public:
    explicit Labels(Canvas& canvas) : canvas_(canvas) {}

    void write(Coord x, Coord y, double value, int decimals, const LabelFont& font) {
        if (!canvas_.inside(x, y)) return;
        const QString text = QString::fromStdString(fixed(value, std::max(decimals, 0)));
        const QRect box(static_cast<int>(x), static_cast<int>(y), canvas_.textWidth(text, font.font),
                        canvas_.textHeight(font.font));
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
    const Coord y = g.Height - 15;
    const auto& font = options.XAxisFont;
    labels.write(20, y, first, options.XAxisDecimals, font);
    if (const auto x = pixelOf((last - first) * g.XScale + PlotLeft - 50))
        labels.write(*x, y, last, options.XAxisDecimals, font);
    labels.write(g.Width / 2 - 15, y, (first + last) / 2, options.XAxisDecimals, font);
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
            labels.write(3, Nearest(g.BandTop[k]) + PlotTop - h0, g.ChannelMax[k], decimals, font);
            labels.write(3, upperEdge, g.ChannelMin[k], decimals, font);
        } else {
            const double height = std::abs((g.ChannelMax[k] - g.ChannelMin[k]) * g.YScale + 2);
            if (const auto lower = pixelOf(height))
                labels.write(3, *lower + upperEdge - h0, g.ChannelMin[k], decimals, font);
            labels.write(3, upperEdge, g.ChannelMax[k], decimals, font);
        }
    }
}

// N + 1 positions from the first to the last point of the view, both included.
template <typename Mark> void forEachDivision(Coord xLast, int count, Mark mark) {
    const int n = std::max(count, 1);
    for (int m = 0; m <= n; ++m)
        mark(Nearest(static_cast<double>(xLast - PlotLeft) / n * m) + PlotLeft);
}

void drawGrid(Canvas& canvas, const PointStore& store, const CurveGeometry& g, Coord xLast,
              const PlotOptions& options) {
    const Coord w = canvas.width();
    const Coord h = canvas.height();
    forEachDivision(xLast, options.MinorTicks, [&](Coord x) { canvas.line(x, 1, x, h - 21); });
    if (!g.hasPoints()) return;
    for (int k = 1; k <= store.ChannelCount; ++k) {
        if (!channelShown(store, k)) continue;
        const ChannelPlacement placement(store, g, k);
        for (int p : {g.ChannelMaxPoint[k], g.ChannelMinPoint[k]})
            if (const auto y = placement.y(p)) canvas.line(44, *y, w - 1, *y);
    }
}

void drawTicks(Canvas& canvas, Coord xLast, const PlotOptions& options) {
    const Coord h = canvas.height();
    forEachDivision(xLast, options.MinorTicks, [&](Coord x) {
        canvas.line(x, h - 22, x, h - 27);
        canvas.line(x, 1, x, 5);
    });
    forEachDivision(xLast, options.MajorTicks, [&](Coord x) {
        canvas.line(x, h - 22, x, h - 32);
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

void drawFrame(Canvas& canvas) {
    const Coord w = canvas.width();
    const Coord h = canvas.height();
    canvas.setPen(WindowPenColour);
    canvas.setBrush(BackgroundColour);
    canvas.rectangle(0, 0, w, h);
    canvas.setPen(FrameColour);
    canvas.rectangle(1, 1, w - 1, h - 1);
    canvas.rectangle(44, 1, w - 1, h - 20);
    canvas.setPen(WindowPenColour);
}

void drawAxes(Canvas& canvas, const PointStore& store, const CurveGeometry& geometry,
              const PlotOptions& options) {
    canvas.setBrush(BackgroundColour);
    if (geometry.hasPoints()) {
        Labels labels(canvas);
        drawTimeLabels(labels, store, geometry, options);
        drawValueLabels(labels, canvas, store, geometry, options);
    }
    // x of the last point of the view; the first is at PlotLeft.
    Coord xLast = PlotLeft;
    if (geometry.TimeScalable) {
        const double span = store.time(geometry.ViewLast) - geometry.FirstTime;
        xLast = pixelOf(span * geometry.XScale + PlotLeft).value_or(PlotLeft);
    }
    canvas.setPen(FrameColour);
    if (options.ShowGrid)
        drawGrid(canvas, store, geometry, xLast, options);
    else
        drawTicks(canvas, xLast, options);
    drawBorder(canvas);
    canvas.setPen(WindowPenColour);
}

} // namespace quelmar
