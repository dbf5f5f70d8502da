#include "analysis/PeriodScan.h"
#include "core/Error.h"

#include <gtest/gtest.h>

#include <limits>

using namespace quelmar;

namespace {

template <typename Work> std::string refusal(Work work) {
    try {
        work();
    } catch (const QuelmarError& e) {
        return e.what();
    }
    return "accepted";
}

TEST(PeriodSettings, ReadFromTheTextsTyped) {
    const PeriodScanSettings s = periodScanSettings(" 0.5", "2 ", "", "3");
    EXPECT_EQ(s.pmin, 0.5);
    EXPECT_EQ(s.pmax, 2.0);
    EXPECT_EQ(s.step, 0.01) << "an empty step is the default";
    EXPECT_EQ(s.column, 3);
    EXPECT_EQ(periodScanSettings("1", "2", "0.05", "1").step, 0.05);

    EXPECT_EQ(refusal([] { periodScanSettings("", "2", "", "1"); }),
              "the shortest period is missing");
    EXPECT_EQ(refusal([] { periodScanSettings("1", "2,5", "", "1"); }),
              "the longest period \"2,5\" is not a number");
    EXPECT_EQ(refusal([] { periodScanSettings("1", "2", "0.01 0.02", "1"); }),
              "the step \"0.01 0.02\" is not a number");
    EXPECT_EQ(refusal([] { periodScanSettings("1", "2", "", "1.5"); }),
              "the column \"1.5\" is not a whole number");
}

TEST(PeriodSettings, RefusePeriodsAndStepsThatAreNotPositiveNumbers) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const double bad : {0.0, -1.0, nan, inf}) {
        SCOPED_TRACE(bad);
        EXPECT_NE(refusal([&] {
                      checkPeriodScanSettings({.pmin = bad, .pmax = 2});
                  }).find("shortest period must be a positive"),
                  std::string::npos);
        EXPECT_NE(refusal([&] {
                      checkPeriodScanSettings({.pmin = 1, .pmax = bad});
                  }).find("longest period must be a positive"),
                  std::string::npos);
        EXPECT_NE(refusal([&] {
                      checkPeriodScanSettings({.pmin = 1, .pmax = 2, .step = bad});
                  }).find("step must be a positive"),
                  std::string::npos);
    }
    EXPECT_EQ(refusal([] { periodScanSettings("-0.5", "2", "", "1"); }),
              "the shortest period must be a positive number, not -0.5");
    EXPECT_NE(refusal([] {
                  checkPeriodScanSettings({.pmin = 1, .pmax = 2, .column = 0});
              }).find("column"),
              std::string::npos);
}

TEST(FrequencyGrid, FromThePeriodRangeAndTheTimeSpan) {
    const FrequencyGrid grid = frequencyGrid({.pmin = 2, .pmax = 1, .step = 0.02}, 4);
    EXPECT_EQ(grid.fmin, 0.5) << "periods given the wrong way round are exchanged";
    EXPECT_EQ(grid.fmax, 1.0);
    EXPECT_EQ(grid.step, 0.005);
    EXPECT_EQ(grid.estimatedCount, 101);
    // A hundred additions of 0.005 to 0.5 land just above 1, so the last frequency is missing.
    EXPECT_EQ(countTrialFrequencies(grid), 100);

    const FrequencyGrid single = frequencyGrid({.pmin = 0.7, .pmax = 0.7}, 1000);
    EXPECT_EQ(single.estimatedCount, 1);
    EXPECT_EQ(countTrialFrequencies(single), 1);
    TrialFrequencies frequencies(single);
    double first = 0;
    ASSERT_TRUE(frequencies.next(first));
    EXPECT_EQ(first, 1 / 0.7) << "the scan starts at fmin itself";
    EXPECT_FALSE(frequencies.next(first));
}

TEST(FrequencyGrid, RefusesAStepTooSmallToAdvanceTheFrequency) {
    EXPECT_NE(refusal([] {
                  frequencyGrid({.pmin = 1, .pmax = 2, .step = 1e-300}, 1000);
              }).find("would not advance"),
              std::string::npos);
    EXPECT_NE(refusal([] { frequencyGrid({.pmin = 1e-310, .pmax = 2}, 1000); }).find("too short"),
              std::string::npos);
    EXPECT_EQ(refusal([] { frequencyGrid({.pmin = 1, .pmax = 2, .step = 1e-9}, 1000); }),
              "accepted");
}

TEST(PeriodogramFileName, IsTheDataFileNameUpToItsFirstDotInTheWorkingFolder) {
    EXPECT_EQ(periodogramFileName("/home/obs/star.dat"), "star.per");
    EXPECT_EQ(periodogramFileName("star.v.dat"), "star.per");
    EXPECT_EQ(periodogramFileName("/home/obs/star"), "star.per");
    EXPECT_EQ(periodogramFileName("/home/obs/.star.dat"), ".star.per");
}

} // namespace

TEST(RangeEdits, LeavingOneSetsTheOppositeEndOfTheOtherQuantity) {
    EXPECT_EQ(reciprocalText("0.5"), "2.00000000");
    EXPECT_EQ(reciprocalText(" 3 "), "0.33333333");
    for (const char* unchanged : {"", "  ", "0", "0.0", "abc", "1 2"})
        EXPECT_FALSE(reciprocalText(unchanged)) << unchanged;
}

TEST(ProgressTimes, ReadAsHoursMinutesAndSecondsWithoutLeadingZeros) {
    EXPECT_EQ(durationText(247.9), "0:4:7");
    EXPECT_EQ(durationText(0), "0:0:0");
    EXPECT_EQ(durationText(3 * 3600 + 25 * 60 + 9), "3:25:9");
    EXPECT_EQ(durationText(86400 + 61), "0:1:1") << "whole days are dropped";
    EXPECT_EQ(durationText(-5), "0:0:0");
}
