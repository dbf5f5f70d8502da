#include "TwoChannelDiagram.h"

#include "MarkerSprite.h"
#include "core/numbers.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace quelmar {

namespace {

std::vector<int> shownChannels(const PointStore& store) {
    std::vector<int> shown;
    for (int k = 1; k <= std::min(store.ChannelCount, MaxChannels); ++k)
        if (channelShown(store, k)) shown.push_back(k);
    return shown;
}

// Pixels per unit of a channel whose values span min ... max over `room` pixels; 0 when the
// span is empty or the scale no number.
double scaleOf(int room, double min, double max) {
    const double span = std::abs(max - min);
    const double scale = room / span;
    return span > 0 && std::isfinite(scale) ? scale : 0;
}

DiagramCell cellOf(const CurveGeometry& curve, int left, int top, int width, int height,
                   int halfSize, int xChannel, int yChannel) {
    DiagramCell cell;
    cell.left = left;
    cell.top = top;
    cell.width = width;
    cell.height = height;
    cell.halfSize = halfSize;
    cell.xChannel = xChannel;
    cell.yChannel = yChannel;
    cell.xMin = curve.ChannelMin[std::size_t(xChannel)];
    cell.yMin = curve.ChannelMin[std::size_t(yChannel)];
    const int inset = 2 * halfSize + 4;
    cell.xScale = scaleOf(width - inset, cell.xMin, curve.ChannelMax[std::size_t(xChannel)]);
    cell.yScale = scaleOf(height - inset, cell.yMin, curve.ChannelMax[std::size_t(yChannel)]);
    cell.scalable = cell.xScale != 0 && cell.yScale != 0;
    return cell;
}

// The points of the view a cell draws: those whose marker is the last at its place, since a
// marker stamped again at the same place covers the earlier one wholly. Ascending.
std::vector<QPoint> markerPlaces(const DiagramCell& cell, const PointStore& store,
                                 const DiagramLayout& layout) {
    std::vector<QPoint> places;
    std::vector<bool> taken(std::size_t(cell.width) * std::size_t(cell.height));
    for (int p = layout.viewLast; p >= layout.viewFirst; --p) {
        const std::optional<QPoint> at = cell.place(store, p);
        if (!at) continue;
        const bool inside =
            at->x() >= 0 && at->y() >= 0 && at->x() < cell.width && at->y() < cell.height;
        if (inside) {
            const std::size_t index =
                std::size_t(at->y()) * std::size_t(cell.width) + std::size_t(at->x());
            if (taken[index]) continue;
            taken[index] = true;
        }
        places.push_back(*at);
    }
    std::reverse(places.begin(), places.end());
    return places;
}

// A cell is drawn in a picture of its own, so nothing it draws reaches its neighbours, and then
// copied into the diagram.
void drawCell(QImage& image, const DiagramCell& cell, const PointStore& store,
              const DiagramLayout& layout, const AppSettings& settings,
              const PlotOptions& options) {
    QImage picture(cell.width, cell.height, QImage::Format_RGB32);
    picture.setDotsPerMeterX(image.dotsPerMeterX());
    picture.setDotsPerMeterY(image.dotsPerMeterY());
    picture.fill(BackgroundColour);
    {
        Canvas canvas(picture);
        canvas.setPen(FrameColour);
        canvas.setBrush(BackgroundColour);
        canvas.rectangle(1, 1, cell.width - 1, cell.height - 1);
        if (cell.scalable) {
            MarkerStyle style;
            style.shape = settings.Shape;
            style.halfSize = cell.halfSize;
            style.fill = BackgroundColour;
            style.symbol = pointSymbolText(settings);
            style.symbolFont = options.YAxisFont;
            const MarkerSprite sprite(style, canvas);
            for (const QPoint at : markerPlaces(cell, store, layout))
                sprite.stamp(canvas, at.x(), at.y());
        }
    }
    QPainter painter(&image);
    painter.drawImage(cell.left, cell.top, picture);
}

void writeCentred(QImage& image, const QString& text) {
    Canvas canvas(image);
    const QFont font = designLabelFont().font;
    const int x = (image.width() - canvas.textWidth(text, font)) / 2;
    const int y = (image.height() - canvas.textHeight(font)) / 2;
    canvas.textOut(std::max(x, 2), std::max(y, 2), text, designLabelFont());
}

} // namespace

std::optional<QPoint> DiagramCell::place(const PointStore& store, int p) const {
    if (p < 1 || p > store.PointCount || xChannel > store.ChannelCount ||
        yChannel > store.ChannelCount)
        return std::nullopt;
    if (store.missing(xChannel, p) || store.missing(yChannel, p)) return std::nullopt;
    const double a = store.value(xChannel, p);
    const double b = store.value(yChannel, p);
    const double border = halfSize + 2;
    const auto x = pixelOf(std::abs(a - xMin) * xScale + border);
    const auto y = pixelOf(std::abs(b - yMin) * yScale + border);
    if (!x || !y) return std::nullopt;
    constexpr Coord limit = 1'000'000; // far outside any cell
    return QPoint(int(std::clamp(*x, -limit, limit)), int(std::clamp(*y, -limit, limit)));
}

const DiagramCell* DiagramLayout::cellAt(int yChannel, int xChannel) const {
    for (const DiagramCell& cell : cells)
        if (cell.yChannel == yChannel && cell.xChannel == xChannel) return &cell;
    return nullptr;
}

DiagramLayout layoutDiagram(const PointStore& store, const CurveGeometry& curve, int width,
                            int height, int pointSize) {
    DiagramLayout layout;
    const std::vector<int> shown = shownChannels(store);
    const int n = int(shown.size());
    layout.shownCount = n;
    if (n == 0) return layout;
    layout.cellWidth = int(Nearest(double(width - (n + 1) * DiagramMargin) / n));
    layout.cellHeight = int(Nearest(double(height - (n + 1) * DiagramMargin) / n));
    if (curve.hasPoints() && curve.ViewLast <= store.PointCount) {
        layout.viewFirst = curve.ViewFirst;
        layout.viewLast = curve.ViewLast;
    }
    const int halfSize = std::clamp(pointSize, MinPointSize, MaxPointSize) / 2;
    const bool drawable = layout.cellWidth > 0 && layout.cellHeight > 0;
    for (int r = 0; r < n && drawable; ++r)
        for (int c = 0; c < n; ++c)
            layout.cells.push_back(
                cellOf(curve, DiagramMargin + c * (layout.cellWidth + DiagramMargin),
                       DiagramMargin + r * (layout.cellHeight + DiagramMargin), layout.cellWidth,
                       layout.cellHeight, halfSize, shown[std::size_t(c)], shown[std::size_t(r)]));
    if (layout.viewFirst == 0)
        for (DiagramCell& cell : layout.cells)
            cell.scalable = false;
    return layout;
}

DiagramLayout drawDiagram(QImage& image, const PointStore& store, const CurveGeometry& curve,
                          const AppSettings& settings, const PlotOptions& options,
                          const QString& noChannelText) {
    {
        Canvas canvas(image);
        canvas.setPen(FrameColour);
        canvas.setBrush(BackgroundColour);
        canvas.rectangle(0, 0, canvas.width(), canvas.height());
        canvas.rectangle(1, 1, canvas.width() - 1, canvas.height() - 1);
    }
    const DiagramLayout layout =
        layoutDiagram(store, curve, image.width(), image.height(), settings.PointSize);
    if (layout.shownCount == 0) writeCentred(image, noChannelText);
    for (const DiagramCell& cell : layout.cells)
        drawCell(image, cell, store, layout, settings, options);
    return layout;
}

QString diagramCaption(const DiagramLayout& layout) {
    return QStringLiteral("nvis=%1; Wn=%2; hn=%3")
        .arg(layout.shownCount)
        .arg(layout.cellWidth)
        .arg(layout.cellHeight);
}

DiagramHit diagramHit(const DiagramLayout& layout, const PointStore& store, int X, int Y) {
    DiagramHit hit;
    const DiagramCell* under = nullptr;
    for (const DiagramCell& cell : layout.cells)
        if (cell.left < X && X < cell.left + cell.width && cell.top < Y &&
            Y < cell.top + cell.height)
            under = &cell;
    if (!under) return hit;
    hit.xChannel = under->xChannel;
    hit.yChannel = under->yChannel;
    if (!under->scalable) return hit;
    const int a = X - under->left;
    const int b = Y - under->top;
    const int R = under->halfSize;
    const int last = std::min(layout.viewLast, store.PointCount);
    for (int p = last; p >= layout.viewFirst && p >= 1; --p) {
        const std::optional<QPoint> at = under->place(store, p);
        if (at && at->x() - R < a && a < at->x() + R && at->y() - R < b && b < at->y() + R) {
            hit.point = p;
            break;
        }
    }
    return hit;
}

QString mouseCaption(int X, int Y, const DiagramHit& hit) {
    QString caption =
        QStringLiteral("%1;%2Num%3;%4").arg(X).arg(Y).arg(hit.xChannel).arg(hit.yChannel);
    if (hit.point) caption += QStringLiteral(" %1").arg(*hit.point);
    return caption;
}

std::optional<QPoint> markerPosition(const DiagramCell& cell, const PointStore& store, int p) {
    if (!cell.scalable) return std::nullopt;
    if (p < 1 || p > store.PointCount) return QPoint(cell.left, cell.top);
    const std::optional<QPoint> at = cell.place(store, p);
    if (!at) return std::nullopt;
    return QPoint(cell.left + at->x(), cell.top + at->y());
}

} // namespace quelmar
