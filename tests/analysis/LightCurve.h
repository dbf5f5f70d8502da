#pragma once
// Synthetic light curves for the period-search tests: a pulsating star's brightness at
// random moments, written as a data file and kept as the numbers that file holds.

#include "core/numbers.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace quelmar::test {

struct LightCurve {
    std::vector<double> times;                // [1 ... n], exactly as written
    std::vector<std::vector<double>> columns; // [k][1 ... n], k = 1 ... column count
    std::string text;                         // the data file, CR LF lines
};

struct LightCurveShape {
    int points = 300;
    int columnCount = 1;
    double start = 2450000.0;
    double span = 100.0;   // days
    double period = 0.7;   // days
    double jitter = 0.0;   // > 0: dates on a regular grid of span / points, moved by this much
    bool timeOrder = true; // false: the lines come shuffled
    int repeats = 1;       // lines per date, each with a value of its own
    double valueScale = 1; // the values are multiplied by this power of two
    unsigned seed = 1;
};

// Column k carries the pulsation with amplitude k and its own noise.
inline LightCurve makeLightCurve(const LightCurveShape& shape) {
    std::mt19937_64 rng(shape.seed);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    std::normal_distribution<double> noise(0.0, 0.05);
    std::vector<double> t(static_cast<std::size_t>(shape.points));
    for (int i = 0; i < shape.points; ++i) {
        const double grid = shape.span * i / shape.points;
        t[static_cast<std::size_t>(i)] =
            shape.jitter > 0 ? grid + shape.jitter * uniform(rng) : shape.span * uniform(rng);
    }
    if (shape.timeOrder) std::sort(t.begin(), t.end());

    LightCurve curve;
    curve.times.assign(1, 0.0);
    curve.columns.assign(static_cast<std::size_t>(shape.columnCount) + 1,
                         std::vector<double>(1, 0.0));
    for (double dt : t) {
        const std::string date = fixed(shape.start + dt, 8);
        for (int r = 0; r < shape.repeats; ++r) {
            curve.times.push_back(*parseNumber(date));
            curve.text += date;
            for (int k = 1; k <= shape.columnCount; ++k) {
                const double phase = 2 * std::numbers::pi * dt / shape.period;
                const double value =
                    *parseNumber(fixed(12.0 + k * 0.3 * std::sin(phase) + noise(rng), 4)) *
                    shape.valueScale;
                curve.columns[static_cast<std::size_t>(k)].push_back(value);
                curve.text += " " + roundTripText(value);
            }
            curve.text += " obs\r\n";
        }
    }
    return curve;
}

} // namespace quelmar::test
