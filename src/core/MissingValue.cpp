#include "MissingValue.h"

#include "numbers.h"

#include <cmath>

namespace quelmar {

std::optional<MissingMarker> parseMissingMarker(std::string_view text) {
    if (text == "none") return MissingMarker::none();
    const std::optional<double> value = parseNumber(text);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return MissingMarker(*value);
}

std::string missingMarkerText(const MissingMarker& marker) {
    if (marker.isNone()) return "none";
    const double v = marker.written();
    return fixedForFile(v, decimalsToKeep(v, 0));
}

} // namespace quelmar
