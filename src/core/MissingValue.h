#pragma once
// The missing-value marker: the number that stands in a data file for a value not observed
// (0 in the files observers keep), or none, for files where every number is a value (colour
// indices, residuals, fluxes). A file's values are compared with it once, when the file is
// read; from then on a missing value is a flag beside the values, never the number itself.

#include "DesignDefaults.h"

#include <optional>
#include <string>
#include <string_view>

namespace quelmar {

class MissingMarker {
public:
    MissingMarker() = default; // the design marker
    explicit MissingMarker(double value) : value_(value) {}
    static MissingMarker none() { return MissingMarker(std::nullopt); }

    bool marks(double v) const { return value_ && v == *value_; }
    bool isNone() const { return !value_; }
    // What a file gets in place of a missing value: the marker, or 0 when there is none.
    double written() const { return value_.value_or(0.0); }

    bool operator==(const MissingMarker&) const = default;

private:
    explicit MissingMarker(std::optional<double> value) : value_(value) {}
    std::optional<double> value_ = design::MissingValueMarker;
};

// "none" or a number, as the settings file and --missing spell it; nothing for any other text.
std::optional<MissingMarker> parseMissingMarker(std::string_view text);
// The marker's text that parseMissingMarker reads back.
std::string missingMarkerText(const MissingMarker& marker);

} // namespace quelmar
