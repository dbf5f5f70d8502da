#pragma once
// Dates on the time scales observers publish in, through ERFA (the IAU's SOFA routines):
// UTC → TAI → TT with ERFA's table of leap seconds, TT → TDB (ERFA's TDB − TT series, the
// Einstein delay), the Earth's barycentric and heliocentric positions from ERFA's epv00, and
// the light-time along the star's direction (the Rømer delay) with the Sun's Shapiro delay.
// BJD_TDB = TDB + Rømer + Shapiro; HJD = UTC + the light-time from the Sun to the Earth.
//
// Positions and TDB − TT are evaluated exactly at nodes four days apart and interpolated between
// them (cubic Hermite from positions and velocities; below 1e-9 days), so that a file of a
// million dates costs a few thousand ERFA evaluations. An object keeps its nodes: use one per
// thread.

#include "BarycentricCorrection.h"

#include <optional>
#include <string>
#include <string_view>

namespace quelmar {

// Where the observations were made: longitude east and latitude in degrees, height above the
// WGS84 ellipsoid in metres. None: the centre of the Earth.
struct Observatory {
    double longitude = 0;
    double latitude = 0;
    double height = 0;
};

// A star's ICRS (J2000) direction, moving by its proper motion from J2000.0: in milliarcseconds
// a year, the right ascension's as μα·cos δ (as Gaia and Hipparcos give it).
struct PreciseStar {
    StarPosition position;
    double properMotionRa = 0;
    double properMotionDec = 0;
};

// The scales `quelmar-cli time` converts between: JD in UTC, TT, TDB (at the centre of the
// Earth), HJD (UTC), BJD_TDB.
enum class DateScale { Utc, Tt, Tdb, Hjd, BjdTdb };
std::optional<DateScale>
dateScaleNamed(std::string_view name); // "utc", "tt", "tdb", "hjd", "bjd-tdb"
std::string_view dateScaleName(DateScale scale);
// HJD and BJD_TDB depend on the star's direction.
inline bool needsStar(DateScale scale) {
    return scale == DateScale::Hjd || scale == DateScale::BjdTdb;
}

// Whether UTC is extrapolated for a date: before 1960 (before UTC; ERFA takes TAI − UTC as 0)
// or after today (leap seconds not yet announced).
bool utcExtrapolated(double julianDateUtc);

// Refuses a right ascension outside 0 ≤ α < 24 h and a declination beyond ±90°.
void checkStarPosition(const StarPosition& star);
// Refuses a longitude beyond ±180°, a latitude beyond ±90° and a height beyond ±10 km.
void checkObservatory(const Observatory& site);

class PreciseTimes {
public:
    explicit PreciseTimes(std::optional<Observatory> site = {});

    double ttFromUtc(double utc);
    double tdbFromUtc(double utc);
    // BJD_TDB of an observation at the UTC date, and the heliocentric date on the UTC scale.
    double bjdTdbFromUtc(double utc, const PreciseStar& star);
    double hjdFromUtc(double utc, const PreciseStar& star);
    // A date on one scale from a UTC date, and back (star used by HJD and BJD_TDB only).
    double fromUtc(double utc, DateScale scale, const PreciseStar& star);
    double toUtc(double date, DateScale scale, const PreciseStar& star);

private:
    struct Vector {
        double x = 0, y = 0, z = 0;
    };
    // The Earth's positions at a TDB date, astronomical units, ICRS axes; with an observatory,
    // its own position.
    struct EarthPlace {
        Vector barycentric;
        Vector heliocentric;
    };
    // Two nodes and what is interpolated between them.
    struct Segment {
        long long index = -1; // nodes at index and index + 1
        double start = 0;
        Vector barycentric[2], barycentricVelocity[2];
        Vector heliocentric[2], heliocentricVelocity[2];
        double tdbMinusTt[2] = {0, 0}; // seconds
    };
    // A UTC day as TAI: tai = start + offset + fraction · rate (ERFA's rule, leap days included).
    struct UtcDay {
        double start = -1; // JD of 0h UTC
        double offset = 0;
        double rate = 1;
    };

    const Segment& segmentAt(double tdb);
    void evaluateNode(int node); // ERFA at a node of the current segment
    EarthPlace earthAt(double tdb, double tt, double utc);
    Vector directionAt(const PreciseStar& star, double tdb);
    double tdbFromTt(double tt, double utc);

    std::optional<Observatory> site_;
    Vector siteTerrestrial_; // metres, when there is a site
    Segment segment_;
    UtcDay day_;
    std::optional<StarPosition> directionFor_;
    Vector direction_;
};

} // namespace quelmar
