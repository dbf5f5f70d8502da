#pragma once
// Period searches over many files at once, each written as its own periodogram, and one
// summary line per file: what a catalogue of stars needs. One file that fails does not stop
// the others: its line says why.

#include "MethodPeriodogram.h"
#include "PeriodScan.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quelmar {

struct PeriodSummaryLine {
    std::string file;
    std::string periodogram; // the file the periodogram went to
    long long points = 0;    // observations analysed
    long long leftOut = 0;   // observations left out: missing values, beyond the limit
    std::optional<PeriodogramLine> best;
    // The smallest minimum of Θ farther from the best frequency than the resolution 1 / T (the
    // second listed peak of another statistic).
    std::optional<PeriodogramLine> second;
    std::optional<PeriodReport> report; // the peaks and their errors, when the search gives them
    std::string status = "ok";          // or the error in words
    bool ok() const { return status == "ok"; }
};

// The deepest local minimum of a periodogram file's Θ farther than `resolution` (cycles per
// day) from `bestFrequency`: read back from the file, line by line, so no scan keeps its lines.
std::optional<PeriodogramLine> secondMinimum(const std::string& periodogramPath,
                                             double bestFrequency, double resolution);

// The search of one file's observations into its periodogram file, on `threads` workers: sets
// the line's best, second and report, or throws.
using FileSearch =
    std::function<void(const PeriodSeries& series, const FrequencyGrid& grid,
                       const std::string& periodogram, unsigned threads, PeriodSummaryLine& line)>;
// The Lafler–Kinman scan, its best and second minimum; no report.
void scanFileForSummary(const PeriodSeries& series, const FrequencyGrid& grid,
                        const std::string& periodogram, unsigned threads, PeriodSummaryLine& line);

// Runs the searches, the summary lines in the order of the files. Files smaller than
// SmallFileBytes share the workers (one thread each); larger ones are scanned one after the
// other on all of them. `done` is called after each file (from any worker thread). `missing`
// marks the values left out; `search` searches each file, the plain scan when not given.
inline constexpr long long SmallFileBytes = 4'000'000;
std::vector<PeriodSummaryLine> summarisePeriodSearches(
    const std::vector<std::string>& files, const std::vector<std::string>& periodograms,
    const PeriodScanSettings& settings, unsigned threads, const std::function<void()>& done = {},
    MissingMarker missing = {}, const FileSearch& search = {});

// The summary as a table: a header line, then one line per file, fields separated by commas
// (quoted where they hold a comma or a quote), numbers with 8 decimals, CR LF. The fields of a
// report (method, period_error, fap, and the box's duration, epoch and depth) follow the
// status, empty where the line has none.
std::string periodSummaryTable(const std::vector<PeriodSummaryLine>& lines);

} // namespace quelmar
