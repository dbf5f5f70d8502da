#pragma once
// `period --method lk|gls|bls|pdm` and what every method reports beside its periodogram: the
// best period with its error, the listed peaks and their relations, a false-alarm probability.

#include "JsonOutput.h"
#include "analysis/MethodPeriodogram.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

namespace quelmar::cli {

struct MethodOptions {
    std::string method = "lk", errorColumn, harmonics = "1", durations, bins = "10", covers = "3",
                fap, seed = "1";
};

void addMethodOptions(CLI::App& command, MethodOptions& options);

// The settings the options give, checked against the series: refusals come before anything is
// written.
MethodSettings methodSettings(const MethodOptions& options, double shortestPeriod, int points);
// The series with the weights of the error column, when one is given.
WeightedSeries methodSeries(const MethodOptions& options, const PeriodSeries& series,
                            const std::string& data);
// The permutations asked for (0 for none); refuses more than MaxPermutations.
long long permutationsAsked(const MethodOptions& options);

// Computes and writes the periodogram of a method other than Lafler–Kinman, and its report.
PeriodReport runMethod(const MethodOptions& options, const PeriodSeries& series,
                       const FrequencyGrid& grid, double shortestPeriod, const std::string& output,
                       unsigned threads);
// The report around a Lafler–Kinman periodogram the scan has written, from the series
// methodSeries gave.
PeriodReport analyseScan(const MethodOptions& options, const PeriodSeries& series,
                         const WeightedSeries& weighted, const FrequencyGrid& grid,
                         double shortestPeriod, const std::string& output, unsigned threads);

// The report's fields in --json, and its lines for people.
void addMethodFields(JsonObject& json, const PeriodReport& result);
std::string methodLines(const PeriodReport& result);

} // namespace quelmar::cli
