#include "core/PlateCatalogue.h"
#include "core/Error.h"
#include "core/TextFile.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace quelmar;
using quelmar::test::TempDir;

static const char* catalogue = "1234 2437512.3456 1961-09-14 20:17\r\n"
                               "1235 2437513.5000 second\r\n"
                               "1234 2400000.0000 duplicate\r\n"
                               "header line\r\n";

TEST(PlateConversion, WritesTheDateAndKeepsTheLineRest) {
    const auto cat = PlateCatalogue::parse(catalogue, "7cam.dat");
    PlateConversion report;
    EXPECT_EQ(convertPlateText("1234 9.85 V\r\n", cat, false, report), "2437512.3456  9.85 V\r\n");
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

namespace {

std::string conversionFailure(const std::string& data, const std::string& catalogue) {
    try {
        convertPlateNumbers(data, catalogue, false);
    } catch (const QuelmarError& e) {
        return e.what();
    }
    return "converted";
}

} // namespace

TEST(PlateConversion, ConvertsTheFileALinkNamesAndKeepsTheLink) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("archive"));
    const auto real = dir.write("archive/rr.dat", "\xEF\xBB\xBF"
                                                  "1234 9.85 V\r\n");
    const auto link = dir.file("rr.dat");
    std::filesystem::create_symlink(real, link);
    const auto report = convertPlateNumbers(link, dir.write("7cam.dat", catalogue), false);
    EXPECT_EQ(report.converted, 1) << "a byte-order mark hid the first plate";
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(TempDir::read(real), "2437512.3456  9.85 V\r\n");
    EXPECT_EQ(TempDir::read(dir.file("rr.tmp")), "\xEF\xBB\xBF"
                                                 "1234 9.85 V\r\n");
}

TEST(PlateConversion, NeverWritesTheCopyOverTheCatalogueOrTheDataFile) {
    TempDir dir;
    const std::string original = "1234 9.85 V\r\n";
    const auto data = dir.write("rr.dat", original);
    const auto cat = dir.write("rr.tmp", catalogue);
    EXPECT_NE(conversionFailure(data, dir.path() + "/./rr.tmp").find("(the plate catalogue)"),
              std::string::npos);
    EXPECT_EQ(TempDir::read(cat), catalogue);
    EXPECT_EQ(TempDir::read(data), original);
    // A data file named "tmp" would be its own working copy.
    const auto plain = dir.write("tmp", original);
    EXPECT_NE(conversionFailure(plain, cat).find("over the input " + plain + " (the data file)"),
              std::string::npos);
    EXPECT_EQ(TempDir::read(plain), original);
}

TEST(PlateConversion, RefusesAReadOnlyOrBusyDataFile) {
    TempDir dir;
    const std::string original = "1234 9.85 V\r\n";
    const auto cat = dir.write("7cam.dat", catalogue);
    const auto data = dir.write("rr.dat", original);
    chmod(data.c_str(), 0444);
    EXPECT_NE(conversionFailure(data, cat).find("read-only"), std::string::npos);
    chmod(data.c_str(), 0644);
    {
        const LockedFile otherRun(data);
        EXPECT_NE(conversionFailure(data, cat).find("is busy"), std::string::npos);
    }
    EXPECT_EQ(TempDir::read(data), original);
    EXPECT_FALSE(std::filesystem::exists(dir.file("rr.tmp")));
}

TEST(PlateConversion, AFailedRunKeepsTheOldCopyAndLeavesNoWorkingFile) {
    TempDir dir;
    const auto cat = dir.write("7cam.dat", catalogue);
    std::string data;
    for (int i = 0; i < 400; ++i)
        data += "1234 9.85 V\r\n";
    const auto path = dir.write("rr.dat", data);
    const auto copy = dir.write("rr.tmp", "older copy");
    std::string message;
    {
        const test::FileSizeLimit full(4096);
        message = conversionFailure(path, cat);
    }
    EXPECT_NE(message.find(std::strerror(EFBIG)), std::string::npos) << message;
    EXPECT_EQ(TempDir::read(path), data);
    EXPECT_EQ(TempDir::read(copy), "older copy");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);
}
