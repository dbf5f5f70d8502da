#include "plot/TwoChannelDiagram.h"
#include "CurveFixtures.h"

#include <gtest/gtest.h>

using namespace quelmar;
using namespace quelmar::test;

namespace {

// Three channels of ten points: channel 1 rises 1 ... 10, channel 2 falls 20 ... 2, channel 3
// is channel 1 squared.
PointStore threeChannels() {
    std::vector<double> t, a, b, c;
    for (int i = 1; i <= 10; ++i) {
        t.push_back(i);
        a.push_back(i);
        b.push_back(22 - 2 * i);
        c.push_back(i * i);
    }
    return makeStore(t, {a, b, c});
}

struct Diagram {
    PointStore store;
    CurveGeometry curve;
    DiagramLayout layout;
    QImage image;
};

Diagram drawnDiagram(PointStore store, int width = 492, int height = 465, int pointSize = 4) {
    Diagram d{std::move(store), {}, {}, QImage(width, height, QImage::Format_RGB32)};
    d.curve = measureCurve(d.store, {}, W, H);
    AppSettings settings;
    settings.PointSize = pointSize;
    d.layout = drawDiagram(d.image, d.store, d.curve, settings, {}, QStringLiteral("no channel"));
    return d;
}

} // namespace

TEST(TwoChannelDiagram, CellsFillTheImageWithTwelvePixelMargins) {
    const Diagram d = drawnDiagram(threeChannels());
    EXPECT_EQ(diagramCaption(d.layout), "nvis=3; Wn=148; hn=139");
    ASSERT_EQ(d.layout.cells.size(), 9u);
    const int lefts[] = {12, 172, 332};
    const int tops[] = {12, 163, 314};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            const DiagramCell& cell = d.layout.cells[std::size_t(r * 3 + c)];
            EXPECT_EQ(cell.left, lefts[c]);
            EXPECT_EQ(cell.top, tops[r]);
            EXPECT_EQ(cell.xChannel, c + 1);
            EXPECT_EQ(cell.yChannel, r + 1);
        }
    // The image's blue frame two pixels wide, each cell's frame one pixel inside its edge.
    EXPECT_EQ(at(d.image, 1, 200), Blue);
    EXPECT_EQ(at(d.image, 2, 200), White);
    EXPECT_EQ(at(d.image, 172, 163), White);
    EXPECT_EQ(at(d.image, 173, 164), Blue);
    EXPECT_EQ(at(d.image, 172 + 146, 163 + 137), Blue);
}

// The smallest value of the view lies R + 2 pixels inside the cell's edge, the largest R + 2
// inside the opposite edge; each point is a circle with its black centre dot.
TEST(TwoChannelDiagram, PointsSpanTheCellInsideItsBorder) {
    const Diagram d = drawnDiagram(threeChannels());
    const DiagramCell& cell = *d.layout.cellAt(2, 1); // channel 1 across, channel 2 down
    EXPECT_EQ(cell.place(d.store, 1), QPoint(4, 139 - 4));
    EXPECT_EQ(cell.place(d.store, 10), QPoint(148 - 4, 4));
    EXPECT_EQ(markerPosition(cell, d.store, 10), QPoint(12 + 144, 163 + 4));
    EXPECT_EQ(markerPosition(cell, d.store, 11), QPoint(12, 163)); // outside: the corner
    EXPECT_EQ(at(d.image, 12 + 144, 163 + 4), Black);
    EXPECT_EQ(at(d.image, 12 + 144 - 2, 163 + 4), Black); // the circle's outline
}

TEST(TwoChannelDiagram, OnlyShownChannelsGetRowsAndColumns) {
    PointStore store = threeChannels();
    store.ChannelVisible[2] = false;
    const Diagram d = drawnDiagram(store);
    ASSERT_EQ(d.layout.cells.size(), 4u);
    EXPECT_EQ(d.layout.cells[1].xChannel, 3);
    EXPECT_EQ(d.layout.cells[2].yChannel, 3);
    EXPECT_EQ(d.layout.cellAt(2, 2), nullptr);

    store.ChannelVisible.assign(4, false);
    const Diagram none = drawnDiagram(store);
    EXPECT_TRUE(none.layout.cells.empty());
    EXPECT_GT(countPixels(none.image, [](int, int, QRgb c) { return c == Black; }), 20);
}

TEST(TwoChannelDiagram, MouseReadsTheCellAndPicksTheLastPointUnderIt) {
    PointStore store = threeChannels();
    store.ChannelValues[1][7] = store.ChannelValues[1][3]; // points 3 and 7 share a column
    store.ChannelValues[2][7] = store.ChannelValues[2][3];
    const Diagram d = drawnDiagram(store);
    const DiagramCell& cell = *d.layout.cellAt(1, 2);
    const QPoint p3 = *markerPosition(cell, d.store, 3);
    const DiagramHit hit = diagramHit(d.layout, d.store, p3.x() + 1, p3.y() - 1);
    EXPECT_EQ(hit.xChannel, 2);
    EXPECT_EQ(hit.yChannel, 1);
    EXPECT_EQ(hit.point, 7);
    EXPECT_EQ(mouseCaption(312, 145, {2, 1, std::nullopt}), "312;145Num2;1");
    EXPECT_EQ(mouseCaption(p3.x() + 1, p3.y() - 1, hit),
              QStringLiteral("%1;%2Num2;1 7").arg(p3.x() + 1).arg(p3.y() - 1));
    // The box test is strict: R = 2 reaches one pixel, not two.
    EXPECT_FALSE(diagramHit(d.layout, d.store, p3.x() + 2, p3.y()).point);

    const DiagramHit margin = diagramHit(d.layout, d.store, 166, 100);
    EXPECT_EQ(mouseCaption(166, 100, margin), "166;100Num0;0");

    const Diagram single = drawnDiagram(threeChannels(), 492, 465, 1); // R = 0 picks nothing
    const QPoint q = *markerPosition(*single.layout.cellAt(1, 2), single.store, 3);
    EXPECT_FALSE(diagramHit(single.layout, single.store, q.x(), q.y()).point);
}

// A channel with equal extremes gives empty cells; a missing value is not plotted.
TEST(TwoChannelDiagram, FlatChannelsAndMissingValuesDrawNothing) {
    PointStore store = threeChannels();
    store.ChannelValues[3].assign(11, 5.0);
    store.ChannelValues[2][4] = 0;
    store.maskOf(2)[4] = 1;
    const Diagram d = drawnDiagram(store);
    const DiagramCell& flat = *d.layout.cellAt(3, 1);
    EXPECT_FALSE(flat.scalable);
    EXPECT_FALSE(markerPosition(flat, d.store, 2));
    EXPECT_EQ(countPixels(d.image,
                          [&](int x, int y, QRgb c) {
                              return x > flat.left + 1 && x < flat.left + flat.width - 2 &&
                                     y > flat.top + 1 && y < flat.top + flat.height - 2 &&
                                     c != White;
                          }),
              0);
    const DiagramCell& cell = *d.layout.cellAt(2, 1);
    EXPECT_FALSE(cell.place(d.store, 4));
    EXPECT_TRUE(cell.place(d.store, 5));
}
