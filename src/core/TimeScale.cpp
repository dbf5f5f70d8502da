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

void recordTimeScale(const std::string& dataPath, TimeScale scale) {
    const std::string record = timeScaleRecordPath(dataPath);
    if (scale == TimeScale::Unknown) {
        std::error_code ignored; // no record is what is wanted; a missing one is fine
        std::filesystem::remove(record, ignored);
        return;
    }
    const FileContent data(dataPath);
    writeFileAtomically(record, std::string(timeScaleName(scale)) + "\r\n" +
                                    identityOf(data.text()) + "\r\n");
}

TimeScale recordedTimeScale(const std::string& dataPath) {
    const std::string record = timeScaleRecordPath(dataPath);
    try {
        if (!fileExists(record)) return TimeScale::Unknown;
        const std::vector<std::string> lines = readLeadingLines(record, 2, 80);
        if (lines.size() < 2) return TimeScale::Unknown;
        for (const auto& [scale, name] : ScaleNames) {
            if (scale == TimeScale::Unknown || lines[0] != name) continue;
            const FileContent data(dataPath);
            return lines[1] == identityOf(data.text()) ? scale : TimeScale::Unknown;
        }
    } catch (const QuelmarError&) {
        // An unreadable record, or data file, tells nothing about the scale.
    }
    return TimeScale::Unknown;
}

} // namespace quelmar
