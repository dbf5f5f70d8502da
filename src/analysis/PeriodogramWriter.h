#pragma once
// The periodogram file: lines of frequency, Θ and period with 8 decimals, CR LF ends. Each
// batch of lines reaches the file as it is written, so the file holds every finished line at
// once; a write that fails part-way is cut back to the last whole line.

#include "PeriodScan.h"

#include "core/MessageText.h"
#include "core/OwnMessages.h"

#include <sys/types.h>
#include <optional>
#include <string>

namespace quelmar {

class PeriodogramWriter {
public:
    // Creates the file empty, or empties it, and holds it until it is closed. Throws
    // QuelmarError naming the file, also when it is read-only or another scan is writing it.
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
    [[noreturn]] void fail(const OwnMessage& what);
    [[noreturn]] void abandon(const MessageText& why); // closes the file first
    void keepWholeLines(std::size_t written);

    std::string path_;
    int fd_ = -1;
    off_t size_ = 0; // bytes of whole lines in the file
    std::string text_; // the batch being written, kept to reuse its memory
    long long lines_ = 0;
    std::optional<PeriodogramLine> best_;
};

} // namespace quelmar
