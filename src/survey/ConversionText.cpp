#include "ConversionText.h"

#include "core/cp1251.h"
#include "core/numbers.h"

#include <charconv>
#include <cmath>

namespace quelmar {

void appendObservation(Conversion& conversion, std::string_view time,
                       std::initializer_list<std::string_view> values, std::string_view freeText) {
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
    const auto shortest = [&](std::chars_format format) {
        const auto written =
            singlePrecision
                ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value), format)
                : std::to_chars(buffer, buffer + sizeof buffer, value, format);
        return std::string(buffer, written.ptr);
    };
    // Far from 1 the digits would be more than the files may hold in a number.
    const std::string text = shortest(std::chars_format::fixed);
    return text.size() <= MaxNumberToken ? text : shortest(std::chars_format::general);
}

std::string magnitudeText(double magnitude) {
    constexpr double smallestStep = 0.00001;
    if (std::abs(magnitude) < smallestStep / 2)
        return fixed(magnitude < 0 ? -smallestStep : smallestStep, 5);
    return fixedForFile(magnitude, 5);
}

} // namespace quelmar
