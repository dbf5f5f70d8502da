#include "TextFile.h"

#include "Error.h"
#include "SystemReason.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace quelmar {

namespace {

MessageText notARegularFile(mode_t mode) {
    if (S_ISDIR(mode)) return message::IsFolder;
    if (S_ISFIFO(mode)) return message::IsNamedPipe;
    if (S_ISCHR(mode) || S_ISBLK(mode)) return message::IsDevice;
    return message::NotRegularFile;
}

MessageText cannotRead() {
    return {message::CannotRead, {systemReason()}};
}

// Reads up to size bytes, retrying an interrupted read; -1 on failure.
ssize_t readSome(int fd, char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(fd, buffer, size);
        if (got >= 0 || errno != EINTR) return got;
    }
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { ::close(fd_); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

int openRegularFile(const std::string& path) {
    // Without O_NONBLOCK, opening a named pipe would wait for a writer for ever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) throw QuelmarError(path, {message::CannotOpen, {systemReason()}});
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        const MessageText reason = systemReason();
        ::close(fd);
        throw QuelmarError(path, {message::CannotOpen, {reason}});
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        throw QuelmarError(path, notARegularFile(info.st_mode));
    }
    return fd;
}

std::string readFile(const std::string& path) {
    const Descriptor file(openRegularFile(path));
    std::string content;
    struct stat info {};
    if (fstat(file.get(), &info) == 0 && info.st_size > 0)
        content.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    ssize_t got;
    while ((got = readSome(file.get(), buffer, sizeof buffer)) > 0)
        content.append(buffer, static_cast<std::size_t>(got));
    if (got < 0) throw QuelmarError(path, cannotRead());
    return content;
}

std::vector<std::string> readLeadingLines(const std::string& path, std::size_t maxLines,
                                          std::size_t maxLineLength) {
    const Descriptor file(openRegularFile(path));
    std::vector<std::string> lines;
    std::string line;
    bool afterCr = false;
    char last = 0;
    char buffer[1 << 16];
    while (lines.size() < maxLines) {
        const ssize_t got = readSome(file.get(), buffer, sizeof buffer);
        if (got < 0) throw QuelmarError(path, cannotRead());
        if (got == 0) {
            // The end: a last line without a line end, less an old end-of-file mark.
            if (last == '\x1a' && !line.empty() && line.back() == '\x1a') line.pop_back();
            if (!line.empty()) lines.push_back(std::move(line));
            break;
        }
        for (ssize_t i = 0; i < got && lines.size() < maxLines; ++i) {
            const char c = buffer[i];
            last = c;
            if (afterCr && c == '\n') {
                afterCr = false;
                continue;
            }
            afterCr = c == '\r';
            if (c == '\r' || c == '\n') {
                lines.push_back(std::move(line));
                line.clear();
            } else if (line.size() < maxLineLength) {
                line += c;
            }
        }
    }
    if (!lines.empty()) lines.front() = std::string(skipByteOrderMark(lines.front()));
    return lines;
}

FileContent::FileContent(const std::string& path) {
    const Descriptor file(openRegularFile(path));
    read(file.get(), path);
}

FileContent::FileContent(int fd, const std::string& path) {
    read(fd, path);
}

void FileContent::read(int fd, const std::string& path) {
    struct stat info {};
    if (fstat(fd, &info) != 0) throw QuelmarError(path, cannotRead());
    if (!S_ISREG(info.st_mode)) throw QuelmarError(path, notARegularFile(info.st_mode));
    size_ = static_cast<std::size_t>(info.st_size);
    // Left uninitialised: the read fills every byte, and zeroing a large file's worth first
    // would cost as much again. A large file's bytes are in huge pages.
    bytes_ = largeBytes(size_);
    std::size_t got = 0;
    while (got < size_) {
        const ssize_t n = pread(fd, bytes_.get() + got, size_ - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw QuelmarError(path, cannotRead());
        if (n == 0) throw QuelmarError(path, message::FileShrankWhileRead);
        got += static_cast<std::size_t>(n);
    }
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::string_view skipByteOrderMark(std::string_view text) {
    constexpr std::string_view mark = "\xEF\xBB\xBF";
    if (text.substr(0, mark.size()) == mark) text.remove_prefix(mark.size());
    return text;
}

LineReader::LineReader(std::string_view text) : text_(skipByteOrderMark(text)) {
    if (!text_.empty() && text_.back() == '\x1a') text_.remove_suffix(1);
}

bool LineReader::next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const std::size_t start = pos_;
    std::size_t end = start;
    while (end < text_.size() && text_[end] != '\n' && text_[end] != '\r')
        ++end;
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

std::string derivedFileName(const std::string& dataFileName, const std::string& suffix) {
    const std::string name = fileNameOf(dataFileName);
    const auto dot = name.find('.', 1);
    return (dot == std::string::npos ? name : name.substr(0, dot)) + suffix;
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

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

namespace {

std::size_t extensionStart(const std::string& path) {
    const auto dot = path.find_last_of('.');
    const auto slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path.size();
    return dot;
}

} // namespace

std::string extensionOf(const std::string& path) {
    return path.substr(extensionStart(path));
}

std::string withExtension(const std::string& path, const std::string& extension) {
    return path.substr(0, extensionStart(path)) + extension;
}

} // namespace quelmar
