// Pixels of the options: joining lines, grid, marker shapes and the value labels.

#include "CurveFixtures.h"

#include "core/ObservationFile.h"

#include <gtest/gtest.h>

namespace quelmar {
namespace {

using namespace test;

TEST(CurvePixels, LinesAreGreenAndNoneLeavesTheLastPointOfTheView) {
    PointStore s = makeStore({0, 1, 2, 3}, {{1, 3, 2, 4}, {5, 5.5, 6, 5.2}});
    s.ViewLast = 3; // point 4 lies beyond the view
    ViewState view;
    view.ShowLines = true;
    view.XZoom = 0.5; // the left half of the plot holds the view; point 4 would lie at x = 657
    QImage image = surface();
    const CurveGeometry g = drawCurve(image, s, view, {}, {});
    const QPoint a = centre(s, g, 1, 1);
    const QPoint b = centre(s, g, 1, 2);
    // Halfway between points 1 and 2 a green line crosses each band (no channel is green).
    const int midX = (a.x() + b.x()) / 2;
    auto greenRows = [&](int top, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            n += at(image, midX, y) == Green;
        return n;
    };
    const int between = static_cast<int>(g.BandTop[1]) + 9;
    EXPECT_GT(greenRows(10, between), 0);
    EXPECT_GT(greenRows(between, H - 35), 0);
    const QPoint last = centre(s, g, 1, 3);
    EXPECT_EQ(columnsWith(image, last.y(), last.x() + 3, W - 3, Green), 0);
    int beyond = 0;
    for (int y = 12; y < H - 34; ++y)
        beyond += columnsWith(image, y, last.x() + 3, W - 4, Green);
    EXPECT_EQ(beyond, 0);
}

TEST(CurvePixels, TheNextMarkerCoversTheEndOfTheLine) {
    const PointStore s = makeStore({0, 1}, {{1, 2}});
    ViewState view;
    view.ShowLines = true;
    QImage image = surface();
    const CurveGeometry g = drawCurve(image, s, view, {}, {});
    const QPoint end = centre(s, g, 1, 2);
    EXPECT_EQ(at(image, end.x(), end.y()), Black);
    EXPECT_EQ(at(image, end.x() - 1, end.y() - 1), Aqua);
}

TEST(CurvePixels, GridDrawsTheDivisionsAcrossAndTheExtremesAlong) {
    const PointStore s = makeStore({100, 101, 104}, {{11, 10, 13}});
    AppSettings settings;
    settings.ShowGrid = true;
    QImage image = surface();
    const CurveGeometry g = drawCurve(image, s, {}, settings, {});
    for (int x : {55, 205, 356, 507, 657, 807, 958, 1109, 1259}) {
        EXPECT_EQ(at(image, x, 2), Blue) << x;
        EXPECT_EQ(at(image, x, 600), Blue) << x;
        EXPECT_EQ(at(image, x, H - 22), Blue) << x;
    }
    EXPECT_EQ(columnsWith(image, 600, 45, W - 3, Blue), 9);
    // Horizontal lines at the smallest (y = 10) and largest (y = 932) value, x = 44 ... W - 2.
    EXPECT_EQ(columnsWith(image, 932, 46, W - 3, Blue), W - 3 - 46 + 1);
    EXPECT_EQ(at(image, W - 2, 932), Blue);
    EXPECT_EQ(g.ChannelMinPoint[1], 2);
    // Every grid line runs down to the frame; tick marks would leave four of them short.
    EXPECT_EQ(columnsWith(image, H - 27, 45, W - 3, Blue), 9);
}

TEST(CurvePixels, SquareMarkersFillTheirBoxWithABlackOutline) {
    const PointStore s = makeStore({0, 1, 2}, {{1, 3, 2}});
    AppSettings settings;
    settings.Shape = PointShape::Square;
    settings.PointSize = 8; // box x - 4 ... x + 3
    QImage image = surface();
    const CurveGeometry g = drawCurve(image, s, {}, settings, {});
    const QPoint c = centre(s, g, 1, 3);
    EXPECT_EQ(at(image, c.x() - 4, c.y() - 4), Black);
    EXPECT_EQ(at(image, c.x() + 3, c.y() + 3), Black);
    EXPECT_EQ(at(image, c.x() + 4, c.y()), White);
    EXPECT_EQ(at(image, c.x() + 2, c.y() + 2), Aqua);
    EXPECT_EQ(at(image, c.x(), c.y()), Black);
    EXPECT_EQ(at(image, c.x() - 1, c.y()), Aqua);
}

TEST(CurvePixels, SymbolMarkersAreTextOnTheChannelColour) {
    const PointStore s = makeStore({0, 1, 2}, {{1, 3, 2}});
    AppSettings settings;
    settings.Shape = PointShape::Symbol;
    settings.PointSymbol = "W";
    QImage image = surface();
    const CurveGeometry g = drawCurve(image, s, {}, settings, {});
    const QPoint c = centre(s, g, 1, 3);
    const int r = 2;
    EXPECT_EQ(at(image, c.x() - r, c.y() - r), Aqua); // the top-left of the text box
    int glyph = 0;
    for (int y = c.y() - r; y < c.y() + 10; ++y)
        for (int x = c.x() - r; x < c.x() + 10; ++x)
            glyph += at(image, x, y) == Black;
    EXPECT_GT(glyph, 5);
}

TEST(CurvePixels, ValueLabelsMarkTheEdgesOfEachBand) {
    const PointStore s = makeStore({1, 2, 3}, {{5, 6, 5.5}, {1, 4, 2}});
    QImage image = surface();
    const CurveGeometry g = drawCurve(image, s, {}, {}, {});
    auto textRows = [&](int top, int bottom) {
        int n = 0;
        for (int y = top; y <= bottom; ++y)
            n += columnsWith(image, y, 3, 43, Black);
        return n;
    };
    const int h0 = 13;
    // Band 1 begins at y = 10 and ends at y = 242 - 2; band 2 runs from 242 to 10 + 925.
    EXPECT_GT(textRows(10, 10 + h0), 0);
    EXPECT_GT(textRows(242 - h0, 241), 0);
    EXPECT_GT(textRows(242, 242 + h0), 0);
    EXPECT_GT(textRows(935 - h0, 934), 0);
    EXPECT_EQ(textRows(300, 800), 0);
    EXPECT_EQ(g.BandTop[2], 925);
}

TEST(CurvePixels, DecimalsOfTheLabelsChangeTheirWidth) {
    const PointStore s = makeStore({100, 101, 104}, {{11, 10, 13}});
    auto labelInk = [&](int decimals) {
        PlotOptions options;
        options.XAxisDecimals = decimals;
        QImage image = surface();
        drawCurve(image, s, {}, {}, options);
        int right = 0;
        for (int y = 952; y < H - 2; ++y)
            for (int x = 20; x < 200; ++x)
                if (at(image, x, y) == Black) right = std::max(right, x);
        return right;
    };
    EXPECT_GT(labelInk(6), labelInk(0) + 20);
}

TEST(CurvePixels, LabelFontsAndColoursAreHonoured) {
    const PointStore s = makeStore({100, 101, 104}, {{11, 10, 13}});
    PlotOptions options;
    options.XAxisFont.colour = qRgb(255, 0, 0);
    options.YAxisFont.font.setPointSize(20);
    QImage image = surface();
    drawCurve(image, s, {}, {}, options);
    EXPECT_GT(
        countPixels(image, [](int, int y, QRgb c) { return y >= 952 && c == qRgb(255, 0, 0); }),
        10);
    int tall = 0;
    for (int y = 10; y < 10 + 25; ++y)
        tall = columnsWith(image, y, 3, 43, Black) ? y : tall;
    EXPECT_GT(tall, 10 + 15);
}

// A label that would cover another is left out whole.
TEST(CurvePixels, LabelsThatWouldOverlapAreLeftOut) {
    const PointStore s = makeStore({100, 101, 104}, {{11, 10, 13}});
    auto redInk = [](const QImage& image) {
        std::pair<int, int> span{image.width(), -1};
        countPixels(image, [&](int x, int, QRgb c) {
            if (c != qRgb(255, 0, 0)) return false;
            span = {std::min(span.first, x), std::max(span.second, x)};
            return true;
        });
        return span;
    };
    // On a narrow picture the middle time would cover the first one; the last, too long for
    // its place, ends at the picture's edge.
    PlotOptions options;
    options.XAxisFont.colour = qRgb(255, 0, 0);
    options.XAxisDecimals = 12;
    QImage narrow = surface(260, 200);
    drawCurve(narrow, s, {}, {}, options);
    const int firstWidth =
        Canvas(narrow).textWidth(QStringLiteral("100.000000000000"), options.XAxisFont.font);
    const int lastWidth =
        Canvas(narrow).textWidth(QStringLiteral("104.000000000000"), options.XAxisFont.font);
    const auto [left, right] = redInk(narrow);
    EXPECT_GE(left, 20);
    EXPECT_LE(right, 260 - 6);
    QImage between = narrow.copy(20 + firstWidth, 0, 260 - 6 - lastWidth - 20 - firstWidth, 200);
    ASSERT_GT(between.width(), 0);
    EXPECT_EQ(redInk(between).second, -1) << "no middle label between them";
}

// Each band is named at its upper left corner by a square of its markers' colour and the name
// the file gives its channel, or the channel's number.
TEST(CurvePixels, EachBandIsNamedBesideASquareOfItsMarkerColour) {
    PointStore s = makeStore({100, 101, 104}, {{11, 10, 13}, {1, 2, 3}});
    auto legendInk = [](const PointStore& store, int band) {
        QImage image = surface();
        const CurveGeometry g = drawCurve(image, store, {}, {}, {});
        const int top = static_cast<int>(PlotTop + g.BandTop[static_cast<std::size_t>(band)]) + 2;
        const int h = Canvas(image).textHeight(designLabelFont().font);
        EXPECT_GT(columnsWith(image, top + h / 2, g.frameLeft() + 2, g.frameLeft() + 14,
                              ChannelColours[static_cast<std::size_t>(band + 1)]),
                  2)
            << "band " << band + 1;
        int ink = 0;
        for (int y = top; y < top + h; ++y)
            ink += columnsWith(image, y, g.frameLeft() + 14, g.frameLeft() + 80, Black);
        return ink;
    };
    const int numbered = legendInk(s, 1);
    s.ChannelNames = {"PDCSAP", "σ PDCSAP"};
    EXPECT_GT(legendInk(s, 1), numbered + 20) << "the name is wider than the number";
    legendInk(s, 0);
}

// The last time, a full Julian date too long for the room right of the last point, keeps clear
// of the frame's right lines at small and large sizes alike.
TEST(CurvePixels, TheLastTimeStaysInsideTheRightFrame) {
    const PointStore s = makeStore({2459000.5, 2459001.25, 2459004.518}, {{11, 10, 13}});
    for (int size : {8, 14}) {
        PlotOptions options;
        options.XAxisFont.colour = qRgb(255, 0, 0);
        options.XAxisFont.font.setPointSize(size);
        QImage image = surface();
        drawCurve(image, s, {}, {}, options);
        int right = 0;
        countPixels(image, [&](int x, int, QRgb c) {
            if (c != qRgb(255, 0, 0)) return false;
            right = std::max(right, x);
            return true;
        });
        const int width =
            Canvas(image).textWidth(QStringLiteral("2459004.5180"), options.XAxisFont.font);
        EXPECT_GT(right, W - width - 12) << size << " pt: the last time is drawn";
        EXPECT_LE(right, W - 5) << size << " pt: a gap before the frame's lines";
    }
}

// The margins grow with a large axis font: every label of the bundled example is drawn whole,
// the time labels below the frame and the value labels left of it, and the points follow.
TEST(CurvePixels, ALargeAxisFontWidensTheMarginsSoEveryLabelIsDrawn) {
    const PointStore s =
        loadPointStore(QUELMAR_SOURCE_DIR "/examples/ogle_lmc_rrlyr_00003.dat", 2).store;
    ASSERT_EQ(s.ChannelCount, 2);
    const QRgb red = qRgb(255, 0, 0);
    const QRgb maroon = qRgb(128, 0, 0);
    PlotOptions options;
    options.XAxisFont.colour = red;
    options.YAxisFont.colour = maroon;
    options.XAxisFont.font.setPointSize(20);
    options.YAxisFont.font.setPointSize(20);
    QImage image = surface();
    const CurveGeometry g = drawCurve(image, s, {}, {}, options);
    ASSERT_LT(g.frameBottom(), H - FrameBottomGap);
    ASSERT_GT(g.frameLeft(), FrameLeft);
    EXPECT_EQ(at(image, g.frameLeft(), H / 2), Blue) << "the frame's left line moved";

    // Red ink under each third of the picture: the first, middle and last time.
    std::array<int, 3> timeInk{};
    int top = H, bottom = 0;
    countPixels(image, [&](int x, int y, QRgb c) {
        if (c != red) return false;
        ++timeInk[static_cast<std::size_t>(x * 3 / W)];
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        return true;
    });
    EXPECT_GT(timeInk[0], 50);
    EXPECT_GT(timeInk[1], 50);
    EXPECT_GT(timeInk[2], 50);
    EXPECT_GT(top, g.frameBottom());
    EXPECT_LT(bottom, H - 1);

    // Two value labels at the edges of each band; the widest reaches the frame's left line as
    // the design font's labels do.
    int right = 0;
    auto valueInk = [&](double from, double to) {
        int n = 0;
        for (int y = static_cast<int>(from); y < static_cast<int>(to); ++y)
            for (int x = 0; x < W; ++x)
                if (at(image, x, y) == maroon) {
                    ++n;
                    right = std::max(right, x);
                }
        return n;
    };
    const double h0 = Canvas(image).textHeight(options.YAxisFont.font);
    for (int k = 1; k <= 2; ++k) {
        EXPECT_GT(valueInk(PlotTop + g.BandTop[k - 1], PlotTop + g.BandTop[k - 1] + h0), 20) << k;
        EXPECT_GT(valueInk(PlotTop + g.BandTop[k] - h0, PlotTop + g.BandTop[k]), 20) << k;
    }
    EXPECT_NEAR(right, g.frameLeft(), 4) << "the margin is as wide as the labels need";
    EXPECT_EQ(*xOfTime(g, s.time(1)), g.plotLeft()) << "the first point follows the frame";
}

} // namespace
} // namespace quelmar
