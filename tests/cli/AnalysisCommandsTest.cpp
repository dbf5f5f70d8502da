#include "CliRun.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>

using quelmar::test::runCli;
using quelmar::test::TempDir;

namespace {

// 600 observations, a minimum of channel 1 near point 94 and one of channel 2 near point 126.
std::string waves() {
    std::string text;
    char line[96];
    for (int i = 1; i <= 600; ++i) {
        std::snprintf(line, sizeof line, "%.5f %.4f %.4f\r\n", 2451545.0 + i * 0.01,
                      10 + 0.3 * std::cos(i / 30.0), 11 + 0.2 * std::sin(i / 40.0));
        text += line;
    }
    return text;
}

} // namespace

TEST(ExtremaCommand, FitsEachRangeOfARangesFileInTurn) {
    TempDir dir;
    const auto data = dir.write("star.dat", waves());
    const auto ranges = dir.write("star.rng", "60 2451545.6 130 2451546.3\n"
                                              "410 2451549.1 466 2451549.66\n");
    const auto run = runCli({"extrema", data, "--ranges", ranges, "--terms", "3-4"});
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.out.find("points 60 130\n"), 0u) << run.out;
    EXPECT_NE(run.out.find("\n2451545.9428±0.0003 9.7020±0.0003 polynomial\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\npoints 410 466\n"), std::string::npos) << run.out;
    // The last range ends the list: no block for the whole curve after it.
    EXPECT_EQ(run.out.find("points 1 600"), std::string::npos) << run.out;

    const auto json = runCli({"extrema", data, "--ranges", ranges, "--terms", "3-4", "--json"});
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out.rfind("{\"file\":", 0), 0u) << json.out;
    EXPECT_NE(json.out.find("{\"first\":60,\"last\":130,\"left_out\":0,\"fits\":[{\"terms\":3,"
                            "\"moment\":2451545.9428,\"moment_error\":0.0003,\"value\":9.7020,"),
              std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("{\"first\":410,"), std::string::npos) << json.out;
}

TEST(PcaCommand, WritesComponentsOrRestoredColumnsWithTheOriginalTimes) {
    TempDir dir;
    const auto data = dir.write("star.dat", "2451545.10 10 12\r\n2451545.20 11 14\r\n"
                                            "2451545.30 0 13\r\n2451545.40 15 16\r\n");
    const auto run = runCli({"pca", data, "--keep", "", "--output", dir.file("mean.dat")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("left out 1 observation(s)"), std::string::npos) << run.out;
    EXPECT_EQ(TempDir::read(dir.file("mean.dat")),
              "2451545.1000 12.0000 14.0000\r\n2451545.2000 12.0000 14.0000\r\n"
              "2451545.3000 0.0000 14.0000\r\n2451545.4000 12.0000 14.0000\r\n");
    EXPECT_EQ(runCli({"pca", data, "--output", data}).status, 1);

    const auto json = runCli({"pca", data, "--json"});
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out.rfind("{\"file\":", 0), 0u) << json.out;
    EXPECT_NE(json.out.find("\"loadings\":[["), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"variance_shares\":["), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"left_out\":1}"), std::string::npos) << json.out;
}

TEST(RenderCommand, DrawsTheCurveInTheFormatOfTheExtension) {
    TempDir dir;
    const auto data = dir.write("star.dat", waves());
    const auto run = runCli(
        {"render", data, "--output", dir.file("star.bmp"), "--size", "320x240", "--depth", "4"});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string bmp = TempDir::read(dir.file("star.bmp"));
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(bmp[28], 4); // bits per pixel
    EXPECT_EQ(runCli({"render", data, "--output", dir.file("star.JPG")}).status, 1);
    const auto json =
        runCli({"render", data, "--output", dir.file("star.png"), "--size", "320x240", "--json"});
    EXPECT_EQ(json.out, "{\"wrote\":\"" + dir.file("star.png") +
                            "\",\"width\":320,\"height\":240,"
                            "\"bits_per_pixel\":32,\"points\":600}\n")
        << json.err;
}

TEST(CommandLine, ResultsThatCannotReachTheirReaderAreAFailure) {
    TempDir dir;
    const auto data = dir.write("star.dat", waves());
    const std::string command =
        std::string(QUELMAR_CLI) + " extrema '" + data + "' >/dev/full 2>'" + dir.file("err") + "'";
    const int status = std::system(command.c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1);
    EXPECT_NE(TempDir::read(dir.file("err")).find("standard output"), std::string::npos);
}

// A file-size limit (ulimit -f) makes the write fail as a full disk does: the command says so,
// and neither the phase file nor a temporary one is left.
TEST(CommandLine, AFileSizeLimitIsReportedLikeAFullDisk) {
    TempDir dir;
    const auto data = dir.write("star.dat", waves());
    const std::string command = "cd '" + dir.path() + "' && ulimit -f 8 && exec " + QUELMAR_CLI +
                                " phase star.dat --epoch 2451545 --period 0.7 " + "2>err";
    const int status = std::system(command.c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1);
    EXPECT_NE(TempDir::read(dir.file("err")).find("star_ph.dat: cannot write"), std::string::npos);
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"err", "star.dat"}));
}

TEST(AnalysisCommands, SayHowManyLinesWereSkippedAndWhereTheFirstIs) {
    TempDir dir;
    const auto data = dir.write("star.dat", "# header\r\n" + waves() + "\r\nend\r\n");
    const std::vector<std::vector<std::string>> commands = {
        {"period", data, "--pmin", "0.3", "--pmax", "1", "--output", dir.file("star.per")},
        {"pca", data},
        {"extrema", data, "--first", "60", "--last", "130"}};
    for (const auto& arguments : commands) {
        const auto run = runCli(arguments);
        EXPECT_EQ(run.status, 0) << arguments[0] << ": " << run.err;
        EXPECT_NE(run.err.find(data + ", line 1: the first of 3 line(s) skipped"),
                  std::string::npos)
            << arguments[0] << ": " << run.err;
    }
    const auto bogus = runCli({"bogus"});
    EXPECT_EQ(bogus.status, 1);
    EXPECT_EQ(bogus.err.rfind("quelmar-cli: bogus is not a subcommand", 0), 0u) << bogus.err;
    const auto version = runCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "quelmar-cli 3.03\n");
}
