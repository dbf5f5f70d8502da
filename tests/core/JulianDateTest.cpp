#include "core/JulianDate.h"
#include "core/numbers.h"

#include <gtest/gtest.h>

using namespace quelmar;

struct DateRow {
    double y, m, d, h, min;
    const char* jd;
};

TEST(DateToJD, MatchesPublishedJulianDates) {
    const DateRow rows[] = {
        {2000, 1, 1, 12, 0, "2451545.0000"},   {1987, 6, 19, 12, 0, "2446966.0000"},
        {1000, 1, 1, 12, 0, "2086308.0000"},   {1585, 12, 31, 0, 0, "2300343.5000"},
        {1586, 1, 1, 0, 0, "2300334.5000"},    {1999, 1, 1, 0, 0, "2451179.5000"},
        {1957, 10, 4, 19, 26, "2436116.3097"}, {2026, 12, 8, 6, 0, "2461382.7500"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(fixed(dateToJD(r.y, r.m, r.d, r.h, r.min), 4), r.jd)
            << r.y << "-" << r.m << "-" << r.d << " " << r.h << ":" << r.min;
}

TEST(DateToJD, LeapYearsAroundTheCenturies) {
    // 1900 is not a Gregorian leap year, 2000 is.
    EXPECT_EQ(dateToJD(1900, 3, 1) - dateToJD(1900, 2, 28), 1.0);
    EXPECT_EQ(dateToJD(2000, 3, 1) - dateToJD(2000, 2, 28), 2.0);
    EXPECT_EQ(dateToJD(2024, 3, 1) - dateToJD(2024, 2, 28), 2.0);
}
