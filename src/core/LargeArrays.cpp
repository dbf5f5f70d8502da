#include "LargeArrays.h"

#include <cstdint>
#include <new>
#include <sys/mman.h>

namespace quelmar {

namespace {

constexpr std::size_t HugePage = 2u << 20;
// Smaller arrays come from the ordinary heap: a huge page would be more than four times them.
constexpr std::size_t SmallestLarge = HugePage / 4;

std::uintptr_t upToHugePage(std::uintptr_t at) {
    return (at + HugePage - 1) & ~(HugePage - 1);
}

// Advice only: where huge pages are not available nothing changes.
void adviseHugePages(const void* data, std::size_t bytes) {
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t alignedBegin = upToHugePage(begin);
    const std::uintptr_t end = begin + bytes;
    if (end > alignedBegin + HugePage)
        madvise(reinterpret_cast<void*>(alignedBegin), (end - alignedBegin) & ~(HugePage - 1),
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

void* allocateLarge(std::size_t bytes) {
    if (bytes < SmallestLarge) return ::operator new(bytes);
    // Mapped with a huge page to spare, then trimmed at both ends to the aligned pages.
    const std::size_t length = upToHugePage(bytes);
    void* const mapped = mmap(nullptr, length + HugePage, PROT_READ | PROT_WRITE,
                              MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    auto* const begin = static_cast<char*>(mapped);
    auto* const aligned =
        reinterpret_cast<char*>(upToHugePage(reinterpret_cast<std::uintptr_t>(begin)));
    if (aligned > begin) munmap(begin, static_cast<std::size_t>(aligned - begin));
    munmap(aligned + length, static_cast<std::size_t>(begin + HugePage - aligned));
    madvise(aligned, length, MADV_HUGEPAGE);
    return aligned;
}

void releaseLarge(void* data, std::size_t bytes) {
    if (bytes < SmallestLarge)
        ::operator delete(data);
    else
        munmap(data, upToHugePage(bytes));
}

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
