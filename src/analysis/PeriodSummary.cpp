#include "PeriodSummary.h"

#include "core/Error.h"
#include "core/TextFile.h"
#include "core/numbers.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <map>
#include <new>
#include <thread>

namespace quelmar {

namespace {

// The search of one file; every failure becomes the line's status.
PeriodSummaryLine searchOneFile(const std::string& file, const std::string& periodogram,
                                const PeriodScanSettings& settings, unsigned threads,
                                MissingMarker missing, const FileSearch& search) {
    PeriodSummaryLine line;
    line.file = file;
    line.periodogram = periodogram;
    try {
        const PeriodSeries series = readPeriodSeries(file, settings.column, missing);
        line.points = series.count();
        line.leftOut = series.missing + series.ignored;
        const FrequencyGrid grid = frequencyGrid(settings, series.timeSpan);
        if (grid.estimatedCount > LargeScanFrequencies)
            throw QuelmarError(file, {message::ScanTooLarge,
                                      {std::to_string(grid.estimatedCount),
                                       std::to_string(LargeScanFrequencies)}});
        if (search)
            search(series, grid, periodogram, threads, line);
        else
            scanFileForSummary(series, grid, periodogram, threads, line);
    } catch (const std::bad_alloc&) {
        line.status = file + ": there is not enough memory for its search";
    } catch (const std::exception& error) {
        line.status = error.what();
    }
    return line;
}

bool isSmall(const std::string& file) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    return ec || size < static_cast<std::uintmax_t>(SmallFileBytes);
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string lineFields(const std::optional<PeriodogramLine>& line) {
    if (!line) return ",,";
    return fixed(line->period, 8) + "," + fixed(line->theta, 8) + "," + fixed(line->frequency, 8);
}

std::string numberField(double value, int decimals) {
    return std::isfinite(value) ? fixed(value, decimals) : std::string();
}

std::string reportFields(const std::optional<PeriodReport>& report) {
    if (!report || report->peaks.empty()) return ",,,,,";
    const auto& box = report->box;
    return std::string(periodMethodName(report->method)) + "," +
           numberField(report->peaks.front().periodError, 8) + "," +
           (report->fap ? fixed(report->fap->probability, 6) : std::string()) + "," +
           (box ? fixed(box->duration, 8) + "," + fixed(box->epoch, 8) + "," + fixed(box->depth, 8)
                : std::string(",,"));
}

} // namespace

void scanFileForSummary(const PeriodSeries& series, const FrequencyGrid& grid,
                        const std::string& periodogram, unsigned threads, PeriodSummaryLine& line) {
    ScanProgress progress;
    const ScanOutcome outcome = scanPeriods(series, grid, periodogram, threads, progress);
    if (!outcome.best) throw QuelmarError(periodogram, message::ScanWroteNoLine);
    line.best = outcome.best;
    line.second = secondMinimum(periodogram, outcome.best->frequency, 1 / series.timeSpan);
}

std::optional<PeriodogramLine> secondMinimum(const std::string& periodogramPath,
                                             double bestFrequency, double resolution) {
    const FileContent file(periodogramPath);
    LineReader lines(file.text());
    std::optional<PeriodogramLine> second;
    // Θ at three neighbouring frequencies: the middle one is a minimum when no neighbour is lower.
    PeriodogramLine before{}, middle{};
    int seen = 0;
    auto consider = [&](const PeriodogramLine& candidate, bool lowerThanNext) {
        if (lowerThanNext && std::abs(candidate.frequency - bestFrequency) > resolution &&
            (!second || candidate.theta < second->theta))
            second = candidate;
    };
    std::string_view text;
    while (lines.next(text)) {
        LineTokens tokens(text);
        const auto f = parseNumber(tokens.next());
        const auto theta = parseNumber(tokens.next());
        const auto period = parseNumber(tokens.next());
        if (!f || !theta || !period) continue;
        const PeriodogramLine line{*f, *theta, *period};
        if (seen == 1) consider(middle, middle.theta <= line.theta);
        if (seen >= 2) consider(middle, middle.theta <= before.theta && middle.theta <= line.theta);
        before = middle;
        middle = line;
        ++seen;
    }
    if (seen == 1) consider(middle, true);
    if (seen >= 2) consider(middle, middle.theta <= before.theta);
    return second;
}

std::vector<PeriodSummaryLine> summarisePeriodSearches(
    const std::vector<std::string>& files, const std::vector<std::string>& periodograms,
    const PeriodScanSettings& settings, unsigned threads, const std::function<void()>& done,
    MissingMarker missing, const FileSearch& search) {
    std::vector<PeriodSummaryLine> lines(files.size());
    std::vector<std::size_t> small, large;
    std::map<std::string, std::size_t> firstWriter;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto [earlier, fresh] = firstWriter.emplace(periodograms[i], i);
        if (!fresh) {
            // Two files named alike in different folders would write one periodogram file.
            lines[i].file = files[i];
            lines[i].periodogram = periodograms[i];
            lines[i].status = files[i] + ": its periodogram " + periodograms[i] +
                              " would replace that of " + files[earlier->second];
            if (done) done();
            continue;
        }
        (isSmall(files[i]) ? small : large).push_back(i);
    }

    const unsigned workers = scanThreads(threads);
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t k; (k = next.fetch_add(1)) < small.size();) {
            const std::size_t i = small[k];
            lines[i] = searchOneFile(files[i], periodograms[i], settings, 1, missing, search);
            if (done) done();
        }
    };
    {
        std::vector<std::jthread> helpers;
        try {
            for (unsigned w = 1; w < std::min<std::size_t>(workers, small.size()); ++w)
                helpers.emplace_back(work);
        } catch (const std::system_error&) {
            // A thread the system will not start leaves its files to the others.
        }
        work();
    }
    for (const std::size_t i : large) {
        lines[i] = searchOneFile(files[i], periodograms[i], settings, workers, missing, search);
        if (done) done();
    }
    return lines;
}

std::string periodSummaryTable(const std::vector<PeriodSummaryLine>& lines) {
    std::string table = "file,points,left_out,best_period,theta,frequency,second_period,"
                        "second_theta,second_frequency,status,method,period_error,fap,duration,"
                        "epoch,depth\r\n";
    for (const PeriodSummaryLine& line : lines)
        table += csvField(line.file) + "," + std::to_string(line.points) + "," +
                 std::to_string(line.leftOut) + "," + lineFields(line.best) + "," +
                 lineFields(line.second) + "," + csvField(line.status) + "," +
                 reportFields(line.report) + "\r\n";
    return table;
}

} // namespace quelmar
