#pragma once
// The light-curve redraw: the points of the point store as a light curve, time across, one band
// per shown channel from top to bottom, each band scaled to its own range at one common scale.

#include "Canvas.h"
#include "CurveGeometry.h"
#include "CurvePoints.h"
#include "PlotOptions.h"
#include "document/ViewState.h"

#include <QImage>

namespace quelmar {

// Draws the points of one shown channel.
using ChannelPainter = void (*)(Canvas&, const PointStore&, const CurveGeometry&, int k,
                                const ViewState&, const AppSettings&, const PlotOptions&);

// Draws the curve over the whole image, which has the size of the window's client area, and
// returns the geometry it used, with the margins its axis labels need: every caller that places
// or finds points reads them from it. The store's ViewFirst and ViewLast may be 0 (the whole
// curve).
CurveGeometry drawCurve(QImage& image, const PointStore& store, const ViewState& view,
                        const AppSettings& settings, const PlotOptions& options,
                        ChannelPainter paintChannel = drawChannelPoints);

} // namespace quelmar
