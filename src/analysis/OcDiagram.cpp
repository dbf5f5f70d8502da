#include "OcDiagram.h"

#include "core/Error.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

namespace quelmar {

std::vector<OcPoint> countCycles(const std::vector<ExtremumTime>& times, Ephemeris ephemeris,
                                 const std::string& path) {
    if (!(ephemeris.period > 0) || !std::isfinite(ephemeris.period))
        throw QuelmarError(path, {message::OcPeriodNotPositive, {roundTripText(ephemeris.period)}});
    std::vector<OcPoint> points;
    // The first time of each cycle, by twice E, so that half cycles are whole.
    std::map<double, std::size_t> firstOfCycle;
    for (const ExtremumTime& t : times) {
        const double phase = (t.time - ephemeris.epoch) / ephemeris.period;
        const double cycle =
            t.secondary ? std::nearbyint(phase - 0.5) + 0.5 : std::nearbyint(phase);
        points.push_back({t, cycle, t.time - (ephemeris.epoch + cycle * ephemeris.period)});
        const auto [at, fresh] = firstOfCycle.emplace(2 * cycle, points.size() - 1);
        if (fresh) continue;
        // One extremum timed twice (by two observers) is kept; two extrema are a mistake.
        const ExtremumTime& other = points[at->second].time;
        const double apart = std::fabs(t.time - other.time);
        if (apart > ephemeris.period / 4)
            throw QuelmarError(path, t.line,
                               {message::OcSameCycle, {fixed(cycle, t.secondary ? 1 : 0),
                                                       std::to_string(other.line),
                                                       fixed(apart, 5)}});
    }
    std::vector<std::size_t> order(points.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return points[a].time.time < points[b].time.time;
    });
    for (std::size_t k = 1; k < order.size(); ++k) {
        const OcPoint& before = points[order[k - 1]];
        const OcPoint& now = points[order[k]];
        if (std::fabs(now.oc - before.oc) > ephemeris.period / 2)
            throw QuelmarError(path, now.time.line,
                               {message::OcCycleSlip, {fixed(ephemeris.period / 2, 5),
                                                       std::to_string(before.time.line)}});
    }
    return points;
}

std::string ocFileText(const std::vector<OcPoint>& points) {
    std::string text;
    for (const OcPoint& p : points) {
        appendFixedForFile(text, p.cycle, 1);
        text += ' ';
        appendFixedForFile(text, p.oc, 6);
        text += ' ';
        appendFixedForFile(text, p.time.error, 6);
        text += p.time.secondary ? " S " : " P ";
        text += p.time.timeText;
        text += "\r\n";
    }
    return text;
}

} // namespace quelmar
