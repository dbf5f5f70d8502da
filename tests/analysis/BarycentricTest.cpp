#include "analysis/BarycentricCorrection.h"
#include "analysis/SinesAndCosines.h"
#include "analysis/StarCatalogue.h"
#include "core/Error.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace quelmar;
using quelmar::test::TempDir;

namespace {

StarPosition star(double h, double m, double s, double d, double dm, double ds) {
    return {combineSexagesimal(h, m, s), combineSexagesimal(d, dm, ds)};
}

std::string corrected(const std::string& data, const StarPosition& position, double offset = 0) {
    TempDir dir;
    std::string joined;
    BarycentricRewrite(dir.write("star.dat", data))
        .writeCorrected(position, offset, [&joined](std::string_view piece) { joined += piece; });
    return joined;
}

} // namespace

TEST(Barycentric, TheEarthsPositionAndTheCorrectionsOfKnownStars) {
    const BarycentricPosition p = earthBarycentricPosition(2451545.0);
    EXPECT_NEAR(p.x, -0.1843, 5e-5);
    EXPECT_NEAR(p.y, 0.8848, 5e-5);
    EXPECT_NEAR(p.z, 0.3838, 5e-5);
    EXPECT_NEAR(barycentricCorrection(2451545.0, star(6, 0, 0, 1, 0, 0)), 0.005148, 5e-7);
    EXPECT_LT(std::abs(barycentricCorrection(2451545.0, star(18, 0, 0, 66, 33, 0))), 1e-5);
    EXPECT_NEAR(barycentricCorrection(2455000.0, star(12, 30, 0, -20, -30, 0)), 0.001835, 5e-7);
    // Over a century the light time stays under 511 s (1.025 astronomical units).
    for (double jd = 2440000; jd <= 2480000; jd += 97.3) {
        const BarycentricPosition e = earthBarycentricPosition(jd);
        EXPECT_LT(std::sqrt(e.x * e.x + e.y * e.y + e.z * e.z), 1.025) << jd;
    }
}

TEST(Barycentric, RewritesDatesWithTheirDecimalsAndKeepsTheRest) {
    const StarPosition s = star(6, 0, 0, 1, 0, 0);
    EXPECT_EQ(corrected("2451545.0 9.87  0.45 good\r\n\r\n2451545.000010\t9.9\n", s),
              "2451545.0051  9.87  0.45 good\r\n\r\n2451545.005158 \t9.9\r\n");
    EXPECT_EQ(corrected("51545.5 9.87\r\n", s, 2400000), "2451545.5051  9.87\r\n");
    EXPECT_EQ(corrected("2451545.0 1\n", star(18, 0, 0, 66, 33, 0)), "2451545.0000  1\r\n");
    EXPECT_EQ(corrected("2455000.0 1\n", star(12, 30, 0, -20, -30, 0)), "2455000.0018  1\r\n");
    // A date far beyond any calendar is still written as a number the file can be read with.
    EXPECT_LT(corrected("1e300 1\n", s).find(' '), 25u);
}

TEST(Barycentric, ShortenedDatesAndLinesWithoutADate) {
    TempDir dir;
    EXPECT_TRUE(
        BarycentricRewrite(dir.write("a.dat", "2451545 1\n51545.5 1\n")).hasShortenedDates());
    EXPECT_EQ(BarycentricRewrite(dir.file("a.dat")).firstShortenedLine(), 2);
    EXPECT_FALSE(BarycentricRewrite(dir.write("b.dat", "2451545 1\n")).hasShortenedDates());
    EXPECT_THROW(BarycentricRewrite(dir.write("c.dat", "2451545 1\nJD V\n")), QuelmarError);
}

TEST(Barycentric, RunKeepsAByteCopyAndRefusesAReadOnlyFile) {
    TempDir dir;
    const std::string original = "2451545.12345 9.87 good\n";
    const auto data = dir.write("star.dat", original);
    BarycentricRewrite(data).run(star(6, 0, 0, 1, 0, 0), 0);
    EXPECT_EQ(TempDir::read(data + ".bar"), original);
    EXPECT_EQ(TempDir::read(data).substr(0, 14), "2451545.12860 ");
    const std::string once = TempDir::read(data);
    chmod(data.c_str(), 0444);
    EXPECT_THROW(BarycentricRewrite(data).run(star(6, 0, 0, 1, 0, 0), 0), QuelmarError);
    EXPECT_EQ(TempDir::read(data), once);
}

TEST(Barycentric, AFullDiskLeavesTheDataFileAndNoCopy) {
    TempDir dir;
    std::string original;
    for (int i = 0; i < 2000; ++i)
        original += std::to_string(2451545 + i) + ".5 9.87 V\r\n";
    const auto data = dir.write("star.dat", original);
    {
        const test::FileSizeLimit full(8192);
        EXPECT_THROW(BarycentricRewrite(data).run(star(6, 0, 0, 1, 0, 0), 0), QuelmarError);
    }
    EXPECT_EQ(TempDir::read(data), original);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// Angles of every quadrant, next to multiples of π/2, as large as the series reach over
// millennia, and beyond what is reduced here.
TEST(SinesAndCosines, AgreeWithTheLibraryToTheLastPlace) {
    Angles angle, sin, cos;
    for (double start : {-3.0, 0.0, 1.5707963267948966, 12345.678, -551900.0, 8e5, 1e300}) {
        for (int i = 0; i < AngleLanes; ++i)
            angle[i] = start + i * 0.7853981633974483;
        sinesAndCosines(angle, sin, cos);
        for (int i = 0; i < AngleLanes; ++i) {
            EXPECT_NEAR(sin[i], std::sin(angle[i]), 3e-16) << angle[i];
            EXPECT_NEAR(cos[i], std::cos(angle[i]), 3e-16) << angle[i];
        }
    }
    angle.fill(1);
    angle[3] = NAN;
    sinesAndCosines(angle, sin, cos);
    EXPECT_TRUE(std::isnan(sin[3]) && std::isnan(cos[3]));
    EXPECT_EQ(sin[4], std::sin(1.0));
}

TEST(StarCatalogue, LooksUpSplitsAndAddsStars) {
    TempDir dir;
    const auto path = dir.write("hotstars.ini", "3.13614792 40.95564667 Algol\r\n"
                                                "junk\r\n"
                                                "0 -0.5 Near pole\r\n"
                                                "1 2 Algol\r\n");
    const StarCatalogue catalogue = StarCatalogue::load(path);
    ASSERT_EQ(catalogue.stars().size(), 3u);
    EXPECT_EQ(catalogue.stars()[0].name, " Algol");
    EXPECT_EQ(catalogue.find("Algol")->rightAscension, 1); // the last listing wins
    EXPECT_FALSE(catalogue.find("algol"));
    const SexagesimalParts d = splitSexagesimal(catalogue.find(" Near pole ")->declination);
    EXPECT_EQ(d.whole, 0);
    EXPECT_EQ(d.minutes, -30);
    EXPECT_EQ(combineSexagesimal(d.whole, d.minutes, d.seconds), -0.5);
    EXPECT_TRUE(StarCatalogue::load(dir.file("none.ini")).stars().empty());
    // A catalogue that is there but cannot be read is not taken for an empty one.
    std::filesystem::create_directory(dir.file("folder.ini"));
    EXPECT_THROW(StarCatalogue::load(dir.file("folder.ini")), QuelmarError);

    EXPECT_FALSE(addStar(catalogueFile(path), "  ", {1, 2}));
    EXPECT_THROW(addStar(catalogueFile(path), "a\nb", {1, 2}), QuelmarError);
    EXPECT_TRUE(addStar(catalogueFile(path), "V1057 Cyg", {20.98, 44.26}));
    EXPECT_TRUE(StarCatalogue::load(path).find("V1057 Cyg"));
    EXPECT_NE(TempDir::read(path).find("\r\n20.98000000 44.26000000 V1057 Cyg\r\n"),
              std::string::npos);
}
