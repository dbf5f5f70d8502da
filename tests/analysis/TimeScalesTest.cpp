// The reference figures in data/bjd_tdb_reference.txt were computed once with astropy:
// Time(jd, scale='utc', location=geocentre).tdb + light_travel_time(star, 'barycentric',
// 'builtin').
#include "analysis/TimeScales.h"
#include "core/Error.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace quelmar;

namespace {

constexpr double OneMillisecond = 1e-3 / 86400;

PreciseStar at(double ra, double dec) {
    return {{ra, dec}, 0, 0};
}

} // namespace

TEST(TimeScales, BjdTdbAgreesWithAstropyForAThousandDatesAndStars) {
    std::ifstream table(QUELMAR_TEST_DATA_DIR "/bjd_tdb_reference.txt");
    ASSERT_TRUE(table) << "reference table missing";
    PreciseTimes times;
    std::string line;
    int rows = 0;
    double worst = 0;
    while (std::getline(table, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        double utc, ra, dec, reduced;
        fields >> utc >> ra >> dec >> reduced;
        const double ours = times.bjdTdbFromUtc(utc, at(ra, dec));
        const double error = std::abs(ours - 2400000 - reduced);
        worst = std::max(worst, error);
        EXPECT_LT(error, 1e-8) << "row " << rows + 1 << ": " << line;
        ++rows;
    }
    EXPECT_EQ(rows, 1000);
    // Interpolation and the Shapiro term keep us far inside the tolerance.
    EXPECT_LT(worst, 2e-9);
}

TEST(TimeScales, ConversionsBetweenScalesAndBack) {
    PreciseTimes times;
    const PreciseStar star = at(4.46902778, -70.35633333);
    // astropy: the UTC date whose BJD_TDB is 2458325.3, and its HJD.
    EXPECT_NEAR(times.toUtc(2458325.3, DateScale::BjdTdb, star), 2458325.2983401902, 1e-8);
    const double utc = times.toUtc(2458325.3, DateScale::BjdTdb, star);
    EXPECT_NEAR(times.fromUtc(utc, DateScale::Hjd, star), 2458325.2992020948, 1e-8);
    // TT − UTC is 32.184 s + 37 leap seconds since 2017, 32.184 s + 10 s in 1972.
    EXPECT_NEAR((times.ttFromUtc(2458000.5) - 2458000.5) * 86400, 69.184, 1e-4);
    EXPECT_NEAR((times.ttFromUtc(2441317.5) - 2441317.5) * 86400, 42.184, 1e-4);
    // Every scale back to UTC and forth again.
    for (const DateScale scale :
         {DateScale::Utc, DateScale::Tt, DateScale::Tdb, DateScale::Hjd, DateScale::BjdTdb})
        EXPECT_NEAR(times.toUtc(times.fromUtc(2455000.25, scale, star), scale, star), 2455000.25,
                    1e-10)
            << dateScaleName(scale);
}

TEST(TimeScales, InterpolationMatchesErfaItself) {
    // The Earth's position between nodes against epv00 at the date itself, through the
    // light-time it gives along the x axis.
    PreciseTimes times;
    const PreciseStar alongX = at(0, 0);
    for (double utc = 2459000.0; utc < 2459060; utc += 0.37) {
        const double tdb = times.tdbFromUtc(utc);
        double h[2][3], b[2][3];
        eraEpv00(tdb, 0, h, b);
        const double exact = tdb + b[0][0] * ERFA_AULT / ERFA_DAYSEC;
        const double shapiro = times.bjdTdbFromUtc(utc, alongX) - exact;
        EXPECT_LT(std::abs(shapiro), 0.2 * OneMillisecond) << utc;
        EXPECT_NEAR(tdb - times.ttFromUtc(utc), eraDtdb(tdb, 0, 0, 0, 0, 0) / 86400,
                    1e-9); // a date's last bit
    }
}

TEST(TimeScales, AnObservatoryMovesTheDateByItsDistanceFromTheGeocentre) {
    PreciseTimes geocentre;
    PreciseTimes site(Observatory{0, 0, 0}); // on the equator at Greenwich
    double largest = 0;
    for (double utc = 2459000.0; utc < 2459001; utc += 0.05)
        largest = std::max(largest, std::abs(site.bjdTdbFromUtc(utc, at(6, 0)) -
                                             geocentre.bjdTdbFromUtc(utc, at(6, 0))));
    // 6378 km is 21.3 ms of light.
    EXPECT_NEAR(largest * 86400, 0.0213, 0.0005);
}

TEST(TimeScales, BadStarsSitesAndExtrapolatedDates) {
    EXPECT_THROW(checkStarPosition({24, 0}), QuelmarError);
    EXPECT_THROW(checkStarPosition({-0.1, 0}), QuelmarError);
    EXPECT_THROW(checkStarPosition({1, 90.5}), QuelmarError);
    EXPECT_NO_THROW(checkStarPosition({23.999, -90}));
    EXPECT_THROW(PreciseTimes(Observatory{200, 0, 0}), QuelmarError);
    EXPECT_TRUE(utcExtrapolated(2436934.4)); // 1959
    EXPECT_FALSE(utcExtrapolated(2451545.0));
    EXPECT_TRUE(utcExtrapolated(2500000.0)); // 2132
    EXPECT_EQ(dateScaleNamed("bjd-tdb"), DateScale::BjdTdb);
    EXPECT_FALSE(dateScaleNamed("bjd"));
}
