#include "OcDiagram.h"

#include "core/Error.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace quelmar {

namespace {

// The time order of the points, the list's own order among equal times.
std::vector<std::size_t> timeOrder(const std::vector<OcPoint>& points) {
    std::vector<std::size_t> order(points.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto earlier = [&](std::size_t a, std::size_t b) {
        return points[a].time.time < points[b].time.time;
    };
    if (!std::is_sorted(order.begin(), order.end(), earlier))
        std::stable_sort(order.begin(), order.end(), earlier);
    return order;
}

// One extremum timed twice (by two observers) is kept; two extrema are a mistake. The cycle of
// a time never falls as time goes on, so in time order the times of one cycle and one type
// follow one another. Each is held against the first of its cycle in the list, and the first
// such time in the list is the one refused.
void refuseTwoInOneCycle(const std::vector<OcPoint>& points, const std::vector<std::size_t>& order,
                         double period, const std::string& path) {
    std::size_t refused = points.size(), against = 0;
    for (int secondary = 0; secondary < 2; ++secondary) {
        std::vector<std::size_t> group;
        const auto check = [&] {
            const std::size_t first = *std::min_element(group.begin(), group.end());
            for (std::size_t i : group)
                if (i < refused &&
                    std::fabs(points[i].time.time - points[first].time.time) > period / 4) {
                    refused = i;
                    against = first;
                }
            group.clear();
        };
        for (std::size_t i : order) {
            if (points[i].time.secondary != (secondary == 1)) continue;
            if (!group.empty() && points[group.front()].cycle != points[i].cycle) check();
            group.push_back(i);
        }
        if (!group.empty()) check();
    }
    if (refused == points.size()) return;
    const OcPoint& p = points[refused];
    throw QuelmarError(
        path, p.time.line,
        {message::OcSameCycle,
         {fixed(p.cycle, p.time.secondary ? 1 : 0), std::to_string(points[against].time.line),
          fixed(std::fabs(p.time.time - points[against].time.time), 5)}});
}

} // namespace

std::vector<OcPoint> countCycles(const std::vector<ExtremumTime>& times, Ephemeris ephemeris,
                                 const std::string& path) {
    if (!(ephemeris.period > 0) || !std::isfinite(ephemeris.period))
        throw QuelmarError(path, {message::OcPeriodNotPositive, {roundTripText(ephemeris.period)}});
    std::vector<OcPoint> points;
    points.reserve(times.size());
    for (const ExtremumTime& t : times) {
        const double phase = (t.time - ephemeris.epoch) / ephemeris.period;
        const double cycle =
            t.secondary ? std::nearbyint(phase - 0.5) + 0.5 : std::nearbyint(phase);
        points.push_back({t, cycle, t.time - (ephemeris.epoch + cycle * ephemeris.period)});
    }
    const std::vector<std::size_t> order = timeOrder(points);
    refuseTwoInOneCycle(points, order, ephemeris.period, path);
    for (std::size_t k = 1; k < order.size(); ++k) {
        const OcPoint& before = points[order[k - 1]];
        const OcPoint& now = points[order[k]];
        if (std::fabs(now.oc - before.oc) > ephemeris.period / 2)
            throw QuelmarError(
                path, now.time.line,
                {message::OcCycleSlip,
                 {fixed(ephemeris.period / 2, 5), std::to_string(before.time.line)}});
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
