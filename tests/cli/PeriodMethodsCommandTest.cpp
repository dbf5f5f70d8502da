#include "CliRun.h"
#include "core/numbers.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using quelmar::test::runCli;
using quelmar::test::sourceFile;
using quelmar::test::TempDir;

namespace {

// The number after the first "key": of the text, NaN when there is none.
double field(const std::string& json, const std::string& key) {
    const std::string name = "\"" + key + "\":";
    const std::size_t at = json.find(name);
    if (at == std::string::npos) return NAN;
    try {
        return std::stod(json.substr(at + name.size()));
    } catch (const std::exception&) {
        return NAN;
    }
}

} // namespace

TEST(PeriodMethods, NameTheMultipleLafflerKinmanPicksAndFindTheTruePeriodWithHarmonics) {
    TempDir dir;
    const std::string star = sourceFile("examples/ogle_lmc_rrlyr_00003.dat");
    const auto lk = runCli(
        {"period", star, "--pmin", "0.2", "--pmax", "5", "--json", "--output", dir.file("lk.per")});
    ASSERT_EQ(lk.status, 0) << lk.err;
    EXPECT_NEAR(field(lk.out, "best_period"), 3 * 0.6564975, 1e-4) << lk.out;
    // The best is labelled 3x of the true period, listed with an error covering the published one.
    const std::size_t threeTimes = lk.out.find("\"relation\":\"3x\",");
    ASSERT_NE(threeTimes, std::string::npos) << lk.out;
    const double truePeriod = field(lk.out.substr(threeTimes), "relation_to");
    ASSERT_FALSE(std::isnan(truePeriod)) << lk.out;
    const std::size_t listed = lk.out.find("{\"period\":" + quelmar::fixed(truePeriod, 8));
    ASSERT_NE(listed, std::string::npos) << lk.out;
    const double error = field(lk.out.substr(listed), "period_error");
    EXPECT_LE(std::abs(truePeriod - 0.6564975), 3 * error) << truePeriod << " +- " << error;

    const auto gls =
        runCli({"period", star, "--pmin", "0.2", "--pmax", "5", "--method", "gls", "--harmonics",
                "3", "--error-column", "2", "--json", "--output", dir.file("gls.per")});
    ASSERT_EQ(gls.status, 0) << gls.err;
    EXPECT_NEAR(field(gls.out, "best_period"), 0.6564975, 1e-5) << gls.out;
    EXPECT_NE(gls.out.find("\"statistic\":\"power\""), std::string::npos);
}

TEST(PeriodMethods, PermutationFalseAlarmIsTheSameForAnySeedRunAndThreadCount) {
    TempDir dir;
    const std::string star = sourceFile("examples/ogle_lmc_rrlyr_00003.dat");
    std::string first;
    for (const char* threads : {"1", "2"}) {
        const auto run = runCli({"period", star, "--pmin", "0.6", "--pmax", "0.7", "--step", "1",
                                 "--method", "pdm", "--fap", "50", "--seed", "9", "--threads",
                                 threads, "--json", "--output", dir.file("p.per")});
        ASSERT_EQ(run.status, 0) << run.err;
        const std::string fap = run.out.substr(run.out.find("\"fap\""));
        if (first.empty()) first = fap;
        EXPECT_EQ(fap, first);
    }
    EXPECT_NEAR(field(first, "fap"), 1.0 / 51, 1e-6) << first;
}

TEST(PeriodMethods, RefuseWhatMakesAStatisticMeaninglessAndWriteNothing) {
    TempDir dir;
    const std::string zeroError =
        dir.write("e.dat", "1 10.1 0.01\n2 10.3 0\n3 10.2 0.02\n4 10.0 0.01\n");
    const std::string star = sourceFile("examples/ogle_lmc_rrlyr_00003.dat");
    struct Case {
        std::vector<std::string> arguments;
        const char* says;
    } cases[] = {
        {{zeroError, "--method", "gls", "--error-column", "2"},
         "line 2: the error in column 2 is 0"},
        {{star, "--method", "bls", "--durations", "0.1,0.3"},
         "the duration 0.3 days is not shorter"},
        {{star, "--method", "pdm", "--bins", "200"}, "fewer than 3 per bin"},
        {{star, "--fap", "100001"}, "100001 permutations are more than 100,000"},
        {{star, "--method", "gls", "--harmonics", "7"}, "the harmonics must be 1 to 6"},
        {{star, "--method", "fft"}, "\"fft\" is not one of lk, gls, bls, pdm"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = {"period"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        for (const char* more : {"--pmin", "0.25", "--pmax", "1", "--output"})
            arguments.push_back(more);
        arguments.push_back(dir.file("out.per"));
        const auto run = runCli(arguments);
        EXPECT_EQ(run.status, 1) << c.says;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(dir.file("out.per"))) << c.says;
    }
}
