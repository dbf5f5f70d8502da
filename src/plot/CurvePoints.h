#pragma once
// The points of the light curve: one band per shown channel, its markers, the joining lines and
// the yellow edges between bands.

#include "Canvas.h"
#include "CurveGeometry.h"
#include "PlotOptions.h"
#include "document/ViewState.h"

namespace quelmar {

// Draws the points ViewFirst ... ViewLast of channel k in order: each marker with its centre
// dot, then, with lines shown, a green line to the next point, which that point's marker covers.
// Points that cannot be placed are skipped, and so are the lines that would touch them.
void drawChannelPoints(Canvas& canvas, const PointStore& store, const CurveGeometry& geometry,
                       int k, const ViewState& view, const AppSettings& settings,
                       const PlotOptions& options);

// The yellow line along the edge of a band that begins bandTop pixels below the first, from
// the frame's left line to the right.
void drawBandEdge(Canvas& canvas, const CurveGeometry& geometry, double bandTop);

} // namespace quelmar
