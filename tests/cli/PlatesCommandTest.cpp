#include "CliRun.h"
#include "core/TextFile.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

using quelmar::test::runCli;
using quelmar::test::TempDir;

namespace {

const char* const catalogue = "1234 2437512.3456 1961-09-14\r\n";
const char* const plates = "1234 9.85 V\r\n";

} // namespace

TEST(PlatesCommand, ConvertsTheFileALinkNamesAndKeepsTheLink) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("archive"));
    const auto real = dir.write("archive/rr.dat", plates);
    std::filesystem::create_symlink(real, dir.file("rr.dat"));
    const auto run =
        runCli({"plates", dir.file("rr.dat"), "--catalogue", dir.write("7cam.dat", catalogue)});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("rr.dat")));
    EXPECT_EQ(TempDir::read(real), "2437512.3456  9.85 V\r\n");
    EXPECT_EQ(TempDir::read(dir.file("rr.tmp")), plates);

    const auto json = runCli({"plates", dir.write("mira.dat", "1234 9.85 V\r\n99 9.9\r\n"),
                              "--catalogue", dir.file("7cam.dat"), "--json"});
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out, "{\"converted\":1,\"unmatched\":1,\"first_unmatched_line\":2,"
                        "\"unconverted_copy\":\"" +
                            dir.file("mira.tmp") + "\"}\n");
}

TEST(PlatesCommand, RefusesWhatWouldLoseData) {
    TempDir dir;
    const auto data = dir.write("rr.dat", plates);
    const auto asCopy = runCli({"plates", data, "--catalogue", dir.write("rr.tmp", catalogue)});
    EXPECT_EQ(asCopy.status, 1);
    EXPECT_NE(
        asCopy.err.find("written over the input " + dir.file("rr.tmp") + " (the plate catalogue)"),
        std::string::npos)
        << asCopy.err;
    EXPECT_EQ(TempDir::read(dir.file("rr.tmp")), catalogue);

    const auto cat = dir.write("7cam.dat", catalogue);
    {
        const quelmar::LockedFile otherRun(data);
        const auto busy = runCli({"plates", data, "--catalogue", cat});
        EXPECT_EQ(busy.status, 1);
        EXPECT_NE(busy.err.find("is busy"), std::string::npos) << busy.err;
    }
    std::filesystem::permissions(data, std::filesystem::perms::owner_read);
    const auto readOnly = runCli({"plates", data, "--catalogue", cat});
    EXPECT_EQ(readOnly.status, 1);
    EXPECT_NE(readOnly.err.find("read-only"), std::string::npos) << readOnly.err;
    EXPECT_EQ(TempDir::read(data), plates);
}
