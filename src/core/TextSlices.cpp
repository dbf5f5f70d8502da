#include "TextSlices.h"

#include <algorithm>

namespace quelmar {

std::size_t lineEndAt(std::string_view text, std::size_t pos, std::size_t& next) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
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

} // namespace quelmar
