#include "PeriodMethods.h"

#include "core/Error.h"
#include "core/numbers.h"

#include <charconv>

namespace quelmar::cli {

namespace {

int wholeArgument(const std::string& text, const std::string& what) {
    const auto value = parseInteger(text);
    if (!value) throw QuelmarError(what + " \"" + text + "\" is not a whole number");
    return *value;
}

std::vector<double> durationList(const std::string& text) {
    std::vector<double> durations;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string item = text.substr(start, comma - start);
        const auto value = numberInText(item);
        if (!value) throw QuelmarError("--durations \"" + item + "\" is not a number of days");
        durations.push_back(*value);
        start = comma + 1;
    }
    return durations;
}

PeriodReport report(const MethodOptions& options, const MethodSettings& settings,
                    const WeightedSeries& weighted, const PeriodSeries& series,
                    const FrequencyGrid& grid, const Periodogram& periodogram, unsigned threads) {
    const long long permutations = permutationsAsked(options);
    std::uint64_t seed = 0;
    const auto [end, ec] =
        std::from_chars(options.seed.data(), options.seed.data() + options.seed.size(), seed);
    if (permutations > 0 && (ec != std::errc() || end != options.seed.data() + options.seed.size()))
        throw QuelmarError("--seed \"" + options.seed + "\" is not a whole number of 0 or more");
    return periodReport(periodogram, weighted, series, settings, grid, permutations, seed, threads);
}

std::string periodText(double value) {
    return std::isfinite(value) ? fixed(value, 8) : "nan";
}

} // namespace

void addMethodOptions(CLI::App& command, MethodOptions& o) {
    command.add_option("--method", o.method,
                       "lk (Lafler-Kinman theta, the default), gls (generalised Lomb-Scargle "
                       "power), bls (box least-squares power), pdm (phase-dispersion theta)");
    command.add_option("--error-column", o.errorColumn,
                       "value column of the errors: weights 1/error^2 (gls, bls, and the fits of "
                       "the peaks)");
    command.add_option("--harmonics", o.harmonics,
                       "gls: sine terms of the fit, 1 to 6 (default 1)");
    command.add_option("--durations", o.durations,
                       "bls: box lengths in days, separated by commas (default ten from 0.02 to "
                       "0.25 d)");
    command.add_option("--bins", o.bins, "pdm: phase bins (default 10)");
    command.add_option("--covers", o.covers, "pdm: covers of shifted bins (default 3)");
    command.add_option("--fap", o.fap,
                       "false-alarm probability of the best peak from this many permutations of "
                       "the values (at most 100,000)");
    command.add_option("--seed", o.seed, "seed of the permutations (default 1)");
}

long long permutationsAsked(const MethodOptions& options) {
    if (options.fap.empty()) return 0;
    const auto count = parseInteger(options.fap);
    if (!count || *count < 1) throw QuelmarError({message::PermutationsNotWhole, {options.fap}});
    if (*count > MaxPermutations) throw QuelmarError({message::TooManyPermutations, {options.fap}});
    return *count;
}

MethodSettings methodSettings(const MethodOptions& options, double shortestPeriod, int points) {
    MethodSettings settings;
    settings.method = periodMethodNamed(options.method);
    settings.harmonics = wholeArgument(options.harmonics, "--harmonics");
    settings.durations = options.durations.empty() ? defaultDurations(shortestPeriod)
                                                   : durationList(options.durations);
    settings.bins = wholeArgument(options.bins, "--bins");
    settings.covers = wholeArgument(options.covers, "--covers");
    checkMethodSettings(settings, shortestPeriod, points);
    permutationsAsked(options);
    return settings;
}

WeightedSeries methodSeries(const MethodOptions& options, const PeriodSeries& series,
                            const std::string& data) {
    if (options.errorColumn.empty()) return weightedSeries(series);
    const int column = wholeArgument(options.errorColumn, "--error-column");
    return weightedSeries(series, readErrorColumn(data, series.column, column));
}

PeriodReport runMethod(const MethodOptions& options, const PeriodSeries& series,
                       const FrequencyGrid& grid, double shortestPeriod, const std::string& output,
                       unsigned threads) {
    const MethodSettings settings = methodSettings(options, shortestPeriod, series.count());
    const WeightedSeries weighted = methodSeries(options, series, series.path);
    const Periodogram periodogram = methodPeriodogram(weighted, series, settings, grid, threads);
    writePeriodogram(periodogram, output);
    return report(options, settings, weighted, series, grid, periodogram, threads);
}

PeriodReport analyseScan(const MethodOptions& options, const PeriodSeries& series,
                         const WeightedSeries& weighted, const FrequencyGrid& grid,
                         double shortestPeriod, const std::string& output, unsigned threads) {
    const MethodSettings settings = methodSettings(options, shortestPeriod, series.count());
    return report(options, settings, weighted, series, grid, readPeriodogram(output), threads);
}

void addMethodFields(JsonObject& json, const PeriodReport& result) {
    const PeriodPeak& best = result.peaks.front();
    json.text("method", periodMethodName(result.method))
        .text("statistic", statisticName(result.method))
        .number("best_period", best.period, 8)
        .number("period_error", best.periodError, 8);
    std::vector<std::string> peaks;
    for (const PeriodPeak& peak : result.peaks) {
        JsonObject item;
        item.number("period", peak.period, 8)
            .number("statistic", peak.statistic, 8)
            .number("period_error", peak.periodError, 8)
            .number("half_width", peak.halfWidth, 8)
            .text("relation", peak.relation);
        if (peak.relation.empty())
            item.text("relation_to", "");
        else
            item.number("relation_to", peak.relationTo, 8);
        peaks.push_back(item.str());
    }
    json.value("peaks", jsonArray(peaks));
    if (result.fap)
        json.number("fap", result.fap->probability, 6)
            .count("permutations", result.fap->permutations);
    if (result.box)
        json.number("duration", result.box->duration, 8)
            .number("epoch", result.box->epoch, 8)
            .number("depth", result.box->depth, 8);
}

std::string methodLines(const PeriodReport& result) {
    const PeriodPeak& best = result.peaks.front();
    std::string text = std::string(periodMethodName(result.method)) + " best period " +
                       periodText(best.period) + " +- " + periodText(best.periodError) + " " +
                       std::string(statisticName(result.method)) + " " + fixed(best.statistic, 8) +
                       "\n";
    if (result.box)
        text += "box duration " + fixed(result.box->duration, 8) + " epoch " +
                fixed(result.box->epoch, 8) + " depth " + fixed(result.box->depth, 8) + "\n";
    if (result.fap)
        text += "false-alarm probability " + fixed(result.fap->probability, 6) + " (" +
                std::to_string(result.fap->asExtreme) + " of " +
                std::to_string(result.fap->permutations) + " permutations as extreme)\n";
    for (const PeriodPeak& peak : result.peaks) {
        text += "peak " + periodText(peak.period) + " +- " + periodText(peak.periodError) + " " +
                std::string(statisticName(result.method)) + " " + fixed(peak.statistic, 8) +
                " half width " + fixed(peak.halfWidth, 8);
        if (!peak.relation.empty())
            text += " " + peak.relation + " of " + fixed(peak.relationTo, 8);
        text += "\n";
    }
    return text;
}

} // namespace quelmar::cli
