#pragma once
// The observations a period search works on: the dates and one value column of a data file,
// in file order, since the phase origin is the date of the first observation read.

#include "core/MissingValue.h"
#include "core/ObservationFile.h"

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

namespace quelmar {

struct PeriodSeries {
    std::string path;           // the data file, named in messages
    int DataChannelCount = 0;   // value columns of the file's first observation line
    std::vector<double> times;  // [1 ... count()], element 0 unused
    std::vector<double> values; // [1 ... count()], element 0 unused
    int column = 1;             // the value column read, from 1
    long long missing = 0;      // observations left out for a missing value in the column
    MissingMarker marker;       // what marked it
    long long ignored = 0;      // observations beyond the first MaxPoints, left unread
    SkippedLines skipped;       // lines holding no observation (blank, or no date first)
    double timeSpan = 0;        // latest date minus earliest
    // Θ takes the values multiplied by 2 to this power: 0 for data in the ordinary range.
    int valueExponent = 0;
    double deviationSum = 0; // S = Σ (w(i) − mean)², w(i) = scaledValue(i), in file order

    int count() const { return static_cast<int>(times.size()) - 1; }
    double scaledValue(int i) const {
        // ldexp by 0 is the value itself; the call costs more than a copy of a million points.
        const double value = values[static_cast<std::size_t>(i)];
        return valueExponent == 0 ? value : std::ldexp(value, valueExponent);
    }
};

// Reads the dates and column k of a data file: lines that hold no observation (blank, or not
// beginning with a number) are skipped; an observation whose value is missing (the marker,
// absent, or not a number) is left out and counted. A file with one value column is analysed on
// that column whatever column k (from 1) is asked for. At most MaxPoints observations are read.
// Throws QuelmarError, naming the file, for more value columns than a data file may have and
// for input that leaves the statistic undefined: no observation or only one, all dates equal,
// all values equal, a column that the file does not have.
PeriodSeries readPeriodSeries(const std::string& path, int column, MissingMarker marker = {});
// The same, from text already in memory; path names the file in messages.
PeriodSeries parsePeriodSeries(std::string_view text, int column, const std::string& path,
                               MissingMarker marker = {});

// The observations a caller holds in memory, in its order (element 0 of each vector unused),
// named `name` in messages. A pair whose date or value is not a finite number is left out and
// counted as missing, as a file's value that is not a number is; beyond MaxPoints observations
// the rest are ignored. Refuses what readPeriodSeries refuses, with its messages (column 1).
PeriodSeries periodSeriesOf(std::vector<double> times, std::vector<double> values,
                            const std::string& name);

// The date of the observation the light curve draws lowest, the first of equals: the largest
// value (a magnitude's minimum light), or the smallest when the view is flipped. An epoch for
// the phase curve of an eclipse or of a pulsation's minimum. Needs count() >= 1.
double dateOfLowestPoint(const PeriodSeries& series, bool flipped);

// What the user is told when observations were left out, beyond the limit or for a missing
// value; empty when none.
std::string leftOutNotice(const PeriodSeries& series);

} // namespace quelmar
