#include "CliRun.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

using quelmar::test::runCli;
using quelmar::test::TempDir;

namespace {

// The first line of the data file after `barycentric FILE arguments...`.
std::string corrected(const std::string& data, std::vector<std::string> arguments) {
    TempDir dir;
    const auto path = dir.write("star.dat", data);
    arguments.insert(arguments.begin(), {"barycentric", path});
    const auto run = runCli(arguments);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(TempDir::read(path + ".bar"), data);
    return TempDir::read(path);
}

} // namespace

TEST(BarycentricCommand, GivesTheFiguresOfTheCorrection) {
    EXPECT_EQ(corrected("2451545.0 9.87\r\n", {"--ra", "6", "0", "0", "--dec", "1", "0", "0"}),
              "2451545.0051  9.87\r\n");
    EXPECT_EQ(corrected("2451545.0 9.87\r\n", {"--ra", "18", "0", "0", "--dec", "66", "33", "0"}),
              "2451545.0000  9.87\r\n");
    EXPECT_EQ(
        corrected("2455000.0 9.87\r\n", {"--ra", "12", "30", "0", "--dec", "-20", "-30", "0"}),
        "2455000.0018  9.87\r\n");
    EXPECT_EQ(corrected("51545.5 9.87\r\n",
                        {"--ra", "6", "0", "0", "--dec", "1", "0", "0", "--jd-offset", "2400000"}),
              "2451545.5051  9.87\r\n");
}

TEST(BarycentricCommand, AsksForTheOffsetOfShortenedDatesAndUsesTheCatalogue) {
    TempDir dir;
    const std::string shortened = "51545.5 9.87\r\n";
    const auto data = dir.write("short.dat", shortened);
    const auto asked = runCli({"barycentric", data, "--ra", "6", "--dec", "1"});
    EXPECT_EQ(asked.status, 1);
    EXPECT_NE(asked.err.find("--jd-offset"), std::string::npos) << asked.err;
    EXPECT_EQ(TempDir::read(data), shortened);

    const auto catalogue = dir.write("hotstars.ini", "6.00000000 1.00000000 Listed\r\n");
    const auto other = dir.write("other.dat", "2451545.0 1\r\n");
    EXPECT_EQ(runCli({"barycentric", other, "--star", "Listed", "--catalogue", catalogue}).status,
              0);
    EXPECT_EQ(TempDir::read(other), "2451545.0051  1\r\n");
    // Corrected once, the file is recorded as BJD_UTC: a second correction is refused.
    const auto again = runCli({"barycentric", other, "--star", "Listed", "--catalogue", catalogue});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("already barycentric (BJD_UTC)"), std::string::npos) << again.err;
    EXPECT_EQ(TempDir::read(other), "2451545.0051  1\r\n");
    const auto third = dir.write("third.dat", "2451545.0 1\r\n");
    const auto added = runCli({"barycentric", third, "--star", "New One", "--ra", "1", "2", "3",
                               "--dec", "-4", "-5", "-6", "--catalogue", catalogue, "--json"});
    EXPECT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out, "{\"corrected\":1,\"copy\":\"" + third +
                             ".bar\",\"scale\":\"BJD_UTC\",\"added_to_catalogue\":\"" + catalogue +
                             "\"}\n");
    EXPECT_EQ(TempDir::read(catalogue),
              "6.00000000 1.00000000 Listed\r\n1.03416667 -4.08500000 New One\r\n");
}

TEST(BarycentricCommand, AStarThatCannotBeAddedStopsItBeforeTheDatesAreRewritten) {
    TempDir dir;
    const std::string dates = "2451545.0 9.87\r\n";
    const auto data = dir.write("star.dat", dates);
    const auto catalogue = dir.write("hotstars.ini", "6.00000000 1.00000000 Listed\r\n");
    const std::vector<std::string> position = {"--ra", "1", "--dec", "2", "--catalogue", catalogue};
    auto run = [&](const std::string& star) {
        std::vector<std::string> arguments = {"barycentric", data, "--star", star};
        arguments.insert(arguments.end(), position.begin(), position.end());
        return runCli(arguments);
    };
    const auto lineBreak = run("Two\nlines");
    EXPECT_EQ(lineBreak.status, 1);
    EXPECT_NE(lineBreak.err.find("line break"), std::string::npos) << lineBreak.err;
    std::filesystem::permissions(catalogue, std::filesystem::perms::owner_read);
    const auto readOnly = run("New One");
    EXPECT_EQ(readOnly.status, 1);
    EXPECT_NE(readOnly.err.find(catalogue + ": is read-only"), std::string::npos) << readOnly.err;
    EXPECT_EQ(TempDir::read(data), dates);
    EXPECT_FALSE(std::filesystem::exists(data + ".bar"));
}
