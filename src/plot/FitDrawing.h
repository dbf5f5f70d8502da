#pragma once
// A fitted polynomial drawn over the light curve: the curve through the points of the range it
// was fitted to, and a box of ± one standard error around its extremum with a cross through
// it, in red, on the picture of the last redraw and at that redraw's scales.

#include "CurveGeometry.h"
#include "analysis/ExtremumTables.h"

#include <QImage>
#include <optional>

namespace quelmar {

inline constexpr QRgb FitColour = qRgb(255, 0, 0);

// Draws curve m of channel c; returns where the cursor mark goes (its top-left corner at the
// extremum), or nothing when the channel has no such curve or the view cannot be scaled.
std::optional<QPoint> drawFit(QImage& picture, const PointStore& store,
                              const CurveGeometry& geometry, const ExtremumTables& tables, int c,
                              int m);

} // namespace quelmar
