#include "LargeArrays.h"

#include <cstdint>
#include <sys/mman.h>

namespace quelmar {

void resizeLarge(std::vector<double>& array, std::size_t size) {
    constexpr std::size_t hugePage = 2u << 20;
    if (array.capacity() < size) {
        array.clear();
        array.shrink_to_fit();
        array.reserve(size);
        const auto begin = reinterpret_cast<std::uintptr_t>(array.data());
        const std::uintptr_t alignedBegin = (begin + hugePage - 1) & ~(hugePage - 1);
        const std::uintptr_t end = begin + size * sizeof(double);
        // Advice only: where huge pages are not available nothing changes.
        if (end > alignedBegin + hugePage)
            madvise(reinterpret_cast<void*>(alignedBegin), (end - alignedBegin) & ~(hugePage - 1),
                    MADV_HUGEPAGE);
    }
    array.resize(size);
}

} // namespace quelmar
