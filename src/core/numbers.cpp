#include "numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

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

// fixed(v, n) through the library: every value, slowly.
std::string fixedByLibrary(double v, int n) {
    char buf[400];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, n);
    if (ec != std::errc()) return std::isnan(v) ? "nan" : (v < 0 ? "-inf" : "inf");
    std::string text(buf, ptr);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
}

// magnitude · 10^n rounded to the nearest integer, ties to even, from the exact binary value,
// as the library rounds; nothing when the result would not fit in 64 bits. Written dates and
// magnitudes take this way, several times faster than the library's general one.
std::optional<std::uint64_t> scaledAndRounded(double magnitude, int n) {
    static constexpr std::uint64_t powersOfTen[] = {1,
                                                    10,
                                                    100,
                                                    1000,
                                                    10000,
                                                    100000,
                                                    1000000,
                                                    10000000,
                                                    100000000,
                                                    1000000000,
                                                    10000000000,
                                                    100000000000,
                                                    1000000000000,
                                                    10000000000000,
                                                    100000000000000,
                                                    1000000000000000,
                                                    10000000000000000,
                                                    100000000000000000,
                                                    1000000000000000000};
    using Wide = unsigned __int128;
    if (n < 0 || n > 18 || !std::isfinite(magnitude)) return std::nullopt;
    if (magnitude == 0) return 0;
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    exponent -= 53; // magnitude = mantissa · 2^exponent exactly
    const Wide scaled = static_cast<Wide>(mantissa) * powersOfTen[n]; // below 2^113
    Wide rounded = 0;
    if (exponent >= 0) {
        if (exponent > 11) return std::nullopt;
        rounded = scaled << exponent;
    } else if (-exponent < 120) {
        const int shift = -exponent;
        rounded = scaled >> shift;
        const Wide remainder = scaled - (rounded << shift);
        const Wide half = static_cast<Wide>(1) << (shift - 1);
        if (remainder > half || (remainder == half && (rounded & 1) != 0)) ++rounded;
    } // else below half a unit of the last decimal: 0
    if (rounded > std::numeric_limits<std::uint64_t>::max()) return std::nullopt;
    return static_cast<std::uint64_t>(rounded);
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

std::optional<double> numberInText(std::string_view text) {
    LineTokens tokens(text);
    const auto value = parseNumber(tokens.next());
    return value && tokens.atEnd() ? value : std::nullopt;
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
    std::string text;
    appendFixed(text, v, n);
    return text;
}

std::string roundTripText(double v) {
    char text[64];
    return std::string(text, std::to_chars(text, text + sizeof text, v).ptr);
}

void appendFixed(std::string& out, double v, int n) {
    const auto scaled = scaledAndRounded(std::fabs(v), n);
    if (!scaled) {
        out += fixedByLibrary(v, n);
        return;
    }
    char buffer[24];
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, *scaled).ptr;
    const std::string_view digits(buffer, static_cast<std::size_t>(end - buffer));
    const auto count = static_cast<int>(digits.size());
    // A value that rounds to zero is written without a sign.
    if (std::signbit(v) && *scaled != 0) out += '-';
    if (count <= n) {
        out += "0.";
        out.append(static_cast<std::size_t>(n - count), '0');
        out += digits;
    } else {
        const auto point = static_cast<std::size_t>(count - n);
        out += digits.substr(0, point);
        if (n > 0) {
            out += '.';
            out += digits.substr(point);
        }
    }
}

std::string fixedForFile(double v, int n) {
    std::string text;
    appendFixedForFile(text, v, n);
    return text;
}

void appendFixedForFile(std::string& out, double v, int n) {
    const std::size_t start = out.size();
    appendFixed(out, v, n);
    if (out.size() - start <= MaxNumberToken) return;
    out.resize(start);
    out += roundTripText(v);
}

int significantDecimals(double v, int digits) {
    if (v == 0 || !std::isfinite(v)) return digits;
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(v))));
    return std::clamp(digits - 1 - magnitude, 0, 30);
}

std::string significantText(double v, int digits) {
    return fixed(v, significantDecimals(v, digits));
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
    while (pos_ < line_.size() && isBlank(line_[pos_]))
        ++pos_;
    const std::size_t start = pos_;
    while (pos_ < line_.size() && !isBlank(line_[pos_]))
        ++pos_;
    return line_.substr(start, pos_ - start);
}

bool LineTokens::atEnd() const {
    for (std::size_t i = pos_; i < line_.size(); ++i)
        if (!isBlank(line_[i])) return false;
    return true;
}

} // namespace quelmar
