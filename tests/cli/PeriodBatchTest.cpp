#include "CliRun.h"
#include "core/numbers.h"
#include "support/TempDir.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

using quelmar::test::runCli;
using quelmar::test::TempDir;

namespace {

// A sine of the given period sampled at 120 irregular dates.
std::string lightCurve(double period) {
    std::string text;
    for (int i = 0; i < 120; ++i) {
        const double date = 2450000 + 0.731 * i + 0.05 * ((i * 37) % 11);
        text += quelmar::fixed(date, 5) + " " +
                quelmar::fixed(12 + 0.4 * std::sin(2 * M_PI * date / period), 4) + "\n";
    }
    return text;
}

std::vector<std::string> summaryLines(const std::string& table) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = table.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(table.substr(start, end - start));
    return lines;
}

} // namespace

TEST(PeriodBatch, OneLinePerFileInOrderAndABadFileDoesNotStopTheOthers) {
    TempDir dir;
    const std::string a = dir.write("a.dat", lightCurve(0.45));
    const std::string bad = dir.write("bad.dat", "nothing here\n");
    const std::string b = dir.write("b.dat", lightCurve(0.8));
    const auto run = runCli({"period", a, bad, b, "--pmin", "0.3", "--pmax", "1.0", "--step",
                             "0.05", "--summary", dir.file("summary.csv")},
                            dir.path());
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_NE(run.err.find(bad + ": the file holds no observations"), std::string::npos) << run.err;
    const auto lines = summaryLines(TempDir::read(dir.file("summary.csv")));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "file,points,left_out,best_period,theta,frequency,second_period,"
                        "second_theta,second_frequency,status,method,period_error,fap,duration,"
                        "epoch,depth");
    EXPECT_EQ(lines[1].rfind(a + ",120,0,0.45", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2], bad + ",0,0,,,,,,," + bad + ": the file holds no observations,,,,,,");
    EXPECT_EQ(lines[3].rfind(b + ",120,0,0.7998", 0), 0u) << lines[3];
    EXPECT_NE(lines[3].find(",ok,lk,0.0"), std::string::npos) << lines[3];
}

// Every method searches a batch as it does one file: its name, the best period's error, the
// false-alarm probability when asked and the box after a box search, in the table and in JSON.
TEST(PeriodBatch, EveryMethodSummarisesItsReport) {
    TempDir dir;
    const std::string a = dir.write("a.dat", lightCurve(0.45));
    const std::string b = dir.write("b.dat", lightCurve(0.8));
    // A sine is no transit: the box search's best period is not checked, only its fields.
    const struct {
        const char *method, *fap, *expected;
    } cases[] = {{"gls", "20", ",0.047619,,,"}, {"pdm", "", ",,,,"}, {"bls", "", ""}};
    for (const auto& c : cases) {
        std::vector<std::string> args = {"period",
                                         a,
                                         b,
                                         "--pmin",
                                         "0.3",
                                         "--pmax",
                                         "1.0",
                                         "--method",
                                         c.method,
                                         "--summary",
                                         dir.file("summary.csv")};
        if (*c.fap) args.insert(args.end(), {"--fap", c.fap});
        const auto run = runCli(args, dir.path());
        ASSERT_EQ(run.status, 0) << c.method << ": " << run.err;
        const auto lines = summaryLines(TempDir::read(dir.file("summary.csv")));
        ASSERT_EQ(lines.size(), 3u) << c.method;
        if (std::string(c.method) != "bls") {
            EXPECT_EQ(lines[1].rfind(a + ",120,0,0.4", 0), 0u) << lines[1];
        }
        EXPECT_NE(lines[2].find(",ok," + std::string(c.method) + ",0.0"), std::string::npos)
            << lines[2];
        EXPECT_TRUE(lines[2].ends_with(c.expected)) << lines[2];
        EXPECT_EQ(lines[2].ends_with(",,,"), std::string(c.method) != "bls") << lines[2];
    }
    const auto json =
        runCli({"period", a, b, "--pmin", "0.3", "--pmax", "1.0", "--method", "gls", "--json"},
               dir.path());
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_NE(json.out.find("\"method\":\"gls\""), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"peaks\":[{\"period\":0.4"), std::string::npos) << json.out;

    // Options wrong for every file are refused once, before any file is searched.
    std::filesystem::remove(dir.file("a.per"));
    const auto refused = runCli(
        {"period", a, b, "--pmin", "0.3", "--pmax", "1.0", "--method", "gls", "--harmonics", "9"},
        dir.path());
    EXPECT_EQ(refused.status, 1) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("a.per")));
}

TEST(PeriodBatch, ShardsRunByGnuParallelMergeIntoTheSingleRunsTable) {
    if (std::system("parallel --version >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "GNU parallel is not installed (scripts/setup installs it)";
    TempDir dir;
    for (int i = 0; i < 7; ++i)
        dir.write("star" + std::to_string(i) + ".dat", lightCurve(0.35 + 0.09 * i));
    const std::string common = " --pmin 0.3 --pmax 1.0 --step 0.05";
    const std::string cli = QUELMAR_CLI;
    const std::string script =
        "cd '" + dir.path() + "' && export LC_ALL=C && '" + cli + "' period star*.dat" + common +
        " --summary single.csv >/dev/null && parallel --will-cite '" + cli + "' period star*.dat" +
        common +
        " --shard {}/3 --summary shard{}.csv ::: 1 2 3 "
        ">/dev/null && { head -n 1 shard1.csv; tail -q -n +2 shard*.csv | sort; } > merged.csv";
    ASSERT_EQ(std::system(script.c_str()), 0);
    const std::string single = TempDir::read(dir.file("single.csv"));
    EXPECT_EQ(summaryLines(single).size(), 8u);
    EXPECT_EQ(TempDir::read(dir.file("merged.csv")), single);
}

TEST(PeriodBatch, JsonForOneFileAndForASummary) {
    TempDir dir;
    const std::string a = dir.write("a.dat", lightCurve(0.45));
    const auto one = runCli(
        {"period", a, "--pmin", "0.3", "--pmax", "1.0", "--json", "--output", dir.file("a.per")});
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(one.out.rfind("{\"file\":", 0), 0u) << one.out;
    EXPECT_NE(one.out.find("\"best\":{\"period\":0.45"), std::string::npos) << one.out;
    EXPECT_NE(one.out.find("\"second\":{\"period\":"), std::string::npos) << one.out;
    const auto many =
        runCli({"period", a, dir.file("missing.dat"), "--pmin", "0.3", "--pmax", "1.0", "--json"},
               dir.path());
    EXPECT_EQ(many.status, 2);
    EXPECT_EQ(many.out.rfind("[{\"file\":", 0), 0u) << many.out;
    EXPECT_NE(many.out.find("\"status\":\"ok\"}"), std::string::npos) << many.out;
    const auto info = runCli({"info", a, "--json"});
    EXPECT_EQ(info.out, "{\"file\":\"" + a +
                            "\",\"channels\":1,\"points\":120,\"first\":"
                            "2450000.0000,\"last\":2450087.1390,\"missing\":0,\"skipped\":0}\n");
}
