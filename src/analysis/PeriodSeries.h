#pragma once
// The observations a period search works on: the dates and one value column of a data file,
// in file order, since the phase origin is the date of the first observation read.

#include <string>
#include <string_view>
#include <vector>

namespace quelmar {

struct PeriodSeries {
    std::string path;           // the data file, named in messages
    int DataChannelCount = 0;   // value columns of the file's first observation line
    std::vector<double> times;  // [1 ... count()], element 0 unused
    std::vector<double> values; // [1 ... count()], element 0 unused
    long long ignored = 0;      // observations beyond the first MaxPoints, left unread
    double timeSpan = 0;        // latest date minus earliest
    double deviationSum = 0;    // S = Σ (v(i) − mean)², summed in file order

    int count() const { return static_cast<int>(times.size()) - 1; }
};

// Reads the dates and column k of a data file: lines that hold no observation (blank, or not
// beginning with a number) are skipped; a value that is not a number reads as 0. A file with
// one value column is analysed on that column whatever column k (from 1) is asked for. At
// most MaxPoints observations are read. Throws QuelmarError, naming the file, for input that
// leaves the statistic undefined: no observation or only one, all dates equal, all values
// equal, a column that the file does not have.
PeriodSeries readPeriodSeries(const std::string& path, int column);
// The same, from text already in memory; path names the file in messages.
PeriodSeries parsePeriodSeries(std::string_view text, int column, const std::string& path);

// What the user is told when observations beyond the limit were left out; empty when none.
std::string leftOutNotice(const PeriodSeries& series);

} // namespace quelmar
