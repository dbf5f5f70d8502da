#pragma once
// Which points lie under the mouse. The times are in ascending order, so the x of the points
// never decreases with the point number: the points near a column are found by halving the
// range of point numbers, not by testing all of them.

#include "CurveGeometry.h"

#include <QString>

#include <optional>
#include <vector>

namespace quelmar {

// The points i = 1 ... PointCount of channel k (shown or not, in the view or not) whose marker
// centre lies within `reach` pixels of (X, Y) both across and down, in ascending order.
std::vector<int> pointsNear(const PointStore& store, const CurveGeometry& geometry, int k, Coord X,
                            Coord Y, int reach);

struct ChannelPoint {
    int channel = 0;
    int point = 0;
};

// The point a resting mouse picks: among the points of the shown channels within one pixel of
// (X, Y), the last in the order of channels, then of points. Nothing when there is none.
std::optional<ChannelPoint> pointUnderMouse(const PointStore& store, const CurveGeometry& geometry,
                                            Coord X, Coord Y);

// The hint of a point under the mouse: "№ 15 (2451545.5; 9.87)", the two values in the
// shortest general form with up to 15 significant digits.
QString pointHint(int p, double x, double y);

} // namespace quelmar
