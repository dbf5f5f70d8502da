#include "analysis/PeriodSeries.h"
#include "core/Error.h"
#include "core/PointStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace quelmar;
using quelmar::test::TempDir;

namespace {

std::string refusal(std::string_view text, int column = 1) {
    try {
        parsePeriodSeries(text, column, "star.dat");
    } catch (const QuelmarError& e) {
        return e.what();
    }
    return "accepted";
}

TEST(PeriodSeries, ReadsTheDatesAndTheChosenColumnInFileOrder) {
    const PeriodSeries s = parsePeriodSeries(
        "5 9.1 0.4 1.1 a\r\n\r\nJD V B-V\r\n2 9.2 V 1.2\n 7\t9.3 0.6\r\n", 3, "star.dat");
    EXPECT_EQ(s.DataChannelCount, 3);
    ASSERT_EQ(s.count(), 2) << "blank and text lines are not observations";
    EXPECT_EQ(s.times, (std::vector<double>{0, 5, 2}));
    EXPECT_EQ(s.values, (std::vector<double>{0, 1.1, 1.2}));
    EXPECT_EQ(s.missing, 1) << "an absent value is missing";
    EXPECT_EQ(s.timeSpan, 3.0) << "latest minus earliest, whatever the order";
}

TEST(PeriodSeries, LeavesOutAndCountsObservationsWithAMissingValue) {
    const PeriodSeries s =
        parsePeriodSeries("\xEF\xBB\xBF"
                          "1 9.1 0.4\r\n2 9.2 0\r\n3 9.3 V\r\n4 9.4 0.5\r\n5 0 0.6\r\n",
                          2, "star.dat");
    EXPECT_EQ(s.times, (std::vector<double>{0, 1, 4, 5})) << "a byte-order mark hid the first date";
    EXPECT_EQ(s.values, (std::vector<double>{0, 0.4, 0.5, 0.6}));
    EXPECT_EQ(s.missing, 2) << "0 and a token that is not a number are missing values";
    EXPECT_EQ(s.deviationSum, (0.4 - 0.5) * (0.4 - 0.5) + 0.0 + (0.6 - 0.5) * (0.6 - 0.5));
    EXPECT_EQ(leftOutNotice(s),
              "star.dat: 2 observations have no value (0) in column 2 and are left out");
    EXPECT_EQ(refusal("1 9.1 0\r\n2 9.2 0\r\n", 2),
              "star.dat: column 2 holds no value: it is missing (0) on every observation line");
    EXPECT_NE(refusal("1 9.1 0.3\r\n2 9.2 0\r\n", 2).find("only one observation has a value"),
              std::string::npos);
}

TEST(PeriodSeries, AFileWithOneValueColumnIsAnalysedOnItWhateverTheColumn) {
    const PeriodSeries s = parsePeriodSeries("1 9.5 comment 7\r\n2 9.7\r\n", 3, "star.dat");
    EXPECT_EQ(s.DataChannelCount, 1);
    EXPECT_EQ(s.values, (std::vector<double>{0, 9.5, 9.7}));
}

TEST(PeriodSeries, SumsTheSquaredDeviationsFromTheMean) {
    const PeriodSeries s = parsePeriodSeries("1 1\r\n2 2\r\n3 3\r\n4 6\r\n", 1, "star.dat");
    EXPECT_EQ(s.deviationSum, 4.0 + 1.0 + 0.0 + 9.0);
}

TEST(PeriodSeries, RefusesInputThatLeavesTheStatisticUndefined) {
    EXPECT_EQ(refusal(""), "star.dat: the file holds no observations");
    EXPECT_EQ(refusal("\r\n  \r\nJD V\r\n"), "star.dat: the file holds no observations");
    EXPECT_NE(refusal("1 9.5\r\n").find("one observation"), std::string::npos);
    EXPECT_NE(refusal("1 9.5\r\n2 9.5\r\n3 9.5\r\n").find("all values of column 1 are equal"),
              std::string::npos);
    EXPECT_NE(refusal("1 9.5 1\r\n2 9.5 1\r\n", 2).find("all values of column 2 are equal"),
              std::string::npos);
    EXPECT_NE(refusal("4 9.5\r\n4 9.7\r\n").find("same date"), std::string::npos);
    EXPECT_NE(refusal("1\r\n2\r\n").find("no value after the date"), std::string::npos);
    EXPECT_EQ(refusal("1 1e-200\r\n2 2e-200\r\n"), "accepted") << "Θ is defined however small";
    EXPECT_EQ(refusal("1 1e308\r\n2 -1e308\r\n"), "accepted") << "Θ is defined however large";
}

TEST(PeriodSeries, RefusesAColumnTheFileDoesNotHave) {
    const std::string threeColumns = "1 9.5 0.4 1\r\n2 9.6 0.5 2\r\n";
    EXPECT_EQ(refusal(threeColumns, 3), "accepted");
    EXPECT_EQ(refusal(threeColumns, 4),
              "star.dat: column 4 does not exist; the file has 3 value columns");
    EXPECT_NE(refusal(threeColumns, 0).find("numbered from 1"), std::string::npos);
    EXPECT_EQ(refusal("1 1 2 3 4 5 6 7 8 9 10 11\r\n2 1 2 3 4 5 6 7 8 9 10 12\r\n", 11),
              "star.dat: the first observation line has 11 value columns; at most 10 can be loaded")
        << "the limits of the loader";
    EXPECT_NE(refusal("1 9.5\r\n2 9.6\r\n", -1).find("numbered from 1"), std::string::npos);
}

TEST(PeriodSeries, ReportsAFileItCannotRead) {
    TempDir dir;
    try {
        readPeriodSeries(dir.file("missing.dat"), 1);
        FAIL() << "a missing file was read";
    } catch (const QuelmarError& e) {
        EXPECT_EQ(std::string(e.what()).rfind(dir.file("missing.dat") + ": cannot open", 0), 0u);
    }
}

TEST(PeriodSeries, ReadsAtMostTheLimitAndCountsWhatItLeavesOut) {
    std::string text;
    text.reserve(static_cast<std::size_t>(MaxPoints) * 12);
    for (int i = 1; i <= MaxPoints + 3; ++i)
        text += std::to_string(i) + (i % 2 ? " 1\n" : " 2\n");
    const PeriodSeries s = parsePeriodSeries(text, 1, "big.dat");
    EXPECT_EQ(s.count(), MaxPoints);
    EXPECT_EQ(s.ignored, 3);
    EXPECT_EQ(s.times.back(), MaxPoints);
    EXPECT_EQ(leftOutNotice(s),
              "big.dat: only the first 1000000 observations are analysed; 3 more are left out");
    text[text.find(" 1\n") + 1] = '0';
    EXPECT_EQ(leftOutNotice(parsePeriodSeries(text, 1, "big.dat")),
              "big.dat: only the first 1000000 observations are analysed; 3 more are left out; "
              "1 observation has no value (0) in column 1 and is left out");
    EXPECT_EQ(leftOutNotice(parsePeriodSeries("1 1\n2 2\n", 1, "small.dat")), "");
    // Lines far into a large file that hold no observation are counted by their line in it.
    text.insert(text.find("\n700000 ") + 1, "JD V\n\n");
    const PeriodSeries headed = parsePeriodSeries(text, 1, "big.dat");
    EXPECT_EQ(headed.skipped.count, 2);
    EXPECT_EQ(headed.skipped.firstLine, 700000);
    EXPECT_EQ(headed.times.back(), MaxPoints);
}

} // namespace
