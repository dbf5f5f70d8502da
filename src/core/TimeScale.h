#pragma once
// The time scale of the dates in a data file, and its record beside the file.
//
// Files the program writes (the barycentric rewrite and its copy, a converted survey light
// curve, the phase file: the scale of the dates its lines carry after the phase) get a small
// companion file, the data file's name + ".scale", of two lines: the scale's name, then the data
// file's size in bytes and a fingerprint of its bytes. A third line, where the file's writer knew
// them, names the value columns ("V", "V error"), separated by tabs; readers that read two lines
// pass it by. A data file is left untouched, so every
// reader of it reads it as before; a record whose size or fingerprint no longer matches the file
// (the file was edited, replaced or appended to since) counts as no record, and the scale is
// unknown.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quelmar {

enum class TimeScale {
    Unknown, // a file from elsewhere, or changed since its scale was recorded
    JdUtc,   // Julian dates in UTC, as typed or converted from a calendar
    HjdUtc,  // heliocentric Julian dates in UTC
    BjdUtc,  // barycentric dates in UTC: the design's series
    BjdTdb,  // barycentric dates in TDB: ERFA
};

// As the light curve's caption and messages name it: "JD", "HJD", "BJD_UTC", "BJD_TDB",
// "unknown".
std::string_view timeScaleName(TimeScale scale);
// Whether the dates are already reduced to the barycentre.
inline bool isBarycentric(TimeScale scale) {
    return scale == TimeScale::BjdUtc || scale == TimeScale::BjdTdb;
}

// The record's path for a data file.
std::string timeScaleRecordPath(const std::string& dataPath);

// A fingerprint of a file's bytes (not a cryptographic one: it tells a changed file).
std::uint64_t contentFingerprint(std::string_view bytes);

// Records the scale, and the names of the value columns, of a data file as it now is. An Unknown
// scale with no names removes an older record. Throws QuelmarError naming the record when it
// cannot be written.
void recordTimeScale(const std::string& dataPath, TimeScale scale,
                     const std::vector<std::string>& channelNames = {});
// The scale recorded for a data file, Unknown when there is no record, it cannot be read, or
// the file has changed since. Never throws for a missing or malformed record.
TimeScale recordedTimeScale(const std::string& dataPath);
// The names recorded for the value columns of a data file whose bytes are given, first column
// first; none when there is no valid record or it names none. Never throws.
std::vector<std::string> recordedChannelNames(const std::string& dataPath,
                                              std::string_view dataBytes);

} // namespace quelmar
