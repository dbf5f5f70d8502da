#pragma once
// The barycentric correction of observation dates: the light-travel time, along a star's
// direction, between the Earth and the barycentre of the Solar System. The Earth's position is
// a short trigonometric series in Julian centuries from J2000.0 (ecliptic axes, with the
// barycentre's offset from the Sun by the terms of Jupiter, Saturn, Uranus and Neptune), turned
// to equatorial axes. Accurate to a few seconds of time, which is what dates written to
// 1/10,000 of a day need.

#include "core/TextFile.h"

#include <functional>
#include <string>
#include <string_view>

namespace quelmar {

// A star's direction: right ascension in hours, declination in degrees (negative south).
struct StarPosition {
    double rightAscension = 0;
    double declination = 0;
};

// Hours, minutes and seconds (or degrees, minutes and seconds of arc) that add up to a value.
// A negative value carries its sign in every part, so the parts recombine by plain addition.
struct SexagesimalParts {
    int whole = 0;
    int minutes = 0;
    double seconds = 0;
};
double combineSexagesimal(double whole, double minutes, double seconds);
SexagesimalParts splitSexagesimal(double value);

// The Earth's position relative to the barycentre, in astronomical units, on equatorial axes.
struct BarycentricPosition {
    double x = 0, y = 0, z = 0;
};
BarycentricPosition earthBarycentricPosition(double julianDate);

// The correction in days to add to a Julian date observed from the Earth.
double barycentricCorrection(double julianDate, const StarPosition& star);

// What the precise correction needs: the star (with its proper motion), an observatory when
// not the centre of the Earth, and whether the file's dates are HJD_UTC rather than JD_UTC.
struct PreciseCorrection {
    double rightAscension = 0, declination = 0;     // hours, degrees (ICRS, J2000)
    double properMotionRa = 0, properMotionDec = 0; // mas a year, μα·cos δ
    bool hasObservatory = false;
    double longitude = 0, latitude = 0, height = 0; // degrees east, degrees, metres
    bool datesAreHjd = false;
};

// Dates below this are taken to be shortened (51545.5 for 2451545.5).
inline constexpr double ShortenedDateLimit = 99999;

// One correction of a data file: read once under a lock, checked, then written as the ".bar"
// copy of the bytes read and the data file rewritten with corrected dates. The lock is held
// while the object lives, so a second correction of the file meanwhile is told it is busy.
class BarycentricRewrite {
public:
    // Reads the file and checks every line; throws QuelmarError naming the file and the line,
    // and for a read-only file.
    explicit BarycentricRewrite(const std::string& dataPath);

    // Whether some date is below ShortenedDateLimit, so an offset such as 2400000 may be due;
    // the first such line, for messages.
    bool hasShortenedDates() const { return firstShortenedLine_ > 0; }
    long long firstShortenedLine() const { return firstShortenedLine_; }
    long long observations() const { return observations_; }

    // Hands the corrected text to write(piece), piece by piece in file order: each date becomes
    // jdOffset + date + correction, written with the decimals the date had (at least 4), then
    // a blank and the line's rest as it stood.
    void writeCorrected(const StarPosition& star, double jdOffset,
                        const std::function<void(std::string_view)>& write) const;

    // Writes the copy (data file + ".bar") and the corrected file in full, then puts both in
    // place. A failure leaves the data file as it was.
    void run(const StarPosition& star, double jdOffset) const;

    // The same on the BJD_TDB scale (ERFA): dates taken as JD_UTC, or as HJD_UTC when
    // datesAreHjd, each written with at least 8 decimals. Returns the number of dates for
    // which UTC is extrapolated (before 1960 or after today).
    long long writeCorrectedTdb(const PreciseCorrection& correction, double jdOffset,
                                const std::function<void(std::string_view)>& write) const;
    long long runTdb(const PreciseCorrection& correction, double jdOffset) const;

    const std::string& copyPath() const { return copyPath_; }

private:
    std::string path_;
    std::string copyPath_;
    LockedFile file_; // the bytes read, copied and corrected
    long long observations_ = 0;
    long long firstShortenedLine_ = 0;
};

// A right ascension or declination is given unless its three parts are all 0.
bool coordinatesGiven(double whole, double minutes, double seconds);

} // namespace quelmar
