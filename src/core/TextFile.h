#pragma once
// Whole-file reading, line walking and safe rewriting of users' files.

#include <string>
#include <string_view>

namespace quelmar {

// Reads the whole file as bytes; throws QuelmarError naming the file when it cannot.
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);

// A file mapped read-only into memory for the time of one read, without copying it.
class MappedFile {
public:
    explicit MappedFile(const std::string& path); // throws QuelmarError naming the file
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    std::string_view text() const { return {data_, size_}; }

private:
    const char* data_ = nullptr;
    std::size_t size_ = 0;
};

// Walks the lines of a text held in memory. CR LF, LF and CR alone all end a line; a
// Ctrl+Z at the very end (an old end-of-file mark) is not part of the text.
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

// Writes content to a temporary file in the target's folder and renames it over the target
// only when every byte is on disk, so a failure leaves the original as it was.
void writeFileAtomically(const std::string& path, std::string_view content);
// Appends content to a regular file, creating it when it does not exist. A write that fails
// part-way is taken back, so the file ends as it was or with the whole content.
void appendToFile(const std::string& path, std::string_view content);
// Copies a file, replacing an older copy at the destination.
void copyFile(const std::string& from, const std::string& to);

// The final component of a path, and the folder before it ("" when there is none).
std::string fileNameOf(const std::string& path);
std::string folderOf(const std::string& path);
// A file named name in the folder of path.
std::string siblingPath(const std::string& path, const std::string& name);

} // namespace quelmar
