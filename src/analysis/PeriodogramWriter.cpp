#include "PeriodogramWriter.h"

#include "core/Error.h"
#include "core/SystemReason.h"
#include "core/TextFile.h"
#include "core/numbers.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace quelmar {

PeriodogramWriter::PeriodogramWriter(const std::string& path) : path_(path) {
    struct stat info {};
    const bool existed = ::stat(path.c_str(), &info) == 0;
    // Without O_NONBLOCK a named pipe would wait for a reader before the scan could start.
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd_ < 0) fail(message::PeriodogramNotCreated);
    fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    // The file is emptied only once it is ours: not read-only, and not being written by another
    // scan, whose lines would otherwise be mixed with these.
    if (fstat(fd_, &info) != 0) abandon({message::PeriodogramNotCreated, {systemReason()}});
    if (!S_ISREG(info.st_mode)) return; // a pipe or a device a script reads the lines from
    if (existed && readOnlyFile(fd_, path)) abandon(message::ReadOnlyLeftUnchanged);
    try {
        lockForWriting(fd_, path);
    } catch (...) {
        ::close(std::exchange(fd_, -1));
        throw;
    }
    if (ftruncate(fd_, 0) != 0) abandon({message::PeriodogramNotCreated, {systemReason()}});
}

void PeriodogramWriter::abandon(const MessageText& why) {
    ::close(std::exchange(fd_, -1));
    throw QuelmarError(path_, why);
}

PeriodogramWriter::~PeriodogramWriter() {
    if (fd_ >= 0) ::close(fd_);
}

void PeriodogramWriter::fail(const OwnMessage& what) {
    throw QuelmarError(path_, {what, {systemReason()}});
}

void PeriodogramWriter::write(const double* frequencies, const double* thetas, int count) {
    text_.clear();
    for (int i = 0; i < count; ++i) {
        const PeriodogramLine line{frequencies[i], thetas[i], 1 / frequencies[i]};
        appendFixedForFile(text_, line.frequency, 8);
        text_ += ' ';
        appendFixedForFile(text_, line.theta, 8);
        text_ += ' ';
        appendFixedForFile(text_, line.period, 8);
        text_ += "\r\n";
        if (!best_ || line.theta < best_->theta) best_ = line;
    }
    std::size_t done = 0;
    while (done < text_.size()) {
        const ssize_t written = ::write(fd_, text_.data() + done, text_.size() - done);
        if (written > 0) {
            done += static_cast<std::size_t>(written);
        } else if (written == 0 || errno != EINTR) {
            if (written == 0) errno = EIO;
            const int reason = errno;
            keepWholeLines(done);
            errno = reason;
            fail(message::PeriodogramNotWritten);
        }
    }
    size_ += static_cast<off_t>(text_.size());
    lines_ += count;
}

void PeriodogramWriter::keepWholeLines(std::size_t written) {
    // A line cut off by the failure is taken back: the file ends with a whole line.
    std::size_t whole = 0;
    if (written > 0) {
        const std::size_t lastEnd = text_.rfind('\n', written - 1);
        if (lastEnd != std::string::npos) whole = lastEnd + 1;
    }
    if (ftruncate(fd_, size_ + static_cast<off_t>(whole)) == 0)
        size_ += static_cast<off_t>(whole);
}

void PeriodogramWriter::close() {
    const int fd = fd_;
    fd_ = -1;
    if (fd >= 0 && ::close(fd) != 0) fail(message::PeriodogramNotCompleted);
}

} // namespace quelmar
