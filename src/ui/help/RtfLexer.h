#pragma once
// Splits rich text (RTF) into its tokens. Malformed input never stops the lexer: a truncated
// escape at the end is dropped and stray control bytes are skipped, so any bytes at all give
// a finite stream of tokens ending in End.

#include <cstdint>
#include <string_view>

namespace quelmar {

struct RtfToken {
    enum class Kind { End, GroupOpen, GroupClose, ControlWord, ControlSymbol, HexByte, Text };
    Kind kind = Kind::End;
    std::string_view word;      // ControlWord: its letters
    bool hasParameter = false;  // ControlWord: a number followed the letters
    std::int32_t parameter = 0; // clamped to the 32-bit range
    char symbol = 0;            // ControlSymbol: the character after the backslash
    unsigned char byte = 0;     // HexByte and Text
};

class RtfLexer {
public:
    explicit RtfLexer(std::string_view text) : text_(text) {}
    RtfToken next();
    // Skips raw bytes, the data of a \binN word.
    void skipBytes(std::int64_t count);

private:
    RtfToken controlAfterBackslash();
    RtfToken controlWord();
    RtfToken hexByte();
    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return text_[pos_]; }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace quelmar
