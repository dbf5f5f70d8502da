#include "CliRun.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

using quelmar::test::runCli;
using quelmar::test::TempDir;

TEST(PhaseCommand, FoldsByEpochAndPeriod) {
    TempDir dir;
    const auto data = dir.write("star.dat", "2451545.3 9.87 0.45 good\r\n2451544.9 9.91 0.47\r\n"
                                            "2451545.0 9.90 0.46\r\n");
    const auto run = runCli({"phase", data, "--epoch", "2451545.0", "--period", "0.5", "--output",
                             dir.file("star_ph.dat")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(TempDir::read(dir.file("star_ph.dat")), "0.60000  9.87 0.45 good 2451545.3000\r\n"
                                                      "0.80000  9.91 0.47 2451544.9000\r\n"
                                                      "0.00000  9.90 0.46 2451545.0000\r\n");
    const auto json = runCli({"phase", data, "--epoch", "2451545.0", "--period", "0.5", "--output",
                              dir.file("star_ph.dat"), "--json"});
    EXPECT_EQ(json.out, "{\"phase_file\":\"" + dir.file("star_ph.dat") + "\",\"lines\":3}\n");
}

TEST(PhaseCommand, RefusesBeforeWritingAnything) {
    TempDir dir;
    const auto data = dir.write("star.dat", "2451545.3 9.87\r\nJD V\r\n");
    const auto output = dir.file("star_ph.dat");
    const auto zero =
        runCli({"phase", data, "--epoch", "2451545", "--period", "0", "--output", output});
    EXPECT_EQ(zero.status, 1);
    const auto header =
        runCli({"phase", data, "--epoch", "2451545", "--period", "1", "--output", output});
    EXPECT_EQ(header.status, 1);
    EXPECT_NE(header.err.find("star.dat, line 2"), std::string::npos) << header.err;
    EXPECT_FALSE(std::filesystem::exists(output));
}
