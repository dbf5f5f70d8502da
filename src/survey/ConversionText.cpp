#include "ConversionText.h"

#include "core/cp1251.h"
#include "core/numbers.h"

#include <charconv>
#include <cmath>

namespace quelmar {

void appendObservation(Conversion& conversion, std::string_view time,
                       std::initializer_list<std::string_view> values,
                       std::string_view freeText) {
    std::string& out = conversion.text;
    out += time;
    for (std::string_view value : values) {
        out += ' ';
        out += value;
    }
    if (!freeText.empty()) {
        std::string text = utf8ToCp1251(freeText);
        for (char& c : text)
            if (c == '\r' || c == '\n' || c == '\t') c = ' ';
        out += ' ';
        out += text;
    }
    out += "\r\n";
    ++conversion.observations;
}

std::string storedValueText(double value, bool singlePrecision) {
    char buffer[400];
    const auto written =
        singlePrecision
            ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value),
                            std::chars_format::fixed)
            : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, written.ptr);
}

std::string magnitudeText(double magnitude) {
    constexpr double smallestStep = 0.00001;
    if (std::abs(magnitude) < smallestStep / 2)
        return fixed(magnitude < 0 ? -smallestStep : smallestStep, 5);
    return fixed(magnitude, 5);
}

} // namespace quelmar
