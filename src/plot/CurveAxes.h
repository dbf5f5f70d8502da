#pragma once
// Everything of the light curve besides the points: the background and frames, the axis labels,
// the tick marks or grid, and the outer border.

#include "Canvas.h"
#include "CurveGeometry.h"
#include "PlotOptions.h"

namespace quelmar {

// What the labels of a drawing need beyond the design margins: the widest value label of the
// shown channels, the height of the time labels and the width of the last one, in their fonts.
// Nothing with the design font, nor when there are no points.
CurveMargins labelMargins(const Canvas& canvas, const PointStore& store,
                          const CurveGeometry& geometry, const PlotOptions& options);

// Clears the surface and draws the outer frame and the frame of the plot.
void drawFrame(Canvas& canvas, const CurveGeometry& geometry);

// The legend of the bands, drawn under the points: at each shown band's upper left corner inside
// the frame, a square in the channel's marker colour and the channel's name, or its number where
// the file names none.
void drawBandLegend(Canvas& canvas, const PointStore& store, const CurveGeometry& geometry,
                    const PlotOptions& options);

// The time labels, the value labels of each shown channel, the ticks or grid and the border.
void drawAxes(Canvas& canvas, const PointStore& store, const CurveGeometry& geometry,
              const AppSettings& settings, const PlotOptions& options);

} // namespace quelmar
