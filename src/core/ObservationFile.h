#pragma once
// The observation file: one observation per line, a time (Julian date or any abscissa), then
// the values of the channels, then free text. No header; the channel count comes from the
// first observation line. Lines that hold no observation are skipped and counted.

#include "PointStore.h"

#include <string>
#include <string_view>

namespace quelmar {

// What a load skipped: blank lines and lines whose first token is not a number.
struct SkippedLines {
    long long count = 0;
    long long firstLine = 0; // file line number of the first one skipped, 0 when none

    // Counts `lines` skipped lines, the first of them at file line `line`, after those counted.
    void note(long long line, long long lines = 1) {
        if (count == 0) firstLine = line;
        count += lines;
    }
};

// The channel count of a text: the tokens after the time on its first observation line that
// are numbers, up to the first one that is not (a value of 0 counts). A token there that is
// plainly a value gone wrong (it holds a NUL byte, or is a number longer than 64 characters)
// is reported with a QuelmarError naming path and the line, not taken as the free text.
int countChannels(std::string_view text, const std::string& path = {});

// Refuses more value columns than the store holds, with a QuelmarError naming the limit.
void checkChannelLimit(const std::string& path, int channelCount);

struct LoadResult {
    PointStore store;
    SkippedLines skipped;
};

// Loads and time-sorts the points of a file with the given channel count. A value equal to the
// marker, an absent one and a token that is not a number are missing in the store's mask. A
// file beyond the limits (points or channels) is refused with a QuelmarError naming the limit.
LoadResult loadPointStore(const std::string& path, int channelCount, MissingMarker marker = {});
// The same, from text already in memory; path names the file in messages.
LoadResult parsePointStore(std::string_view text, int channelCount, const std::string& path,
                           MissingMarker marker = {});

// A ".per" periodogram starts with its last channel hidden.
bool isPeriodogramFile(const std::string& path);

} // namespace quelmar
