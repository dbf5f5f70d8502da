#include "DelimitedTable.h"

#include "core/Error.h"
#include "core/TextFile.h"
#include "core/numbers.h"

#include <algorithm>
#include <cctype>

namespace quelmar {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string_view withoutEndMark(std::string_view text) {
    text = skipByteOrderMark(text);
    if (!text.empty() && text.back() == '\x1A') text.remove_suffix(1);
    return text;
}

// Comma-separated when the first line that is not blank and not a "#" comment holds a comma.
bool looksCommaSeparated(std::string_view text) {
    LineReader lines(text);
    std::string_view line;
    while (lines.next(line)) {
        const std::string_view content = trimmed(line);
        if (content.empty() || content.front() == '#') continue;
        return content.find(',') != std::string_view::npos;
    }
    return false;
}

class CsvSplitter {
public:
    explicit CsvSplitter(std::vector<TableRow>& rows) : rows_(rows) { row_.line = 1; }

    void split(std::string_view text) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            const bool crlf = c == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
            if (inQuotes_) {
                if (c != '"') {
                    if (c == '\n' || (c == '\r' && !crlf)) ++line_;
                    field_ += c;
                } else if (i + 1 < text.size() && text[i + 1] == '"') {
                    field_ += '"';
                    ++i;
                } else {
                    inQuotes_ = false;
                }
            } else if (c == '"' && trimmed(field_).empty()) {
                inQuotes_ = true;
                field_.clear();
            } else if (c == ',') {
                endField();
            } else if (c == '\r' || c == '\n') {
                if (crlf) ++i;
                ++line_;
                endRow();
            } else {
                field_ += c;
            }
        }
        if (!field_.empty() || !row_.fields.empty()) endRow();
    }

private:
    void endField() {
        row_.fields.emplace_back(trimmed(field_));
        field_.clear();
    }
    void endRow() {
        endField();
        const bool blank = row_.fields.size() == 1 && row_.fields[0].empty();
        if (!blank) rows_.push_back(std::move(row_));
        row_ = TableRow{};
        row_.line = line_;
    }

    std::vector<TableRow>& rows_;
    TableRow row_;
    std::string field_;
    bool inQuotes_ = false;
    long long line_ = 1;
};

void splitBlankSeparated(std::string_view text, std::vector<TableRow>& rows) {
    LineReader lines(text);
    std::string_view line;
    while (lines.next(line)) {
        TableRow row;
        row.line = lines.lineNumber();
        LineTokens tokens(line);
        for (std::string_view token = tokens.next(); !token.empty(); token = tokens.next())
            row.fields.emplace_back(token);
        if (!row.fields.empty()) rows.push_back(std::move(row));
    }
}

// The header's names, a leading "#" (alone or before the first name) dropped.
std::vector<std::string> headerNames(std::vector<std::string> fields) {
    if (!fields.empty() && !fields.front().empty() && fields.front().front() == '#') {
        fields.front() = std::string(trimmed(std::string_view(fields.front()).substr(1)));
        if (fields.front().empty()) fields.erase(fields.begin());
    }
    return fields;
}

} // namespace

bool sameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

DelimitedTable::DelimitedTable(std::string_view text, const std::string& path) : path_(path) {
    text = withoutEndMark(text);
    comma_ = looksCommaSeparated(text);
    std::vector<TableRow> records;
    if (comma_)
        CsvSplitter(records).split(text);
    else
        splitBlankSeparated(text, records);

    const auto firstRow = std::find_if(records.begin(), records.end(), [](const TableRow& r) {
        return parseNumber(r.fields.front()).has_value();
    });
    if (records.empty()) throw QuelmarError(path, message::TableEmpty);
    if (firstRow == records.begin())
        throw QuelmarError(path, {message::TableWithoutHeader, {std::to_string(firstRow->line)}});
    header_ = headerNames(std::prev(firstRow)->fields);
    headerLine_ = std::prev(firstRow)->line;
    rows_.assign(std::make_move_iterator(firstRow), std::make_move_iterator(records.end()));
}

std::optional<std::size_t> DelimitedTable::column(std::string_view name) const {
    for (std::size_t i = 0; i < header_.size(); ++i)
        if (sameName(header_[i], name)) return i;
    return std::nullopt;
}

std::size_t DelimitedTable::requireColumn(std::string_view name) const {
    if (const auto index = column(name)) return *index;
    std::string there;
    for (const std::string& h : header_)
        there += (there.empty() ? "" : ", ") + h;
    throw QuelmarError(path_, headerLine_,
                       {message::TableColumnMissing, {std::string(name), there}});
}

std::string_view DelimitedTable::field(const TableRow& row, std::size_t column) {
    return column < row.fields.size() ? std::string_view(row.fields[column]) : std::string_view();
}

} // namespace quelmar
