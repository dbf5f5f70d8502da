#pragma once
// A list of times of extremum, as an O−C diagram takes it: extrema.txt (each line
// "moment±error value±error method"), or any observation file whose first column is the time,
// with an optional error column and an optional type column, P for a primary and S for a
// secondary minimum (the first token after the time that is P or S, in either case).

#include <string>
#include <string_view>
#include <vector>

namespace quelmar {

struct ExtremumTime {
    double time = 0;
    std::string timeText; // the time as the list writes it
    double error = 0;     // 0: the list gives none
    bool secondary = false;
    long long line = 0;   // line of the list, from 1
};

// The error column, counted as the value columns are (1 = the column after the time); 0 for
// none. extrema.txt lines carry their error whatever it says.
// Throws QuelmarError naming path and the line for a line whose time or error is not a number,
// or an error that is not above 0; lines holding no number at all are skipped.
std::vector<ExtremumTime> readExtremumTimes(std::string_view text, const std::string& path,
                                            int errorColumn);

} // namespace quelmar
