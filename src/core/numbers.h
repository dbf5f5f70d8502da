#pragma once
// Reading and writing numbers, the same way for every file the program touches.
// A token is a run of non-blank characters; it is a number only if the whole token parses.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quelmar {

// Longest token that can be a number; longer runs are never numbers.
inline constexpr std::size_t MaxNumberToken = 64;

inline bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
inline bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// A finite decimal number with an optional sign and exponent, or nothing.
std::optional<double> parseNumber(std::string_view token);
// A text that holds one number and nothing else but blanks around it (a box, an argument), or
// nothing.
std::optional<double> numberInText(std::string_view text);
// A whole token that is a 32-bit signed integer, or nothing.
std::optional<std::int32_t> parseInteger(std::string_view token);

// Fixed-point text with n decimals, a point as separator, never an exponent; a value that
// rounds to zero has no sign.
std::string fixed(double v, int n);
// The shortest text that reads back as v, for messages about a value the user gave.
std::string roundTripText(double v);
// The same, added to the end of out without a string of its own.
void appendFixed(std::string& out, double v, int n);
// fixed(v, n) for a file that is read again: when that text would be longer than a number the
// files may hold (beyond about 1e60, or below 1e-60 with all its decimals), the shortest text
// that reads back as v ("1e+300") instead.
std::string fixedForFile(double v, int n);
void appendFixedForFile(std::string& out, double v, int n);
// The decimals that show v to the given significant digits, never an exponent (at most 30), and
// v written with them: results whose size is not known beforehand (a period, its change).
int significantDecimals(double v, int digits);
std::string significantText(double v, int digits);
// The decimals needed to write v exactly as its shortest round-trip text, at least minDecimals.
int decimalsToKeep(double v, int minDecimals);

// Nearest integer to z, ties going to the even integer. Used for every pixel position.
long long Nearest(double z);

// Walks the blank-separated tokens of one line (a line holds no line-end characters).
class LineTokens {
public:
    explicit LineTokens(std::string_view line) : line_(line) {}

    // The next token, or an empty view at the end of the line.
    std::string_view next();
    // The rest of the line after the last token taken, blanks included.
    std::string_view rest() const { return line_.substr(pos_); }
    bool atEnd() const;

private:
    std::string_view line_;
    std::size_t pos_ = 0;
};

} // namespace quelmar
