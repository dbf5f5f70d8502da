#include "CliRun.h"
#include "support/LightCurveFits.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

using quelmar::test::runCli;
using quelmar::test::TempDir;

TEST(ConvertCommand, WritesTheObservationFileAndSaysWhatWasLeftOut) {
    TempDir dir;
    const std::string fits = dir.file("tess.fits");
    quelmar::test::writeLightCurveFits(
        fits, {{10.0, 1, 1, 500, 2, 0}, {10.5, 1, 1, 510, 2, 4}, {11.0, 1, 1, 520, 2, 0}});
    const auto run = runCli({"convert", fits, "--magnitude", "--output", dir.file("tess.dat")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "format TESS/Kepler light-curve FITS\nobservations 2\nleft out 1 (1 flagged)\n"
              "time BJD (TDB)\ncolumns TIME PDCSAP_FLUX PDCSAP_FLUX_ERR\n"
              "zero point 6.76893\nwritten " +
                  dir.file("tess.dat") + "\n");
    EXPECT_EQ(TempDir::read(dir.file("tess.dat")).substr(0, 18), "2457010.00000000 0");
    // The converted dates are BJD_TDB already: a barycentric correction of them is refused in
    // either scale, and the file stays as it was.
    const std::string converted = TempDir::read(dir.file("tess.dat"));
    for (const char* scale : {"tdb", "series"}) {
        const auto again = runCli({"barycentric", dir.file("tess.dat"), "--ra", "6", "0", "0",
                                   "--dec", "1", "0", "0", "--scale", scale});
        EXPECT_NE(again.status, 0) << scale;
        EXPECT_NE(again.err.find("BJD_TDB"), std::string::npos) << again.err;
        EXPECT_EQ(TempDir::read(dir.file("tess.dat")), converted);
    }

    const auto json = runCli({"convert", fits, "--json", "--flux", "sap"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out.rfind("{\"source\":", 0), 0u) << json.out;
    EXPECT_NE(json.out.find("\"observations\":2,\"left_out\":{\"total\":1,\"flagged\":1,"),
              std::string::npos)
        << json.out;
    EXPECT_TRUE(std::filesystem::exists(dir.file("tess.dat")));
}

TEST(ConvertCommand, RefusalsNameTheFileAndWriteNothing) {
    TempDir dir;
    const std::string fits = dir.file("lc.fits");
    quelmar::test::writeLightCurveFits(
        fits, std::vector<quelmar::test::LightCurveRow>(3000, {1.0, 1, 1, 1, 1, 0}));
    std::filesystem::resize_file(fits, std::filesystem::file_size(fits) - 30000);
    const std::string aavso = dir.write("a.csv", "JD,Magnitude,Band\n2459000.5,9.1,V\n");
    const std::string table = dir.write("t.csv", "t,m\n1,2\n");
    const std::vector<std::vector<std::string>> refused = {
        {"convert", fits, "--output", dir.file("out.dat")},
        {"convert", aavso, "--band", "B", "--output", dir.file("out.dat")},
        {"convert", table, "--columns", "t,flux", "--output", dir.file("out.dat")},
    };
    for (const auto& arguments : refused) {
        const auto run = runCli(arguments);
        EXPECT_EQ(run.status, 1) << arguments[1];
        EXPECT_NE(run.err.find(arguments[1]), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(dir.file("out.dat"))) << arguments[1];
    }
}
