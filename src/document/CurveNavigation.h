#pragma once
// Moving the cursor and the view over the points of the light curve. The view is the store's
// ViewFirst ... ViewLast; every operation here leaves it within 1 ... PointCount and in order.

#include "core/PointStore.h"

namespace quelmar {

// Keeps 1 <= ViewFirst <= ViewLast <= PointCount: each bound is limited to the points, and
// reversed bounds are exchanged. A store without points keeps the view at 0 ... 0.
void limitView(PointStore& store, int first, int last);

// The point whose X is nearest x, the first of equals (X ascending, as loading leaves it); 0 for
// a store without points.
int pointNearestX(const PointStore& store, double x);

// The cursor moved by `step` points within the view, wrapping to the other end of the view
// when the step would reach or pass the end it moves to.
int stepForward(const PointStore& store, int cursor, int step);
int stepBack(const PointStore& store, int cursor, int step);

// The walk from the cursor to the end of its season: the point just before (after) the first
// gap wider than three mean gaps around the cursor, or the view's bound when there is none.
// Near the ends of the curve the mean takes the gaps that exist; a cursor beyond the curve
// walks from its last point.
int gapJumpLeft(const PointStore& store, int cursor);
int gapJumpRight(const PointStore& store, int cursor);

// The view becomes the season around the cursor: the points between the wide gaps on either
// side. A side without a wide gap keeps its bound.
void selectSeason(PointStore& store, int cursor);

// Shifts the view by half its length to the left (direction -1) or right (+1); a bound that
// would leave the curve stops at its end, and the view then gets shorter.
void halfShift(PointStore& store, int direction);

// Shifts the view so that the cursor lies in its middle, then limits it to the curve.
void centreOn(PointStore& store, int cursor);

} // namespace quelmar
