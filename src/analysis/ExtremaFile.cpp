#include "ExtremaFile.h"

#include "core/TextFile.h"
#include "core/cp1251.h"

namespace quelmar {

namespace {

std::string fileLine(std::string_view line) {
    return utf8ToCp1251(line) + "\r\n";
}

} // namespace

void appendExtremumLine(const std::string& path, std::string_view line) {
    appendToFile(path, fileLine(line));
}

void writeExtremumLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string content;
    for (const std::string& line : lines)
        content += fileLine(line);
    writeFileAtomically(path, content);
}

} // namespace quelmar
