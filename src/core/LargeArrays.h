#pragma once
// Large arrays: sized once, and backed by huge pages where the system offers them, since
// faulting in 4 KiB pages one at a time costs more than filling them.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quelmar {

// Memory for a large array that a computation allocates for itself: from 512 KiB on, whole huge
// pages, aligned, so that all of it is backed by them where the system offers them (a few
// faults instead of hundreds, for at most four times the memory).
void* allocateLarge(std::size_t bytes);
void releaseLarge(void* data, std::size_t bytes);

template <typename Element> struct LargeAllocator {
    using value_type = Element;
    LargeAllocator() = default;
    template <typename Other> LargeAllocator(const LargeAllocator<Other>&) {}
    Element* allocate(std::size_t count) {
        return static_cast<Element*>(allocateLarge(count * sizeof(Element)));
    }
    void deallocate(Element* data, std::size_t count) {
        releaseLarge(data, count * sizeof(Element));
    }
    template <typename Other> bool operator==(const LargeAllocator<Other>&) const { return true; }
};

template <typename Element> using LargeVector = std::vector<Element, LargeAllocator<Element>>;

// Bytes left uninitialised, for a whole file about to be read into them.
struct LargeRelease {
    std::size_t bytes = 0;
    void operator()(char* data) const { releaseLarge(data, bytes); }
};
using LargeBytes = std::unique_ptr<char[], LargeRelease>;
inline LargeBytes largeBytes(std::size_t size) {
    return LargeBytes(static_cast<char*>(allocateLarge(size)), LargeRelease{size});
}

void resizeLarge(std::vector<double>& array, std::size_t size);
void resizeLarge(std::vector<std::uint8_t>& array, std::size_t size); // a missing-value mask
// Room for a text of tens of megabytes that is about to be written.
void reserveLarge(std::string& text, std::size_t size);

} // namespace quelmar
