#pragma once
// A table of text with a header line: comma-separated (fields may be quoted, "" standing for a
// quote inside one, and a quoted field may run over line ends) or separated by blanks and tabs.
// Lines before the header (comments, notes) are passed over: the header is the last non-blank
// line before the first row whose first field is a number, its leading "#" dropped.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quelmar {

struct TableRow {
    long long line = 0; // line of the file where the row starts, from 1
    std::vector<std::string> fields;
};

class DelimitedTable {
public:
    // Reads a whole text; path names the file in messages. Throws QuelmarError when the text
    // holds no header line.
    DelimitedTable(std::string_view text, const std::string& path);

    bool commaSeparated() const { return comma_; }
    const std::vector<std::string>& header() const { return header_; }
    // The header's line in the file, from 1, which messages about the header name.
    long long headerLine() const { return headerLine_; }
    const std::vector<TableRow>& rows() const { return rows_; }
    const std::string& path() const { return path_; }

    // The index of a column, its name compared without regard to case.
    std::optional<std::size_t> column(std::string_view name) const;
    // The same, or a QuelmarError naming the file, the column missing and the columns there are.
    std::size_t requireColumn(std::string_view name) const;
    // A row's field, "" where the row is short.
    static std::string_view field(const TableRow& row, std::size_t column);

private:
    std::string path_;
    bool comma_ = false;
    std::vector<std::string> header_;
    long long headerLine_ = 0;
    std::vector<TableRow> rows_;
};

// Whether two names are equal, letters compared without regard to case.
bool sameName(std::string_view a, std::string_view b);

} // namespace quelmar
