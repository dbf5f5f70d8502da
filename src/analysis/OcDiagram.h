#pragma once
// The O−C diagram of a list of times of extremum against an ephemeris T = epoch + period·E:
// the cycle number E of each time (the nearest integer; for a secondary minimum the nearest
// half cycle), and O − C = T − (epoch + period·E), in the order of the list.
//
// The cycles are counted, never read from the list. Two times of one cycle within a quarter
// period of each other are one extremum timed twice, and both are kept. The count is refused
// when two times of one cycle lie farther apart (two extrema in one cycle), or when the O − C of a
// time, in time order, is more than half a period from the one before it: the ephemeris then lets a
// cycle slip between them.

#include "ExtremumTimes.h"

#include <string>
#include <vector>

namespace quelmar {

struct Ephemeris {
    double epoch = 0;
    double period = 0;
};

struct OcPoint {
    ExtremumTime time;
    double cycle = 0; // E, a whole or (secondary) half number
    double oc = 0;    // O − C, days
};

// Throws QuelmarError naming path and the line when the cycles cannot be counted.
std::vector<OcPoint> countCycles(const std::vector<ExtremumTime>& times, Ephemeris ephemeris,
                                 const std::string& path);

// The observation file of the diagram: per point E, O − C and its error (0 when the list gives
// none), then as free text the type (P or S) and the time as the list wrote it; CR LF lines.
std::string ocFileText(const std::vector<OcPoint>& points);

} // namespace quelmar
