// Redrawing a light curve of 1,000,000 points in two channels at 1274 x 967: our redraw against
// the same redraw drawing every marker through QPainter::drawEllipse, in the same run. The two
// pictures must be identical. Also a mouse move over the curve: our column search against
// testing every point.

#include "RatioReporter.h"
#include "plot/CurveHitTest.h"
#include "plot/CurveRenderer.h"
#include "support/PlainCurvePoints.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

using namespace quelmar;

constexpr int Points = 1'000'000;
constexpr int Width = 1274;
constexpr int Height = 967;
constexpr double RedrawTargetMs = 250;
constexpr double RedrawTargetRatio = 5;
constexpr double MouseTargetMs = 5;

// A pulsating star observed in seasons: magnitudes and a colour index with noise.
const PointStore& curve() {
    static const PointStore store = [] {
        PointStore s;
        s.PointCount = Points;
        s.ChannelCount = 2;
        s.TimeValues.resize(Points + 1);
        s.ChannelValues.assign(3, std::vector<double>(Points + 1));
        s.ChannelVisible = {false, true, true};
        std::mt19937_64 rng(42);
        std::exponential_distribution<double> gap(1.0 / 0.003);
        std::normal_distribution<double> noise(0.0, 0.04);
        double t = 2450000.0;
        for (int i = 1; i <= Points; ++i) {
            t += gap(rng) + (i % 100'000 == 0 ? 120.0 : 0.0);
            const double phase = std::sin(2 * M_PI * t / 0.6564975);
            s.TimeValues[i] = t;
            s.ChannelValues[1][i] = 15.2 + 0.45 * phase + noise(rng);
            s.ChannelValues[2][i] = 0.35 + 0.12 * phase + noise(rng) / 2;
        }
        return s;
    }();
    return store;
}

QImage redraw(ChannelPainter painter, CurveGeometry* geometry = nullptr) {
    QImage image(Width, Height, QImage::Format_RGB32);
    const CurveGeometry g = drawCurve(image, curve(), {}, {}, {}, painter);
    if (geometry) *geometry = g;
    return image;
}

long long differingPixels(const QImage& a, const QImage& b) {
    long long n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

void BM_CurveRedraw(benchmark::State& state) {
    QImage image(Width, Height, QImage::Format_RGB32);
    for (auto _ : state)
        benchmark::DoNotOptimize(drawCurve(image, curve(), {}, {}, {}));
}

void BM_PlainEllipseRedraw(benchmark::State& state) {
    QImage image(Width, Height, QImage::Format_RGB32);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            drawCurve(image, curve(), {}, {}, {}, test::drawChannelPointsPlainly));
}

// Mouse positions along the curve, on and between points.
std::vector<QPoint> mousePositions(const CurveGeometry& g) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> point(1, Points);
    std::uniform_int_distribution<int> jitter(-1, 1);
    std::vector<QPoint> positions;
    for (int n = 0; n < 64; ++n) {
        const int i = point(rng);
        const int k = 1 + n % 2;
        const ChannelPlacement p(curve(), g, k);
        positions.emplace_back(static_cast<int>(*p.x(i)) + jitter(rng),
                               static_cast<int>(*p.y(i)) + jitter(rng));
    }
    return positions;
}

// The mouse move as first described: every shown channel, every point, the last hit stays.
std::optional<ChannelPoint> scanEveryPoint(const CurveGeometry& g, Coord X, Coord Y) {
    std::optional<ChannelPoint> found;
    const PointStore& s = curve();
    for (int k = 1; k <= s.ChannelCount; ++k) {
        const ChannelPlacement p(s, g, k);
        for (int i = 1; i <= s.PointCount; ++i) {
            const auto x = p.x(i);
            const auto y = p.y(i);
            if (x && y && std::llabs(*x - X) < 2 && std::llabs(*y - Y) < 2) found = {k, i};
        }
    }
    return found;
}

template <typename Move> void mouseMoves(benchmark::State& state, Move move) {
    CurveGeometry g;
    redraw(drawChannelPoints, &g);
    const auto positions = mousePositions(g);
    std::size_t n = 0;
    for (auto _ : state) {
        const QPoint m = positions[n++ % positions.size()];
        benchmark::DoNotOptimize(move(g, m.x(), m.y()));
    }
}

void BM_MouseMove(benchmark::State& state) {
    mouseMoves(state, [](const CurveGeometry& g, Coord X, Coord Y) {
        return pointUnderMouse(curve(), g, X, Y);
    });
}

void BM_MouseScanBaseline(benchmark::State& state) {
    mouseMoves(state, scanEveryPoint);
}

BENCHMARK(BM_CurveRedraw)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_PlainEllipseRedraw)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_MouseMove)->Unit(benchmark::kMillisecond)->Iterations(2000);
BENCHMARK(BM_MouseScanBaseline)->Unit(benchmark::kMillisecond)->Iterations(20);

double timeOf(const std::vector<std::pair<std::string, double>>& times, const std::string& name) {
    for (const auto& [n, ms] : times)
        if (n.rfind(name, 0) == 0) return ms;
    return -1;
}

// The mouse search must agree with the full scan before its speed means anything.
bool mouseAgrees() {
    CurveGeometry g;
    redraw(drawChannelPoints, &g);
    for (const QPoint m : mousePositions(g)) {
        const auto a = pointUnderMouse(curve(), g, m.x(), m.y());
        const auto b = scanEveryPoint(g, m.x(), m.y());
        if (a.has_value() != b.has_value() ||
            (a && (a->channel != b->channel || a->point != b->point)))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const long long differing =
        differingPixels(redraw(drawChannelPoints), redraw(test::drawChannelPointsPlainly));
    std::printf("picture identical to the drawEllipse baseline: %s (%lld pixels differ)\n",
                differing == 0 ? "yes" : "NO", differing);
    const bool agrees = mouseAgrees();
    std::printf("mouse search agrees with the full scan: %s\n", agrees ? "yes" : "NO");

    const auto times = quelmar::bench::runWithRatios(
        argc, argv,
        {{"BM_CurveRedraw", "BM_PlainEllipseRedraw"}, {"BM_MouseMove", "BM_MouseScanBaseline"}});
    const double redrawMs = timeOf(times, "BM_CurveRedraw");
    const double baselineMs = timeOf(times, "BM_PlainEllipseRedraw");
    const double mouseMs = timeOf(times, "BM_MouseMove");
    bool met = differing == 0 && agrees;
    if (redrawMs > 0 && baselineMs > 0) {
        const bool ok = redrawMs <= RedrawTargetMs && baselineMs / redrawMs >= RedrawTargetRatio;
        std::printf("redraw: %.1f ms, %.1fx the baseline (targets: <= %.0f ms, >= %.0fx): %s\n",
                    redrawMs, baselineMs / redrawMs, RedrawTargetMs, RedrawTargetRatio,
                    ok ? "met" : "MISSED");
        met = met && ok;
    }
    if (mouseMs > 0) {
        const bool ok = mouseMs <= MouseTargetMs;
        std::printf("mouse move: %.4f ms (target: <= %.0f ms): %s\n", mouseMs, MouseTargetMs,
                    ok ? "met" : "MISSED");
        met = met && ok;
    }
    return met ? 0 : 1;
}
