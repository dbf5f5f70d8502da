// The redraw stamps pre-drawn markers; the picture must be the one that drawing every marker
// through QPainter gives, pixel for pixel, whatever the shape, size, lines and clipping.

#include "CurveFixtures.h"
#include "support/PlainCurvePoints.h"

#include <gtest/gtest.h>

#include <random>

namespace quelmar {
namespace {

using test::makeStore;

// Points scattered over and a little beyond the surface, with runs of repeated positions.
PointStore scatteredStore(int points, int channels, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> step(0.0, 0.02);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    std::vector<double> times;
    std::vector<std::vector<double>> values(static_cast<std::size_t>(channels));
    double t = 0;
    for (int i = 0; i < points; ++i) {
        if (i % 7 != 0) t += step(rng); // every seventh point repeats a time
        times.push_back(t);
        for (auto& c : values)
            c.push_back(i % 11 == 0 ? 0.0 : value(rng)); // zeros off the band
    }
    return makeStore(times, values);
}

int differingPixels(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

void expectSamePicture(const PointStore& s, const ViewState& view, const AppSettings& settings,
                       QSize size, const std::string& what) {
    QImage ours(size, QImage::Format_RGB32);
    QImage plain(size, QImage::Format_RGB32);
    drawCurve(ours, s, view, settings, {});
    drawCurve(plain, s, view, settings, {}, test::drawChannelPointsPlainly);
    EXPECT_EQ(differingPixels(ours, plain), 0) << what;
}

TEST(MarkerSprite, StampedPointsEqualPlainlyDrawnOnesForEveryShapeAndSize) {
    const PointStore s = scatteredStore(3000, 3, 7);
    for (PointShape shape : {PointShape::Circle, PointShape::Square, PointShape::Symbol})
        for (int size : {1, 2, 3, 4, 5, 8, 13, 30}) {
            AppSettings settings;
            settings.Shape = shape;
            settings.PointSize = size;
            settings.PointSymbol = "*";
            expectSamePicture(s, {}, settings, QSize(320, 240),
                              "shape " + std::to_string(static_cast<char>(shape)) + " size " +
                                  std::to_string(size));
        }
}

TEST(MarkerSprite, StampedPointsEqualPlainlyDrawnOnesWithLinesFlipAndZoom) {
    PointStore s = scatteredStore(2000, 2, 11);
    s.ViewFirst = 300;
    s.ViewLast = 1700;
    AppSettings settings;
    settings.PointSize = 7;
    settings.PointSymbol = std::string("Wg"); // from a literal, GCC 12 warns falsely
    for (bool lines : {false, true})
        for (double zoom : {1.0, 3.0})
            for (bool flipped : {false, true}) {
                ViewState view;
                view.ShowLines = lines;
                view.XZoom = zoom;
                view.Flipped = flipped;
                settings.Shape = lines ? PointShape::Symbol : PointShape::Circle;
                expectSamePicture(s, view, settings, QSize(400, 300),
                                  "lines " + std::to_string(lines) + " zoom " +
                                      std::to_string(zoom) + " flipped " + std::to_string(flipped));
            }
}

TEST(MarkerSprite, StampedPointsEqualPlainlyDrawnOnesAtTheWindowSize) {
    const PointStore s = scatteredStore(60000, 2, 3);
    expectSamePicture(s, {}, {}, QSize(1274, 967), "default options");
}

TEST(MarkerSprite, ASpriteHoldsExactlyThePixelsOfOneMarker) {
    QImage target(40, 40, QImage::Format_RGB32);
    target.fill(qRgb(255, 255, 255));
    QImage plain = target;
    MarkerStyle style;
    style.fill = qRgb(255, 0, 0);
    style.halfSize = 6;
    {
        Canvas canvas(target);
        MarkerSprite(style, canvas).stamp(canvas, 0, 39); // clipped at two edges
        MarkerSprite(style, canvas).stamp(canvas, 20, 20);
    }
    {
        Canvas canvas(plain);
        drawMarker(canvas, style, 0, 39);
        drawMarker(canvas, style, 20, 20);
    }
    EXPECT_EQ(differingPixels(target, plain), 0);
    EXPECT_EQ(target.pixel(20, 20) | 0xff000000u, qRgb(0, 0, 0));
    EXPECT_EQ(target.pixel(18, 18) | 0xff000000u, qRgb(255, 0, 0));
}

} // namespace
} // namespace quelmar
