#pragma once
// Everything of the light curve besides the points: the background and frames, the axis labels,
// the tick marks or grid, and the outer border.

#include "Canvas.h"
#include "CurveGeometry.h"
#include "PlotOptions.h"

namespace quelmar {

// Clears the surface and draws the outer frame and the frame of the plot.
void drawFrame(Canvas& canvas);

// The time labels, the value labels of each shown channel, the ticks or grid and the border.
void drawAxes(Canvas& canvas, const PointStore& store, const CurveGeometry& geometry,
              const PlotOptions& options);

} // namespace quelmar
