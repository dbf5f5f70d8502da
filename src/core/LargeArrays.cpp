#include "LargeArrays.h"

#include <cstdint>
#include <sys/mman.h>

namespace quelmar {

namespace {

// Advice only: where huge pages are not available nothing changes.
void adviseHugePages(const void* data, std::size_t bytes) {
    constexpr std::size_t hugePage = 2u << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t alignedBegin = (begin + hugePage - 1) & ~(hugePage - 1);
    const std::uintptr_t end = begin + bytes;
    if (end > alignedBegin + hugePage)
        madvise(reinterpret_cast<void*>(alignedBegin), (end - alignedBegin) & ~(hugePage - 1),
                MADV_HUGEPAGE);
}

template <typename Element> void resizeArray(std::vector<Element>& array, std::size_t size) {
    if (array.capacity() < size) {
        array.clear();
        array.shrink_to_fit();
        array.reserve(size);
        adviseHugePages(array.data(), size * sizeof(Element));
    }
    array.resize(size);
}

} // namespace

void resizeLarge(std::vector<double>& array, std::size_t size) {
    resizeArray(array, size);
}
void resizeLarge(std::vector<std::uint8_t>& array, std::size_t size) {
    resizeArray(array, size);
}

void reserveLarge(std::string& text, std::size_t size) {
    if (text.capacity() >= size) return;
    text.reserve(size);
    adviseHugePages(text.data(), size);
}

} // namespace quelmar
