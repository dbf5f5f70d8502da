#include "TextFile.h"

#include "Error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quelmar {

namespace {

std::string systemReason() { return std::strerror(errno); }

} // namespace

std::string readFile(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) throw QuelmarError(path, "cannot open the file (" + systemReason() + ")");
    std::string content;
    struct stat info {};
    if (fstat(fileno(f), &info) == 0 && S_ISDIR(info.st_mode)) {
        std::fclose(f);
        throw QuelmarError(path, "is a folder, not a file");
    }
    if (info.st_size > 0) content.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) content.append(buffer, got);
    const bool failed = std::ferror(f);
    std::fclose(f);
    if (failed) throw QuelmarError(path, "cannot read the file");
    return content;
}

MappedFile::MappedFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw QuelmarError(path, "cannot open the file (" + systemReason() + ")");
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw QuelmarError(path, "is not a regular file");
    }
    size_ = static_cast<std::size_t>(info.st_size);
    if (size_ > 0) {
        void* map = mmap(nullptr, size_, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        if (map == MAP_FAILED) {
            const std::string reason = systemReason();
            ::close(fd);
            throw QuelmarError(path, "cannot read the file (" + reason + ")");
        }
        data_ = static_cast<const char*>(map);
    }
    ::close(fd);
}

MappedFile::~MappedFile() {
    if (data_) munmap(const_cast<char*>(data_), size_);
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

LineReader::LineReader(std::string_view text) : text_(text) {
    if (!text_.empty() && text_.back() == '\x1a') text_.remove_suffix(1);
}

bool LineReader::next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const std::size_t start = pos_;
    std::size_t end = start;
    while (end < text_.size() && text_[end] != '\n' && text_[end] != '\r') ++end;
    line = text_.substr(start, end - start);
    pos_ = end;
    if (pos_ < text_.size() && text_[pos_] == '\r') {
        ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    } else if (pos_ < text_.size()) {
        ++pos_;
    }
    ++lineNumber_;
    return true;
}

void writeFileAtomically(const std::string& path, std::string_view content) {
    std::string folder = folderOf(path);
    std::string pattern = (folder.empty() ? std::string() : folder + "/") + "." +
                          fileNameOf(path) + ".XXXXXX";
    int fd = mkstemp(pattern.data());
    if (fd < 0)
        throw QuelmarError(path, "cannot create a temporary file beside it (" + systemReason() +
                                     "); the file is unchanged");
    struct stat original {};
    if (stat(path.c_str(), &original) == 0) fchmod(fd, original.st_mode & 07777);
    else fchmod(fd, 0644);

    const char* data = content.data();
    std::size_t left = content.size();
    bool ok = true;
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    std::string reason = ok ? "" : systemReason();
    if (ok && fsync(fd) != 0) ok = false, reason = systemReason();
    if (::close(fd) != 0 && ok) ok = false, reason = systemReason();
    if (ok && std::rename(pattern.c_str(), path.c_str()) != 0) ok = false, reason = systemReason();
    if (!ok) {
        std::remove(pattern.c_str());
        throw QuelmarError(path, "cannot write the file (" + reason + "); the file is unchanged");
    }
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
    const char* data = content.data();
    std::size_t left = content.size();
    std::string reason;
    while (left > 0 && reason.empty()) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            reason = written < 0 ? systemReason() : "nothing was written";
            break;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    if (!reason.empty() && ftruncate(fd, before) != 0) reason += "; the part written remains";
    if (::close(fd) != 0 && reason.empty()) reason = systemReason();
    if (!reason.empty()) throw QuelmarError(path, "cannot write the file (" + reason + ")");
}

void copyFile(const std::string& from, const std::string& to) {
    std::error_code ec;
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) throw QuelmarError(to, "cannot copy " + from + " here (" + ec.message() + ")");
}

std::string fileNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return "";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string siblingPath(const std::string& path, const std::string& name) {
    const std::string folder = folderOf(path);
    if (folder.empty()) return name;
    return folder == "/" ? "/" + name : folder + "/" + name;
}

} // namespace quelmar
