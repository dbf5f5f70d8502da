#include "CurveFixture.h"

#include <QLabel>
#include <QPushButton>

namespace quelmar::test {
namespace {

using CurveKeysTest = CurveTest;

TEST_F(CurveKeysTest, ArrowsStepWithinTheViewAndWrapHomeAndEndReachTheEnds) {
    openEvenCurve(10);
    document().setCursorPoint(8);
    key(Qt::Key_Right);
    EXPECT_EQ(view().CursorPoint, 9);
    key(Qt::Key_Right); // 9 is not below 10 - 1: back to the start
    EXPECT_EQ(view().CursorPoint, 1);
    key(Qt::Key_Left); // nor does a step back land on the first point
    EXPECT_EQ(view().CursorPoint, 10);
    key(Qt::Key_Home);
    EXPECT_EQ(view().CursorPoint, 1);
    key(Qt::Key_End);
    EXPECT_EQ(view().CursorPoint, 10);
    EXPECT_EQ(edit("Edit3")->text(), "10");
}

TEST_F(CurveKeysTest, AStepOfFiveBackFromThreeWrapsToTheEndOfTheView) {
    openEvenCurve(100);
    find<QSpinBox>(panel(), "SpinEdit1")->setValue(5);
    document().setCursorPoint(3);
    key(Qt::Key_Left);
    EXPECT_EQ(view().CursorPoint, 100);
    key(Qt::Key_Left);
    EXPECT_EQ(view().CursorPoint, 95);
}

TEST_F(CurveKeysTest, UpAndDownGoToThePointsDrawnHighestAndLowest) {
    openCurve({{1, {5.0}}, {2, {3.0}}, {3, {9.0}}, {4, {4.0}}});
    key(Qt::Key_Up);
    EXPECT_EQ(view().CursorPoint, 2); // smallest value, at the top
    key(Qt::Key_Down);
    EXPECT_EQ(view().CursorPoint, 3);
    QTest::keyClick(&shell->mainWindow(), Qt::Key_R, Qt::ControlModifier); // flip
    ASSERT_TRUE(view().Flipped);
    key(Qt::Key_Up);
    EXPECT_EQ(view().CursorPoint, 3);
}

TEST_F(CurveKeysTest, CtrlUpAndDownChooseTheCursorChannelWithinTheChannels) {
    openEvenCurve(10);
    key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(view().CursorChannel, 2);
    EXPECT_EQ(panel().windowTitle(), "2 channel");
    key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(view().CursorChannel, 2);
    key(Qt::Key_Up, Qt::ControlModifier);
    key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(view().CursorChannel, 1);
    EXPECT_EQ(panel().windowTitle(), "1 channel");
}

TEST_F(CurveKeysTest, AltArrowsShiftTheViewByHalfThenStepTheCursor) {
    openEvenCurve(1000);
    showRange("1", "100");
    key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(shownRange(), std::make_pair(1, 51));
    EXPECT_EQ(view().CursorPoint, 51); // moved into the view, then a step back wraps
    showRange("901", "1000");
    key(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(shownRange(), std::make_pair(950, 1000));
    EXPECT_EQ(edit("Edit1")->text(), "950");
}

TEST_F(CurveKeysTest, OnlyExactlyOneModifierSelectsItsGroup) {
    openEvenCurve(100);
    showRange("1", "100");
    key(Qt::Key_Left, Qt::AltModifier | Qt::ShiftModifier); // the plain group: a step only
    EXPECT_EQ(shownRange(), std::make_pair(1, 100));
    key(Qt::Key_L, Qt::ShiftModifier); // Shift with L does nothing
    EXPECT_FALSE(view().ShowLines);
    key(Qt::Key_L, Qt::AltModifier | Qt::ControlModifier);
    EXPECT_TRUE(view().ShowLines);
}

TEST_F(CurveKeysTest, ZoomCharactersDoubleAndHalveTheHorizontalScale) {
    openEvenCurve(10);
    const double scale = curve().curveGeometry().XScale;
    type('+');
    EXPECT_EQ(view().XZoom, 2.0);
    EXPECT_DOUBLE_EQ(curve().curveGeometry().XScale, 2 * scale);
    type('-');
    type('-');
    EXPECT_EQ(view().XZoom, 0.5);
    EXPECT_EQ(shownRange(), std::make_pair(1, 10));
}

TEST_F(CurveKeysTest, LinesFlipAndWholeCurveByKeysAndGraphCommands) {
    openEvenCurve(30);
    key(Qt::Key_L);
    EXPECT_TRUE(view().ShowLines);
    QTest::keyClick(&shell->mainWindow(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_FALSE(view().ShowLines);
    clickMenuItem("graph1", "grfperev");
    EXPECT_TRUE(view().Flipped);
    showRange("5", "9");
    key(Qt::Key_A);
    EXPECT_EQ(shownRange(), std::make_pair(1, 30));
    EXPECT_EQ(edit("Edit2")->text(), "30");
}

TEST_F(CurveKeysTest, ECentresTheViewOnTheCursorWithinTheCurve) {
    openEvenCurve(20);
    showRange("1", "10");
    document().setCursorPoint(8);
    key(Qt::Key_E);
    EXPECT_EQ(shownRange(), std::make_pair(3, 12));
    document().setCursorPoint(19);
    key(Qt::Key_E); // shifted by 12 the view would pass the last point: it gets shorter
    EXPECT_EQ(shownRange(), std::make_pair(15, 20));
}

// Three seasons: 1 ... 8, 9 ... 16 and 17 ... 24, a day apart within, 23 days between.
std::vector<CurvePoint> seasons() {
    std::vector<CurvePoint> points;
    for (int s = 0; s < 3; ++s)
        for (int j = 0; j < 8; ++j)
            points.push_back({100.0 + 30 * s + j, {10.0 + j}});
    return points;
}

TEST_F(CurveKeysTest, CtrlArrowsJumpOverTheGapsBetweenSeasonsThenStep) {
    openCurve(seasons());
    document().setCursorPoint(10);
    key(Qt::Key_Right, Qt::ControlModifier); // lands on 17, the first after the gap
    EXPECT_EQ(view().CursorPoint, 18);
    document().setCursorPoint(15);
    key(Qt::Key_Left, Qt::ControlModifier); // lands on 8, the last before the gap
    EXPECT_EQ(view().CursorPoint, 7);
    // Near the ends the mean takes the gaps that exist.
    document().setCursorPoint(2);
    key(Qt::Key_Left, Qt::ControlModifier); // reaches the first point, then wraps to the end
    EXPECT_EQ(view().CursorPoint, 24);
    document().setCursorPoint(23);
    key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(view().CursorPoint, 1);
}

TEST_F(CurveKeysTest, CtrlESelectsTheSeasonAroundTheCursor) {
    openCurve(seasons());
    document().setCursorPoint(12);
    key(Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(shownRange(), std::make_pair(9, 16));
    EXPECT_EQ(view().CursorPoint, 12);
    key(Qt::Key_A);
    document().setCursorPoint(2); // no wide gap before the first season: the bound stays
    key(Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(shownRange(), std::make_pair(1, 8));
    key(Qt::Key_A);
    document().setCursorPoint(24);
    key(Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(shownRange(), std::make_pair(17, 24));
}

TEST_F(CurveKeysTest, ATypedRangeIsLimitedToThePointsAndPutInOrder) {
    openEvenCurve(50);
    showRange("40", "5");
    EXPECT_EQ(shownRange(), std::make_pair(5, 40));
    showRange("-3", "900");
    EXPECT_EQ(shownRange(), std::make_pair(1, 50));
    EXPECT_EQ(edit("Edit2")->text(), "50");
    EXPECT_TRUE(messages().empty());
}

TEST_F(CurveKeysTest, ATypedRangeThatIsNoIntegerIsReportedAndChangesNothing) {
    openEvenCurve(50);
    showRange("10", "20");
    showRange("12", "2x");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "'2x' is not a valid integer value");
    EXPECT_EQ(shownRange(), std::make_pair(10, 20));
}

TEST_F(CurveKeysTest, LeavingEdit2OrEnterInEdit1AppliesTheCorrectedRange) {
    openEvenCurve(50);
    edit("Edit1")->setText("30");
    edit("Edit2")->setText("7");
    emit edit("Edit2")->editingFinished();
    EXPECT_EQ(shownRange(), std::make_pair(7, 30));
    EXPECT_EQ(edit("Edit1")->text(), "7");
    edit("Edit1")->setText("12");
    QTest::keyClick(edit("Edit1"), Qt::Key_Return);
    EXPECT_EQ(shownRange(), std::make_pair(12, 30));
}

TEST_F(CurveKeysTest, GoToPointIsLimitedToTheWholeCurve) {
    openEvenCurve(50);
    showRange("10", "20");
    edit("Edit3")->setText("99");
    emit edit("Edit3")->editingFinished();
    EXPECT_EQ(view().CursorPoint, 50);
    EXPECT_EQ(edit("Edit3")->text(), "50");
    edit("Edit3")->setText("-4");
    emit edit("Edit3")->editingFinished();
    EXPECT_EQ(view().CursorPoint, 1);
}

TEST_F(CurveKeysTest, KeysTypedIntoThePanelActButItsCharactersDoNotZoom) {
    openEvenCurve(10);
    QTest::keyClick(&panel(), Qt::Key_End);
    EXPECT_EQ(view().CursorPoint, 10);
    QTest::keyClick(&panel(), '+');
    EXPECT_EQ(view().XZoom, 1.0);
}

// The keys typed while a button of the panel has the focus, as a user types them.
TEST_F(CurveKeysTest, KeysTypedOnAFocusedPanelButtonActAsTheKeyTableSays) {
    std::vector<CurvePoint> points = seasons(); // the fourth point of each season is faintest
    for (std::size_t i = 0; i < points.size(); ++i)
        points[i].values = {i % 8 == 3 ? 19.0 : 10.0};
    openCurve(points, "10000+210");
    activate(panel());
    auto* forward = find<QPushButton>(panel(), "forwbtn");
    QTest::mouseClick(forward, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), forward);
    EXPECT_EQ(view().CursorPoint, 2);
    const auto typed = [&](Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, modifiers);
    };
    typed(Qt::Key_Right);
    EXPECT_EQ(view().CursorPoint, 3);
    typed(Qt::Key_Right, Qt::AltModifier); // half shift to 12 ... 24, then a step
    EXPECT_EQ(shownRange(), std::make_pair(12, 24));
    EXPECT_EQ(view().CursorPoint, 13);
    typed(Qt::Key_Down); // the first largest value in view, drawn lowest
    EXPECT_EQ(view().CursorPoint, 12);
    typed(Qt::Key_E, Qt::ControlModifier); // its season, within the view
    EXPECT_EQ(shownRange(), std::make_pair(12, 16));
    EXPECT_EQ(QApplication::focusWidget(), forward);
    typed(Qt::Key_Space); // the button keeps its own key
    EXPECT_EQ(view().CursorPoint, 13);
}

TEST_F(CurveKeysTest, ThePanelHasItsDesignSizeAndEveryControlFitsInIt) {
    openEvenCurve(10, "10000+210");
    // The design's size, wider only as far as its caption needs.
    EXPECT_EQ(panel().height(), 234);
    EXPECT_GE(panel().width(), 141);
    for (const char* range : {"Button3", "Label4", "Button1"})
        find<QWidget>(panel(), range)->show();
    QApplication::processEvents();
    for (QWidget* control : panel().findChildren<QWidget*>()) {
        if (!control->isVisible() || control->parentWidget() != &panel()) continue;
        EXPECT_TRUE(panel().rect().contains(control->geometry()))
            << control->objectName().toStdString();
    }
}

// A cursor on point 360 of one file, then a file of 106 points.
TEST_F(CurveKeysTest, ACursorBeyondAShorterFileNamesItsLastPointAndEveryWalkStaysInside) {
    const QString examples = QStringLiteral(QUELMAR_SOURCE_DIR "/examples/");
    writeLanguage(work(), "en");
    writeSettings("en");
    start({examples + "ogle_lmc_rrlyr_00003.dat"});
    activate(shell->mainWindow());
    key(Qt::Key_End);
    ASSERT_EQ(view().CursorPoint, 360);
    desktop.fileAnswers.push_back(examples + "sdss_rrlyr_3565718_ugriz.dat");
    shell->mainWindow().openCurveFile();
    ASSERT_EQ(store().PointCount, 106);
    EXPECT_EQ(view().CursorPoint, 106);
    const auto expectInside = [&] {
        EXPECT_GE(store().ViewFirst, 1);
        EXPECT_LE(store().ViewFirst, store().ViewLast);
        EXPECT_LE(store().ViewLast, 106);
        EXPECT_GE(view().CursorPoint, 1);
        EXPECT_LE(view().CursorPoint, 106);
    };
    key(Qt::Key_E, Qt::ControlModifier);
    EXPECT_GT(store().ViewLast - store().ViewFirst, 0); // a season, not one point
    expectInside();
    key(Qt::Key_Left, Qt::ControlModifier);
    expectInside();
    key(Qt::Key_Left, Qt::AltModifier);
    expectInside();

    // Deleting the last point leaves the cursor on the new last one.
    key(Qt::Key_A);
    key(Qt::Key_End);
    desktop.questionAnswers = {true};
    key(Qt::Key_Delete);
    EXPECT_EQ(store().PointCount, 105);
    EXPECT_EQ(view().CursorPoint, 105);
}

TEST_F(CurveKeysTest, ThePanelShowsTheCursorPoint) {
    openCurve({{2, {9.5}}, {4, {9.75}}, {0, {9.25}}}, "10000+210");
    EXPECT_TRUE(panel().isVisible());
    key(Qt::Key_End);
    EXPECT_EQ(find<QLabel>(panel(), "LPoint")->text(), "No. 3 of 3");
    EXPECT_EQ(find<QLabel>(panel(), "LX")->text(), "X: 4.00000000");
    EXPECT_EQ(find<QLabel>(panel(), "LY")->text(), "Y: 9.7500");
    EXPECT_EQ(find<QLabel>(panel(), "L1x")->text(), "1/X: 0.25000000");
    key(Qt::Key_Home); // time 0 has no reciprocal
    EXPECT_EQ(find<QLabel>(panel(), "L1x")->text(), "");
    curve().showMinimized();
    EXPECT_FALSE(panel().isVisible());
    curve().showNormal();
    EXPECT_TRUE(panel().isVisible());
}

TEST_F(CurveKeysTest, AFileOpenedAfterAZoomIsShownWhole) {
    openEvenCurve(20);
    showRange("5", "10");
    ASSERT_EQ(shownRange(), std::make_pair(5, 10));
    desktop.fileAnswers.push_back(writeText(inWork("other.dat"), "1 9\r\n2 8\r\n3 7\r\n"));
    shell->mainWindow().openCurveFile();
    EXPECT_EQ(shownRange(), std::make_pair(1, 3));
}

} // namespace
} // namespace quelmar::test
