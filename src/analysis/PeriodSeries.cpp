#include "PeriodSeries.h"

#include "core/Error.h"
#include "core/ObservationFile.h"
#include "core/PointStore.h"
#include "core/TextFile.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>

namespace quelmar {

namespace {

void checkColumn(const std::string& path, int channels, int column) {
    if (column < 1)
        throw QuelmarError(path, "column " + std::to_string(column) +
                                     " is not a value column; they are numbered from 1");
    if (channels >= 2 && column > channels)
        throw QuelmarError(path, "column " + std::to_string(column) +
                                     " does not exist; the file has " + std::to_string(channels) +
                                     " value columns");
}

void readPoints(std::string_view text, int valueToken, PeriodSeries& series) {
    series.times.assign(1, 0.0);
    series.values.assign(1, 0.0);
    LineReader lines(text);
    std::string_view line;
    while (lines.next(line)) {
        LineTokens tokens(line);
        const auto time = parseNumber(tokens.next());
        if (!time) continue;
        if (series.count() == MaxPoints) {
            ++series.ignored;
            continue;
        }
        for (int skip = 1; skip < valueToken; ++skip)
            tokens.next();
        series.times.push_back(*time);
        series.values.push_back(parseNumber(tokens.next()).value_or(0.0));
    }
}

void computeSums(PeriodSeries& series) {
    const int n = series.count();
    const auto [earliest, latest] =
        std::minmax_element(series.times.begin() + 1, series.times.end());
    series.timeSpan = *latest - *earliest;
    double total = 0;
    for (int i = 1; i <= n; ++i)
        total += series.values[i];
    const double mean = total / n;
    double sum = 0;
    for (int i = 1; i <= n; ++i)
        sum += (series.values[i] - mean) * (series.values[i] - mean);
    series.deviationSum = sum;
}

void checkStatisticDefined(const PeriodSeries& series, int column) {
    const std::string& path = series.path;
    const int n = series.count();
    if (n == 1)
        throw QuelmarError(path,
                           "the file holds one observation; a period search needs two or more");
    if (!(series.timeSpan > 0))
        throw QuelmarError(path,
                           "all observations have the same date; there is no time span to fold");
    if (!std::isfinite(series.timeSpan))
        throw QuelmarError(path, "the dates span more than a number can hold");
    const std::string what = "column " + std::to_string(column);
    if (std::all_of(series.values.begin() + 1, series.values.end(),
                    [&](double v) { return v == series.values[1]; }))
        throw QuelmarError(path, "all values of " + what +
                                     " are equal; the dispersion statistic is undefined");
    if (!(series.deviationSum > 0) || !std::isfinite(series.deviationSum))
        throw QuelmarError(
            path, "the values of " + what +
                      " are too large or too close to each other for the dispersion statistic");
}

} // namespace

PeriodSeries parsePeriodSeries(std::string_view text, int column, const std::string& path) {
    PeriodSeries series;
    series.path = path;
    series.DataChannelCount = countChannels(text, path);
    checkChannelLimit(path, series.DataChannelCount);
    const int valueColumn = series.DataChannelCount >= 2 ? column : 1;
    if (series.DataChannelCount > 0) checkColumn(path, series.DataChannelCount, column);
    readPoints(text, valueColumn, series);
    if (series.count() == 0) throw QuelmarError(path, "the file holds no observations");
    if (series.DataChannelCount == 0)
        throw QuelmarError(path, "the first observation line holds no value after the date");
    computeSums(series);
    checkStatisticDefined(series, valueColumn);
    return series;
}

PeriodSeries readPeriodSeries(const std::string& path, int column) {
    const MappedFile file(path);
    return parsePeriodSeries(file.text(), column, path);
}

std::string leftOutNotice(const PeriodSeries& series) {
    if (series.ignored == 0) return {};
    return series.path + ": only the first " + std::to_string(series.count()) +
           " observations are analysed; " + std::to_string(series.ignored) + " more are left out";
}

} // namespace quelmar
