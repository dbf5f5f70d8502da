#pragma once
// The marker of a point: a circle, square or symbol in the channel's colour with a black dot at
// its centre. Drawing a million of them through QPainter costs seconds, so the marker is drawn
// once into a small picture and its pixels are copied to every point: the result is the same
// picture, pixel for pixel.

#include "Canvas.h"
#include "PlotOptions.h"

#include <vector>

namespace quelmar {

struct MarkerStyle {
    PointShape shape = PointShape::Circle;
    int halfSize = 2; // r: the marker's box runs from (x - r, y - r) to (x + r, y + r)
    QRgb fill = 0;
    QString symbol;
    LabelFont symbolFont;
};

// The marker of channel k; the symbol is written in the Y-axis label font.
MarkerStyle markerStyle(const AppSettings& settings, const PlotOptions& options, int k);

// Draws the marker of a point centred at (x, y) and then its centre dot.
void drawMarker(Canvas& canvas, const MarkerStyle& style, Coord x, Coord y);

class MarkerSprite {
public:
    // Draws the marker once, at the resolution of the target canvas, and keeps what it painted.
    MarkerSprite(const MarkerStyle& style, const Canvas& target);

    // Paints the same pixels drawMarker would paint for a marker centred at (x, y).
    void stamp(Canvas& canvas, Coord x, Coord y) const;

private:
    // A horizontal run of painted pixels, relative to the centre.
    struct Run {
        int dy;
        int dx;
        int length;
        int firstColour; // index into colours_
    };
    std::vector<Run> runs_;
    std::vector<QRgb> colours_;
    int left_ = 0; // bounds of the painted pixels relative to the centre, inclusive
    int right_ = -1;
    int top_ = 0;
    int bottom_ = -1;
};

} // namespace quelmar
