#include "analysis/PeriodScan.h"
#include "commands.h"
#include "core/Error.h"
#include "core/numbers.h"

#include <chrono>
#include <future>
#include <iostream>
#include <memory>
#include <unistd.h>

namespace quelmar::cli {

namespace {

struct PeriodOptions {
    std::string data, pmin, pmax, step, column = "1", output, threads;
    bool force = false;
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

void runPeriodSearch(const PeriodOptions& opt) {
    const PeriodScanSettings settings =
        periodScanSettings(opt.pmin, opt.pmax, opt.step, opt.column);
    const unsigned threads = threadCount(opt.threads);
    const PeriodSeries series = readPeriodSeries(opt.data, settings.column);
    if (const std::string notice = leftOutNotice(series); !notice.empty())
        std::cerr << "quelmar-cli: " << notice << '\n';
    const FrequencyGrid grid = frequencyGrid(settings, series.timeSpan);
    if (grid.estimatedCount > LargeScanFrequencies && !opt.force)
        throw QuelmarError("the scan would take " + std::to_string(grid.estimatedCount) +
                           " trial frequencies, more than " + std::to_string(LargeScanFrequencies) +
                           "; give --force to run it all the same");

    const std::string output = opt.output.empty() ? periodogramFileName(opt.data) : opt.output;
    const ScanOutcome outcome =
        isatty(STDERR_FILENO) ? scanShowingProgress(series, grid, output, threads) : [&] {
            ScanProgress progress;
            return scanPeriods(series, grid, output, threads, progress);
        }();
    if (!outcome.best) throw QuelmarError(output, "the scan wrote no line");
    std::cout << "best period " << fixed(outcome.best->period, 8) << " theta "
              << fixed(outcome.best->theta, 8) << " frequency " << fixed(outcome.best->frequency, 8)
              << '\n';
}

} // namespace

void addPeriodCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("period", "Scan trial periods over one value column of a data "
                                             "file by the Lafler-Kinman statistic and write the "
                                             "periodogram (frequency, theta, period per line)");
    auto opt = std::make_shared<PeriodOptions>();
    cmd->add_option("DATA", opt->data, "observation file")->required();
    cmd->add_option("--pmin", opt->pmin, "shortest period, days")->required();
    cmd->add_option("--pmax", opt->pmax, "longest period, days")->required();
    cmd->add_option("--step", opt->step,
                    "phase shift in cycles that the time span accumulates between two trial "
                    "frequencies (default 0.01)");
    cmd->add_option("--column", opt->column,
                    "value column to analyse, 1 = the first after the date; observations whose "
                    "value there is missing (0) are left out and counted");
    cmd->add_option("--output", opt->output,
                    "periodogram file (default: the data file's name up to its first \".\", plus "
                    "\".per\", in the working folder)");
    cmd->add_option("--threads", opt->threads,
                    "worker threads (default: every core; at most " +
                        std::to_string(MaxScanThreads) + ", more are taken as that many)");
    cmd->add_flag("--force", opt->force, "run a scan of more than 100,000,000 trial frequencies");
    cmd->callback([opt] { runPeriodSearch(*opt); });
}

} // namespace quelmar::cli
