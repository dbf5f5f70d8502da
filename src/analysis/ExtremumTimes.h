#pragma once
// A list of times of extremum, as an O−C diagram takes it: extrema.txt (each line
// "moment±error value±error method"), or any observation file whose first column is the time,
// with an optional error column and an optional type column, P for a primary and S for a
// secondary minimum (the first token after the time that is P or S, in either case).

#include "core/MissingValue.h"

#include <string>
#include <string_view>
#include <vector>

namespace quelmar {

struct ExtremumTime {
    double time = 0;
    std::string timeText; // the time as the list writes it
    double error = 0;     // 0: the list gives none
    bool secondary = false;
    long long line = 0; // line of the list, from 1
};

struct ExtremumTimeList {
    std::vector<ExtremumTime> times;
    long long missing = 0;          // lines left out: their time or error is the marker
    long long firstMissingLine = 0; // the first of them, from 1
};

// The error column, counted as the value columns are (1 = the column after the time); 0 for
// none. extrema.txt lines carry their error whatever it says. A line whose time, or whose
// error in the error column, equals the marker is left out and counted.
// Throws QuelmarError naming path and the line for a line whose time or error is not a number,
// or an error that is not above 0; lines holding no number at all are skipped.
ExtremumTimeList readExtremumTimes(std::string_view text, const std::string& path, int errorColumn,
                                   MissingMarker marker = {});

} // namespace quelmar
