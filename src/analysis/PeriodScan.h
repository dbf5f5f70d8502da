#pragma once
// Period search: scans trial frequencies over one value column of a data file and writes the
// periodogram, one line per trial frequency in increasing order: the frequency (cycles per
// day), Θ and the period (days), each with 8 decimals, CR LF line ends.
//
// The trial frequencies are fmin, then fmin + Δf by repeated addition, up to the last one not
// above fmax, where fmin = 1 / Pmax, fmax = 1 / Pmin and Δf = s / T: the step s is the phase
// shift in cycles that the time span T accumulates between two neighbouring frequencies.
// The scan runs on worker threads; the file it writes is the same for any number of them.
//
// A command runs, in order: periodScanSettings (the texts typed), readPeriodSeries (the data
// file), frequencyGrid (asking the user first when estimatedCount > LargeScanFrequencies),
// then scanPeriods, on a thread of its own when a window polls its ScanProgress. Every
// refusal is a QuelmarError thrown before the periodogram file is touched. The same scan can
// keep its lines in memory instead, for a caller that shows or hands them on without a file.

#include "PeriodSeries.h"

#include <atomic>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quelmar {

inline constexpr double DefaultPeriodStep = 0.01;
// Scans beyond this many trial frequencies are run only after the user confirms.
inline constexpr long long LargeScanFrequencies = 100'000'000;

struct PeriodScanSettings {
    double pmin = 0;                 // shortest period, days (the two may come swapped)
    double pmax = 0;                 // longest period, days
    double step = DefaultPeriodStep; // s, cycles
    int column = 1;                  // value column, 1 = the first value after the date
};

// Settings from the texts the user typed; an empty step means the default. Throws
// QuelmarError saying which text is wrong.
PeriodScanSettings periodScanSettings(std::string_view pmin, std::string_view pmax,
                                      std::string_view step, std::string_view column);
// Refuses periods and a step that are zero, negative or not finite, and a column below 1.
void checkPeriodScanSettings(const PeriodScanSettings& settings);

struct FrequencyGrid {
    double fmin = 0;              // cycles per day
    double fmax = 0;              // cycles per day
    double step = 0;              // Δf, cycles per day
    long long estimatedCount = 0; // N = trunc((fmax − fmin) / Δf + 1.001), at least 1
};

// The trial frequencies for a time span; throws QuelmarError when the settings are refused
// or when Δf is too small for the frequencies to advance.
FrequencyGrid frequencyGrid(const PeriodScanSettings& settings, double timeSpan);

// The trial frequencies in increasing order: fmin, then one addition of Δf after another.
// Every scan takes its frequencies from here, so they agree to the last bit.
class TrialFrequencies {
public:
    explicit TrialFrequencies(const FrequencyGrid& grid) : grid_(grid) {}
    // The next trial frequency, or false after the last one.
    bool next(double& frequency) {
        const double candidate = started_ ? last_ + grid_.step : grid_.fmin;
        if (candidate > grid_.fmax) return false;
        started_ = true;
        last_ = frequency = candidate;
        return true;
    }

private:
    FrequencyGrid grid_;
    double last_ = 0;
    bool started_ = false;
};

// The exact number of trial frequencies, found by doing the additions. It equals N or is one
// less when (fmax − fmin) / Δf lies just below a whole number.
long long countTrialFrequencies(const FrequencyGrid& grid);

// The periodogram a data file proposes: its name without folder, cut before its first ".",
// plus ".per" (to be created in the working folder).
std::string periodogramFileName(const std::string& dataFileName);

// What the dialog shows at the opposite end of the range when a period or frequency edit is
// left: 1 / value with 8 decimals. Nothing for an empty entry, zero, or text that is not a
// number; the other edit then stays as it was.
std::optional<std::string> reciprocalText(std::string_view typed);

// A duration as the progress window shows it: the hours, minutes and seconds of the time of
// day it represents (whole days dropped), without leading zeros, so 247 s reads 0:4:7.
std::string durationText(double seconds);

struct PeriodogramLine {
    double frequency = 0;
    double theta = 0;
    double period = 0;
};

// A periodogram held in memory: the statistic at every trial frequency.
struct Periodogram {
    std::vector<double> frequencies; // increasing
    std::vector<double> statistics;
    // The period of line i, days, as the file writes it.
    double period(std::size_t i) const { return 1 / frequencies[i]; }
};

// Where a scan delivers its lines: batch by batch, in frequency order, from one thread at a
// time. The periodogram file is one such sink, a Periodogram in memory another.
class PeriodogramSink {
public:
    virtual ~PeriodogramSink() = default;
    // Makes room for batches of this many lines before the scan starts.
    virtual void reserveLines(int /*count*/) {}
    // Takes the lines of `count` frequencies and their statistic, in the order given.
    virtual void write(const double* frequencies, const double* statistics, int count) = 0;
};

// Shared between a running scan and whoever watches it (a window polls it on a timer).
struct ScanProgress {
    std::atomic<long long> total{0}; // trial frequencies, set once the scan has counted them
    std::atomic<long long> done{0};  // trial frequencies computed so far
    std::atomic<bool> cancel{false}; // set to stop the scan early
};

struct ScanOutcome {
    std::optional<PeriodogramLine> best; // the written line of smallest Θ, the first of equals
    long long lines = 0;                 // lines written
    bool cancelled = false;              // stopped before the last trial frequency
};

// The most worker threads a scan runs, whatever is asked.
inline constexpr unsigned MaxScanThreads = 64;
// The workers a scan runs when `asked` are asked for: every core for 0, else as many as asked,
// at most MaxScanThreads.
unsigned scanThreads(unsigned asked);

class PeriodogramWriter;

// Writes the periodogram of the series to outputPath, on scanThreads(threads) workers; a worker
// the system cannot start leaves its share to the others.
// The lines are written in frequency order as they are finished (to a temporary file beside a
// regular one, which takes its place when the scan ends); after a cancel the file holds exactly
// the frequencies finished before the first unfinished one. Throws QuelmarError naming the
// file when it cannot be created or written, which leaves an earlier file of that name as it
// was, and refuses to write over the data file itself.
ScanOutcome scanPeriods(const PeriodSeries& series, const FrequencyGrid& grid,
                        const std::string& outputPath, unsigned threads, ScanProgress& progress);
// The same scan into a writer the caller commits, or drops to keep the earlier file (say when
// the user does not want a cancelled scan's lines).
ScanOutcome scanPeriods(const PeriodSeries& series, const FrequencyGrid& grid,
                        PeriodogramWriter& writer, unsigned threads, ScanProgress& progress);
// The same scan into any sink; a QuelmarError the sink throws ends it.
ScanOutcome scanPeriods(const PeriodSeries& series, const FrequencyGrid& grid,
                        PeriodogramSink& sink, unsigned threads, ScanProgress& progress);
// The same scan kept in memory, touching no file: after a cancel the periodogram holds exactly
// the lines the file would.
ScanOutcome scanPeriods(const PeriodSeries& series, const FrequencyGrid& grid,
                        Periodogram& periodogram, unsigned threads, ScanProgress& progress);

} // namespace quelmar
