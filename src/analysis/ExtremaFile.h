#pragma once
// extrema.txt, where the results of extremum fits are saved: one result line per text line,
// cp1251, each ending in CR LF, nothing else, in the order the lines were saved.

#include <string>
#include <string_view>
#include <vector>

namespace quelmar {

inline const std::string ExtremaFileName = "extrema.txt";

// Adds one line (UTF-8) at the end of the file, creating the file when there is none.
void appendExtremumLine(const std::string& path, std::string_view line);
// Replaces the file's content by the lines; no lines leave it empty.
void writeExtremumLines(const std::string& path, const std::vector<std::string>& lines);

} // namespace quelmar
