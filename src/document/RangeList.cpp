#include "RangeList.h"

#include "CurveNavigation.h"
#include "core/Error.h"
#include "core/TextFile.h"
#include "core/numbers.h"

namespace quelmar {

namespace {

int pointNumber(std::string_view token, const std::string& path, long long line) {
    const auto number = parseInteger(token);
    if (!number)
        throw QuelmarError(path, line, {message::RangesNotWholeNumber, {std::string(token)}});
    return *number;
}

void requireNumber(std::string_view token, const std::string& path, long long line) {
    if (!parseNumber(token))
        throw QuelmarError(path, line, {message::RangesNotNumber, {std::string(token)}});
}

// First point, time, last point, time.
RangeEntry parseEntry(std::string_view text, const std::string& path, long long line) {
    LineTokens tokens(text);
    std::string_view fields[4];
    for (auto& field : fields) {
        field = tokens.next();
        if (field.empty()) throw QuelmarError(path, line, message::RangesFourNumbers);
    }
    RangeEntry entry;
    entry.first = pointNumber(fields[0], path, line);
    requireNumber(fields[1], path, line);
    entry.last = pointNumber(fields[2], path, line);
    requireNumber(fields[3], path, line);
    return entry;
}

bool endsList(const RangeEntry& entry) {
    return entry.last == 0;
}

} // namespace

std::vector<RangeEntry> parseRanges(std::string_view text, const std::string& path) {
    std::vector<RangeEntry> entries;
    LineReader lines(text);
    std::string_view line;
    bool blankAfterLastEntry = false;
    while (lines.next(line)) {
        // The numbers are read across line ends, so a blank line between entries is skipped.
        blankAfterLastEntry = LineTokens(line).atEnd();
        if (blankAfterLastEntry) continue;
        if (entries.size() == static_cast<std::size_t>(RangeFileLineLimit))
            throw QuelmarError(path, lines.lineNumber(),
                               {message::RangesTooManyLines, {std::to_string(RangeFileLineLimit)}});
        entries.push_back(parseEntry(line, path, lines.lineNumber()));
    }
    // Blank lines after the last entry leave one more read, of nothing: the entry (0, 0). When
    // the table is full its end ends the list all the same.
    if (blankAfterLastEntry && entries.size() < static_cast<std::size_t>(RangeFileLineLimit))
        entries.emplace_back();
    return entries;
}

void loadRanges(RangeList& list, const std::string& path) {
    const std::vector<RangeEntry> read = parseRanges(readFile(path), path);
    list.entries = {};
    for (std::size_t n = 0; n < read.size(); ++n)
        list.entries[n + 2] = read[n];
    list.CurrentRange = 1;
    list.loaded = true;
}

RangeStep nextRange(RangeList& list) {
    const int next = list.CurrentRange + 1;
    if (next >= 1 && next <= RangeCapacity && !endsList(list.entries[next])) {
        list.CurrentRange = next;
        return RangeStep::Moved;
    }
    list.CurrentRange = 1;
    return RangeStep::WrappedToFirst;
}

RangeStep previousRange(RangeList& list) {
    if (list.CurrentRange <= 1) return RangeStep::AtFirst;
    --list.CurrentRange;
    return RangeStep::Moved;
}

void showCurrentRange(const RangeList& list, PointStore& store) {
    const int current =
        list.CurrentRange >= 1 && list.CurrentRange <= RangeCapacity ? list.CurrentRange : 1;
    const RangeEntry& entry = list.entries[current];
    limitView(store, entry.first == 0 ? 1 : entry.first,
              entry.last == 0 ? store.PointCount : entry.last);
}

} // namespace quelmar
