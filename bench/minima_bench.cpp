// Kwee–van Woerden on a 30,000-point eclipse against a plain single reflection (three sums at
// the rough minimum, each value found by binary search), and an O−C diagram of 100,000 times
// (cycle counting, linear and quadratic weighted fits) against plain closed-form fits of the
// same sums in doubles.

#include "RatioReporter.h"
#include "analysis/EphemerisFit.h"
#include "analysis/KweeVanWoerden.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <random>

namespace {

using namespace quelmar;

const TimingSeries& eclipse() {
    static const TimingSeries s = [] {
        std::mt19937_64 random(7);
        std::normal_distribution<double> noise(0, 0.001);
        TimingSeries series;
        constexpr int Points = 30000;
        for (int i = 0; i < Points; ++i) {
            const double t = 2459000 + 0.4 * i / Points;
            const double x = (t - 2459000.2003) / 0.05;
            series.t.push_back(t);
            series.y.push_back(1 - 0.3 * std::exp(-x * x) + noise(random));
        }
        return series;
    }();
    return s;
}

constexpr Ephemeris Ephem{2450000.0, 2.4706};

const std::vector<ExtremumTime>& manyTimes() {
    static const std::vector<ExtremumTime> times = [] {
        std::mt19937_64 random(11);
        std::normal_distribution<double> noise(0, 0.002);
        std::vector<ExtremumTime> list;
        for (int e = 0; e < 100000; ++e) {
            const double t = Ephem.epoch + Ephem.period * e + 1e-11 * e * e + noise(random);
            list.push_back({t, "", 0.002, false, e + 1});
        }
        return list;
    }();
    return times;
}

void BM_KweeVanWoerden(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(kweeVanWoerden(eclipse()));
}

double plainAt(const TimingSeries& s, double x) {
    const auto i = static_cast<std::size_t>(
        std::clamp<std::ptrdiff_t>(std::lower_bound(s.t.begin(), s.t.end(), x) - s.t.begin(), 1,
                                   static_cast<std::ptrdiff_t>(s.t.size()) - 1));
    const double w = (x - s.t[i - 1]) / (s.t[i] - s.t[i - 1]);
    return s.y[i - 1] + w * (s.y[i] - s.y[i - 1]);
}

// Three reflection sums about the lowest point, as far as the series reaches: the least any
// Kwee–van Woerden timing must do.
void BM_PlainReflection(benchmark::State& state) {
    const TimingSeries& s = eclipse();
    const double spacing = (s.t.back() - s.t.front()) / static_cast<double>(s.t.size() - 1);
    for (auto _ : state) {
        const auto lowest = std::min_element(s.y.begin(), s.y.end()) - s.y.begin();
        const double centre = s.t[static_cast<std::size_t>(lowest)];
        const double room = std::min(centre - s.t.front(), s.t.back() - centre) - spacing;
        const int pairs = static_cast<int>(room / spacing);
        double sums[3] = {0, 0, 0};
        for (int side = -1; side <= 1; ++side) {
            const double c = centre + side * spacing / 2;
            for (int k = 1; k <= pairs; ++k) {
                const double d = plainAt(s, c + k * spacing) - plainAt(s, c - k * spacing);
                sums[side + 1] += d * d;
            }
        }
        benchmark::DoNotOptimize(sums);
    }
}

void BM_OcFit(benchmark::State& state) {
    for (auto _ : state) {
        const std::vector<OcPoint> points = countCycles(manyTimes(), Ephem, "generated");
        benchmark::DoNotOptimize(fitEphemeris(points, Ephem, EphemerisKind::Linear, "generated"));
        benchmark::DoNotOptimize(
            fitEphemeris(points, Ephem, EphemerisKind::Quadratic, "generated"));
    }
}

// Nearest cycles, O − C, and both fits by Cramer's rule on the weighted sums of E⁰ ... E⁴.
void BM_PlainOcFit(benchmark::State& state) {
    const std::vector<ExtremumTime>& times = manyTimes();
    for (auto _ : state) {
        double s[5] = {0, 0, 0, 0, 0}, r[3] = {0, 0, 0};
        for (const ExtremumTime& t : times) {
            const double e = std::nearbyint((t.time - Ephem.epoch) / Ephem.period);
            const double oc = t.time - (Ephem.epoch + e * Ephem.period);
            const double w = 1 / (t.error * t.error);
            double p = w;
            for (int k = 0; k < 5; ++k, p *= e) {
                s[k] += p;
                if (k < 3) r[k] += p * oc;
            }
        }
        const double dl = s[0] * s[2] - s[1] * s[1];
        const double linear[2] = {(r[0] * s[2] - r[1] * s[1]) / dl,
                                  (s[0] * r[1] - s[1] * r[0]) / dl};
        auto det = [](double a, double b, double c, double d, double e, double f, double g,
                      double h, double i) {
            return a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
        };
        const double dq = det(s[0], s[1], s[2], s[1], s[2], s[3], s[2], s[3], s[4]);
        const double q = det(s[0], s[1], r[0], s[1], s[2], r[1], s[2], s[3], r[2]) / dq;
        benchmark::DoNotOptimize(linear);
        benchmark::DoNotOptimize(q);
    }
}

BENCHMARK(BM_KweeVanWoerden)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.5);
BENCHMARK(BM_PlainReflection)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.5);
BENCHMARK(BM_OcFit)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.5);
BENCHMARK(BM_PlainOcFit)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.5);

} // namespace

int main(int argc, char** argv) {
    const auto times = quelmar::bench::runWithRatios(
        argc, argv, {{"BM_KweeVanWoerden", "BM_PlainReflection"}, {"BM_OcFit", "BM_PlainOcFit"}});
    for (const auto& [name, ms] : times)
        std::printf("%s: %.2f ms\n", name.c_str(), ms);
    return 0;
}
