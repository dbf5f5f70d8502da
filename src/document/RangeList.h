#pragma once
// Ranges: parts of the curve listed in a ranges file, each by its first and last point number,
// stepped through one after the other so that each extremum can be timed in turn.
//
// A ranges file holds one entry per line: the first point number, a time (read and ignored),
// the last point number and another time (ignored); anything after them is ignored. Blank lines
// are skipped, but blank lines at the end are one more entry (0, 0), which ends the list. The
// n-th entry of the file becomes entry n + 1: entry 1 is always (0, 0), the whole curve.

#include "core/PointStore.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quelmar {

struct RangeEntry {
    int first = 0; // point numbers; 0 as the first point means 1, as the last the last point
    int last = 0;
};

// Entry 1 and 49 lines of a ranges file.
inline constexpr int RangeCapacity = 50;
inline constexpr int RangeFileLineLimit = RangeCapacity - 1;

struct RangeList {
    std::array<RangeEntry, RangeCapacity + 1> entries{}; // [1 ... 50]
    int CurrentRange = 0;                                // the entry shown; 1 after every load
    bool loaded = false; // a ranges file has been loaded in this run
};

// The entries of a ranges file's text, one per line. Throws QuelmarError naming the file and the
// line for a point number that is not a whole number, a line with fewer than four numbers, or
// more than RangeFileLineLimit entries.
std::vector<RangeEntry> parseRanges(std::string_view text, const std::string& path);

// Reads a ranges file into the list, replacing every earlier entry, and makes entry 1 current.
// A file that cannot be read or is refused leaves the list as it was (QuelmarError).
void loadRanges(RangeList& list, const std::string& path);

enum class RangeStep {
    Moved,
    WrappedToFirst, // there was no next entry: the first one (the whole curve) is current
    AtFirst,        // there was no previous entry: nothing changed
};

RangeStep nextRange(RangeList& list);
RangeStep previousRange(RangeList& list);

// Shows the current entry: the view becomes its points, limited to the curve and in order.
void showCurrentRange(const RangeList& list, PointStore& store);

} // namespace quelmar
