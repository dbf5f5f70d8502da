// The mouse finds the same points as testing every point would, without testing every point.

#include "plot/CurveHitTest.h"
#include "CurveFixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace quelmar {
namespace {

using test::makeStore;

std::vector<int> everyPointNear(const PointStore& s, const CurveGeometry& g, int k, Coord X,
                                Coord Y, int reach) {
    std::vector<int> hits;
    const ChannelPlacement p(s, g, k);
    for (int i = 1; i <= s.PointCount; ++i) {
        const auto x = p.x(i);
        const auto y = p.y(i);
        if (x && y && std::llabs(*x - X) <= reach && std::llabs(*y - Y) <= reach) hits.push_back(i);
    }
    return hits;
}

PointStore denseStore() {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> step(0.0, 0.001);
    std::normal_distribution<double> value(12.0, 0.3);
    std::vector<double> times;
    std::vector<std::vector<double>> values(2);
    double t = 2450000.0;
    for (int i = 0; i < 20000; ++i) {
        t += i % 5 == 0 ? 0.0 : step(rng);
        times.push_back(t);
        for (auto& c : values)
            c.push_back(value(rng));
    }
    return makeStore(times, values);
}

TEST(CurveHitTest, FindsWhatTestingEveryPointFinds) {
    PointStore s = denseStore();
    struct Case {
        int width, first, last;
        double zoom;
    };
    // The whole curve; a zoomed middle (points outside the view count too); a surface narrower
    // than the margins, where time runs from right to left.
    for (const Case c : {Case{1274, 0, 0, 1.0}, Case{800, 5000, 9000, 2.0}, Case{60, 0, 0, 1.0}}) {
        s.ViewFirst = c.first;
        s.ViewLast = c.last;
        ViewState view;
        view.XZoom = c.zoom;
        QImage image = test::surface(c.width, 500);
        const CurveGeometry g = drawCurve(image, s, view, {}, {});
        std::mt19937 rng(9);
        std::uniform_int_distribution<int> px(-20, c.width + 20);
        std::uniform_int_distribution<int> py(0, 500);
        for (int trial = 0; trial < 300; ++trial) {
            const int X = px(rng), Y = py(rng), k = 1 + trial % 2, reach = 1 + trial % 3;
            ASSERT_EQ(pointsNear(s, g, k, X, Y, reach), everyPointNear(s, g, k, X, Y, reach))
                << "width " << c.width << " at " << X << "," << Y;
        }
    }
}

TEST(CurveHitTest, TheMouseTakesTheLastHitOfTheShownChannels) {
    // Two channels with the same values lie at the same height in bands of equal size.
    PointStore s = makeStore({0, 1, 2, 2}, {{1, 2, 3, 3}, {1, 2, 3, 3}});
    QImage image = test::surface();
    CurveGeometry g = drawCurve(image, s, {}, {}, {});
    const ChannelPlacement one(s, g, 1);
    const ChannelPlacement two(s, g, 2);
    const auto hit = pointUnderMouse(s, g, *two.x(3) + 1, *two.y(3) - 1);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->channel, 2);
    EXPECT_EQ(hit->point, 4); // points 3 and 4 share the position; the later one stays
    EXPECT_FALSE(pointUnderMouse(s, g, *two.x(3) + 2, *two.y(3)));

    s.ChannelVisible[2] = false;
    g = drawCurve(image, s, {}, {}, {});
    const auto first = pointUnderMouse(s, g, *one.x(2), *ChannelPlacement(s, g, 1).y(2));
    ASSERT_TRUE(first);
    EXPECT_EQ(first->channel, 1);
    EXPECT_EQ(first->point, 2);
    // A press reaches two pixels, in the given channel whether it is shown or not.
    EXPECT_EQ(pointsNear(s, g, 1, *one.x(2) - 2, *ChannelPlacement(s, g, 1).y(2) + 2, 2),
              std::vector<int>{2});
}

} // namespace
} // namespace quelmar
