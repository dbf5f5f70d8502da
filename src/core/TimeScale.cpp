#include "TimeScale.h"

#include "Error.h"
#include "TextFile.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace quelmar {

namespace {

constexpr std::array<std::pair<TimeScale, std::string_view>, 5> ScaleNames{{
    {TimeScale::Unknown, "unknown"},
    {TimeScale::JdUtc, "JD"},
    {TimeScale::HjdUtc, "HJD"},
    {TimeScale::BjdUtc, "BJD_UTC"},
    {TimeScale::BjdTdb, "BJD_TDB"},
}};

// The longest line of a record read: ten channel names of a header table's columns.
constexpr std::size_t RecordLineLimit = 1024;

std::uint64_t mix(std::uint64_t lane, std::uint64_t word) {
    lane = (lane ^ word) * 0x9E3779B97F4A7C15ull;
    return lane ^ (lane >> 29);
}

// "SIZE FINGERPRINT" of a file's bytes, as the record's second line holds it.
std::string identityOf(std::string_view bytes) {
    char text[64];
    std::snprintf(text, sizeof text, "%zu %016llx", bytes.size(),
                  static_cast<unsigned long long>(contentFingerprint(bytes)));
    return text;
}

// A name as the record's tab-separated line can hold it.
std::string recordableName(std::string name) {
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return name;
}

// The record's lines when it describes the data file's bytes as they are; none otherwise.
std::vector<std::string> validRecord(const std::string& dataPath, std::string_view dataBytes) {
    const std::string record = timeScaleRecordPath(dataPath);
    try {
        if (!fileExists(record)) return {};
        std::vector<std::string> lines = readLeadingLines(record, 3, RecordLineLimit);
        if (lines.size() < 2 || lines[1] != identityOf(dataBytes)) return {};
        return lines;
    } catch (const QuelmarError&) {
        return {}; // an unreadable record tells nothing
    }
}

} // namespace

std::string_view timeScaleName(TimeScale scale) {
    for (const auto& [each, name] : ScaleNames)
        if (each == scale) return name;
    return "unknown";
}

std::string timeScaleRecordPath(const std::string& dataPath) {
    return dataPath + ".scale";
}

std::uint64_t contentFingerprint(std::string_view bytes) {
    // Four lanes, so that the multiplications do not wait for one another.
    std::array<std::uint64_t, 4> lanes{1, 2, 3, 4};
    std::size_t i = 0;
    for (; i + 32 <= bytes.size(); i += 32)
        for (std::size_t lane = 0; lane < 4; ++lane) {
            std::uint64_t word;
            std::memcpy(&word, bytes.data() + i + 8 * lane, 8);
            lanes[lane] = mix(lanes[lane], word);
        }
    std::uint64_t tail = 0;
    if (i < bytes.size())
        std::memcpy(&tail, bytes.data() + i, std::min<std::size_t>(8, bytes.size() - i));
    std::uint64_t hash = mix(bytes.size(), tail);
    for (i += 8; i < bytes.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + i, std::min<std::size_t>(8, bytes.size() - i));
        hash = mix(hash, word);
    }
    for (const std::uint64_t lane : lanes)
        hash = mix(hash, lane);
    return hash;
}

void recordTimeScale(const std::string& dataPath, TimeScale scale,
                     const std::vector<std::string>& channelNames) {
    const std::string record = timeScaleRecordPath(dataPath);
    if (scale == TimeScale::Unknown && channelNames.empty()) {
        std::error_code ignored; // no record is what is wanted; a missing one is fine
        std::filesystem::remove(record, ignored);
        return;
    }
    const FileContent data(dataPath);
    std::string text =
        std::string(timeScaleName(scale)) + "\r\n" + identityOf(data.text()) + "\r\n";
    if (!channelNames.empty()) {
        for (std::size_t k = 0; k < channelNames.size(); ++k)
            text += (k ? "\t" : "") + recordableName(channelNames[k]);
        text += "\r\n";
    }
    writeFileAtomically(record, text);
}

TimeScale recordedTimeScale(const std::string& dataPath) {
    try {
        if (!fileExists(timeScaleRecordPath(dataPath))) return TimeScale::Unknown;
        const FileContent data(dataPath);
        const std::vector<std::string> lines = validRecord(dataPath, data.text());
        for (const auto& [scale, name] : ScaleNames)
            if (!lines.empty() && lines[0] == name) return scale;
    } catch (const QuelmarError&) {
        // An unreadable data file tells nothing about the scale.
    }
    return TimeScale::Unknown;
}

std::vector<std::string> recordedChannelNames(const std::string& dataPath,
                                              std::string_view dataBytes) {
    const std::vector<std::string> lines = validRecord(dataPath, dataBytes);
    std::vector<std::string> names;
    if (lines.size() < 3 || lines[2].empty()) return names;
    std::size_t from = 0;
    for (std::size_t tab = lines[2].find('\t');; tab = lines[2].find('\t', from)) {
        names.push_back(
            lines[2].substr(from, tab == std::string::npos ? std::string::npos : tab - from));
        if (tab == std::string::npos) break;
        from = tab + 1;
    }
    return names;
}

} // namespace quelmar
