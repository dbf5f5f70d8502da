#include "Arguments.h"
#include "JsonOutput.h"
#include "PeriodMethods.h"
#include "analysis/PeriodScan.h"
#include "analysis/PeriodSummary.h"
#include "commands.h"
#include "core/Error.h"
#include "core/TextFile.h"
#include "core/WritePlan.h"
#include "core/cp1251.h"
#include "core/numbers.h"

#include <algorithm>
#include <chrono>
#include <future>
#include <iostream>
#include <limits>
#include <memory>
#include <mutex>
#include <unistd.h>

namespace quelmar::cli {

namespace {

struct PeriodOptions {
    std::vector<std::string> data;
    std::string pmin, pmax, step, column = "1", output, threads, summary, shard;
    bool force = false;
    bool json = false;
    MethodOptions methods;
    MissingMarker missing;
};

unsigned threadCount(const std::string& text) {
    if (text.empty()) return 0; // every core
    const auto count = parseInteger(text);
    if (!count || *count < 1)
        throw QuelmarError("--threads \"" + text + "\" is not a whole number of 1 or more");
    return static_cast<unsigned>(*count);
}

void drawProgress(long long done, long long total) {
    constexpr int width = 40;
    const int filled = total > 0 ? static_cast<int>(width * done / total) : 0;
    std::cerr << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
              << std::string(static_cast<std::size_t>(width - filled), '.') << "] " << done << " / "
              << total << std::flush;
}

// Runs the scan on its own thread and redraws a progress bar on the terminal meanwhile.
ScanOutcome scanShowingProgress(const PeriodSeries& series, const FrequencyGrid& grid,
                                const std::string& output, unsigned threads) {
    ScanProgress progress;
    auto scan = std::async(std::launch::async,
                           [&] { return scanPeriods(series, grid, output, threads, progress); });
    while (scan.wait_for(std::chrono::milliseconds(200)) != std::future_status::ready)
        drawProgress(progress.done, progress.total);
    drawProgress(progress.done, progress.total);
    std::cerr << '\n';
    return scan.get();
}

std::string lineJson(const std::optional<PeriodogramLine>& line) {
    if (!line) return "null";
    return JsonObject()
        .number("period", line->period, 8)
        .number("theta", line->theta, 8)
        .number("frequency", line->frequency, 8)
        .str();
}

void runPeriodSearch(const PeriodOptions& opt, const std::string& data) {
    const PeriodScanSettings settings =
        periodScanSettings(opt.pmin, opt.pmax, opt.step, opt.column);
    const unsigned threads = threadCount(opt.threads);
    const PeriodSeries series = readPeriodSeries(data, settings.column, opt.missing);
    reportSkippedLines(data, series.skipped);
    if (const std::string notice = leftOutNotice(series); !notice.empty())
        std::cerr << "quelmar-cli: " << notice << '\n';
    const FrequencyGrid grid = frequencyGrid(settings, series.timeSpan);
    if (grid.estimatedCount > LargeScanFrequencies && !opt.force)
        throw QuelmarError("the scan would take " + std::to_string(grid.estimatedCount) +
                           " trial frequencies, more than " + std::to_string(LargeScanFrequencies) +
                           "; give --force to run it all the same");

    const std::string output = opt.output.empty() ? periodogramFileName(data) : opt.output;
    const double shortestPeriod = std::min(settings.pmin, settings.pmax);
    if (opt.methods.method != "lk") {
        const PeriodReport result =
            runMethod(opt.methods, series, grid, shortestPeriod, output, threads);
        JsonObject json;
        json.text("file", data).text("periodogram", output).count("points", series.count());
        json.count("left_out", series.missing + series.ignored);
        addMethodFields(json, result);
        std::cout << (opt.json ? json.str() + "\n" : methodLines(result));
        return;
    }
    // The method's settings are refused, if at all, before the scan writes anything.
    methodSettings(opt.methods, shortestPeriod, series.count());
    const WeightedSeries weighted = methodSeries(opt.methods, series, data);
    const ScanOutcome outcome =
        isatty(STDERR_FILENO) ? scanShowingProgress(series, grid, output, threads) : [&] {
            ScanProgress progress;
            return scanPeriods(series, grid, output, threads, progress);
        }();
    if (!outcome.best) throw QuelmarError(output, "the scan wrote no line");
    const PeriodReport result =
        analyseScan(opt.methods, series, weighted, grid, shortestPeriod, output, threads);
    if (opt.json) {
        const auto second = secondMinimum(output, outcome.best->frequency, 1 / series.timeSpan);
        JsonObject json;
        json.text("file", data)
            .text("periodogram", output)
            .count("points", series.count())
            .count("left_out", series.missing + series.ignored)
            .value("best", lineJson(outcome.best))
            .value("second", lineJson(second));
        addMethodFields(json, result);
        std::cout << json.str() << '\n';
        return;
    }
    std::cout << "best period " << fixed(outcome.best->period, 8) << " theta "
              << fixed(outcome.best->theta, 8) << " frequency " << fixed(outcome.best->frequency, 8)
              << '\n'
              << methodLines(result);
}

// Every N-th file starting at the K-th, K counted from 1: the share of one machine.
std::vector<std::string> shardOf(const std::vector<std::string>& files, const std::string& shard) {
    if (shard.empty()) return files;
    const std::size_t slash = shard.find('/');
    const auto k = parseInteger(shard.substr(0, slash == std::string::npos ? 0 : slash));
    const auto n =
        slash == std::string::npos ? std::nullopt : parseInteger(shard.substr(slash + 1));
    if (!k || !n || *n < 1 || *k < 1 || *k > *n)
        throw QuelmarError("--shard \"" + shard + "\" is not K/N with whole numbers 1 <= K <= N");
    std::vector<std::string> share;
    for (std::size_t i = static_cast<std::size_t>(*k - 1); i < files.size();
         i += static_cast<std::size_t>(*n))
        share.push_back(files[i]);
    return share;
}

void printSummary(const std::vector<PeriodSummaryLine>& lines, const PeriodOptions& opt) {
    if (opt.json) {
        std::vector<std::string> items;
        for (const PeriodSummaryLine& line : lines) {
            JsonObject item;
            item.text("file", line.file)
                .text("periodogram", line.periodogram)
                .count("points", line.points)
                .count("left_out", line.leftOut)
                .value("best", lineJson(line.best))
                .value("second", lineJson(line.second));
            if (line.report) addMethodFields(item, *line.report);
            items.push_back(item.text("status", line.status).str());
        }
        std::cout << jsonArray(items) << '\n';
    } else if (opt.summary.empty()) {
        for (const PeriodSummaryLine& line : lines) {
            if (!line.ok()) continue;
            std::cout << line.file << ": ";
            // Θ's line first, as for one file; the report's lines follow.
            if (!line.report || line.report->method == PeriodMethod::LaflerKinman)
                std::cout << "best period " << fixed(line.best->period, 8) << " theta "
                          << fixed(line.best->theta, 8) << " frequency "
                          << fixed(line.best->frequency, 8) << '\n';
            if (line.report) std::cout << methodLines(*line.report);
        }
    }
    for (const PeriodSummaryLine& line : lines)
        if (!line.ok()) std::cerr << "quelmar-cli: " << line.status << '\n';
}

// The line of a listed peak, as the summary gives the second minimum of Θ.
std::optional<PeriodogramLine> peakLine(const PeriodReport& report, std::size_t k) {
    if (k >= report.peaks.size()) return std::nullopt;
    const PeriodPeak& peak = report.peaks[k];
    return PeriodogramLine{peak.frequency, peak.statistic, 1 / peak.frequency};
}

// Each file of a batch searched by the method asked for, with the report a single file gets.
FileSearch methodSearch(const PeriodOptions& opt, const PeriodScanSettings& settings) {
    const double shortest = std::min(settings.pmin, settings.pmax);
    return [&opt, shortest](const PeriodSeries& series, const FrequencyGrid& grid,
                            const std::string& periodogram, unsigned threads,
                            PeriodSummaryLine& line) {
        if (opt.methods.method == "lk") {
            methodSettings(opt.methods, shortest, series.count()); // refused before the scan
            const WeightedSeries weighted = methodSeries(opt.methods, series, series.path);
            scanFileForSummary(series, grid, periodogram, threads, line);
            line.report =
                analyseScan(opt.methods, series, weighted, grid, shortest, periodogram, threads);
            return;
        }
        line.report = runMethod(opt.methods, series, grid, shortest, periodogram, threads);
        line.best = peakLine(*line.report, 0);
        line.second = peakLine(*line.report, 1);
    };
}

void runBatch(const PeriodOptions& opt) {
    if (!opt.output.empty() && opt.data.size() > 1)
        throw QuelmarError("--output names one periodogram; with several data files each "
                           "periodogram is named after its file");
    const PeriodScanSettings settings =
        periodScanSettings(opt.pmin, opt.pmax, opt.step, opt.column);
    // Options wrong for every file are refused once, before any is searched; the points per
    // bin are checked file by file.
    methodSettings(opt.methods, std::min(settings.pmin, settings.pmax),
                   std::numeric_limits<int>::max());
    const unsigned threads = threadCount(opt.threads);
    const std::vector<std::string> files = shardOf(opt.data, opt.shard);
    std::vector<std::string> periodograms;
    for (const std::string& file : files)
        periodograms.push_back(opt.output.empty() ? periodogramFileName(file) : opt.output);
    WritePlan plan;
    for (const std::string& file : opt.data)
        plan.reads(file, message::RoleDataFile);
    for (const std::string& periodogram : periodograms)
        plan.writes(periodogram, message::RolePeriodogram);
    if (!opt.summary.empty()) plan.writes(opt.summary, message::RoleSummary);
    plan.check();

    long long done = 0;
    std::mutex progressShown; // workers finish files at the same time
    const bool showProgress = isatty(STDERR_FILENO);
    const auto lines = summarisePeriodSearches(
        files, periodograms, settings, threads,
        [&] {
            const std::lock_guard lock(progressShown);
            ++done;
            if (showProgress) drawProgress(done, static_cast<long long>(files.size()));
        },
        opt.missing, methodSearch(opt, settings));
    if (showProgress) std::cerr << '\n';
    if (!opt.summary.empty()) {
        try {
            writeFileAtomically(opt.summary, utf8ToCp1251(periodSummaryTable(lines)));
        } catch (const QuelmarError& e) {
            const auto written = std::count_if(lines.begin(), lines.end(),
                                               [](const PeriodSummaryLine& l) { return l.ok(); });
            throw QuelmarError(e.message() + MessageText("; the " + std::to_string(written) +
                                                         " periodogram(s) of the run were "
                                                         "written and stay"));
        }
    }
    printSummary(lines, opt);
    const auto failed = std::count_if(lines.begin(), lines.end(),
                                      [](const PeriodSummaryLine& l) { return !l.ok(); });
    if (failed > 0)
        throw SomeFilesFailed(std::to_string(failed) + " of " + std::to_string(lines.size()) +
                              " files could not be searched; the others were");
}

} // namespace

void addPeriodCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("period", "Scan trial periods over one value column of a data "
                                             "file by the Lafler-Kinman statistic and write the "
                                             "periodogram (frequency, theta, period per line)");
    auto opt = std::make_shared<PeriodOptions>();
    cmd->add_option("DATA", opt->data, "observation files")->required();
    cmd->add_option("--pmin", opt->pmin, "shortest period, days")->required();
    cmd->add_option("--pmax", opt->pmax, "longest period, days")->required();
    cmd->add_option("--step", opt->step,
                    "phase shift in cycles that the time span accumulates between two trial "
                    "frequencies (default 0.01)");
    cmd->add_option("--column", opt->column,
                    "value column to analyse, 1 = the first after the date; observations whose "
                    "value there is missing (see --missing) are left out and counted");
    addMissingOption(*cmd, opt->missing);
    cmd->add_option("--output", opt->output,
                    "periodogram file (default: the data file's name up to its first \".\", plus "
                    "\".per\", in the working folder)");
    cmd->add_option("--threads", opt->threads,
                    "worker threads (default: every core; at most " +
                        std::to_string(MaxScanThreads) + ", more are taken as that many)");
    cmd->add_flag("--force", opt->force, "run a scan of more than 100,000,000 trial frequencies");
    cmd->add_option("--summary", opt->summary,
                    "write one line per file (file, points, left out, best period, statistic, "
                    "frequency, the second minimum or peak, status, method, period error, "
                    "false-alarm probability, box duration, epoch and depth) to this CSV file");
    cmd->add_option("--shard", opt->shard,
                    "K/N: search only every N-th file starting at the K-th (K from 1), so N "
                    "machines or jobs share a catalogue");
    addJsonFlag(*cmd, opt->json, "print the results as JSON");
    addMethodOptions(*cmd, opt->methods);
    cmd->callback([opt] {
        if (opt->data.size() == 1 && opt->summary.empty() && opt->shard.empty())
            runPeriodSearch(*opt, opt->data.front());
        else
            runBatch(*opt);
    });
}

} // namespace quelmar::cli
