// Views the scales cannot be formed for: the frame, labels and ticks are still drawn, points that
// cannot be placed are left out, and no coordinate is NaN or out of range.

#include "CurveFixtures.h"
#include "plot/CurveHitTest.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quelmar {
namespace {

using namespace test;

void expectFinite(const CurveGeometry& g) {
    EXPECT_TRUE(std::isfinite(g.XScale));
    EXPECT_TRUE(std::isfinite(g.YScale));
    for (double top : g.BandTop)
        EXPECT_TRUE(std::isfinite(top));
}

// Frame, time labels and the ticks along the bottom are there.
void expectFrameLabelsAndTicks(const QImage& image) {
    EXPECT_EQ(at(image, 44, 500), Blue);
    EXPECT_EQ(at(image, 600, H - 21), Blue);
    EXPECT_GT(columnsWith(image, H - 26, 45, W - 3, Blue), 0);
    int text = 0;
    for (int y = 952; y < H - 2; ++y)
        text += columnsWith(image, y, 20, 100, Black);
    EXPECT_GT(text, 0);
}

TEST(CurveDegenerate, ZeroTimeSpanSkipsThePoints) {
    const PointStore s = makeStore({5, 5, 5}, {{1, 2, 3}});
    QImage image = surface();
    const CurveGeometry g = drawCurve(image, s, {}, {}, {});
    expectFinite(g);
    EXPECT_FALSE(g.TimeScalable);
    // No marker: the only aqua is the legend's square at the band's upper left corner.
    EXPECT_EQ(countPixels(image,
                          [&](int x, int y, QRgb c) {
                              return c == Aqua && (x > g.frameLeft() + 20 || y > PlotTop + 20);
                          }),
              0);
    expectFrameLabelsAndTicks(image);
    EXPECT_FALSE(cursorMarkPosition(s, g, 1, 1));
}

TEST(CurveDegenerate, ASinglePointIsAZeroTimeSpan) {
    const PointStore s = makeStore({5}, {{1}});
    QImage image = surface();
    const CurveGeometry g = drawCurve(image, s, {}, {}, {});
    expectFinite(g);
    expectFrameLabelsAndTicks(image);
}

TEST(CurveDegenerate, EqualValuesLieOnTheUpperEdgeFlippedOrNot) {
    const PointStore s = makeStore({1, 2, 3}, {{7, 7, 7}});
    for (bool flipped : {false, true}) {
        ViewState view;
        view.Flipped = flipped;
        QImage image = surface();
        const CurveGeometry g = drawCurve(image, s, view, {}, {});
        expectFinite(g);
        EXPECT_EQ(g.YScale, 0);
        const ChannelPlacement p(s, g, 1);
        EXPECT_EQ(*p.y(2), 10);
        EXPECT_EQ(at(image, static_cast<int>(*p.x(2)) - 1, 9), Aqua) << flipped;
        expectFrameLabelsAndTicks(image);
    }
}

TEST(CurveDegenerate, EqualValuesInEveryChannelStackTheBandsAtTheirEdges) {
    const PointStore s = makeStore({1, 2, 3}, {{7, 7, 7}, {2, 2, 2}});
    QImage image = surface();
    const CurveGeometry g = drawCurve(image, s, {}, {}, {});
    EXPECT_EQ(g.YScale, 0);
    EXPECT_EQ(g.BandTop[1], 2);
    EXPECT_EQ(*ChannelPlacement(s, g, 2).y(1), 12);
}

TEST(CurveDegenerate, TheOnlyChannelHiddenDrawsNoPointsAndNoValueLabels) {
    PointStore s = makeStore({1, 2, 3}, {{11, 10, 13}});
    s.ChannelVisible[1] = false;
    QImage image = surface();
    const CurveGeometry g = drawCurve(image, s, {}, {}, {});
    expectFinite(g);
    EXPECT_EQ(countColour(image, Aqua), 0);
    expectFrameLabelsAndTicks(image);
    int valueText = 0;
    for (int y = 2; y < H - 22; ++y)
        valueText += columnsWith(image, y, 2, 43, Black);
    EXPECT_EQ(valueText, 0);
}

TEST(CurveDegenerate, NoChannelsDrawsTheFrameAndOneBandEdge) {
    const PointStore s = makeStore({1, 2, 3}, {});
    QImage image = surface();
    drawCurve(image, s, {}, {}, {});
    EXPECT_EQ(columnsWith(image, 10, 45, W - 3, qRgb(255, 255, 0)), W - 3 - 45 + 1);
    expectFrameLabelsAndTicks(image);
}

TEST(CurveDegenerate, AnEmptyStoreDrawsTheFrame) {
    const PointStore s = makeStore({}, {{}});
    QImage image = surface();
    const CurveGeometry g = drawCurve(image, s, {}, {}, {});
    EXPECT_FALSE(g.hasPoints());
    EXPECT_EQ(at(image, 44, 500), Blue);
    EXPECT_TRUE(pointsNear(s, g, 1, 55, 10, 2).empty());
    EXPECT_FALSE(pointUnderMouse(s, g, 55, 10));
}

TEST(CurveDegenerate, AStaleOrReversedViewIsKeptWithinThePoints) {
    PointStore s = makeStore({1, 2, 3, 4}, {{1, 2, 3, 4}});
    s.ViewFirst = 9;
    s.ViewLast = -3;
    QImage image = surface();
    const CurveGeometry g = drawCurve(image, s, {}, {}, {});
    EXPECT_EQ(g.ViewFirst, 1);
    EXPECT_EQ(g.ViewLast, 4);
}

TEST(CurveDegenerate, ExtremeZoomsValuesAndSizesStayFiniteAndSafe) {
    const PointStore s = makeStore({0, 1e-300, 1, 2}, {{-1e308, 1e308, 0, 5}, {1, 2, 3, 4}});
    for (double zoom : {1e300, 1e-300, 0.0, -1.0})
        for (QSize size : {QSize(W, H), QSize(60, 30), QSize(1, 1), QSize(0, 0)})
            for (bool lines : {false, true}) {
                ViewState view;
                view.XZoom = zoom;
                view.ShowLines = lines;
                QImage image = surface(size.width(), size.height());
                AppSettings settings;
                settings.ShowGrid = lines;
                const CurveGeometry g = drawCurve(image, s, view, settings, {});
                expectFinite(g);
                EXPECT_EQ(image.size(), size);
            }
}

TEST(CurveDegenerate, OddOptionsAreKeptWithinTheirRanges) {
    const PointStore s = makeStore({1, 2, 3}, {{1, 2, 3}});
    AppSettings settings;
    settings.PointSize = -5;
    settings.Shape = PointShape::Symbol;
    settings.PointSymbol.clear();
    PlotOptions options;
    options.MinorTicks = 0;
    options.MajorTicks = -1;
    options.XAxisDecimals = -2;
    QImage image = surface(300, 200);
    drawCurve(image, s, {}, settings, options);
    EXPECT_EQ(at(image, 44, 100), Blue);
}

} // namespace
} // namespace quelmar
