#include "analysis/FoldKernels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

using namespace quelmar;

namespace {

// Offsets that reach the corners of the phase: negative ones, whole cycles, a phase that rounds
// up to 1, products too large for a fraction, and one that overflows to a NaN phase.
std::vector<double> awkwardOffsets() {
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> days(-500.0, 1500.0);
    std::vector<double> offsets{0.0,     -0.0,   1.0,    -1.0,  std::nextafter(1.0, 0.0),
                                -1e-300, 1e-300, 0x1p60, 1e300, -1e300};
    for (int i = 0; i < 1000; ++i)
        offsets.push_back(days(rng));
    return offsets;
}

// The wide loops and the portable ones agree to the last bit, whatever the length.
TEST(FoldKernels, WideAndPortableVersionsAgree) {
    const std::vector<double> offsets = awkwardOffsets();
    for (const FoldLanes lanes : {FoldLanes::Widest, FoldLanes::Four}) {
        const int w = static_cast<int>(lanes);
        for (const double frequency : {1.7320508075, 1.0, 0.1, 10.0, 1e-70}) {
            for (const std::size_t count : {std::size_t{0}, std::size_t{3}, offsets.size()}) {
                std::vector<std::uint32_t> wide(count), portable(count);
                phaseKeys(offsets.data(), wide.data(), count, frequency, lanes);
                phaseKeys(offsets.data(), portable.data(), count, frequency, FoldLanes::Portable);
                EXPECT_EQ(wide, portable) << w << ": " << frequency << ", " << count << " offsets";
            }
        }

        std::mt19937_64 rng(5);
        for (const std::size_t size : {1, 7, 8, 9, 17, 8193}) {
            std::vector<std::uint32_t> counts(size);
            for (auto& c : counts)
                c = static_cast<std::uint32_t>(rng() % 4);
            std::vector<std::uint32_t> wide = counts, portable = counts;
            EXPECT_EQ(runningSums(wide.data(), size, lanes),
                      runningSums(portable.data(), size, FoldLanes::Portable));
            EXPECT_EQ(wide, portable) << w << ": " << size << " counts";
        }

        std::vector<std::uint64_t> order(1001);
        for (auto& e : order)
            e = entry(static_cast<std::uint32_t>(rng() % 8), rng() % 1000); // many equal keys
        order[500] = entry(0xFFFF'FFFFu, 3); // keys with the top bit set compare as unsigned
        for (const std::size_t first : {0, 1, 5}) {
            std::vector<std::uint64_t> wide = order, portable = order;
            exchangeNeighbours(wide.data(), first, wide.size() - 1, lanes);
            exchangeNeighbours(portable.data(), first, portable.size() - 1, FoldLanes::Portable);
            EXPECT_EQ(wide, portable) << w << ": pairs from " << first;
            for (std::size_t from = 1; from < 20; ++from)
                EXPECT_EQ(firstUnsure(order.data(), from, order.size(), lanes),
                          firstUnsure(order.data(), from, order.size(), FoldLanes::Portable));
        }
        // A long rising run, then one key that does not rise, in every lane of a vector.
        for (std::size_t drop = 690; drop < 700; ++drop) {
            std::vector<std::uint64_t> rising(1001);
            for (std::size_t i = 0; i < rising.size(); ++i)
                rising[i] = entry(static_cast<std::uint32_t>(i + (i >= drop ? 0 : 1)), i);
            for (std::size_t from = 1; from < 10; ++from)
                EXPECT_EQ(firstUnsure(rising.data(), from, rising.size(), lanes), drop) << w;
        }
    }
}

// A larger key never has a smaller phase.
TEST(FoldKernels, KeysFollowThePhase) {
    std::vector<double> phases;
    for (double p = 0; p < 1; p += 0.0137)
        phases.push_back(p);
    phases.push_back(std::nextafter(1.0, 0.0));
    std::vector<std::uint32_t> keys(phases.size());
    phaseKeys(phases.data(), keys.data(), phases.size(), 1.0);
    for (std::size_t i = 1; i < keys.size(); ++i)
        EXPECT_LE(keys[i - 1], keys[i]) << phases[i];
    EXPECT_EQ(keys.front(), 0u);
    EXPECT_EQ(keys.back(), std::numeric_limits<std::uint32_t>::max());
}

} // namespace
