#include "CliRun.h"
#include "core/numbers.h"
#include "support/TempDir.h"

#include <cmath>
#include <gtest/gtest.h>

using quelmar::test::runCli;
using quelmar::test::sourceFile;
using quelmar::test::TempDir;

namespace {

// A pulsating star measured 30 times at each of 40 moments, each measurement its own value.
std::string repeatedDates(double scale = 1) {
    std::string text;
    for (int i = 0; i < 40; ++i) {
        const double date = 2450000.0 + 0.37 * i;
        for (int r = 0; r < 30; ++r) {
            const double value =
                12 + 0.3 * std::sin(2 * 3.14159265 * date / 0.7) + 0.01 * ((r * 7) % 11);
            text += quelmar::fixed(date, 4) + " " + quelmar::roundTripText(value * scale) + "\r\n";
        }
    }
    return text;
}

} // namespace

TEST(PeriodCommand, RepeatedDatesGiveTheSameBytesOnAnyNumberOfThreads) {
    TempDir dir;
    const std::string data = dir.write("star.dat", repeatedDates());
    std::string first;
    for (const char* threads : {"1", "2", "4", "1", "2", "4"}) {
        const auto run = runCli({"period", data, "--pmin", "0.5", "--pmax", "1", "--threads",
                                 threads, "--output", dir.file("star.per")});
        ASSERT_EQ(run.status, 0) << run.err;
        const std::string periodogram = TempDir::read(dir.file("star.per"));
        if (first.empty()) first = periodogram;
        EXPECT_EQ(periodogram, first) << threads << " threads";
    }
}

TEST(PeriodCommand, LeavesOutMissingValuesAndSaysHowMany) {
    TempDir dir;
    const auto run =
        runCli({"period", sourceFile("examples/sdss_rrlyr_3565718_ugriz.dat"), "--pmin", "0.6",
                "--pmax", "0.75", "--column", "3", "--output", dir.file("r.per")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("best period 0.6633", 0), 0u) << run.out;
    EXPECT_NE(run.err.find("1 observation has no value (0) in column 3 and is left out"),
              std::string::npos)
        << run.err;
}

TEST(PeriodCommand, HugeValuesGiveAFiniteTheta) {
    TempDir dir;
    const auto run = runCli({"period", dir.write("star.dat", repeatedDates(1e154)), "--pmin", "0.5",
                             "--pmax", "1", "--output", dir.file("star.per")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find("inf"), std::string::npos) << run.out;
    EXPECT_EQ(TempDir::read(dir.file("star.per")).find("inf"), std::string::npos);
}

TEST(PeriodCommand, KeepsToTheLimitsOfTheLoaderAndOfTheMachine) {
    TempDir dir;
    const std::string wide = dir.write("wide.dat", "1 1 2 3 4 5 6 7 8 9 10 11\r\n"
                                                   "2 1 2 3 4 5 6 7 8 9 10 12\r\n");
    const auto refused = runCli({"period", wide, "--pmin", "0.5", "--pmax", "1", "--column", "11",
                                 "--output", dir.file("wide.per")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("11 value columns; at most 10"), std::string::npos) << refused.err;

    const auto many =
        runCli({"period", dir.write("star.dat", repeatedDates()), "--pmin", "0.5", "--pmax", "1",
                "--threads", "2147483647", "--output", dir.file("star.per")});
    EXPECT_EQ(many.status, 0) << many.err;
}
