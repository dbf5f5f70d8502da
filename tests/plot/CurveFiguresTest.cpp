// The geometry figures of the light curve at the window size 1274 x 967.

#include "CurveFixtures.h"
#include "core/ObservationFile.h"
#include "support/TempDir.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

namespace quelmar {
namespace {

using namespace test;

struct Drawn {
    QImage image;
    CurveGeometry geometry;
};

Drawn draw(const PointStore& store, const ViewState& view = {}) {
    Drawn d{surface(), {}};
    d.geometry = drawCurve(d.image, store, view, {}, {});
    return d;
}

// First row at or below `from` holding a pixel of the colour within columns first ... last.
int firstRowWith(const QImage& image, int from, int first, int last, QRgb colour) {
    for (int y = from; y < image.height(); ++y)
        if (columnsWith(image, y, first, last, colour) > 0) return y;
    return -1;
}

// The top of a text written in the default label font, from the first row of its ink.
int textTop(const QImage& image, int inkRow, const QString& text) {
    const QFontMetrics metrics(designLabelFont().font, &image);
    return inkRow - metrics.ascent() - metrics.tightBoundingRect(text).top();
}

TEST(CurveFigures, OneChannelFillsThePlotFromX55ToX1259AndY10ToY932) {
    const PointStore s = makeStore({100, 101, 102.5, 103, 104}, {{11, 10, 13, 12, 11.5}});
    const Drawn d = draw(s);
    const CurveGeometry& g = d.geometry;
    EXPECT_EQ(g.ViewFirst, 1);
    EXPECT_EQ(g.ViewLast, 5);
    EXPECT_DOUBLE_EQ(g.XScale, 1204.0 / 4);
    EXPECT_DOUBLE_EQ(g.YScale, 922.0 / 3);
    EXPECT_EQ(centre(s, g, 1, 1).x(), 55);
    EXPECT_EQ(centre(s, g, 1, 5).x(), 1259);
    EXPECT_EQ(centre(s, g, 1, 2).y(), 10);  // the smallest value at the top
    EXPECT_EQ(centre(s, g, 1, 3).y(), 932); // the largest at the bottom

    // The marker: aqua inside its box, the black dot at the centre.
    const QPoint last = centre(s, g, 1, 5);
    EXPECT_EQ(at(d.image, last.x(), last.y()), Black);
    EXPECT_EQ(at(d.image, last.x() - 1, last.y() - 1), Aqua);
    const QPoint lowest = centre(s, g, 1, 3);
    EXPECT_EQ(at(d.image, lowest.x() - 1, lowest.y() - 1), Aqua);
    EXPECT_EQ(at(d.image, lowest.x(), 932), Black);

    // Yellow band edges at the top of the band and below the last band; the value label on
    // its white box covers the start of the upper one.
    EXPECT_EQ(at(d.image, 45, 10), qRgb(255, 255, 255));
    EXPECT_EQ(at(d.image, 100, 10), Yellow);
    EXPECT_EQ(at(d.image, W - 3, 10), Yellow);
    EXPECT_EQ(at(d.image, W - 2, 10), Blue); // the frame: the line stops before it
    EXPECT_EQ(at(d.image, 600, 10 + 924), Yellow);
}

TEST(CurveFigures, TimeLabelsStandOnRow952) {
    const PointStore s = makeStore({100, 101, 104}, {{11, 10, 13}});
    const Drawn d = draw(s);
    // The first, middle and last label; digits all reach the same height.
    const QString digits = QStringLiteral("0123456789");
    EXPECT_EQ(textTop(d.image, firstRowWith(d.image, H - 30, 20, 100, Black), digits), 952);
    EXPECT_EQ(
        textTop(d.image, firstRowWith(d.image, H - 30, W / 2 - 15, W / 2 + 50, Black), digits),
        952);
    EXPECT_EQ(textTop(d.image, firstRowWith(d.image, H - 30, 1259 - 50, 1259 + 5, Black), digits),
              952);
    EXPECT_EQ(columnsWith(d.image, 966, 0, W - 1, Blue), W); // the border below them
}

TEST(CurveFigures, NineShortAndFiveLongTicksAlongTheBottomAndTheTop) {
    const PointStore s = makeStore({100, 101, 104}, {{11, 10, 13}});
    const Drawn d = draw(s);
    const int first = 45, last = W - 3; // inside the plot frame
    EXPECT_EQ(columnsWith(d.image, H - 22, first, last, Blue), 9);
    EXPECT_EQ(columnsWith(d.image, H - 26, first, last, Blue), 9);
    EXPECT_EQ(columnsWith(d.image, H - 27, first, last, Blue), 5);
    EXPECT_EQ(columnsWith(d.image, H - 31, first, last, Blue), 5);
    EXPECT_EQ(columnsWith(d.image, H - 32, first, last, Blue), 0);
    EXPECT_EQ(columnsWith(d.image, 4, first, last, Blue), 9);
    EXPECT_EQ(columnsWith(d.image, 9, first, last, Blue), 5);
    for (int x : {55, 205, 356, 507, 657, 807, 958, 1109, 1259})
        EXPECT_EQ(at(d.image, x, H - 26), Blue) << x;
}

TEST(CurveFigures, FramesAreBlue) {
    const Drawn d = draw(makeStore({1, 2}, {{1, 2}}));
    for (const QPoint p : {QPoint(0, 500), QPoint(1, 500), QPoint(44, 500), QPoint(W - 2, 500),
                           QPoint(W - 1, 500), QPoint(600, 0), QPoint(600, 1), QPoint(600, H - 21),
                           QPoint(600, H - 2), QPoint(600, H - 1)})
        EXPECT_EQ(at(d.image, p.x(), p.y()), Blue) << p.x() << "," << p.y();
    EXPECT_EQ(at(d.image, 43, 500), qRgb(255, 255, 255));
}

TEST(CurveFigures, TwoChannelsWithRanges1And3ShareTheScale230_25) {
    const PointStore s = makeStore({1, 2, 3}, {{5, 6, 5.5}, {1, 4, 2}});
    const Drawn d = draw(s);
    const CurveGeometry& g = d.geometry;
    EXPECT_DOUBLE_EQ(g.YScale, 230.25);
    EXPECT_EQ(g.BandTop[1], 232);
    EXPECT_EQ(g.BandTop[2], 232 + 691 + 2);
    EXPECT_EQ(centre(s, g, 2, 1).y(), 242); // the smallest value of band 2 at its top
    EXPECT_EQ(centre(s, g, 2, 2).y(), 242 + 691);
    EXPECT_EQ(at(d.image, 100, 242), Yellow);
    EXPECT_EQ(at(d.image, centre(s, g, 2, 3).x() - 1, centre(s, g, 2, 3).y() - 1), Blue);
}

TEST(CurveFigures, MissingValuesDoNotStretchABandEvenAtTheStartOfTheView) {
    PointStore s = makeStore({1, 2, 3, 4}, {{10.2, 0, 10.5, 10.3}, {0, 10.2, 0, 10.5}});
    s.maskOf(1)[2] = s.maskOf(2)[1] = s.maskOf(2)[3] = 1;
    const Drawn d = draw(s);
    const CurveGeometry& g = d.geometry;
    for (int k : {1, 2}) {
        EXPECT_DOUBLE_EQ(g.ChannelMin[k], 10.2) << k;
        EXPECT_DOUBLE_EQ(g.ChannelMax[k], 10.5) << k;
    }
    EXPECT_EQ(g.ChannelMinPoint[2], 2);
    EXPECT_FALSE(ChannelPlacement(s, g, 1).y(2)); // a missing value is not drawn
}

TEST(CurveFigures, ExtremesTakeTheFirstOccurrenceAndCoverHiddenChannels) {
    PointStore s = makeStore({1, 2, 3, 4, 5}, {{3, 1, 1, 5, 5}, {7, 9, 9, 2, 2}});
    s.ChannelVisible[2] = false;
    s.ViewFirst = 2;
    s.ViewLast = 5;
    const Drawn d = draw(s);
    const CurveGeometry& g = d.geometry;
    EXPECT_EQ(g.ChannelMinPoint[1], 2);
    EXPECT_EQ(g.ChannelMaxPoint[1], 4);
    EXPECT_EQ(g.ChannelMinPoint[2], 4);
    EXPECT_EQ(g.ChannelMaxPoint[2], 2);
    EXPECT_EQ(g.referencePoint(1), 2);
    // The first point of the view holds the smallest value: it lies on the upper edge.
    EXPECT_EQ(centre(s, g, 1, 2).y(), 10);
    EXPECT_EQ(centre(s, g, 1, 2).x(), 55);
}

TEST(CurveFigures, APeriodogramStartsWithItsLastChannelHidden) {
    test::TempDir dir;
    const std::string path =
        dir.write("star.per", "0.10 0.90 10.0\n0.20 0.40 5.0\n0.30 0.85 3.3\n0.40 0.95 2.5\n");
    const PointStore s = loadPointStore(path, countChannels(test::TempDir::read(path))).store;
    ASSERT_EQ(s.ChannelCount, 2);
    EXPECT_TRUE(s.ChannelVisible[1]);
    EXPECT_FALSE(s.ChannelVisible[2]);
    const Drawn d = draw(s);
    const CurveGeometry& g = d.geometry;
    EXPECT_EQ(g.BandTop[2], g.BandTop[1]); // the hidden channel takes no room
    EXPECT_DOUBLE_EQ(g.YScale, (H - 42 - 4) / 0.55);
    // No marker of channel 2 (blue) inside the plot frame, away from the ticks.
    auto blueInside = [](const QImage& image) {
        int n = 0;
        for (int y = 12; y < H - 34; ++y)
            n += columnsWith(image, y, 46, W - 4, Blue);
        return n;
    };
    EXPECT_EQ(blueInside(d.image), 0);
    PointStore shown = s;
    shown.ChannelVisible[2] = true;
    EXPECT_GT(blueInside(draw(shown).image), 0);
}

TEST(CurveFigures, HidingAChannelGivesTheOthersTheWholeHeight) {
    PointStore s = makeStore({1, 2, 3}, {{5, 6, 5.5}, {1, 4, 2}});
    s.ChannelVisible[1] = false;
    const Drawn d = draw(s);
    EXPECT_DOUBLE_EQ(d.geometry.YScale, (H - 42 - 4) / 3.0);
    EXPECT_EQ(d.geometry.BandTop[1], 0);
    EXPECT_EQ(centre(s, d.geometry, 2, 1).y(), 10);
}

TEST(CurveFigures, FlippedPutsTheLargestValueOnTop) {
    const PointStore one = makeStore({1, 2, 3}, {{11, 10, 13}});
    ViewState flipped;
    flipped.Flipped = true;
    const Drawn d = draw(one, flipped);
    EXPECT_EQ(centre(one, d.geometry, 1, 3).y(), 10);
    EXPECT_EQ(centre(one, d.geometry, 1, 2).y(), H - 35);
    EXPECT_EQ(d.geometry.referencePoint(1), 3);

    const PointStore two = makeStore({1, 2, 3}, {{5, 6, 5.5}, {1, 4, 2}});
    const Drawn t = draw(two, flipped);
    EXPECT_DOUBLE_EQ(t.geometry.YScale, -230.25);
    EXPECT_EQ(centre(two, t.geometry, 1, 2).y(), 10);
    EXPECT_EQ(centre(two, t.geometry, 2, 2).y(), 242);
    EXPECT_EQ(centre(two, t.geometry, 2, 1).y(), 242 + 691);
}

TEST(CurveFigures, ALastDateTooLongForItsPlaceEndsAtThePictureEdge) {
    const PointStore s = makeStore({2451545.1, 2451546.2, 2451549.3}, {{11, 10, 13}});
    const Drawn d = draw(s);
    const int inkRow = firstRowWith(d.image, H - 30, W - 100, W - 3, Black);
    EXPECT_EQ(textTop(d.image, inkRow, QStringLiteral("0123456789")), 952);
}

TEST(CurveFigures, ZoomTwoStretchesTheViewBeyondTheRightEdge) {
    const PointStore s = makeStore({0, 1, 2}, {{1, 2, 3}});
    ViewState zoomed;
    zoomed.XZoom = 2;
    const Drawn d = draw(s, zoomed);
    EXPECT_EQ(centre(s, d.geometry, 1, 2).x(), 55 + 1204);
    EXPECT_EQ(centre(s, d.geometry, 1, 3).x(), 55 + 2408);
    EXPECT_EQ(at(d.image, 55 + 1204 - 1, centre(s, d.geometry, 1, 2).y() - 1), Aqua);
    // The middle label sits in the middle of the window and names the time drawn there: 0.5,
    // as the unzoomed view of 0 ... 1 labels it.
    const int inkRow = firstRowWith(d.image, H - 30, W / 2 - 15, W / 2 + 40, Black);
    EXPECT_EQ(textTop(d.image, inkRow, QStringLiteral("0123456789")), 952);
    const QRect label(W / 2 - 15, 946, 80, 19);
    EXPECT_EQ(d.image.copy(label), draw(makeStore({0, 0.5, 1}, {{1, 2, 3}})).image.copy(label));
}

TEST(CurveFigures, CursorMarkSitsJustBelowThePoint) {
    const PointStore s = makeStore({100, 101, 104}, {{11, 10, 13}});
    const Drawn d = draw(s);
    const QPoint c = centre(s, d.geometry, 1, 2);
    EXPECT_EQ(cursorMarkPosition(s, d.geometry, 1, 2), QPoint(c.x() - 1, c.y() + 2));
    EXPECT_FALSE(cursorMarkPosition(s, d.geometry, 2, 2));
    EXPECT_FALSE(cursorMarkPosition(s, d.geometry, 1, 4));
}

} // namespace
} // namespace quelmar
