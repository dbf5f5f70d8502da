#include "Canvas.h"

#include <QFontMetrics>
#include <algorithm>
#include <cstdlib>
#include <utility>

namespace quelmar {

namespace {

// Texts and ellipses this far off lie outside every image; Qt's integer geometry stays safe.
constexpr Coord FarOff = Coord{1} << 20;

bool farOff(Coord v) {
    return v < -FarOff || v > FarOff;
}

void normalise(Coord& a1, Coord& a2) {
    if (a2 < a1) std::swap(a1, a2);
}

// t * d / n rounded half up, for n > 0; the product may exceed 64 bits.
Coord roundedStep(Coord t, Coord d, Coord n) {
    const __int128 num = static_cast<__int128>(2) * t * d + n;
    const __int128 den = static_cast<__int128>(2) * n;
    __int128 q = num / den;
    if (num % den != 0 && num < 0) --q; // floor division
    return static_cast<Coord>(q);
}

} // namespace

Canvas::Canvas(QImage& image) : image_(image) {
    if (image_.format() != QImage::Format_RGB32)
        image_ = image_.convertToFormat(QImage::Format_RGB32);
    width_ = image_.width();
    height_ = image_.height();
    // bits() detaches a shared image before the painter starts writing into the same memory.
    pixels_ = reinterpret_cast<QRgb*>(image_.bits());
    stride_ = image_.bytesPerLine() / static_cast<std::ptrdiff_t>(sizeof(QRgb));
    if (!image_.isNull()) {
        painter_.begin(&image_);
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setRenderHint(QPainter::TextAntialiasing, false);
    }
}

void Canvas::fill(Coord x1, Coord y1, Coord x2, Coord y2, QRgb colour) {
    x1 = std::max<Coord>(x1, 0);
    y1 = std::max<Coord>(y1, 0);
    x2 = std::min<Coord>(x2, width_);
    y2 = std::min<Coord>(y2, height_);
    if (x1 >= x2) return;
    for (Coord y = y1; y < y2; ++y) {
        QRgb* r = row(static_cast<int>(y));
        std::fill(r + x1, r + x2, colour);
    }
}

void Canvas::rectangle(Coord x1, Coord y1, Coord x2, Coord y2) {
    normalise(x1, x2);
    normalise(y1, y2);
    fill(x1, y1, x2, y2, pen_);
    fill(x1 + 1, y1 + 1, x2 - 1, y2 - 1, brush_);
}

void Canvas::usePenAndBrush() {
    if (painterStyled_ && painterPen_ == pen_ && painterBrush_ == brush_) return;
    painter_.setPen(QPen(QColor(pen_), 0));
    painter_.setBrush(QColor(brush_));
    painterPen_ = pen_;
    painterBrush_ = brush_;
    painterStyled_ = true;
}

void Canvas::ellipse(Coord x1, Coord y1, Coord x2, Coord y2) {
    normalise(x1, x2);
    normalise(y1, y2);
    // Qt paints something even for an empty box; the canvas paints nothing there.
    if (x1 == x2 || y1 == y2) return;
    if (x2 <= 0 || y2 <= 0 || x1 >= width_ || y1 >= height_) return;
    if (farOff(x1) || farOff(y1) || farOff(x2) || farOff(y2)) return;
    // Qt paints nothing in a box one pixel thin; the ellipse there is all outline.
    if (x2 - x1 == 1 || y2 - y1 == 1) return fill(x1, y1, x2, y2, pen_);
    usePenAndBrush();
    // Qt's box of width w covers w + 1 pixels with the outline.
    painter_.drawEllipse(QRect(static_cast<int>(x1), static_cast<int>(y1),
                               static_cast<int>(x2 - x1 - 1), static_cast<int>(y2 - y1 - 1)));
}

// Steps along the longer axis, one pixel per step, rounding the other coordinate; only the
// steps whose longer-axis coordinate lies in the image are walked.
void Canvas::line(Coord xa, Coord ya, Coord xb, Coord yb) {
    const Coord dx = xb - xa;
    const Coord dy = yb - ya;
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const Coord n = alongX ? std::llabs(dx) : std::llabs(dy);
    if (n == 0) return;
    const Coord start = alongX ? xa : ya;
    const Coord sign = (alongX ? dx : dy) > 0 ? 1 : -1;
    const Coord extent = alongX ? width_ : height_;
    // Steps t = 0 ... n - 1 (the end point is not painted) that stay within 0 ... extent - 1.
    Coord tFirst = 0;
    Coord tLast = n - 1;
    if (sign > 0) {
        tFirst = std::max(tFirst, -start);
        tLast = std::min(tLast, extent - 1 - start);
    } else {
        tFirst = std::max(tFirst, start - (extent - 1));
        tLast = std::min(tLast, start);
    }
    for (Coord t = tFirst; t <= tLast; ++t) {
        const Coord major = start + sign * t;
        if (alongX)
            pixel(major, ya + roundedStep(t, dy, n), pen_);
        else
            pixel(xa + roundedStep(t, dx, n), major, pen_);
    }
}

void Canvas::textOut(Coord x, Coord y, const QString& text, const LabelFont& font) {
    if (!painter_.isActive() || farOff(x) || farOff(y)) return;
    const QFontMetrics metrics(font.font, &image_);
    fill(x, y, x + metrics.horizontalAdvance(text), y + metrics.height(), brush_);
    // The painter's hint alone leaves glyphs smoothed with some font engines.
    QFont aliased = font.font;
    aliased.setStyleStrategy(QFont::StyleStrategy(aliased.styleStrategy() | QFont::NoAntialias));
    painter_.setFont(aliased);
    painter_.setPen(QColor(font.colour));
    painterStyled_ = false;
    painter_.drawText(QPoint(static_cast<int>(x), static_cast<int>(y) + metrics.ascent()), text);
}

int Canvas::textWidth(const QString& text, const QFont& font) const {
    return QFontMetrics(font, &image_).horizontalAdvance(text);
}

int Canvas::textHeight(const QFont& font) const {
    return QFontMetrics(font, &image_).height();
}

} // namespace quelmar
