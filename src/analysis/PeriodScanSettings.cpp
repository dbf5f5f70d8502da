#include "PeriodScan.h"

#include "core/Error.h"
#include "core/TextFile.h"
#include "core/numbers.h"

#include <cfloat>
#include <cmath>
#include <utility>

namespace quelmar {

namespace {

double numberField(std::string_view text, const OwnMessage& what) {
    LineTokens tokens(text);
    const std::string_view token = tokens.next();
    if (token.empty()) throw QuelmarError({message::ScanSettingMissing, {what}});
    const auto value = parseNumber(token);
    if (!value || !tokens.atEnd())
        throw QuelmarError({message::ScanSettingNotANumber, {what, std::string(text)}});
    return *value;
}

int columnField(std::string_view text) {
    LineTokens tokens(text);
    const std::string_view token = tokens.next();
    const auto value = parseInteger(token);
    if (!value || !tokens.atEnd())
        throw QuelmarError({message::ScanColumnNotWhole, {std::string(text)}});
    return *value;
}

void requirePositive(double value, const OwnMessage& what) {
    if (!(value > 0) || !std::isfinite(value))
        throw QuelmarError({message::ScanSettingNotPositive, {what, roundTripText(value)}});
}

} // namespace

PeriodScanSettings periodScanSettings(std::string_view pmin, std::string_view pmax,
                                      std::string_view step, std::string_view column) {
    PeriodScanSettings settings;
    settings.pmin = numberField(pmin, message::ShortestPeriod);
    settings.pmax = numberField(pmax, message::LongestPeriod);
    settings.step =
        LineTokens(step).atEnd() ? DefaultPeriodStep : numberField(step, message::PeriodStep);
    settings.column = columnField(column);
    checkPeriodScanSettings(settings);
    return settings;
}

void checkPeriodScanSettings(const PeriodScanSettings& settings) {
    requirePositive(settings.pmin, message::ShortestPeriod);
    requirePositive(settings.pmax, message::LongestPeriod);
    requirePositive(settings.step, message::PeriodStep);
    if (settings.column < 1)
        throw QuelmarError({message::ScanColumnBelowOne, {std::to_string(settings.column)}});
}

FrequencyGrid frequencyGrid(const PeriodScanSettings& settings, double timeSpan) {
    checkPeriodScanSettings(settings);
    double pmin = settings.pmin;
    double pmax = settings.pmax;
    if (pmin > pmax) std::swap(pmin, pmax);
    FrequencyGrid grid;
    grid.fmin = 1 / pmax;
    grid.fmax = 1 / pmin;
    grid.step = settings.step / timeSpan;
    if (!std::isfinite(grid.fmax) || !std::isfinite(timeSpan * grid.fmax))
        throw QuelmarError(
            {message::ShortestPeriodTooShort, {roundTripText(pmin), fixed(timeSpan, 4)}});
    // Below one unit in the last place of fmax, adding Δf would leave a frequency unchanged.
    if (!(grid.step > grid.fmax * DBL_EPSILON))
        throw QuelmarError(
            {message::ScanStepTooSmall,
             {roundTripText(settings.step), roundTripText(pmin), fixed(timeSpan, 4)}});
    const double count = std::trunc((grid.fmax - grid.fmin) / grid.step + 1.001);
    grid.estimatedCount = count < 1 ? 1 : static_cast<long long>(count);
    return grid;
}

long long countTrialFrequencies(const FrequencyGrid& grid) {
    TrialFrequencies frequencies(grid);
    long long count = 0;
    for (double f; frequencies.next(f);)
        ++count;
    return count;
}

std::string periodogramFileName(const std::string& dataFileName) {
    return derivedFileName(dataFileName, ".per");
}

std::optional<std::string> reciprocalText(std::string_view typed) {
    LineTokens tokens(typed);
    const auto value = parseNumber(tokens.next());
    if (!value || *value == 0 || !tokens.atEnd()) return std::nullopt;
    return fixed(1 / *value, 8);
}

std::string durationText(double seconds) {
    const long long total = seconds > 0 ? static_cast<long long>(std::fmod(seconds, 86400.0)) : 0;
    return std::to_string(total / 3600) + ":" + std::to_string(total % 3600 / 60) + ":" +
           std::to_string(total % 60);
}

} // namespace quelmar
