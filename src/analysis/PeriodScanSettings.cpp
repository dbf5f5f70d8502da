#include "PeriodScan.h"

#include "core/Error.h"
#include "core/TextFile.h"
#include "core/numbers.h"

#include <cfloat>
#include <cmath>
#include <utility>

namespace quelmar {

namespace {

double numberField(std::string_view text, const std::string& what) {
    LineTokens tokens(text);
    const std::string_view token = tokens.next();
    if (token.empty()) throw QuelmarError("the " + what + " is missing");
    const auto value = parseNumber(token);
    if (!value || !tokens.atEnd())
        throw QuelmarError("the " + what + " \"" + std::string(text) + "\" is not a number");
    return *value;
}

int columnField(std::string_view text) {
    LineTokens tokens(text);
    const std::string_view token = tokens.next();
    const auto value = parseInteger(token);
    if (!value || !tokens.atEnd())
        throw QuelmarError("the column \"" + std::string(text) + "\" is not a whole number");
    return *value;
}

void requirePositive(double value, const std::string& what) {
    if (!(value > 0) || !std::isfinite(value))
        throw QuelmarError("the " + what + " must be a positive number, not " + roundTripText(value));
}

} // namespace

PeriodScanSettings periodScanSettings(std::string_view pmin, std::string_view pmax,
                                      std::string_view step, std::string_view column) {
    PeriodScanSettings settings;
    settings.pmin = numberField(pmin, "shortest period");
    settings.pmax = numberField(pmax, "longest period");
    settings.step = LineTokens(step).atEnd() ? DefaultPeriodStep : numberField(step, "step");
    settings.column = columnField(column);
    checkPeriodScanSettings(settings);
    return settings;
}

void checkPeriodScanSettings(const PeriodScanSettings& settings) {
    requirePositive(settings.pmin, "shortest period");
    requirePositive(settings.pmax, "longest period");
    requirePositive(settings.step, "step");
    if (settings.column < 1)
        throw QuelmarError("the column must be 1 or more, not " + std::to_string(settings.column));
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
        throw QuelmarError("the shortest period, " + roundTripText(pmin) +
                           " days, is too short to fold a time span of " + fixed(timeSpan, 4) +
                           " days");
    // Below one unit in the last place of fmax, adding Δf would leave a frequency unchanged.
    if (!(grid.step > grid.fmax * DBL_EPSILON))
        throw QuelmarError("the step " + roundTripText(settings.step) +
                           " is too small for periods down to " + roundTripText(pmin) +
                           " days over a time span of " + fixed(timeSpan, 4) +
                           " days: the trial frequencies would not advance");
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
