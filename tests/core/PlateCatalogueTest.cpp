#include "core/Error.h"
#include "core/PlateCatalogue.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace quelmar;
using quelmar::test::TempDir;

static const char* catalogue = "1234 2437512.3456 1961-09-14 20:17\r\n"
                               "1235 2437513.5000 second\r\n"
                               "1234 2400000.0000 duplicate\r\n"
                               "header line\r\n";

TEST(PlateConversion, WritesTheDateAndKeepsTheLineRest) {
    const auto cat = PlateCatalogue::parse(catalogue, "7cam.dat");
    PlateConversion report;
    EXPECT_EQ(convertPlateText("1234 9.85 V\r\n", cat, false, report),
              "2437512.3456  9.85 V\r\n");
    EXPECT_EQ(convertPlateText("1234 9.85 V\r\n", cat, true, report),
              "2437512.3456  9.85 V  1961-09-14 20:17 \r\n");
    EXPECT_EQ(report.converted, 2);
    EXPECT_EQ(cat.size(), 2u);
}

TEST(PlateConversion, CountsPlatesMissingFromTheCatalogue) {
    const auto cat = PlateCatalogue::parse(catalogue, "7cam.dat");
    PlateConversion report;
    const auto out = convertPlateText("1235 1\n\n999 2\nx 3\n1234 4\n", cat, false, report);
    EXPECT_EQ(out, "2437513.5000  1\r\n2437512.3456  4\r\n");
    EXPECT_EQ(report.unmatched, 2);
    EXPECT_EQ(report.firstUnmatchedLine, 3);
}

TEST(PlateConversion, RewritesTheFileAndKeepsTheUnconvertedCopy) {
    TempDir dir;
    const auto data = dir.write("rr.dat", "1234 9.85 V\r\n999 9.9\r\n");
    const auto cat = dir.write("7cam.dat", catalogue);
    const auto report = convertPlateNumbers(data, cat, false);
    EXPECT_EQ(TempDir::read(data), "2437512.3456  9.85 V\r\n");
    EXPECT_EQ(report.workingCopy, dir.file("rr.tmp"));
    EXPECT_EQ(TempDir::read(report.workingCopy), "1234 9.85 V\r\n999 9.9\r\n");
    EXPECT_EQ(report.unmatched, 1);
}

TEST(PlateConversion, LeavesTheDataFileUntouchedWhenNothingCanBeConverted) {
    TempDir dir;
    const std::string original = "1234 9.85 V\r\n";
    const auto data = dir.write("rr.dat", original);
    EXPECT_THROW(convertPlateNumbers(data, dir.file("missing.dat"), false), QuelmarError);
    EXPECT_EQ(TempDir::read(data), original);
    const auto empty = dir.write("empty.dat", "no plates here\r\n");
    EXPECT_THROW(convertPlateNumbers(data, empty, false), QuelmarError);
    const auto other = dir.write("other.dat", "5 2400000.5 x\r\n");
    EXPECT_THROW(convertPlateNumbers(data, other, false), QuelmarError);
    EXPECT_EQ(TempDir::read(data), original);
    EXPECT_FALSE(std::filesystem::exists(dir.file("rr.tmp")));
}

TEST(PlateConversion, WorkingCopyNames) {
    EXPECT_EQ(plateWorkingCopyPath("/obs/rr.dat"), "/obs/rr.tmp");
    EXPECT_EQ(plateWorkingCopyPath("/obs/my.data/rr.dat"), "/obs/my.data/rr.tmp");
    EXPECT_EQ(plateWorkingCopyPath("/obs/rr.lyr.dat"), "/obs/rr.tmp");
    EXPECT_EQ(plateWorkingCopyPath("/obs/rr"), "/obs/tmp");
}
