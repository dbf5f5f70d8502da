#pragma once
// Whole-file reading, line walking and safe rewriting of users' files.
//
// Every reader opens a file without blocking and refuses anything but a regular file (a
// folder, a named pipe, a device) before it reads a byte, and every line walker skips a UTF-8
// byte-order mark at the start of a text.

#include "LargeArrays.h"
#include "WorkingFiles.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quelmar {

class MessageText;

// Opens an existing regular file for reading and returns its descriptor, which the caller
// closes. Throws QuelmarError naming the file when it cannot be opened or is not a regular file.
int openRegularFile(const std::string& path);

// Reads the whole file as bytes; throws QuelmarError naming the file when it cannot.
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);

// The first maxLines lines of a file (fewer when it is shorter), without their line ends, each
// cut after maxLineLength bytes. Nothing after the last line wanted is read, so a huge file
// costs no more than its first lines. Throws QuelmarError naming the file when it cannot.
std::vector<std::string> readLeadingLines(const std::string& path, std::size_t maxLines,
                                          std::size_t maxLineLength);

// A regular file's bytes read whole into memory for the time of one read. They are a copy, not
// a map of the file: another program that truncates or rewrites the file meanwhile cannot take
// them away, and a file that shrinks while it is read is a read error naming it.
class FileContent {
public:
    explicit FileContent(const std::string& path); // throws QuelmarError naming the file
    // Reads a regular file already open as descriptor fd, which stays the caller's to close.
    FileContent(int fd, const std::string& path);
    std::string_view text() const { return {bytes_.get(), size_}; }

private:
    void read(int fd, const std::string& path);

    LargeBytes bytes_;
    std::size_t size_ = 0;
};

// The text after a UTF-8 byte-order mark, or the whole text when it has none.
std::string_view skipByteOrderMark(std::string_view text);

// Walks the lines of a text held in memory. CR LF, LF and CR alone all end a line; a
// byte-order mark at the very start and a Ctrl+Z at the very end (an old end-of-file mark) are
// not part of the text.
class LineReader {
public:
    explicit LineReader(std::string_view text);
    // Gives the next line without its line end; false when the text is exhausted.
    bool next(std::string_view& line);
    // Number of the line last given, from 1.
    long long lineNumber() const { return lineNumber_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    long long lineNumber_ = 0;
};

// A user's file that a command rewrites, held under an exclusive lock from the moment it is
// read until the command ends, so that a second command on the same file is told it is busy
// instead of rewriting it at the same time. A read-only file is refused: the user protected it.
class LockedFile {
public:
    explicit LockedFile(const std::string& path); // throws QuelmarError naming the file
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;
    // The bytes read under the lock: what a rewrite converts and what a copy preserves.
    std::string_view text() const { return content_->text(); }

private:
    friend class StagedFile; // links its copy to the very file locked
    int fd_ = -1;
    std::unique_ptr<FileContent> content_;
};

// New content for a file, written in full beside it under a working file's name (see
// workingFileName()); commit() renames it over the file. Until then the file is as it was, and a
// StagedFile dropped uncommitted, or a program stopped by a signal while it writes, leaves
// nothing behind; working files that a killed earlier run left are removed first. A symbolic
// link is followed: the file it names is replaced and the link kept. A read-only file, or one
// that is not a regular file, is refused.
class StagedFile {
public:
    // Throws QuelmarError naming the file and the system's reason when it cannot be written.
    StagedFile(const std::string& path, std::string_view content);
    // The content given as pieces, written one after the other.
    StagedFile(const std::string& path, std::span<const std::string_view> pieces);
    // A copy of a locked file: a second link to that very file where the file system allows it,
    // so nothing is copied (the file is only ever replaced, never changed in place); else its
    // bytes, written in full.
    StagedFile(const std::string& path, const LockedFile& original);
    // An empty file that append() fills piece by piece, so that a large content need not be
    // held in memory whole.
    explicit StagedFile(const std::string& path);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    void append(std::string_view piece);
    // Returns when every byte is on disk; throws QuelmarError when that cannot be. commit()
    // completes a file not completed yet.
    void complete();
    void commit();

private:
    void createTemporary();
    [[noreturn]] void fail(const MessageText& reason);
    bool stageLink(int fd);

    std::string shownPath_; // as the caller named it, for messages
    std::string target_;    // the file replaced, links followed
    std::string temporary_;
    std::optional<WorkingFileRecord> record_; // removes the temporary on a signal
    int fd_ = -1;                             // the temporary file while it is written
    bool committed_ = false;
};

// Whether the user made the open file fd (path as named) read-only; root, who may write
// anything, is held to a file without any write permission all the same.
bool readOnlyFile(int fd, const std::string& path);
// Takes, without waiting, the exclusive lock that every command writing a user's file holds on
// it. Throws QuelmarError naming the file when another command holds it ("busy"), or has put
// another file in the path's place since fd was opened.
void lockForWriting(int fd, const std::string& path);

// Writes content to a temporary file in the target's folder and renames it over the target
// only when every byte is on disk, so a failure leaves the original as it was.
void writeFileAtomically(const std::string& path, std::string_view content);
// Appends content to a regular file, creating it when it does not exist. When the file's last
// line has no line end, the content starts on a new line; an old end-of-file mark (Ctrl+Z) at
// the end gives way to it. A read-only file is refused. A write that fails part-way is taken
// back, so the file ends as it was or with the whole content.
void appendToFile(const std::string& path, std::string_view content);
// Copies a file the same way, an older copy at the destination staying until the new one is
// complete.
void copyFile(const std::string& from, const std::string& to);

// The final component of a path, and the folder before it ("" when there is none).
std::string fileNameOf(const std::string& path);
std::string folderOf(const std::string& path);
// A file named name in the folder of path.
std::string siblingPath(const std::string& path, const std::string& name);
// Whether two paths name the same existing file, through links and different spellings.
bool sameFile(const std::string& a, const std::string& b);
// The extension of the final component with its dot: from its last "." on, "" when it has none.
std::string extensionOf(const std::string& path);
// The path with its extension replaced by extension (given with its dot), or added when it has
// none; an empty extension removes it.
std::string withExtension(const std::string& path, const std::string& extension);
// A result file named after a data file: its name without the folder, cut before the first
// "." (a leading "." marks a hidden file, not an extension), then the suffix. It is meant for
// the working folder.
std::string derivedFileName(const std::string& dataFileName, const std::string& suffix);

} // namespace quelmar
