#pragma once
// Edits of single points of the point store, and the text that saves the edited points. Edits
// live only in the store until they are saved; a reload of the curve file discards them.

#include "core/PointStore.h"

#include <string>

namespace quelmar {

// Removes point p (its time and its value in every channel); the points after it move up by
// one. The view is kept within the remaining points.
void deletePoint(PointStore& store, int p);

// Replaces the value of point p in channel k by the four-point midpoint interpolation from two
// neighbours on each side. False, and nothing changed, when p lacks them; nothing changes
// either when one of them is missing. A missing value so interpolated is no longer missing.
bool canSmooth(const PointStore& store, int p);
void smoothPoint(PointStore& store, int k, int p);

// Every point of the curve as observation-file lines ending in CR LF: the time, then the value
// of each shown channel (of channel 1, shown or not, when it is the only one), the store's
// marker in place of a missing value. Numbers keep
// 4 decimals, or more where a value needs them to be written back unchanged.
std::string pointsText(const PointStore& store);

} // namespace quelmar
