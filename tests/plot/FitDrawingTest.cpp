#include "plot/FitDrawing.h"
#include "CurveFixtures.h"
#include "analysis/PolynomialFit.h"

#include <gtest/gtest.h>

using namespace quelmar;
using namespace quelmar::test;

namespace {

constexpr QRgb Red = qRgb(255, 0, 0);

// A minimum with a little scatter, so that the error box has a size; 40 points.
PointStore minimum() {
    std::vector<double> t, v;
    for (int i = 1; i <= 40; ++i) {
        t.push_back(100 + 0.1 * i);
        const double d = t.back() - 102.05;
        v.push_back(10 + d * d + (i % 3 == 0 ? 0.2 : -0.1));
    }
    return makeStore(t, {v});
}

TEST(FitDrawing, DrawsTheCurveOverTheFittedRangeAndTheBoxAroundTheExtremum) {
    PointStore store = minimum();
    ExtremumTables tables;
    fitExtremum(store, 1, 11, 30, {3, 3}, tables.beginRun(), tables);
    QImage picture = surface();
    const CurveGeometry g = drawCurve(picture, store, ViewState{}, AppSettings{}, PlotOptions{});
    const std::optional<QPoint> mark = drawFit(picture, store, g, tables, 1, 3);

    ASSERT_TRUE(mark.has_value());
    const ChannelPlacement place(store, g, 1);
    const double x = tables.ExtremumMoment[1][3], sx = tables.ExtremumMomentError[1][3];
    const double v = tables.ExtremumValue[1][3], sv = tables.ExtremumValueError[1][3];
    EXPECT_EQ(mark->x(), *xOfTime(g, x));
    EXPECT_EQ(mark->y(), *place.yOf(v));
    const int left = static_cast<int>(*xOfTime(g, x - sx));
    const int right = static_cast<int>(*xOfTime(g, x + sx));
    const int top = static_cast<int>(*place.yOf(v - sv));
    ASSERT_LT(left + 2, right) << "the box has a width at this scale";
    EXPECT_EQ(at(picture, left, top), Red) << "the box's first corner";
    EXPECT_EQ(at(picture, mark->x(), mark->y()), Red) << "the cross";

    // Outside the fitted points 11 ... 30 the only red is the box.
    const int firstColumn = centre(store, g, 1, 11).x();
    const int lastColumn = centre(store, g, 1, 30).x();
    EXPECT_EQ(countPixels(picture,
                          [&](int px, int, QRgb c) {
                              return c == Red && (px < firstColumn || px > lastColumn) &&
                                     (px < left || px > right);
                          }),
              0);
    const int column = centre(store, g, 1, 20).x();
    EXPECT_EQ(at(picture, column, static_cast<int>(*place.yOf(tables.FitCurves[1][3].at(20)))), Red)
        << "the curve at point 20";
    EXPECT_FALSE(drawFit(picture, store, g, tables, 1, 4)) << "no curve of 4 terms";
}

// A curve that runs far beyond its band (a polynomial beyond the points it fits) stops at the
// frame's bottom line: nothing red across the time labels.
TEST(FitDrawing, ACurveBeyondItsBandStaysAboveTheTimeLabels) {
    PointStore store = minimum();
    ExtremumTables tables;
    fitExtremum(store, 1, 1, 40, {3, 3}, tables.beginRun(), tables);
    QImage picture = surface();
    const CurveGeometry g = drawCurve(picture, store, ViewState{}, AppSettings{}, PlotOptions{});
    // From the band's top to half a band below its bottom.
    std::vector<double>& values = tables.FitCurves[1][3].values;
    const double range = g.ChannelMax[1] - g.ChannelMin[1];
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = g.ChannelMin[1] + 1.5 * range * static_cast<double>(i) / (values.size() - 1);
    drawFit(picture, store, g, tables, 1, 3);
    const int frameBottom = g.Height - FrameBottomGap - g.Margins.bottom;
    EXPECT_EQ(
        countPixels(picture, [&](int, int py, QRgb c) { return c == Red && py >= frameBottom; }),
        0);
}

} // namespace
