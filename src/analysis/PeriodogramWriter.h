#pragma once
// The periodogram file: lines of frequency, Θ and period with 8 decimals, CR LF ends. Each
// batch of lines is flushed as it is written, so the file holds every finished line at once.

#include "PeriodScan.h"

#include <cstdio>
#include <optional>
#include <string>

namespace quelmar {

class PeriodogramWriter {
public:
    // Creates the file empty, or empties it. Throws QuelmarError naming the file.
    explicit PeriodogramWriter(const std::string& path);
    ~PeriodogramWriter();
    PeriodogramWriter(const PeriodogramWriter&) = delete;
    PeriodogramWriter& operator=(const PeriodogramWriter&) = delete;

    // Makes room for batches of this many lines before the scan starts.
    void reserveLines(int count) { text_.reserve(static_cast<std::size_t>(count) * 48); }
    // Appends the lines of `count` frequencies and their Θ, in the order given.
    void write(const double* frequencies, const double* thetas, int count);
    // Closes the file, reporting a failure to complete it.
    void close();

    long long lines() const { return lines_; }
    const std::optional<PeriodogramLine>& best() const { return best_; }

private:
    [[noreturn]] void fail(const std::string& what);

    std::string path_;
    std::FILE* file_ = nullptr;
    std::string text_; // the batch being written, kept to reuse its memory
    long long lines_ = 0;
    std::optional<PeriodogramLine> best_;
};

} // namespace quelmar
