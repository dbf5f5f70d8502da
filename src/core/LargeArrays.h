#pragma once
// Arrays of millions of doubles: sized once, and backed by huge pages where the system offers
// them, since faulting in 4 KiB pages one at a time costs more than filling them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quelmar {

// Memory for an array of many megabytes that a computation allocates for itself: from 2 MiB on,
// aligned to huge pages, so that all of it is backed by them where the system offers them.
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

void resizeLarge(std::vector<double>& array, std::size_t size);
void resizeLarge(std::vector<std::uint8_t>& array, std::size_t size); // a missing-value mask
// Room for a text of tens of megabytes that is about to be written.
void reserveLarge(std::string& text, std::size_t size);

} // namespace quelmar
