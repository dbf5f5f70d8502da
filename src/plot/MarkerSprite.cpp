#include "MarkerSprite.h"

#include <algorithm>

namespace quelmar {

MarkerStyle markerStyle(const AppSettings& settings, const PlotOptions& options, int k) {
    MarkerStyle style;
    style.shape = settings.Shape;
    style.halfSize = std::clamp(settings.PointSize, MinPointSize, MaxPointSize) / 2;
    style.fill = ChannelColours[static_cast<std::size_t>(k)];
    style.symbol = pointSymbolText(settings);
    style.symbolFont = options.YAxisFont;
    return style;
}

void drawMarker(Canvas& canvas, const MarkerStyle& style, Coord x, Coord y) {
    const Coord r = style.halfSize;
    canvas.setPen(OutlineColour);
    canvas.setBrush(style.fill);
    switch (style.shape) {
    case PointShape::Circle:
        canvas.ellipse(x - r, y - r, x + r, y + r);
        break;
    case PointShape::Square:
        canvas.rectangle(x - r, y - r, x + r, y + r);
        break;
    case PointShape::Symbol:
        canvas.textOut(x - r, y - r, style.symbol, style.symbolFont);
        break;
    }
    canvas.pixel(x, y, OutlineColour);
}

namespace {

QImage markerPicture(const MarkerStyle& style, const QImage& target, int pad, QRgb background) {
    QImage picture(2 * pad + 1, 2 * pad + 1, QImage::Format_RGB32);
    picture.setDotsPerMeterX(target.dotsPerMeterX());
    picture.setDotsPerMeterY(target.dotsPerMeterY());
    picture.fill(background);
    Canvas canvas(picture);
    drawMarker(canvas, style, pad, pad);
    return picture;
}

} // namespace

// The marker is drawn on two different backgrounds: a pixel it paints has the same colour on
// both, a pixel it leaves alone shows two different backgrounds.
MarkerSprite::MarkerSprite(const MarkerStyle& style, const Canvas& target) {
    int extent = style.halfSize;
    if (style.shape == PointShape::Symbol)
        extent += std::max(target.textWidth(style.symbol, style.symbolFont.font),
                           target.textHeight(style.symbolFont.font));
    const int pad = extent + 2;
    const QImage one = markerPicture(style, target.image(), pad, qRgb(1, 2, 3));
    const QImage two = markerPicture(style, target.image(), pad, qRgb(254, 253, 252));
    for (int y = 0; y < one.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(one.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(two.constScanLine(y));
        for (int x = 0; x < one.width();) {
            if (a[x] != b[x]) {
                ++x;
                continue;
            }
            Run run{y - pad, x - pad, 0, static_cast<int>(colours_.size())};
            for (; x < one.width() && a[x] == b[x]; ++x, ++run.length)
                colours_.push_back(a[x]);
            runs_.push_back(run);
            left_ = std::min(left_, run.dx);
            right_ = std::max(right_, run.dx + run.length - 1);
            top_ = std::min(top_, run.dy);
            bottom_ = std::max(bottom_, run.dy);
        }
    }
}

void MarkerSprite::stamp(Canvas& canvas, Coord x, Coord y) const {
    const Coord w = canvas.width();
    const Coord h = canvas.height();
    if (x + right_ < 0 || x + left_ >= w || y + bottom_ < 0 || y + top_ >= h) return;
    const bool whole = x + left_ >= 0 && x + right_ < w && y + top_ >= 0 && y + bottom_ < h;
    for (const Run& run : runs_) {
        const Coord row = y + run.dy;
        Coord from = x + run.dx;
        Coord to = from + run.length;
        const QRgb* colours = colours_.data() + run.firstColour;
        if (!whole) {
            if (row < 0 || row >= h) continue;
            colours += std::max<Coord>(0, -from);
            from = std::max<Coord>(from, 0);
            to = std::min(to, w);
            if (from >= to) continue;
        }
        QRgb* pixels = canvas.row(static_cast<int>(row));
        for (Coord x = from; x < to; ++x)
            pixels[x] = *colours++;
    }
}

} // namespace quelmar
