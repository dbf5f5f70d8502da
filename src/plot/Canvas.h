#pragma once
// A raster canvas over a QImage with the conventions the drawing code is written in:
//   - a rectangle (x1, y1)-(x2, y2) covers x1 ... x2 - 1 and y1 ... y2 - 1, outlined with the pen
//     and filled with the brush; reversed corners are exchanged first;
//   - an ellipse fills the same box;
//   - a line from (xa, ya) to (xb, yb) paints its start but not its end point;
//   - text is written with its top-left corner at (x, y) on a box of the brush colour.
// Pens are one pixel wide and nothing is antialiased. Coordinates may lie anywhere, also far
// outside the image: what falls outside is clipped, and nothing overflows.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>

namespace quelmar {

using Coord = long long;

// A label font: the face and size, and the colour the text is written in.
struct LabelFont {
    QFont font;
    QRgb colour = qRgb(0, 0, 0);
};

class Canvas {
public:
    // The image is turned into 32-bit RGB if it is in another format.
    explicit Canvas(QImage& image);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    const QImage& image() const { return image_; }
    int width() const { return width_; }
    int height() const { return height_; }

    void setPen(QRgb colour) { pen_ = colour; }
    QRgb pen() const { return pen_; }
    void setBrush(QRgb colour) { brush_ = colour; }
    // Nothing is drawn from this row down (a curve stops at a frame line).
    void limitHeight(int rows) { height_ = std::clamp(rows, 0, height_); }
    QRgb brush() const { return brush_; }

    void rectangle(Coord x1, Coord y1, Coord x2, Coord y2);
    void ellipse(Coord x1, Coord y1, Coord x2, Coord y2);
    void line(Coord xa, Coord ya, Coord xb, Coord yb);
    void pixel(Coord x, Coord y, QRgb colour) {
        if (inside(x, y)) pixels_[y * stride_ + x] = colour;
    }
    void textOut(Coord x, Coord y, const QString& text, const LabelFont& font);
    int textWidth(const QString& text, const QFont& font) const;
    // The height of a line of text, the box textOut fills.
    int textHeight(const QFont& font) const;

    bool inside(Coord x, Coord y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    // Row y of the image, for code that writes many pixels at once.
    QRgb* row(int y) { return pixels_ + static_cast<std::ptrdiff_t>(y) * stride_; }

private:
    void fill(Coord x1, Coord y1, Coord x2, Coord y2, QRgb colour);
    void usePenAndBrush();

    QImage& image_;
    QRgb* pixels_;
    std::ptrdiff_t stride_;
    int width_;
    int height_;
    QRgb pen_ = qRgb(0, 0, 0);
    QRgb brush_ = qRgb(255, 255, 255);
    QPainter painter_;
    QRgb painterPen_ = 0;
    QRgb painterBrush_ = 0;
    bool painterStyled_ = false;
};

} // namespace quelmar
