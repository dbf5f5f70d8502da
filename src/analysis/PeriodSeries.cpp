#include "PeriodSeries.h"

#include "core/Error.h"
#include "core/ObservationFile.h"
#include "core/ObservationLines.h"
#include "core/PointStore.h"
#include "core/TextFile.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>

namespace quelmar {

namespace {

void checkColumn(const std::string& path, int channels, int column) {
    if (column < 1)
        throw QuelmarError(path, {message::ColumnNotValueColumn, {std::to_string(column)}});
    if (channels >= 2 && column > channels)
        throw QuelmarError(
            path, {message::ColumnAbsent, {std::to_string(column), std::to_string(channels)}});
}

// At least the number of lines of the text less one, whatever ends its lines.
std::size_t lineEndsIn(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }));
}

// The observations of one slice of the text, in file order; whether each is read or left out
// for the limit is settled when the slices are put together.
struct SliceObservations {
    std::vector<double> times;
    std::vector<double> values;
    std::vector<char> missing; // the value is missing
    SkippedLines skipped;      // line numbers within the slice

    void reserveFor(std::string_view text) {
        const std::size_t lines = lineEndsIn(text) + 1;
        times.reserve(lines);
        values.reserve(lines);
        missing.reserve(lines);
    }
};

void readPoints(std::string_view text, int valueToken, PeriodSeries& series) {
    // Room for an observation on every line at most, so that the columns never move.
    const auto lineEnds = static_cast<long long>(lineEndsIn(text));
    for (std::vector<double>* column : {&series.times, &series.values}) {
        column->reserve(static_cast<std::size_t>(std::min<long long>(lineEnds, MaxPoints) + 2));
        column->assign(1, 0.0);
    }
    const MissingMarker marker = series.marker;
    walkDataLinesInOrder<SliceObservations>(
        text, series.path,
        [valueToken, marker](const ObservationLine& line, SliceObservations& slice) {
            if (line.kind != ObservationLine::Observation) {
                slice.skipped.note(line.number);
                return;
            }
            LineTokens tokens(line.rest);
            for (int skip = 1; skip < valueToken; ++skip)
                tokens.next();
            // The marker, an absent value and one that is not a number all mark a value missing.
            const std::optional<double> value = parseNumber(tokens.next());
            slice.times.push_back(line.date);
            slice.values.push_back(value.value_or(0));
            slice.missing.push_back(!value || marker.marks(*value));
        },
        [&series](WalkedSlice<SliceObservations>&& walked) {
            const SliceObservations slice = std::move(walked.state); // freed once counted
            if (slice.skipped.count > 0)
                series.skipped.note(walked.linesBefore + slice.skipped.firstLine,
                                    slice.skipped.count);
            for (std::size_t i = 0; i < slice.times.size(); ++i) {
                if (series.count() + series.missing == MaxPoints) {
                    ++series.ignored;
                } else if (slice.missing[i]) {
                    ++series.missing;
                } else {
                    series.times.push_back(slice.times[i]);
                    series.values.push_back(slice.values[i]);
                }
            }
        });
}

// Θ does not change when every value is multiplied by one number. Values whose squares would
// overflow, or vanish, are brought near 1 by a power of two, which is exact: data in the
// ordinary range are not scaled at all, and scaled data give Θ to the same bit as the same
// data written in ordinary units would.
int valueExponentFor(const PeriodSeries& series) {
    double largest = 0;
    for (std::size_t i = 1; i < series.values.size(); ++i)
        largest = std::max(largest, std::fabs(series.values[i]));
    if (largest == 0 || (largest >= 0x1p-400 && largest <= 0x1p400)) return 0;
    int exponent = 0;
    std::frexp(largest, &exponent);
    return -exponent;
}

void computeSums(PeriodSeries& series) {
    const int n = series.count();
    const auto [earliest, latest] =
        std::minmax_element(series.times.begin() + 1, series.times.end());
    series.timeSpan = *latest - *earliest;
    series.valueExponent = valueExponentFor(series);
    double total = 0;
    for (int i = 1; i <= n; ++i)
        total += series.scaledValue(i);
    const double mean = total / n;
    double sum = 0;
    for (int i = 1; i <= n; ++i)
        sum += (series.scaledValue(i) - mean) * (series.scaledValue(i) - mean);
    series.deviationSum = sum;
}

void checkStatisticDefined(const PeriodSeries& series, int column) {
    const std::string& path = series.path;
    const int n = series.count();
    const std::string columnText = std::to_string(column);
    if (n == 1 && series.missing > 0)
        throw QuelmarError(path, {message::OneValueInColumn, {columnText}});
    if (n == 1) throw QuelmarError(path, message::OneObservation);
    if (!(series.timeSpan > 0)) throw QuelmarError(path, message::SameDates);
    if (!std::isfinite(series.timeSpan)) throw QuelmarError(path, message::DatesSpanTooLong);
    if (std::all_of(series.values.begin() + 1, series.values.end(),
                    [&](double v) { return v == series.values[1]; }))
        throw QuelmarError(path, {message::ValuesAllEqual, {columnText}});
    if (!(series.deviationSum > 0) || !std::isfinite(series.deviationSum))
        throw QuelmarError(path, {message::ValuesTooClose, {columnText}});
}

} // namespace

PeriodSeries parsePeriodSeries(std::string_view text, int column, const std::string& path,
                               MissingMarker marker) {
    PeriodSeries series;
    series.path = path;
    series.marker = marker;
    series.DataChannelCount = countChannels(text, path);
    checkChannelLimit(path, series.DataChannelCount);
    const int valueColumn = series.DataChannelCount >= 2 ? column : 1;
    if (series.DataChannelCount > 0) checkColumn(path, series.DataChannelCount, column);
    series.column = valueColumn;
    readPoints(text, valueColumn, series);
    if (series.count() + series.missing == 0) throw QuelmarError(path, message::NoObservations);
    if (series.DataChannelCount == 0) throw QuelmarError(path, message::NoValueAfterDate);
    if (series.count() == 0)
        throw QuelmarError(path, {message::ColumnWithoutValues, {std::to_string(valueColumn)}});
    computeSums(series);
    checkStatisticDefined(series, valueColumn);
    return series;
}

PeriodSeries periodSeriesOf(std::vector<double> times, std::vector<double> values,
                            const std::string& name) {
    PeriodSeries series;
    series.path = name;
    series.DataChannelCount = 1;
    series.marker = MissingMarker::none();
    std::size_t kept = 1;
    for (std::size_t i = 1; i < times.size() && i < values.size(); ++i) {
        if (static_cast<long long>(kept - 1) + series.missing == MaxPoints) {
            ++series.ignored;
        } else if (!std::isfinite(times[i]) || !std::isfinite(values[i])) {
            ++series.missing;
        } else {
            times[kept] = times[i];
            values[kept++] = values[i];
        }
    }
    times.resize(std::min(times.size(), kept));
    values.resize(std::min(values.size(), kept));
    series.times = std::move(times);
    series.values = std::move(values);
    if (series.count() <= 0) throw QuelmarError(name, message::NoObservations);
    computeSums(series);
    checkStatisticDefined(series, 1);
    return series;
}

PeriodSeries readPeriodSeries(const std::string& path, int column, MissingMarker marker) {
    const FileContent file(path);
    return parsePeriodSeries(file.text(), column, path, marker);
}

std::string leftOutNotice(const PeriodSeries& series) {
    std::string notice;
    if (series.ignored > 0)
        notice = "only the first " + std::to_string(series.count() + series.missing) +
                 " observations are analysed; " + std::to_string(series.ignored) +
                 " more are left out";
    if (series.missing > 0)
        notice += (notice.empty() ? "" : "; ") + std::to_string(series.missing) +
                  (series.missing == 1 ? " observation has" : " observations have") + " no value" +
                  (series.marker.isNone() ? "" : " (" + missingMarkerText(series.marker) + ")") +
                  " in column " + std::to_string(series.column) + " and " +
                  (series.missing == 1 ? "is" : "are") + " left out";
    return notice.empty() ? notice : series.path + ": " + notice;
}

double dateOfLowestPoint(const PeriodSeries& series, bool flipped) {
    int lowest = 1;
    for (int i = 2; i <= series.count(); ++i) {
        const double value = series.values[static_cast<std::size_t>(i)];
        const double best = series.values[static_cast<std::size_t>(lowest)];
        if (flipped ? value < best : value > best) lowest = i;
    }
    return series.times[static_cast<std::size_t>(lowest)];
}

} // namespace quelmar
