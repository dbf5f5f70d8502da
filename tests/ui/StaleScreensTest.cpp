// Every window follows the light-curve document: after another file, a reload, a decomposition
// or a change of the data file on disk, nothing on screen shows what was there before.

#include "CurveFixture.h"

#include "core/TextFile.h"
#include "ui/ExtremaWindow.h"
#include "ui/TwoChannelDiagramWindow.h"
#include "ui/Workbench.h"

#include <QLabel>
#include <QListWidget>
#include <QTimer>

#include <cmath>

namespace quelmar::test {
namespace {

class StaleScreensTest : public CurveTest {
protected:
    QString writeCurve(const QString& name, int n) {
        std::string text;
        for (int i = 1; i <= n; ++i)
            text += std::to_string(2000 + i) + ' ' + std::to_string(10 + std::sin(i * 0.3)) + ' ' +
                    std::to_string(11 + std::cos(i * 0.3)) + "\r\n";
        return writeText(inWork(name), text);
    }
    QPoint markPosition() { return find<QLabel>(curve(), "cursor")->pos(); }
    TwoChannelDiagramWindow& diagram() { return shell->diagram(); }
    QImage diagramPicture() { return diagram().picture().copy(); }
};

TEST_F(StaleScreensTest, TheCursorIsAPointOfTheCurveShownAndThePanelSaysWhichOne) {
    openEvenCurve(200);
    document().setCursorPoint(150);
    const QString shortFile = writeCurve("short.dat", 30);
    ASSERT_TRUE(curve().openCurveFile(shortFile.toStdString(), 2));
    // The cursor kept across files names the last point of the shorter one, and its mark is
    // there.
    EXPECT_EQ(view().CursorPoint, 30);
    EXPECT_EQ(edit("Edit3")->text(), "30");
    const std::optional<QPoint> mark =
        cursorMarkPosition(store(), curve().curveGeometry(), view().CursorChannel, 30);
    ASSERT_TRUE(mark);
    EXPECT_EQ(markPosition(), *mark);
    edit("Edit3")->setText("123939");
    emit edit("Edit3")->editingFinished();
    EXPECT_EQ(edit("Edit3")->text(), "30");
}

TEST_F(StaleScreensTest, TheDiagramShowsThePointsAfterEveryChange) {
    openEvenCurve(10);
    const QString bands = writeCurve("bands.dat", 40);
    ASSERT_TRUE(curve().openCurveFile(bands.toStdString(), 2));
    clickMenuItem("graph1", "colcol1");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&diagram()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !find<QTimer>(diagram(), "Timer1")->isActive(); }));
    const QImage ofTheFile = diagramPicture();
    clickMenuItem("data1", "N7");
    EXPECT_NE(diagramPicture(), ofTheFile) << "the diagram shows the components";
    clickMenuItem("graph1", "grfrenew");
    EXPECT_EQ(diagramPicture(), ofTheFile) << "refreshed, the diagram shows the file again";
}

TEST_F(StaleScreensTest, TheResultsWindowNamesItsChannelAndFileAndForgetsAnotherFile) {
    std::vector<CurvePoint> points;
    for (int i = 1; i <= 60; ++i)
        points.push_back({1000.0 + i, {10 + std::pow((i - 30.3) / 30, 2)}});
    openCurve(points);
    clickMenuItem("data1", "N5");
    ExtremaWindow& results = shell->extrema();
    ASSERT_GT(find<QListWidget>(results, "Memo1")->count(), 0);
    EXPECT_EQ(find<QLabel>(results, "ListedSource")->text(), "Channel 1 of star.dat");
    const QString other = writeCurve("other.dat", 30);
    ASSERT_TRUE(curve().openCurveFile(other.toStdString(), 2));
    EXPECT_EQ(find<QListWidget>(results, "Memo1")->count(), 0);
    EXPECT_TRUE(find<QLabel>(results, "ListedSource")->text().isEmpty());
}

TEST_F(StaleScreensTest, AnAddedObservationAppearsOnTheCurveOfTheDataFile) {
    openEvenCurve(10);
    ASSERT_EQ(store().PointCount, 10);
    appendToFile(inWork("star.dat").toStdString(), "1011.0 10.5 19.5\r\n");
    shell->workbench().dataFileChanged();
    EXPECT_EQ(store().PointCount, 11) << "the view of the data file is read again";
    // Edits not saved are not lost to it.
    key(Qt::Key_Delete);
    appendToFile(inWork("star.dat").toStdString(), "1012.0 10.5 19.5\r\n");
    shell->workbench().dataFileChanged();
    EXPECT_EQ(store().PointCount, 10);
}

} // namespace
} // namespace quelmar::test
