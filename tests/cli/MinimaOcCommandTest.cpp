// quelmar-cli minima and oc on real data with published figures.

#include "CliRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <unistd.h>

namespace quelmar::test {
namespace {

// The TESS primary eclipse of CM Dra: Deeg (2021) times it at 58739.9291169 ± 0.0000125
// (BJD_TDB − 2400000).
TEST(MinimaCommand, TimesTheCmDraEclipseWithinTwoSecondsOfThePublishedMinimum) {
    const auto run = runCli({"minima", sourceFile("examples/cm_dra_tess_ecl7024.dat")});
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream line(run.out);
    double moment = 0, error = 0;
    std::string method;
    int points = 0;
    line >> moment >> error >> method >> points;
    EXPECT_NEAR(moment, 58739.9291169, 2.0 / 86400) << run.out;
    EXPECT_GT(error, 0);
    EXPECT_LT(error, 3e-5);
    EXPECT_EQ(method, "kvw");
    EXPECT_GT(points, 20);

    const auto refused = runCli(
        {"minima", sourceFile("examples/cm_dra_tess_ecl7024.dat"), "--first", "1", "--last", "12"});
    EXPECT_EQ(refused.status, 1) << "a falling branch holds no minimum";
    EXPECT_NE(refused.err.find("cm_dra_tess_ecl7024.dat"), std::string::npos) << refused.err;
}

// δ Cep's maxima against the ephemeris of Csörnyei et al. (2022); the quadratic term agrees
// with numpy.polyfit(E, O−C, 2, w=1/σ) on the same list: dP/dt = −8.6625e−5 d per century.
TEST(OcCommand, FitsTheDeltaCepheiPeriodChangeAsAnIndependentWeightedFit) {
    TempDir dir;
    const auto run =
        runCli({"oc", sourceFile("examples/del_cep_maxima_oc.dat"), "--epoch", "2412028.256",
                "--period", "5.3663671", "--error-column", "3", "--output", dir.file("oc.dat")});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto at = run.out.find("dp_dt_century ");
    ASSERT_NE(at, std::string::npos) << run.out;
    const double century = std::atof(run.out.c_str() + at + 14);
    EXPECT_NEAR(century, -8.6625e-5, 0.01 * 8.6625e-5) << run.out;
    EXPECT_EQ(TempDir::read(dir.file("oc.dat")).substr(0, 16), "-7262.0 -0.38212")
        << "the cycle is counted (the list says -7261)";

    const auto zero = runCli({"oc", sourceFile("examples/del_cep_maxima_oc.dat"), "--epoch",
                              "2412028.256", "--period", "0", "--output", dir.file("z.dat")});
    EXPECT_EQ(zero.status, 1);
    EXPECT_NE(access(dir.file("z.dat").c_str(), F_OK), 0) << "nothing written";
}

// A colour index crosses 0 on both branches of its minimum: the marker decides whether those
// two points are observations. In an O−C list, an error equal to the marker leaves its line
// out; with no marker it is an error of 0, which is refused.
TEST(MinimaOcCommands, TakeTheMissingValueMarker) {
    TempDir dir;
    std::string curve;
    for (int i = 0; i <= 20; ++i) {
        const double t = 2450000 + 0.5 * i;
        curve +=
            std::to_string(t) + ' ' + std::to_string((0.5 * i - 5) * (0.5 * i - 5) - 1) + "\r\n";
    }
    const std::string data = dir.write("colour.dat", curve);
    const struct {
        std::vector<std::string> marker;
        int points;
    } cases[] = {{{}, 19}, {{"--missing", "none"}, 21}};
    for (const auto& c : cases) {
        std::vector<std::string> arguments{"minima", data};
        arguments.insert(arguments.end(), c.marker.begin(), c.marker.end());
        const auto run = runCli(arguments);
        ASSERT_EQ(run.status, 0) << run.err;
        std::istringstream line(run.out);
        double moment = 0, error = 0;
        std::string method;
        int points = 0;
        line >> moment >> error >> method >> points;
        EXPECT_EQ(points, c.points) << run.out;
        EXPECT_NEAR(moment, 2450005, 1e-3) << run.out;
    }

    const std::string list =
        dir.write("times.txt", "2450000.10 0.002\r\n2450001.11 0\r\n2450002.10 0.003\r\n");
    const std::vector<std::string> oc{
        "oc",    list,   "--epoch",        "2450000.1", "--period", "1",
        "--fit", "none", "--error-column", "1",         "--output", dir.file("oc.dat")};
    const auto leftOut = runCli(oc);
    ASSERT_EQ(leftOut.status, 0) << leftOut.err;
    EXPECT_NE(leftOut.out.find("points 2"), std::string::npos) << leftOut.out;
    EXPECT_NE(leftOut.err.find("times.txt, line 2"), std::string::npos) << leftOut.err;
    std::vector<std::string> none = oc;
    none.insert(none.end(), {"--missing", "none"});
    const auto refused = runCli(none);
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("not an error above 0"), std::string::npos) << refused.err;
}

} // namespace
} // namespace quelmar::test
