#include "numbers.h"

#include <charconv>
#include <cmath>

namespace quelmar {

namespace {

// Plain decimals such as 2451545.4312 or -9.87, with at most 15 digits, are exact as an
// integer over a power of ten, and one division rounds them correctly (Clinger's fast path).
// Observation files are mostly such numbers, so they skip the general parser.
std::optional<double> parsePlainDecimal(std::string_view token) {
    static constexpr double powersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::size_t i = 0;
    const bool negative = token[0] == '-';
    if (negative || token[0] == '+') ++i;
    std::uint64_t mantissa = 0;
    int digits = 0, fractionDigits = 0, integerDigits = 0;
    bool point = false;
    for (; i < token.size(); ++i) {
        const char c = token[i];
        if (c >= '0' && c <= '9') {
            mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
            ++digits;
            (point ? fractionDigits : integerDigits) += 1;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits > 15 || integerDigits == 0 || (point && fractionDigits == 0)) return std::nullopt;
    const double value = static_cast<double>(mantissa) / powersOfTen[fractionDigits];
    return negative ? -value : value;
}

} // namespace

std::optional<double> parseNumber(std::string_view token) {
    if (token.empty() || token.size() > MaxNumberToken) return std::nullopt;
    if (const auto plain = parsePlainDecimal(token)) return plain;
    // from_chars takes no leading plus; a sign of its own after it is still an error.
    if (token.front() == '+') {
        token.remove_prefix(1);
        if (token.empty() || token.front() == '-' || token.front() == '+') return std::nullopt;
    }
    double value = 0;
    const char* end = token.data() + token.size();
    auto [ptr, ec] = std::from_chars(token.data(), end, value, std::chars_format::general);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<std::int32_t> parseInteger(std::string_view token) {
    if (!token.empty() && token.front() == '+') token.remove_prefix(1);
    if (token.empty() || token.size() > MaxNumberToken) return std::nullopt;
    std::int32_t value = 0;
    const char* end = token.data() + token.size();
    auto [ptr, ec] = std::from_chars(token.data(), end, value);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

std::string fixed(double v, int n) {
    char buf[400];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, n);
    if (ec != std::errc()) return std::isnan(v) ? "nan" : (v < 0 ? "-inf" : "inf");
    std::string text(buf, ptr);
    // A value that rounds to zero is written without a sign.
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

std::string roundTripText(double v) {
    char text[64];
    return std::string(text, std::to_chars(text, text + sizeof text, v).ptr);
}

int decimalsToKeep(double v, int minDecimals) {
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
    if (ec != std::errc()) return minDecimals;
    std::string_view text(buf, ptr - buf);
    const auto e = text.find('e');
    const auto point = text.find('.');
    const int mantissaDecimals =
        point == std::string_view::npos ? 0 : static_cast<int>(e - point - 1);
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(),
                    exponent);
    const int needed = mantissaDecimals - exponent;
    return needed > minDecimals ? needed : minDecimals;
}

long long Nearest(double z) {
    // Keeps far-off coordinates representable; nothing on screen is that far out.
    constexpr double limit = 1e15;
    if (!(z > -limit)) return static_cast<long long>(-limit);
    if (!(z < limit)) return static_cast<long long>(limit);
    return std::llrint(z); // the default rounding mode sends ties to even
}

std::string_view LineTokens::next() {
    while (pos_ < line_.size() && isBlank(line_[pos_])) ++pos_;
    const std::size_t start = pos_;
    while (pos_ < line_.size() && !isBlank(line_[pos_])) ++pos_;
    return line_.substr(start, pos_ - start);
}

bool LineTokens::atEnd() const {
    for (std::size_t i = pos_; i < line_.size(); ++i)
        if (!isBlank(line_[i])) return false;
    return true;
}

} // namespace quelmar
