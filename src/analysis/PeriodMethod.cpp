#include "PeriodMethod.h"

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

struct MethodNames {
    PeriodMethod method;
    std::string_view name;
    std::string_view statistic;
};

constexpr MethodNames Methods[] = {
    {PeriodMethod::LaflerKinman, "lk", "theta"},
    {PeriodMethod::LombScargle, "gls", "power"},
    {PeriodMethod::BoxLeastSquares, "bls", "box_power"},
    {PeriodMethod::PhaseDispersion, "pdm", "pdm_theta"},
};

const MethodNames& namesOf(PeriodMethod method) {
    return *std::find_if(std::begin(Methods), std::end(Methods),
                         [&](const MethodNames& m) { return m.method == method; });
}

} // namespace

PeriodMethod periodMethodNamed(std::string_view name) {
    for (const MethodNames& m : Methods)
        if (m.name == name) return m.method;
    throw QuelmarError({message::UnknownPeriodMethod, {std::string(name)}});
}

std::string_view periodMethodName(PeriodMethod method) {
    return namesOf(method).name;
}
std::string_view statisticName(PeriodMethod method) {
    return namesOf(method).statistic;
}

double noiseLevel(PeriodMethod method, int points) {
    switch (method) {
    case PeriodMethod::LaflerKinman:
        return 2.0 * points / (points - 1); // values in random order
    case PeriodMethod::PhaseDispersion:
        return 1.0;
    default:
        return 0.0;
    }
}

std::vector<double> defaultDurations(double shortestPeriod) {
    const double shortest = std::min(0.02, shortestPeriod / 20);
    const double longest = std::min(0.25, shortestPeriod / 4);
    std::vector<double> durations;
    for (int i = 0; i < 10; ++i)
        durations.push_back(shortest * std::pow(longest / shortest, i / 9.0));
    return durations;
}

void checkMethodSettings(const MethodSettings& settings, double shortestPeriod, int points) {
    if (settings.harmonics < 1 || settings.harmonics > MaxHarmonics)
        throw QuelmarError({message::HarmonicsOutOfRange, {std::to_string(settings.harmonics)}});
    for (const double d : settings.durations) {
        if (!(d > 0) || !std::isfinite(d))
            throw QuelmarError({message::DurationNotPositive, {roundTripText(d)}});
        if (d >= shortestPeriod)
            throw QuelmarError(
                {message::DurationNotShorter, {roundTripText(d), roundTripText(shortestPeriod)}});
    }
    if (settings.method != PeriodMethod::PhaseDispersion) return;
    if (settings.covers < 1)
        throw QuelmarError({message::CoversBelowOne, {std::to_string(settings.covers)}});
    if (settings.bins < 2 || points < 3LL * settings.bins)
        throw QuelmarError(
            {message::TooFewPointsPerBin, {std::to_string(points), std::to_string(settings.bins)}});
}

WeightedSeries weightedSeries(const PeriodSeries& series, const std::vector<double>& errors) {
    WeightedSeries out;
    const int n = series.count();
    out.epoch0 = *std::min_element(series.times.begin() + 1, series.times.end());
    for (LargeVector<double>* column : {&out.t, &out.y, &out.w})
        column->reserve(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        out.t.push_back(series.times[static_cast<std::size_t>(i)] - out.epoch0);
        out.y.push_back(series.values[static_cast<std::size_t>(i)]);
        const double sigma = errors.empty() ? 1.0 : errors[static_cast<std::size_t>(i - 1)];
        out.w.push_back(1 / (sigma * sigma));
    }
    return out;
}

std::vector<double> readErrorColumn(const std::string& path, int valueColumn, int errorColumn) {
    const FileContent file(path);
    const int channels = countChannels(file.text(), path);
    if (errorColumn < 1 || channels < 2 || errorColumn > channels)
        throw QuelmarError(
            path, {message::ColumnAbsent, {std::to_string(errorColumn), std::to_string(channels)}});
    const int valueToken = channels >= 2 ? valueColumn : 1;
    std::vector<double> errors;
    long long observations = 0;
    ObservationLines lines(observationText(file.text()));
    for (ObservationLine line; observations < MaxPoints && lines.next(line);) {
        if (line.kind != ObservationLine::Observation) continue;
        ++observations;
        LineTokens tokens(line.rest);
        std::optional<double> value, error;
        for (int token = 1; token <= std::max(valueToken, errorColumn); ++token) {
            const auto number = parseNumber(tokens.next());
            if (token == valueToken) value = number;
            if (token == errorColumn) error = number;
        }
        if (value.value_or(0.0) == 0) continue; // left out of the search, as readPeriodSeries does
        if (!error || !(*error > 0))
            throw QuelmarError(
                path, line.number,
                {message::ErrorNotPositive,
                 {std::to_string(errorColumn), error ? roundTripText(*error) : "0"}});
        errors.push_back(*error);
    }
    return errors;
}

} // namespace quelmar
