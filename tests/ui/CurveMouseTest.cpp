#include "CurveFixture.h"

namespace quelmar::test {
namespace {

class CurveMouseTest : public CurveTest {
protected:
    void press(QPoint at) { QTest::mousePress(picture(), Qt::LeftButton, {}, at); }
    void release(QPoint at) { QTest::mouseRelease(picture(), Qt::LeftButton, {}, at); }
    void drag(int from, int to) {
        press(centreOf(1, from));
        release(centreOf(1, to));
    }
};

TEST_F(CurveMouseTest, ADragOfMoreThanThreePointsZoomsOntoTheSpan) {
    openEvenCurve(100);
    drag(20, 22);
    EXPECT_EQ(shownRange(), std::make_pair(1, 100));
    drag(20, 40);
    EXPECT_EQ(shownRange(), std::make_pair(20, 40));
    EXPECT_EQ(edit("Edit1")->text(), "20");
    key(Qt::Key_A);
    drag(40, 20);
    EXPECT_EQ(shownRange(), std::make_pair(20, 40));
}

TEST_F(CurveMouseTest, APressOnNoPointKeepsTheAnchor) {
    openEvenCurve(100);
    press(centreOf(1, 30));
    release(centreOf(1, 30));
    press(QPoint(5, 5));
    release(centreOf(1, 60));
    EXPECT_EQ(shownRange(), std::make_pair(30, 60));
}

TEST_F(CurveMouseTest, AReleaseZoomsOnceAgainstTheScalesItWasMadeOn) {
    // Points 1 ... 4 at one place: a release there meets several points far from the anchor.
    std::vector<CurvePoint> points;
    for (int i = 1; i <= 4; ++i)
        points.push_back({100.0, {10.0}});
    for (int i = 5; i <= 40; ++i)
        points.push_back({100.0 + i, {10.0 + i}});
    openCurve(points);
    press(centreOf(1, 40));
    release(centreOf(1, 1));
    EXPECT_EQ(shownRange(), std::make_pair(1, 40));
}

TEST_F(CurveMouseTest, HoveringOverAPointOfChannelTwoMakesItTheCursorChannel) {
    openCurve({{2451544.5, {10.25, 3.5}}, {2451545.5, {10.5, 4.125}}, {2451546.5, {10.75, 3.0}}},
              "10000+200");
    const QPoint over = centreOf(2, 2) + QPoint(1, -1);
    QTest::mouseMove(picture(), over);
    EXPECT_EQ(view().CursorChannel, 2);
    EXPECT_EQ(view().CursorPoint, 2);
    EXPECT_EQ(panel().windowTitle(), "2 channel");
    EXPECT_EQ(picture()->toolTip(), "№ 2 (2451545.5; 4.125)");
    EXPECT_EQ(edit("Edit3")->text(), "2");
    // Two pixels away is no longer over it.
    document().setCursorPoint(1);
    QTest::mouseMove(picture(), centreOf(2, 2) + QPoint(2, 0));
    EXPECT_EQ(view().CursorPoint, 1);
}

TEST_F(CurveMouseTest, TheCursorMarkSitsBesideTheCursorPoint) {
    openEvenCurve(10);
    key(Qt::Key_End);
    const QWidget* mark = find<QWidget>(curve(), "cursor");
    EXPECT_TRUE(mark->isVisible());
    EXPECT_EQ(mark->size(), QSize(3, 13));
    EXPECT_EQ(mark->pos(), centreOf(1, 10) + QPoint(-1, 2));
}

} // namespace
} // namespace quelmar::test
