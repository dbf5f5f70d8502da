#include "RtfLexer.h"

#include <limits>

namespace quelmar {

namespace {

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

RtfToken tokenOf(RtfToken::Kind kind) {
    RtfToken token;
    token.kind = kind;
    return token;
}

RtfToken symbolToken(char symbol) {
    RtfToken token = tokenOf(RtfToken::Kind::ControlSymbol);
    token.symbol = symbol;
    return token;
}

RtfToken byteToken(RtfToken::Kind kind, unsigned char byte) {
    RtfToken token = tokenOf(kind);
    token.byte = byte;
    return token;
}

int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

RtfToken RtfLexer::next() {
    while (!atEnd()) {
        const char c = text_[pos_++];
        const auto byte = static_cast<unsigned char>(c);
        if (c == '{') return tokenOf(RtfToken::Kind::GroupOpen);
        if (c == '}') return tokenOf(RtfToken::Kind::GroupClose);
        if (c == '\\') {
            if (atEnd()) break;
            return controlAfterBackslash();
        }
        // Line ends are layout of the RTF source, not text; other control bytes are garbage.
        if (byte < 0x20 && c != '\t') continue;
        return byteToken(RtfToken::Kind::Text, byte);
    }
    return {};
}

void RtfLexer::skipBytes(std::int64_t count) {
    if (count <= 0) return;
    const auto left = static_cast<std::int64_t>(text_.size() - pos_);
    pos_ += static_cast<std::size_t>(count < left ? count : left);
}

RtfToken RtfLexer::controlAfterBackslash() {
    const char c = peek();
    if (isLetter(c)) return controlWord();
    ++pos_;
    if (c == '\'') return hexByte();
    return symbolToken(c);
}

RtfToken RtfLexer::controlWord() {
    const std::size_t start = pos_;
    while (!atEnd() && isLetter(peek()))
        ++pos_;
    RtfToken token = tokenOf(RtfToken::Kind::ControlWord);
    token.word = text_.substr(start, pos_ - start);

    const bool negative =
        !atEnd() && peek() == '-' && pos_ + 1 < text_.size() && isDigit(text_[pos_ + 1]);
    if (negative) ++pos_;
    if (!atEnd() && isDigit(peek())) {
        constexpr std::int64_t limit = std::numeric_limits<std::int32_t>::max();
        std::int64_t value = 0;
        while (!atEnd() && isDigit(peek())) {
            value = value * 10 + (peek() - '0');
            if (value > limit) value = limit;
            ++pos_;
        }
        token.hasParameter = true;
        token.parameter = static_cast<std::int32_t>(negative ? -value : value);
    }
    if (!atEnd() && peek() == ' ') ++pos_; // the blank that ends a control word is not text
    return token;
}

RtfToken RtfLexer::hexByte() {
    const int high = atEnd() ? -1 : hexValue(peek());
    if (high < 0) return symbolToken('\'');
    ++pos_;
    const int low = atEnd() ? -1 : hexValue(peek());
    if (low < 0) return symbolToken('\'');
    ++pos_;
    return byteToken(RtfToken::Kind::HexByte, static_cast<unsigned char>(high * 16 + low));
}

} // namespace quelmar
