#pragma once
// The periodogram file: lines of frequency, Θ and period with 8 decimals, CR LF ends.
// A regular file (or a new one) is written under a temporary name beside it, which holds every
// finished line as the scan goes; commit() puts it in the file's place. Until then an earlier
// periodogram of that name stays as it was, and a writer dropped uncommitted leaves nothing
// behind. A pipe or a device, which a script reads the lines from, and a file named through
// /dev or /proc (an open one) are written directly.

#include "PeriodScan.h"

#include "core/MessageText.h"
#include "core/OwnMessages.h"
#include "core/TextFile.h"

#include <memory>
#include <string>

namespace quelmar {

class PeriodogramWriter final : public PeriodogramSink {
public:
    // Throws QuelmarError naming the file when it cannot be written: also when it is
    // read-only, or another command is writing it.
    explicit PeriodogramWriter(const std::string& path);
    ~PeriodogramWriter() override;
    PeriodogramWriter(const PeriodogramWriter&) = delete;
    PeriodogramWriter& operator=(const PeriodogramWriter&) = delete;

    void reserveLines(int count) override { text_.reserve(static_cast<std::size_t>(count) * 48); }
    // Appends the lines of `count` frequencies and their Θ, in the order given.
    void write(const double* frequencies, const double* thetas, int count) override;
    // Puts the lines written in the file's place (closes a pipe or a device), reporting a
    // failure to complete it.
    void commit();

    const std::string& path() const { return path_; }
    // Whether the lines wait for commit() to reach the file.
    bool staged() const { return staged_ != nullptr; }

private:
    void stage();
    void openDirectly();
    void writeDirectly();
    [[noreturn]] void fail(const OwnMessage& what);
    [[noreturn]] void abandon(const MessageText& why); // closes the file first

    std::string path_;
    std::unique_ptr<StagedFile> staged_;
    int lock_ = -1;    // the earlier periodogram, locked until it is replaced
    int fd_ = -1;      // a pipe or a device written directly
    std::string text_; // the batch being written, kept to reuse its memory
};

} // namespace quelmar
