#include "ObservationFile.h"

#include "Error.h"
#include "LargeArrays.h"
#include "ObservationLines.h"
#include "TextFile.h"
#include "TextSlices.h"
#include "TimeScale.h"
#include "numbers.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <optional>

namespace quelmar {

namespace {

void refusePoints(const std::string& path) {
    throw QuelmarError(path, message::TooManyPoints);
}

// One slice of the text, starting at a line start, parsed on its own thread into the rows
// [first, first + capacity) of the store's arrays.
struct Chunk {
    std::string_view text;
    long long firstLine = 1;  // file line number of the slice's first line
    long long lines = 0;      // lines in the slice
    std::size_t capacity = 0; // rows reserved: an upper bound of its observations
    std::size_t first = 0;    // first reserved row
    std::size_t points = 0;   // observations found
    SkippedLines skipped;
    std::array<bool, MaxChannels + 1> anyMissing{}; // [k]: a value of channel k is missing
};

std::vector<Chunk> cutIntoChunks(std::string_view text, unsigned parts) {
    std::vector<Chunk> chunks;
    for (std::string_view slice : sliceAtLineStarts(text, parts)) {
        Chunk chunk;
        chunk.text = slice;
        chunks.push_back(chunk);
    }
    return chunks;
}

long long countLines(std::string_view text) {
    long long lines = 0;
    for (std::size_t pos = 0; pos < text.size(); ++lines)
        lineEndAt(text, pos, pos);
    return lines;
}

long long countObservations(std::string_view text) {
    long long count = 0;
    ObservationLines lines(text);
    for (ObservationLine line; lines.next(line);)
        count += line.kind == ObservationLine::Observation;
    return count;
}

void parseChunk(Chunk& chunk, PointStore& store) {
    double* times = store.TimeValues.data() + chunk.first;
    std::array<double*, MaxChannels + 1> columns{};
    std::array<std::uint8_t*, MaxChannels + 1> masks{};
    for (int k = 1; k <= store.ChannelCount; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        columns[slot] = store.ChannelValues[slot].data() + chunk.first;
        masks[slot] = store.ChannelMissing[slot].data() + chunk.first;
    }
    const MissingMarker marker = store.Marker;

    ObservationLines lines(chunk.text);
    for (ObservationLine line; lines.next(line);) {
        if (line.kind != ObservationLine::Observation) {
            chunk.skipped.note(chunk.firstLine + line.number - 1);
            continue;
        }
        LineTokens tokens(line.rest);
        const std::size_t row = chunk.points++;
        times[row] = line.date;
        // The marker, an absent value and a token that is not a number are all missing.
        for (int k = 1; k <= store.ChannelCount; ++k) {
            const auto slot = static_cast<std::size_t>(k);
            const std::optional<double> value = parseNumber(tokens.next());
            const bool missing = !value || marker.marks(*value);
            columns[slot][row] = value.value_or(marker.written());
            masks[slot][row] = missing;
            chunk.anyMissing[slot] = chunk.anyMissing[slot] || missing;
        }
    }
}

// Closes the gaps that skipped lines left between the slices and fits the arrays; the mask of
// a channel with no missing value is dropped.
void packRows(const std::vector<Chunk>& chunks, PointStore& store) {
    std::size_t to = 1;
    auto move = [&](auto& column) {
        using Element = typename std::decay_t<decltype(column)>::value_type;
        std::size_t dest = 1;
        for (const Chunk& c : chunks) {
            if (c.first != dest)
                std::memmove(column.data() + dest, column.data() + c.first,
                             c.points * sizeof(Element));
            dest += c.points;
        }
        column.resize(dest);
        if (column.capacity() > column.size() + column.size() / 20 + 16) column.shrink_to_fit();
        to = dest;
    };
    move(store.TimeValues);
    for (int k = 1; k <= store.ChannelCount; ++k)
        move(store.ChannelValues[static_cast<std::size_t>(k)]);
    for (int k = 1; k <= store.ChannelCount; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        const bool anyMissing = std::any_of(chunks.begin(), chunks.end(),
                                            [slot](const Chunk& c) { return c.anyMissing[slot]; });
        if (anyMissing)
            move(store.ChannelMissing[slot]);
        else
            std::vector<std::uint8_t>().swap(store.ChannelMissing[slot]);
    }
    store.PointCount = static_cast<int>(to - 1);
}

// Reorders the points by time, equal times keeping their file order.
void sortByTime(PointStore& store) {
    const auto first = store.TimeValues.begin() + 1;
    if (std::is_sorted(first, store.TimeValues.end())) return;
    std::vector<int> order(static_cast<std::size_t>(store.PointCount));
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return store.time(a) < store.time(b); });
    std::vector<double> scratch(store.TimeValues.size());
    std::vector<std::uint8_t> maskScratch;
    auto permute = [&](auto& column, auto& spare) {
        spare.resize(column.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            spare[i + 1] = column[static_cast<std::size_t>(order[i])];
        column.swap(spare);
    };
    permute(store.TimeValues, scratch);
    for (int k = 1; k <= store.ChannelCount; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        permute(store.ChannelValues[slot], scratch);
        if (!store.ChannelMissing[slot].empty()) permute(store.ChannelMissing[slot], maskScratch);
    }
}

// Why a token that ends the values of a first observation line is no free text but a value
// that cannot be read; empty when it may well be free text.
std::optional<MessageText> unreadableValue(std::string_view token) {
    if (token.find('\0') != std::string_view::npos) return message::ValueHoldsNul;
    const bool numeric = token.find_first_not_of("0123456789+-.eE") == std::string_view::npos &&
                         token.find_first_of("0123456789") != std::string_view::npos;
    if (numeric && token.size() > MaxNumberToken)
        return MessageText(message::ValueTooLong, {std::to_string(MaxNumberToken)});
    return std::nullopt;
}

} // namespace

void checkChannelLimit(const std::string& path, int channelCount) {
    if (channelCount <= MaxChannels) return;
    throw QuelmarError(path, {message::TooManyChannels,
                              {std::to_string(channelCount), std::to_string(MaxChannels)}});
}

int countChannels(std::string_view text, const std::string& path) {
    ObservationLines lines(observationText(text));
    for (ObservationLine line; lines.next(line);) {
        if (line.kind != ObservationLine::Observation) continue;
        LineTokens tokens(line.rest);
        int count = 0;
        std::string_view token;
        while (parseNumber(token = tokens.next()))
            ++count;
        if (const std::optional<MessageText> fault = unreadableValue(token)) {
            if (path.empty())
                throw QuelmarError(
                    MessageText(message::UnreadableValue,
                                {std::to_string(line.number), std::to_string(count + 1), *fault}));
            throw QuelmarError(path, line.number,
                               {message::ValueAtLine, {std::to_string(count + 1), *fault}});
        }
        return count;
    }
    return 0;
}

LoadResult parsePointStore(std::string_view text, int channelCount, const std::string& path,
                           MissingMarker marker) {
    checkChannelLimit(path, channelCount);
    text = observationText(text);

    LoadResult result;
    PointStore& store = result.store;
    store.ChannelCount = std::max(channelCount, 0);
    store.Marker = marker;

    // Rows are reserved per slice by its line count; only when the lines could exceed the
    // limit are the observations themselves counted, so the arrays never outgrow the limit.
    std::vector<Chunk> chunks = cutIntoChunks(text, threadsForText(text.size()));
    runOnThreads(chunks, [](Chunk& c) { c.lines = countLines(c.text); });
    long long lines = 0;
    for (Chunk& c : chunks) {
        c.firstLine = lines + 1;
        lines += c.lines;
        c.capacity = static_cast<std::size_t>(c.lines);
    }
    if (lines > MaxPoints) {
        runOnThreads(chunks, [](Chunk& c) {
            c.capacity = static_cast<std::size_t>(countObservations(c.text));
        });
        std::size_t observations = 0;
        for (const Chunk& c : chunks)
            observations += c.capacity;
        if (observations > static_cast<std::size_t>(MaxPoints)) refusePoints(path);
    }
    std::size_t rows = 1;
    for (Chunk& c : chunks) {
        c.first = rows;
        rows += c.capacity;
    }

    resizeLarge(store.TimeValues, rows);
    store.ChannelValues.resize(static_cast<std::size_t>(store.ChannelCount) + 1);
    store.ChannelMissing.resize(static_cast<std::size_t>(store.ChannelCount) + 1);
    for (int k = 1; k <= store.ChannelCount; ++k) {
        resizeLarge(store.ChannelValues[static_cast<std::size_t>(k)], rows);
        resizeLarge(store.ChannelMissing[static_cast<std::size_t>(k)], rows);
    }
    runOnThreads(chunks, [&store](Chunk& c) { parseChunk(c, store); });
    packRows(chunks, store);

    for (const Chunk& c : chunks)
        if (c.skipped.count > 0) result.skipped.note(c.skipped.firstLine, c.skipped.count);

    store.ChannelVisible.assign(static_cast<std::size_t>(store.ChannelCount) + 1, true);
    store.ChannelVisible[0] = false;
    if (store.ChannelCount > 0 && isPeriodogramFile(path))
        store.ChannelVisible[static_cast<std::size_t>(store.ChannelCount)] = false;
    if (store.PointCount > 1) sortByTime(store);
    return result;
}

LoadResult loadPointStore(const std::string& path, int channelCount, MissingMarker marker) {
    checkChannelLimit(path, channelCount);
    const FileContent file(path);
    LoadResult loaded = parsePointStore(file.text(), channelCount, path, marker);
    loaded.store.ChannelNames = recordedChannelNames(path, file.text());
    return loaded;
}

bool isPeriodogramFile(const std::string& path) {
    const std::string name = fileNameOf(path);
    if (name.size() < 4) return false;
    std::string ext = name.substr(name.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".per";
}

} // namespace quelmar
