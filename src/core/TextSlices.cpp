#include "TextSlices.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace quelmar {

namespace {

// Whether any byte of a word is a line-end character (LF or CR).
bool holdsLineEnd(std::uint64_t word) {
    constexpr std::uint64_t Ones = 0x0101010101010101, Highs = 0x8080808080808080;
    const std::uint64_t lf = word ^ (Ones * '\n'), cr = word ^ (Ones * '\r');
    return (((lf - Ones) & ~lf) | ((cr - Ones) & ~cr)) & Highs;
}

} // namespace

std::size_t lineEndAt(std::string_view text, std::size_t pos, std::size_t& next) {
    std::size_t end = pos;
    // Eight bytes at a time up to the word that holds the end, then byte by byte.
    for (std::uint64_t word; end + 8 <= text.size(); end += 8) {
        std::memcpy(&word, text.data() + end, 8);
        if (holdsLineEnd(word)) break;
    }
    while (end < text.size() && text[end] != '\n' && text[end] != '\r')
        ++end;
    next = end;
    if (next < text.size())
        next += (text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n') ? 2 : 1;
    return end;
}

std::vector<std::string_view> sliceAtLineStarts(std::string_view text, unsigned parts) {
    std::vector<std::string_view> slices;
    std::size_t start = 0;
    for (unsigned p = 1; p <= parts && start < text.size(); ++p) {
        std::size_t cut = p == parts ? text.size() : text.size() / parts * p;
        if (cut <= start) continue;
        if (cut < text.size()) lineEndAt(text, cut, cut);
        slices.push_back(text.substr(start, cut - start));
        start = cut;
    }
    return slices;
}

unsigned threadsForText(std::size_t bytes) {
    if (bytes < (1u << 20)) return 1;
    return std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
}

unsigned slicesForText(std::size_t bytes) {
    constexpr std::size_t SliceBytes = 4u << 20;
    const unsigned threads = threadsForText(bytes);
    if (threads == 1) return 1;
    return static_cast<unsigned>(std::max<std::size_t>(threads, bytes / SliceBytes));
}

} // namespace quelmar
