#include "numbers.h"

#include <charconv>
#include <cmath>

namespace quelmar {

std::optional<double> parseNumber(std::string_view token) {
    if (token.empty() || token.size() > MaxNumberToken) return std::nullopt;
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
