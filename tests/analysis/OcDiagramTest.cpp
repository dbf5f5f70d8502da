#include "analysis/OcDiagram.h"
#include "core/Error.h"

#include <gtest/gtest.h>

using namespace quelmar;

namespace {

// Times out of order, primaries and secondaries interleaved: one minimum timed twice is kept,
// and a second extremum in a cycle is refused at its own line, against the cycle's first line.
TEST(OcDiagram, CountsCyclesOutOfOrderAndRefusesTwoExtremaInOneCycle) {
    const Ephemeris e{100, 2};
    const std::vector<ExtremumTime> twice = {{106.01, "", 0, false, 1},
                                             {101.0, "", 0, true, 2},
                                             {100.0, "", 0, false, 3},
                                             {106.02, "", 0, false, 4},
                                             {103.0, "", 0, true, 5}};
    const auto points = countCycles(twice, e, "list");
    std::vector<double> cycles;
    for (const OcPoint& p : points)
        cycles.push_back(p.cycle);
    EXPECT_EQ(cycles, (std::vector<double>{3, 0.5, 0, 3, 1.5}));
    EXPECT_NEAR(points[3].oc, 0.02, 1e-9);

    std::vector<ExtremumTime> two = twice;
    two.push_back({106.7, "", 0, false, 6});
    two.push_back({105.4, "", 0, false, 7});
    try {
        countCycles(two, e, "list");
        FAIL() << "two extrema in cycle 3";
    } catch (const QuelmarError& error) {
        const std::string what = error.what();
        EXPECT_NE(what.find("line 6: cycle 3 already has a time on line 1"), std::string::npos)
            << what;
    }
}

} // namespace
