#include "TimeScales.h"

#include "core/Error.h"
#include "core/numbers.h"

#include <erfa.h>
#include <erfam.h>

#include <array>
#include <chrono>
#include <cmath>

namespace quelmar {

namespace {

constexpr double NodeSpacing = 4;        // days between the nodes of the interpolation
constexpr double NodeOrigin = ERFA_DJ00; // a node falls on J2000.0
constexpr double UtcBegins = 2436934.5;  // 1960 January 1, 0h: the first entry of ERFA's table
constexpr double TtMinusTai = 32.184 / ERFA_DAYSEC;
constexpr double LightTimePerAu = ERFA_AULT / ERFA_DAYSEC; // days
// 2GM☉/c³ in days: the scale of the Sun's Shapiro delay.
constexpr double ShapiroScale = ERFA_SRS * ERFA_AULT / ERFA_DAYSEC;
constexpr int InverseIterations = 6;

constexpr std::array<std::pair<DateScale, std::string_view>, 5> DateScaleNames{{
    {DateScale::Utc, "utc"},
    {DateScale::Tt, "tt"},
    {DateScale::Tdb, "tdb"},
    {DateScale::Hjd, "hjd"},
    {DateScale::BjdTdb, "bjd-tdb"},
}};

double todayJulianDate() {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
                             std::chrono::system_clock::now().time_since_epoch())
                             .count();
    return 2440587.5 + static_cast<double>(seconds) / ERFA_DAYSEC;
}

} // namespace

std::optional<DateScale> dateScaleNamed(std::string_view name) {
    for (const auto& [scale, each] : DateScaleNames)
        if (each == name) return scale;
    return std::nullopt;
}

std::string_view dateScaleName(DateScale scale) {
    for (const auto& [each, name] : DateScaleNames)
        if (each == scale) return name;
    return "";
}

bool utcExtrapolated(double julianDateUtc) {
    static const double today = todayJulianDate();
    return julianDateUtc < UtcBegins || julianDateUtc > today + 1;
}

void checkStarPosition(const StarPosition& star) {
    if (!(star.rightAscension >= 0 && star.rightAscension < 24))
        throw QuelmarError(
            MessageText(message::RightAscensionOutOfRange, {fixed(star.rightAscension, 6)}));
    if (!(std::abs(star.declination) <= 90))
        throw QuelmarError(
            MessageText(message::DeclinationOutOfRange, {fixed(star.declination, 6)}));
}

void checkObservatory(const Observatory& site) {
    if (!(std::abs(site.longitude) <= 180 && std::abs(site.latitude) <= 90 &&
          std::abs(site.height) <= 10000))
        throw QuelmarError(MessageText(
            message::ObservatoryOutOfRange,
            {fixed(site.longitude, 6), fixed(site.latitude, 6), fixed(site.height, 1)}));
}

PreciseTimes::PreciseTimes(std::optional<Observatory> site) : site_(site) {
    if (!site_) return;
    checkObservatory(*site_);
    double xyz[3];
    eraGd2gc(1, site_->longitude * ERFA_DD2R, site_->latitude * ERFA_DD2R, site_->height, xyz);
    siteTerrestrial_ = {xyz[0], xyz[1], xyz[2]};
}

double PreciseTimes::ttFromUtc(double utc) {
    const double start = std::floor(utc - 0.5) + 0.5;
    if (start != day_.start) {
        // TAI at 0h and at 12h of the day: ERFA's TAI − UTC is linear within a day, its
        // rate taking in the drift of the 1960s and a leap second at the day's end.
        double a1, a2, b1, b2;
        if (eraUtctai(start, 0, &a1, &a2) < 0 || eraUtctai(start, 0.5, &b1, &b2) < 0)
            throw QuelmarError(MessageText(message::DateBeyondTimeScales, {fixed(utc, 5)}));
        const double offset = (a1 - start) + a2;
        day_ = {start, offset, 2 * ((b1 - start) + b2 - offset)};
    }
    return day_.start + day_.offset + (utc - day_.start) * day_.rate + TtMinusTai;
}

void PreciseTimes::evaluateNode(int node) {
    const double offset = (static_cast<double>(segment_.index) + node) * NodeSpacing;
    double heliocentric[2][3], barycentric[2][3];
    eraEpv00(NodeOrigin, offset, heliocentric, barycentric); // outside 1900–2100: less precise
    segment_.barycentric[node] = {barycentric[0][0], barycentric[0][1], barycentric[0][2]};
    segment_.barycentricVelocity[node] = {barycentric[1][0], barycentric[1][1], barycentric[1][2]};
    segment_.heliocentric[node] = {heliocentric[0][0], heliocentric[0][1], heliocentric[0][2]};
    segment_.heliocentricVelocity[node] = {heliocentric[1][0], heliocentric[1][1],
                                           heliocentric[1][2]};
    segment_.tdbMinusTt[node] = eraDtdb(NodeOrigin, offset, 0, 0, 0, 0);
}

const PreciseTimes::Segment& PreciseTimes::segmentAt(double tdb) {
    const auto index = static_cast<long long>(std::floor((tdb - NodeOrigin) / NodeSpacing));
    if (index == segment_.index) return segment_;
    // Dates in time order step from one segment to the next: its first node is known.
    const bool next = index == segment_.index + 1;
    segment_.index = index;
    segment_.start = NodeOrigin + static_cast<double>(index) * NodeSpacing;
    if (next) {
        segment_.barycentric[0] = segment_.barycentric[1];
        segment_.barycentricVelocity[0] = segment_.barycentricVelocity[1];
        segment_.heliocentric[0] = segment_.heliocentric[1];
        segment_.heliocentricVelocity[0] = segment_.heliocentricVelocity[1];
        segment_.tdbMinusTt[0] = segment_.tdbMinusTt[1];
    } else {
        evaluateNode(0);
    }
    evaluateNode(1);
    return segment_;
}

namespace {

// Cubic Hermite interpolation between two nodes h apart, at s = (t − t0) / h.
double hermite(double p0, double v0, double p1, double v1, double h, double s) {
    const double s2 = s * s, s3 = s2 * s;
    return (2 * s3 - 3 * s2 + 1) * p0 + (s3 - 2 * s2 + s) * h * v0 + (-2 * s3 + 3 * s2) * p1 +
           (s3 - s2) * h * v1;
}

} // namespace

PreciseTimes::EarthPlace PreciseTimes::earthAt(double tdb, double tt, double utc) {
    const Segment& segment = segmentAt(tdb);
    const double s = (tdb - segment.start) / NodeSpacing;
    auto between = [s](const Vector* p, const Vector* v) {
        return Vector{hermite(p[0].x, v[0].x, p[1].x, v[1].x, NodeSpacing, s),
                      hermite(p[0].y, v[0].y, p[1].y, v[1].y, NodeSpacing, s),
                      hermite(p[0].z, v[0].z, p[1].z, v[1].z, NodeSpacing, s)};
    };
    EarthPlace place{between(segment.barycentric, segment.barycentricVelocity),
                     between(segment.heliocentric, segment.heliocentricVelocity)};
    if (site_) {
        // The observatory turned from terrestrial to celestial axes (polar motion left out:
        // a few metres), in astronomical units.
        double toTerrestrial[3][3], terrestrial[3], celestial[3];
        eraC2t06a(tt, 0, utc, 0, 0, 0, toTerrestrial);
        terrestrial[0] = siteTerrestrial_.x;
        terrestrial[1] = siteTerrestrial_.y;
        terrestrial[2] = siteTerrestrial_.z;
        eraTrxp(toTerrestrial, terrestrial, celestial);
        const Vector offset{celestial[0] / ERFA_DAU, celestial[1] / ERFA_DAU,
                            celestial[2] / ERFA_DAU};
        for (Vector* p : {&place.barycentric, &place.heliocentric}) {
            p->x += offset.x;
            p->y += offset.y;
            p->z += offset.z;
        }
    }
    return place;
}

double PreciseTimes::tdbFromTt(double tt, double utc) {
    if (site_) {
        // The observatory's own terms depend on the time of day: evaluated at the date itself.
        const double dayFraction = utc - 0.5 - std::floor(utc - 0.5);
        const double u = std::hypot(siteTerrestrial_.x, siteTerrestrial_.y) / 1000;
        return tt + eraDtdb(tt, 0, dayFraction, site_->longitude * ERFA_DD2R, u,
                            siteTerrestrial_.z / 1000) /
                        ERFA_DAYSEC;
    }
    const Segment& segment = segmentAt(tt);
    const double s = (tt - segment.start) / NodeSpacing;
    return tt + ((1 - s) * segment.tdbMinusTt[0] + s * segment.tdbMinusTt[1]) / ERFA_DAYSEC;
}

double PreciseTimes::tdbFromUtc(double utc) {
    return tdbFromTt(ttFromUtc(utc), utc);
}

PreciseTimes::Vector PreciseTimes::directionAt(const PreciseStar& star, double tdb) {
    const bool fixedStar = star.properMotionRa == 0 && star.properMotionDec == 0;
    // A star without proper motion has one direction: kept for the dates that follow.
    if (fixedStar && directionFor_ &&
        directionFor_->rightAscension == star.position.rightAscension &&
        directionFor_->declination == star.position.declination)
        return direction_;
    double alpha = star.position.rightAscension * 15 * ERFA_DD2R;
    double delta = star.position.declination * ERFA_DD2R;
    if (star.properMotionRa != 0 || star.properMotionDec != 0) {
        const double years = (tdb - ERFA_DJ00) / ERFA_DJY;
        delta += star.properMotionDec * ERFA_DMAS2R * years;
        const double cosDelta = std::cos(star.position.declination * ERFA_DD2R);
        if (cosDelta > 1e-9) alpha += star.properMotionRa * ERFA_DMAS2R * years / cosDelta;
    }
    double n[3];
    eraS2c(alpha, delta, n);
    const Vector direction{n[0], n[1], n[2]};
    if (fixedStar) {
        directionFor_ = star.position;
        direction_ = direction;
    }
    return direction;
}

double PreciseTimes::bjdTdbFromUtc(double utc, const PreciseStar& star) {
    const double tt = ttFromUtc(utc);
    const double tdb = tdbFromTt(tt, utc);
    const EarthPlace earth = earthAt(tdb, tt, utc);
    const Vector n = directionAt(star, tdb);
    const Vector& b = earth.barycentric;
    const Vector& h = earth.heliocentric;
    const double romer = (n.x * b.x + n.y * b.y + n.z * b.z) * LightTimePerAu;
    const double cosSun =
        (n.x * h.x + n.y * h.y + n.z * h.z) / std::sqrt(h.x * h.x + h.y * h.y + h.z * h.z);
    return tdb + romer + ShapiroScale * std::log(1 + cosSun);
}

double PreciseTimes::hjdFromUtc(double utc, const PreciseStar& star) {
    const double tt = ttFromUtc(utc);
    const double tdb = tdbFromTt(tt, utc);
    const Vector h = earthAt(tdb, tt, utc).heliocentric;
    const Vector n = directionAt(star, tdb);
    return utc + (n.x * h.x + n.y * h.y + n.z * h.z) * LightTimePerAu;
}

double PreciseTimes::fromUtc(double utc, DateScale scale, const PreciseStar& star) {
    switch (scale) {
    case DateScale::Utc:
        return utc;
    case DateScale::Tt:
        return ttFromUtc(utc);
    case DateScale::Tdb:
        return tdbFromUtc(utc);
    case DateScale::Hjd:
        return hjdFromUtc(utc, star);
    case DateScale::BjdTdb:
        return bjdTdbFromUtc(utc, star);
    }
    return utc;
}

double PreciseTimes::toUtc(double date, DateScale scale, const PreciseStar& star) {
    // Every scale runs at the rate of UTC to within 1e-4, so the difference found at a guess
    // is nearly the difference at the answer: a few steps reach the last bit.
    double utc = date;
    for (int i = 0; i < InverseIterations; ++i) {
        const double step = date - fromUtc(utc, scale, star);
        utc += step;
        if (std::abs(step) < 1e-12) break;
    }
    return utc;
}

} // namespace quelmar
