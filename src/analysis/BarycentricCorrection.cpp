#include "BarycentricCorrection.h"
#include "SinesAndCosines.h"
#include "TimeScales.h"

#include "core/Error.h"
#include "core/LargeArrays.h"
#include "core/ObservationLines.h"
#include "core/numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace quelmar {

namespace {

// Radians per degree as the series was fitted with: 3.1415926 / 180, not the exact π / 180.
constexpr double k = 0.017453292222222222;
constexpr double AstronomicalUnit = 149600000000; // metres
constexpr double SpeedOfLight = 299792458;        // metres per second
constexpr double J2000 = 2451545.0;
constexpr double DaysPerCentury = 36525;

// One periodic term of a series: amplitude · sin((a · T + b) · k) on one axis, in astronomical
// units, multiplied by T for the few terms that grow with time.
enum Axis { X, Y, Z };
struct PeriodicTerm {
    Axis axis;
    double amplitude, a, b;
    bool timesT = false;
};

// The Earth's heliocentric position, ecliptic axes.
constexpr PeriodicTerm EarthFromSun[] = {{X, 0.999829, 35999.37285, 190.46732},
                                         {X, 0.008353, 71998.746, 187.996},
                                         {X, 0.000105, 107998.1, 185.5},
                                         {X, 0.000031, 481266, 128},
                                         {X, 0.000026, 3035, 123},
                                         {X, 0.000021, 9038, 153},
                                         {X, 0.000052, 71999, 73, true},
                                         {Y, 0.999892, 35999.37285, 100.46558},
                                         {Y, 0.008353, 71998.746, 97.994},
                                         {Y, 0.000105, 107998.1, 95.5},
                                         {Y, 0.000031, 481266, 38},
                                         {Y, 0.000026, 3035, 34},
                                         {Y, 0.000021, 9038, 243},
                                         {Y, 0.000052, 71999, 343, true},
                                         {Z, 0.000228, 35999, 285, true}};
// Its terms in T alone: X = 0.005611 + 0.000123 T, Y = −0.024427 + 0.000093 T.
constexpr double EarthConstant[] = {0.005611, -0.024427, 0};
constexpr double EarthSecular[] = {0.000123, 0.000093, 0};

// The barycentre's offset from the Sun: the terms of Jupiter, Saturn, Uranus and Neptune.
constexpr PeriodicTerm BarycentreFromSun[] = {
    {X, 0.004957, 3034.91, 124.35}, {X, 0.002718, 1222.11, 140.1},  {X, 0.001554, 218.49, 34.36},
    {X, 0.000835, 428.47, 44.05},   {X, 0.000120, 6069.8, 144.4},   {X, 0.000076, 2444.2, 95.7},
    {Y, 0.004955, 3034.91, 34.36},  {Y, 0.002722, 1222.11, 50.06},  {Y, 0.001554, 218.49, 304.34},
    {Y, 0.000834, 428.47, 314.05},  {Y, 0.000120, 6069.8, 54.4},    {Y, 0.000076, 2444.2, 5.7},
    {Z, 0.000118, 1222.11, 296.4},  {Z, 0.000113, 3034.91, 293.89}, {Z, 0.000048, 218.49, 172.57}};
constexpr double BarycentreConstant[] = {-0.000294, -0.000339, 0};

// The terms of both series grouped by frequency (and by whether they grow with T), so that one
// sine and one cosine of x = a · T · k serve every term of the group on every axis:
// amplitude · sin(x + b·k) = sin x · amplitude cos b·k + cos x · amplitude sin b·k. Earth minus
// barycentre: the barycentre's terms are subtracted.
struct GroupedSeries {
    Angles frequency{};                // a, one group per lane; unused lanes 0
    Angles timesT{};                   // 1 for a group whose terms are multiplied by T
    std::array<Angles, 3> sinWeight{}; // per axis: the sum of amplitude · cos b·k of the group
    std::array<Angles, 3> cosWeight{}; // per axis: the sum of amplitude · sin b·k
};

const GroupedSeries& groupedSeries() {
    static const GroupedSeries series = [] {
        GroupedSeries grouped;
        std::size_t groups = 0;
        auto add = [&](const PeriodicTerm& term, double sign) {
            std::size_t group = 0;
            while (group < groups && (grouped.frequency[group] != term.a ||
                                      (grouped.timesT[group] != 0) != term.timesT))
                ++group;
            if (group == groups) {
                grouped.frequency.at(groups++) = term.a;
                grouped.timesT[group] = term.timesT ? 1 : 0;
            }
            grouped.sinWeight[term.axis][group] += sign * term.amplitude * std::cos(term.b * k);
            grouped.cosWeight[term.axis][group] += sign * term.amplitude * std::sin(term.b * k);
        };
        for (const PeriodicTerm& term : EarthFromSun)
            add(term, 1);
        for (const PeriodicTerm& term : BarycentreFromSun)
            add(term, -1);
        return grouped;
    }();
    return series;
}

// The Earth's position relative to the barycentre, ecliptic axes, astronomical units.
std::array<double, 3> earthFromBarycentre(double T) {
    const GroupedSeries& series = groupedSeries();
    Angles x, sinX, cosX;
    for (int i = 0; i < AngleLanes; ++i)
        x[i] = series.frequency[i] * T * k;
    sinesAndCosines(x, sinX, cosX);
    Angles factor;
    for (int i = 0; i < AngleLanes; ++i)
        factor[i] = series.timesT[i] != 0 ? T : 1.0;
    std::array<double, 3> position{};
    for (int axis = X; axis <= Z; ++axis) {
        Angles term;
        for (int i = 0; i < AngleLanes; ++i)
            term[i] = (sinX[i] * series.sinWeight[axis][i] + cosX[i] * series.cosWeight[axis][i]) *
                      factor[i];
        double sum = EarthConstant[axis] + EarthSecular[axis] * T - BarycentreConstant[axis];
        for (const double value : term)
            sum += value;
        position[axis] = sum;
    }
    return position;
}

// The rotation from ecliptic to equatorial axes.
struct Rotation {
    double cosPhi, sinPhi, cosEpsilon, sinEpsilon;
};

const Rotation& eclipticToEquatorial() {
    static const Rotation rotation = [] {
        const double phi = -0.093 * k / 3600;
        const double epsilon = 84381.4091 * k / 3600;
        return Rotation{std::cos(phi), std::sin(phi), std::cos(epsilon), std::sin(epsilon)};
    }();
    return rotation;
}

// The star's unit direction, equatorial axes.
BarycentricPosition directionOf(const StarPosition& star) {
    const double alpha = 15 * star.rightAscension * k;
    const double delta = star.declination * k;
    BarycentricPosition n{std::cos(alpha) * std::cos(delta), std::sin(alpha) * std::cos(delta),
                          std::sin(delta)};
    const double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    return {n.x / length, n.y / length, n.z / length};
}

double correctionAlong(double julianDate, const BarycentricPosition& direction) {
    const BarycentricPosition p = earthBarycentricPosition(julianDate);
    const double projection =
        (p.x * direction.x + p.y * direction.y + p.z * direction.z) * AstronomicalUnit;
    return projection / SpeedOfLight / 3600 / 24;
}

} // namespace

double combineSexagesimal(double whole, double minutes, double seconds) {
    return whole + minutes / 60 + seconds / 3600;
}

SexagesimalParts splitSexagesimal(double value) {
    const double minutes = (value - std::trunc(value)) * 60;
    return {static_cast<int>(std::trunc(value)), static_cast<int>(std::trunc(minutes)),
            (minutes - std::trunc(minutes)) * 60};
}

bool coordinatesGiven(double whole, double minutes, double seconds) {
    return whole != 0 || minutes != 0 || seconds != 0;
}

BarycentricPosition earthBarycentricPosition(double julianDate) {
    const double T = (julianDate - J2000) / DaysPerCentury;
    const auto [x, y, z] = earthFromBarycentre(T);
    const Rotation& r = eclipticToEquatorial();
    return {x * r.cosPhi - y * r.sinPhi * r.cosEpsilon + z * r.sinPhi * r.sinEpsilon,
            x * r.sinPhi + y * r.cosPhi * r.cosEpsilon - z * r.cosPhi * r.sinEpsilon,
            y * r.sinEpsilon + z * r.cosEpsilon};
}

double barycentricCorrection(double julianDate, const StarPosition& star) {
    return correctionAlong(julianDate, directionOf(star));
}

BarycentricRewrite::BarycentricRewrite(const std::string& dataPath)
    : path_(dataPath), copyPath_(dataPath + ".bar"), file_(dataPath) {
    struct Tally {
        long long observations = 0;
        long long firstShortened = 0; // within the slice
    };
    const auto slices = walkObservationLines<Tally>(
        file_.text(), path_, [](const ObservationLine& line, Tally& tally) {
            if (line.kind != ObservationLine::Observation) return;
            ++tally.observations;
            if (line.date < ShortenedDateLimit && tally.firstShortened == 0)
                tally.firstShortened = line.number;
        });
    for (const auto& slice : slices) {
        observations_ += slice.state.observations;
        if (firstShortenedLine_ == 0 && slice.state.firstShortened > 0)
            firstShortenedLine_ = slice.linesBefore + slice.state.firstShortened;
    }
}

void BarycentricRewrite::writeCorrected(const StarPosition& star, double jdOffset,
                                        const std::function<void(std::string_view)>& write) const {
    const BarycentricPosition direction = directionOf(star);
    const std::string_view text = file_.text();
    const std::size_t sliceBytes = sliceBytesForText(text.size());
    write(byteOrderMarkOf(text));
    walkObservationLinesInOrder<std::string>(
        text, path_,
        [&](const ObservationLine& line, std::string& out) {
            if (out.empty()) reserveLarge(out, sliceBytes + sliceBytes / 8);
            if (line.kind == ObservationLine::Observation) {
                const double date = jdOffset + line.date;
                appendFixedForFile(out, date + correctionAlong(date, direction),
                                   decimalsOfDate(line.dateToken, line.date, 4));
                out += ' ';
            }
            out += line.rest;
            out += "\r\n";
        },
        [&write](WalkedSlice<std::string>&& slice) { write(slice.state); });
}

void BarycentricRewrite::run(const StarPosition& star, double jdOffset) const {
    StagedFile copy(copyPath_, file_);
    // Written while it is computed, so that little is left to flush at the end.
    StagedFile corrected(path_);
    writeCorrected(star, jdOffset,
                   [&corrected](std::string_view piece) { corrected.append(piece); });
    corrected.complete();
    copy.commit();
    corrected.commit();
}

long long
BarycentricRewrite::writeCorrectedTdb(const PreciseCorrection& correction, double jdOffset,
                                      const std::function<void(std::string_view)>& write) const {
    const PreciseStar star{{correction.rightAscension, correction.declination},
                           correction.properMotionRa,
                           correction.properMotionDec};
    checkStarPosition(star.position);
    std::optional<Observatory> site;
    if (correction.hasObservatory)
        site = Observatory{correction.longitude, correction.latitude, correction.height};
    if (site) checkObservatory(*site);
    // Each slice has its own interpolation nodes, so the slices are corrected side by side.
    struct Slice {
        std::string out;
        std::optional<PreciseTimes> times;
        long long extrapolated = 0;
    };
    const std::string_view text = file_.text();
    const std::size_t sliceBytes = sliceBytesForText(text.size());
    long long extrapolated = 0;
    write(byteOrderMarkOf(text));
    walkObservationLinesInOrder<Slice>(
        text, path_,
        [&](const ObservationLine& line, Slice& slice) {
            if (!slice.times) {
                slice.times.emplace(site);
                reserveLarge(slice.out, sliceBytes + sliceBytes / 4);
            }
            if (line.kind == ObservationLine::Observation) {
                const double date = jdOffset + line.date;
                const double utc =
                    correction.datesAreHjd ? slice.times->toUtc(date, DateScale::Hjd, star) : date;
                if (utcExtrapolated(utc)) ++slice.extrapolated;
                appendFixedForFile(slice.out, slice.times->bjdTdbFromUtc(utc, star),
                                   decimalsOfDate(line.dateToken, line.date, 8));
                slice.out += ' ';
            }
            slice.out += line.rest;
            slice.out += "\r\n";
        },
        [&](WalkedSlice<Slice>&& slice) {
            extrapolated += slice.state.extrapolated;
            write(slice.state.out);
        });
    return extrapolated;
}

long long BarycentricRewrite::runTdb(const PreciseCorrection& correction, double jdOffset) const {
    StagedFile copy(copyPath_, file_);
    StagedFile corrected(path_);
    const long long extrapolated = writeCorrectedTdb(
        correction, jdOffset, [&corrected](std::string_view piece) { corrected.append(piece); });
    corrected.complete();
    copy.commit();
    corrected.commit();
    return extrapolated;
}

} // namespace quelmar
