// Rewriting users' files: staged content renamed over the file, copies made the same way,
// appends taken back when they fail, and the exclusive lock a conversion holds on the file it
// rewrites.

#include "Error.h"
#include "SystemReason.h"
#include "TextFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace quelmar {

namespace {

// The file a path finally names through any chain of symbolic links; the path itself when it
// is no link, or a link to nothing (the new file then takes the link's place).
std::string followLinks(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::error_code ec;
    const std::filesystem::path target = std::filesystem::canonical(path, ec);
    return ec ? path : target.string();
}

bool readOnly(const std::string& path, const struct stat& info) {
    // Root may write anything; a file without any write permission was protected all the same.
    return (info.st_mode & 0222) == 0 || access(path.c_str(), W_OK) != 0;
}

// Refuses to replace what the user protected or what is not a file; a new file is welcome.
void refuseToReplace(const std::string& target, const std::string& shown) {
    struct stat info {};
    if (stat(target.c_str(), &info) != 0) return;
    if (!S_ISREG(info.st_mode)) throw QuelmarError(shown, message::NotRegularLeftAsIs);
    if (readOnly(target, info)) throw QuelmarError(shown, message::ReadOnlyLeftUnchanged);
}

bool writeAll(int fd, std::string_view content) {
    const char* data = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = EIO;
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// Writes content at position at of the file, whatever its current end.
bool writeAllAt(int fd, std::string_view content, off_t at) {
    while (!content.empty()) {
        const ssize_t written = pwrite(fd, content.data(), content.size(), at);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = EIO;
            return false;
        }
        at += written;
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The byte before position end of an open file, or nothing when there is none.
std::optional<char> byteBefore(int fd, off_t end) {
    char byte = 0;
    if (end <= 0 || pread(fd, &byte, 1, end - 1) != 1) return std::nullopt;
    return byte;
}

} // namespace

StagedFile::StagedFile(const std::string& path, std::string_view content)
    : StagedFile(path, std::span<const std::string_view>(&content, 1)) {}

StagedFile::StagedFile(const std::string& path, std::span<const std::string_view> pieces)
    : StagedFile(path) {
    for (const std::string_view piece : pieces)
        append(piece);
    complete();
}

StagedFile::StagedFile(const std::string& path, const LockedFile& original)
    : shownPath_(path), target_(followLinks(path)) {
    refuseToReplace(target_, shownPath_);
    cleanStaleWorkingFiles(target_);
    if (stageLink(original.fd_)) return;
    createTemporary();
    append(original.text());
    complete();
}

StagedFile::StagedFile(const std::string& path) : shownPath_(path), target_(followLinks(path)) {
    refuseToReplace(target_, shownPath_);
    cleanStaleWorkingFiles(target_);
    createTemporary();
}

bool StagedFile::stageLink(int fd) {
    // Linked through the descriptor, the copy is the file read even if its name has been given
    // to another file meanwhile.
    const std::string source = "/proc/self/fd/" + std::to_string(fd);
    for (int n = 0; n < 100; ++n) {
        const std::string name = workingFileName(target_, n);
        // Recorded before it exists, so that a signal finds it however soon it comes.
        record_.emplace(name);
        if (linkat(AT_FDCWD, source.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            temporary_ = name;
            return true;
        }
        record_.reset();
        if (errno != EEXIST) return false;
    }
    return false;
}

void StagedFile::createTemporary() {
    for (int n = 0; n < 100 && fd_ < 0; ++n) {
        const std::string name = workingFileName(target_, n);
        record_.emplace(name);
        fd_ = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd_ >= 0) {
            temporary_ = name;
            break;
        }
        record_.reset();
        if (errno != EEXIST) break;
    }
    if (fd_ < 0) throw QuelmarError(shownPath_, {message::CannotCreateTemporary, {systemReason()}});
    struct stat original {};
    fchmod(fd_, stat(target_.c_str(), &original) == 0 ? original.st_mode & 07777 : 0644);
}

void StagedFile::fail(const MessageText& reason) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    std::remove(temporary_.c_str());
    temporary_.clear();
    record_.reset();
    throw QuelmarError(shownPath_, {message::CannotWriteUnchanged, {reason}});
}

void StagedFile::append(std::string_view piece) {
    if (fd_ < 0) { // completed already
        errno = EBADF;
        fail(systemReason());
    }
    if (!writeAll(fd_, piece)) fail(systemReason());
}

void StagedFile::complete() {
    if (fd_ < 0) return;
    if (fsync(fd_) != 0) fail(systemReason());
    if (::close(std::exchange(fd_, -1)) != 0) fail(systemReason());
}

StagedFile::~StagedFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !temporary_.empty()) std::remove(temporary_.c_str());
}

void StagedFile::commit() {
    complete();
    if (temporary_.empty() || std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const MessageText reason = systemReason();
        if (!temporary_.empty()) std::remove(temporary_.c_str());
        throw QuelmarError(shownPath_, {message::CannotWriteUnchanged, {reason}});
    }
    committed_ = true;
    // Renaming a link over another link to the same file leaves both names in place.
    std::remove(temporary_.c_str());
    record_.reset();
}

void writeFileAtomically(const std::string& path, std::string_view content) {
    StagedFile(path, content).commit();
}

namespace {

// Opens a file to append to, creating it when there is none; created says which.
// Non-blocking, so that a FIFO does not wait for a reader before it is refused.
int openToAppend(const std::string& path, bool& created) {
    created = false;
    int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NONBLOCK | O_CLOEXEC, 0644);
        created = fd >= 0;
        if (fd < 0 && errno == EEXIST) fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    }
    if (fd < 0) throw QuelmarError(path, {message::CannotOpen, {systemReason()}});
    return fd;
}

} // namespace

bool readOnlyFile(int fd, const std::string& path) {
    struct stat info {};
    return fstat(fd, &info) == 0 && readOnly(path, info);
}

void lockForWriting(int fd, const std::string& path) {
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) throw QuelmarError(path, message::FileBusy);
        throw QuelmarError(path, {message::CannotLock, {systemReason()}});
    }
    // A rewrite that ended between the opening and the lock put another file in the path's place.
    struct stat opened {
    }, now{};
    if (fstat(fd, &opened) != 0 || stat(path.c_str(), &now) != 0 || now.st_dev != opened.st_dev ||
        now.st_ino != opened.st_ino)
        throw QuelmarError(path, message::FileBusy);
}

void appendToFile(const std::string& path, std::string_view content) {
    bool created = false;
    const int fd = openToAppend(path, created);
    struct stat info {};
    try {
        if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
            throw QuelmarError(path, message::NotRegularFileToWrite);
        if (readOnly(path, info)) throw QuelmarError(path, message::ReadOnlyNothingAdded);
        // Lines appended while a rewrite runs would stay with the replaced file.
        lockForWriting(fd, path);
        fstat(fd, &info); // its size now that nobody else writes it
    } catch (...) {
        ::close(fd);
        throw;
    }
    const off_t before = info.st_size;
    off_t at = before;
    std::string added;
    if (auto last = byteBefore(fd, before)) {
        // The new lines take the place of an old end-of-file mark, which would hide them.
        if (*last == '\x1a') last = byteBefore(fd, --at);
        if (last && *last != '\r' && *last != '\n') added = "\r\n";
    }
    added += content;
    std::optional<MessageText> reason;
    if (!writeAllAt(fd, added, at)) reason = systemReason();
    if (!reason && fsync(fd) != 0) reason = systemReason();
    if (reason) {
        if (ftruncate(fd, before) != 0)
            reason = MessageText(message::PartWrittenRemains, {*reason});
        else if (at < before)
            (void)!pwrite(fd, "\x1a", 1, at);
        else if (created)
            ::unlink(path.c_str()); // there was no file before
    }
    if (::close(fd) != 0 && !reason) reason = systemReason();
    if (reason) throw QuelmarError(path, {message::CannotWrite, {*reason}});
}

void copyFile(const std::string& from, const std::string& to) {
    const FileContent source(from);
    writeFileAtomically(to, source.text());
}

LockedFile::LockedFile(const std::string& path) {
    fd_ = openRegularFile(path);
    try {
        struct stat opened {};
        fstat(fd_, &opened);
        if (readOnly(path, opened)) throw QuelmarError(path, message::ReadOnlyLeftUnchanged);
        lockForWriting(fd_, path);
        content_ = std::make_unique<FileContent>(fd_, path);
    } catch (...) {
        ::close(fd_);
        throw;
    }
}

LockedFile::~LockedFile() {
    ::close(fd_); // releases the lock
}

} // namespace quelmar
