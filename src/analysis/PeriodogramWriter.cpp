#include "PeriodogramWriter.h"

#include "core/Error.h"
#include "core/SystemReason.h"
#include "core/numbers.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace quelmar {

namespace {

// Whether the path, or a link on the way to its file, lies in /dev or /proc: /dev/stdout
// redirected to a file names the very file the shell opened, which a staged file would only
// take the name of.
bool namesOpenFile(const std::string& path) {
    std::filesystem::path hop = path;
    std::error_code error;
    for (int links = 0; links < 40; ++links) {
        const std::string text = hop.string();
        if (text.starts_with("/dev/") || text.starts_with("/proc/")) return true;
        if (!std::filesystem::is_symlink(hop, error)) return false;
        const std::filesystem::path target = std::filesystem::read_symlink(hop, error);
        if (error) return false;
        hop = target.is_absolute() ? target : hop.parent_path() / target;
    }
    return false;
}

} // namespace

PeriodogramWriter::PeriodogramWriter(const std::string& path) : path_(path) {
    struct stat info {};
    const bool exists = ::stat(path.c_str(), &info) == 0;
    if ((!exists || S_ISREG(info.st_mode)) && !namesOpenFile(path))
        stage();
    else
        openDirectly();
}

void PeriodogramWriter::stage() {
    // Held by every command writing a user's file: another scan of the same name is refused
    // rather than racing this one to replace it.
    lock_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    try {
        if (lock_ >= 0) lockForWriting(lock_, path_);
        staged_ = std::make_unique<StagedFile>(path_);
    } catch (...) {
        if (lock_ >= 0) ::close(std::exchange(lock_, -1));
        throw;
    }
}

void PeriodogramWriter::openDirectly() {
    // Without O_NONBLOCK a named pipe would wait for a reader before the scan could start.
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) fail(message::PeriodogramNotCreated);
    fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    struct stat info {};
    if (fstat(fd_, &info) != 0) abandon({message::PeriodogramNotCreated, {systemReason()}});
    if (!S_ISREG(info.st_mode)) return;
    // An open file (named through /dev/fd) is emptied only once it is ours.
    if (readOnlyFile(fd_, path_)) abandon(message::ReadOnlyLeftUnchanged);
    try {
        lockForWriting(fd_, path_);
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
    if (lock_ >= 0) ::close(lock_);
}

void PeriodogramWriter::fail(const OwnMessage& what) {
    throw QuelmarError(path_, {what, {systemReason()}});
}

void PeriodogramWriter::write(const double* frequencies, const double* thetas, int count) {
    text_.clear();
    for (int i = 0; i < count; ++i) {
        appendFixedForFile(text_, frequencies[i], 8);
        text_ += ' ';
        appendFixedForFile(text_, thetas[i], 8);
        text_ += ' ';
        appendFixedForFile(text_, 1 / frequencies[i], 8);
        text_ += "\r\n";
    }
    if (staged_)
        staged_->append(text_);
    else
        writeDirectly();
}

void PeriodogramWriter::writeDirectly() {
    std::size_t done = 0;
    while (done < text_.size()) {
        const ssize_t written = ::write(fd_, text_.data() + done, text_.size() - done);
        if (written > 0) {
            done += static_cast<std::size_t>(written);
        } else if (written == 0 || errno != EINTR) {
            if (written == 0) errno = EIO;
            fail(message::PeriodogramNotWritten);
        }
    }
}

void PeriodogramWriter::commit() {
    if (staged_) {
        staged_->commit();
        staged_.reset();
        if (lock_ >= 0) ::close(std::exchange(lock_, -1));
        return;
    }
    const int fd = std::exchange(fd_, -1);
    if (fd >= 0 && ::close(fd) != 0) fail(message::PeriodogramNotCompleted);
}

} // namespace quelmar
