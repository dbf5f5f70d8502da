#pragma once
// The loops of the phase fold that vector units run: the phase keys, the running sums of the
// bucket counts, the exchanges of neighbouring entries and the search for entries that may be
// out of order. Each has a portable version and, on x86-64 processors with AVX2 or AVX-512,
// versions of four and eight lanes, the widest chosen at the first call; all give the same
// results to the last bit.

#include <cstddef>
#include <cstdint>

namespace quelmar {

// Which version runs: the widest this processor has, the four-lane one where it has one, or the
// portable one.
enum class FoldLanes { Widest, Four, Portable };

// An entry of a fold's order: the phase key above the index of the point.
inline std::uint64_t entry(std::uint32_t key, std::size_t index) {
    return std::uint64_t{key} << 32 | index;
}
inline std::uint32_t keyOf(std::uint64_t entry) {
    return static_cast<std::uint32_t>(entry >> 32);
}
inline std::uint32_t indexOf(std::uint64_t entry) {
    return static_cast<std::uint32_t>(entry);
}

// The keys of the phases of `count` offsets (days) at the frequency: monotonic in the phase,
// so a larger key never has a smaller phase.
void phaseKeys(const double* offset, std::uint32_t* key, std::size_t count, double frequency,
               FoldLanes lanes = FoldLanes::Widest);

// Each count replaced by the sum of the counts up to it; returns the largest count.
std::uint32_t runningSums(std::uint32_t* count, std::size_t size,
                          FoldLanes lanes = FoldLanes::Widest);

// Puts each pair of neighbours order[i], order[i + 1] with i = first, first + 2, ... below
// last in increasing order.
void exchangeNeighbours(std::uint64_t* order, std::size_t first, std::size_t last,
                        FoldLanes lanes = FoldLanes::Widest);

// The first i in [from, to), from ≥ 1, whose entry's key is not above the key before it, or to.
std::size_t firstUnsure(const std::uint64_t* order, std::size_t from, std::size_t to,
                        FoldLanes lanes = FoldLanes::Widest);

} // namespace quelmar
