#pragma once
// The two-channel diagram: every shown channel against every other, a square matrix of small
// scatter plots. The cell in row i and column j plots the points of the view with channel j
// across and channel i down; the diagonal plots a channel against itself. Each cell is scaled
// to the extremes of its two channels in the view, as the light curve's last redraw found them.

#include "Canvas.h"
#include "CurveGeometry.h"
#include "PlotOptions.h"
#include "core/PointStore.h"

#include <QImage>
#include <QPoint>
#include <QString>

#include <optional>
#include <vector>

namespace quelmar {

// The margin between cells and around them, pixels.
inline constexpr int DiagramMargin = 12;

struct DiagramCell {
    int left = 0; // edges in the diagram image, pixels
    int top = 0;
    int width = 0;
    int height = 0;
    int halfSize = 0;  // R: half the point size, the remainder dropped
    int xChannel = 0;  // plotted across
    int yChannel = 0;  // plotted down
    double xScale = 0; // pixels per unit
    double yScale = 0;
    double xMin = 0; // the channels' smallest values in the view
    double yMin = 0;
    bool scalable = false; // false when a channel has equal extremes: the cell stays empty

    // Where point p lies, as an offset from the cell's top-left corner; nothing for a point
    // that is missing in either channel, lies outside the store or cannot be placed.
    std::optional<QPoint> place(const PointStore& store, int p) const;
};

struct DiagramLayout {
    int shownCount = 0; // nvis: the channels shown, one row and one column each
    int cellWidth = 0;  // Wn
    int cellHeight = 0; // hn
    int viewFirst = 0;  // the points plotted; both 0 when there are none
    int viewLast = 0;
    std::vector<DiagramCell> cells; // row after row, in ascending channel order

    const DiagramCell* cellAt(int yChannel, int xChannel) const;
};

// The cells for an image of width × height, the shown channels of the store and the extremes of
// the light curve's last redraw.
DiagramLayout layoutDiagram(const PointStore& store, const CurveGeometry& curve, int width,
                            int height, int pointSize);

// Clears the image with its blue frame and draws every cell; with no channel shown, writes
// noChannelText in the middle instead.
DiagramLayout drawDiagram(QImage& image, const PointStore& store, const CurveGeometry& curve,
                          const AppSettings& settings, const PlotOptions& options,
                          const QString& noChannelText);

// The design's caption after a redraw, "nvis=3; Wn=148; hn=139": the picture's hint.
QString diagramCaption(const DiagramLayout& layout);

// What lies under the mouse at (X, Y) of the image: the cell (its channels, 0 when over a margin)
// and the point picked in it, the last one in point order whose marker box holds the mouse.
struct DiagramHit {
    int xChannel = 0;
    int yChannel = 0;
    std::optional<int> point;
};
DiagramHit diagramHit(const DiagramLayout& layout, const PointStore& store, int X, int Y);

// The design's caption while the mouse moves, "312;145Num2;1" and the point number after a
// blank: the hint of a point.
QString mouseCaption(int X, int Y, const DiagramHit& hit);

// The top-left corner of a cell's marker for point p, in the image; a point outside the store
// counts as lying at the cell's corner. Nothing for an empty cell or a missing value.
std::optional<QPoint> markerPosition(const DiagramCell& cell, const PointStore& store, int p);

} // namespace quelmar
