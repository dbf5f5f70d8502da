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
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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
    if (!S_ISREG(info.st_mode)) throw QuelmarError(shown, "is not a regular file; it is left as it is");
    if (readOnly(target, info)) throw QuelmarError(shown, "is read-only; it is left unchanged");
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

} // namespace

StagedFile::StagedFile(const std::string& path, std::string_view content)
    : shownPath_(path), target_(followLinks(path)) {
    refuseToReplace(target_, shownPath_);
    const std::string folder = folderOf(target_);
    std::string pattern =
        (folder.empty() ? std::string() : folder + "/") + "." + fileNameOf(target_) + ".XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
        throw QuelmarError(shownPath_, "cannot create a temporary file beside it (" +
                                           systemReason() + "); the file is unchanged");
    temporary_ = pattern;
    struct stat original {};
    fchmod(fd, stat(target_.c_str(), &original) == 0 ? original.st_mode & 07777 : 0644);

    bool ok = writeAll(fd, content);
    std::string reason = ok ? "" : systemReason();
    if (ok && fsync(fd) != 0) ok = false, reason = systemReason();
    if (::close(fd) != 0 && ok) ok = false, reason = systemReason();
    if (!ok) {
        std::remove(temporary_.c_str());
        throw QuelmarError(shownPath_, "cannot write the file (" + reason + "); the file is unchanged");
    }
}

StagedFile::~StagedFile() {
    if (!committed_) std::remove(temporary_.c_str());
}

void StagedFile::commit() {
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const std::string reason = systemReason();
        std::remove(temporary_.c_str());
        throw QuelmarError(shownPath_, "cannot write the file (" + reason + "); the file is unchanged");
    }
    committed_ = true;
}

void writeFileAtomically(const std::string& path, std::string_view content) {
    StagedFile(path, content).commit();
}

void appendToFile(const std::string& path, std::string_view content) {
    // Non-blocking, so that a FIFO does not wait for a reader before it is refused.
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC,
                          0644);
    if (fd < 0) throw QuelmarError(path, "cannot open the file (" + systemReason() + ")");
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw QuelmarError(path, "is not a regular file");
    }
    const off_t before = info.st_size;
    std::string reason;
    if (!writeAll(fd, content)) reason = systemReason();
    if (!reason.empty() && ftruncate(fd, before) != 0) reason += "; the part written remains";
    if (::close(fd) != 0 && reason.empty()) reason = systemReason();
    if (!reason.empty()) throw QuelmarError(path, "cannot write the file (" + reason + ")");
}

void copyFile(const std::string& from, const std::string& to) {
    const MappedFile source(from);
    writeFileAtomically(to, source.text());
}

LockedFile::LockedFile(const std::string& path) {
    fd_ = openRegularFile(path);
    try {
        struct stat opened {};
        fstat(fd_, &opened);
        if (readOnly(path, opened))
            throw QuelmarError(path, "is read-only; it is left unchanged");
        const std::string busy =
            "is busy: another command is rewriting it; try again when it has finished";
        if (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK) throw QuelmarError(path, busy);
            throw QuelmarError(path, "cannot be locked for the rewrite (" + systemReason() + ")");
        }
        // A rewrite that ended between our opening and our lock replaced the file we opened.
        struct stat now {};
        if (stat(path.c_str(), &now) != 0 || now.st_dev != opened.st_dev || now.st_ino != opened.st_ino)
            throw QuelmarError(path, busy);
        mapped_ = std::make_unique<MappedFile>(fd_, path);
    } catch (...) {
        ::close(fd_);
        throw;
    }
}

LockedFile::~LockedFile() {
    mapped_.reset();
    ::close(fd_); // releases the lock
}

} // namespace quelmar
