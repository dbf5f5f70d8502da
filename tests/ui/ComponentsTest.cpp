#include "CurveFixture.h"

#include "ui/RestorationDialog.h"
#include "ui/TwoChannelDiagramWindow.h"

#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <cmath>

namespace quelmar::test {
namespace {

class ComponentsTest : public CurveTest {
protected:
    // 30 nights of a star in three bands that share one signal, each with its own wobble.
    CurveWindow& openThreeBands(double missingAt = 0) {
        std::vector<CurvePoint> points;
        for (int i = 1; i <= 30; ++i) {
            const double s = std::sin(i * 0.4);
            points.push_back({2451000.0 + i,
                              {12 + s + 0.01 * std::cos(i), 11 + 0.5 * s + 0.02 * std::sin(i * 3),
                               i == missingAt ? 0.0 : 0.4 + 0.2 * s + 0.001 * i}});
        }
        return openCurve(points);
    }
    RestorationDialog& dialog() { return shell->restoration(); }
    TwoChannelDiagramWindow& diagram() { return shell->diagram(); }
    QListWidget* componentList() { return find<QListWidget>(dialog(), "Check1"); }
    QStringList report() {
        return find<QPlainTextEdit>(dialog(), "Memo1")->toPlainText().split(QLatin1Char('\n'));
    }
    std::vector<std::vector<double>> channels() { return store().ChannelValues; }
    QString lastMessage() { return messages().empty() ? QString() : messages().back().text; }
    // Shows the diagram and waits until it has placed and drawn itself.
    void showDiagram() {
        clickMenuItem("graph1", "colcol1");
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&diagram()));
        const QTimer* placing = find<QTimer>(diagram(), "Timer1");
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return !placing->isActive() && diagram().windowTitle().startsWith("Two-channel");
        }));
    }
    QWidget* diagramPicture() { return find<QWidget>(diagram(), "CCG"); }
    // The mouse resting over the diagram's picture. Sent to the picture itself: the offscreen
    // platform gives a moved cursor to whichever window it finds on top.
    void hover(QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, diagramPicture()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(diagramPicture(), &move);
    }
    QList<QLabel*> shownMarkers() {
        QList<QLabel*> shown;
        for (QLabel* label : diagram().findChildren<QLabel*>())
            if (label->isVisible()) shown << label;
        return shown;
    }
    bool markerAt(QPoint at) {
        const QList<QLabel*> shown = shownMarkers();
        return std::any_of(shown.begin(), shown.end(),
                           [&](const QLabel* m) { return m->pos() == at; });
    }
};

TEST_F(ComponentsTest, ComponentsReplaceTheChannelsAndRestoreThem) {
    openThreeBands(7);
    const auto original = channels();
    clickMenuItem("data1", "N7");
    const PrincipalComponents& pca = shell->workbench().document.components();
    ASSERT_TRUE(pca.ComponentsShown);
    EXPECT_EQ(store().ChannelValues[1], pca.PcaScores[1]);
    EXPECT_EQ(store().value(2, 7), 0); // the point with a missing value keeps its number

    clickMenuItem("data1", "N8");
    ASSERT_TRUE(dialog().isVisible());
    // The whole report in sight: no scroll bar hides a line or the column of the shares.
    const auto* text = find<QPlainTextEdit>(dialog(), "Memo1");
    QApplication::processEvents();
    EXPECT_EQ(text->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(text->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(report().first(), "en 120");
    EXPECT_EQ(report()[4], "i sigma[i] lambda[i]/summ.lambd");
    EXPECT_EQ(report().last(), "Points left out for a missing value (0): 1");
    ASSERT_EQ(componentList()->count(), 3);
    EXPECT_EQ(componentList()->item(2)->text(), "№ 3");
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(componentList()->item(row)->checkState(), Qt::Checked);
    QTest::mouseClick(find<QPushButton>(dialog(), "Button1"), Qt::LeftButton);
    EXPECT_FALSE(dialog().isVisible());
    // Every component kept gives back every value, also the bands of the point that misses one;
    // its missing band stays missing.
    for (int k = 1; k <= 3; ++k)
        for (int i = 1; i <= 30; ++i)
            if (!store().missing(k, i)) {
                EXPECT_NEAR(store().value(k, i), original[k][i], 1e-9);
            }
    EXPECT_TRUE(store().missing(1, 7) || store().missing(2, 7) || store().missing(3, 7));

    // Nothing ticked leaves each channel at its mean; Cancel changes nothing.
    clickMenuItem("data1", "N8");
    for (int row = 0; row < 3; ++row)
        componentList()->item(row)->setCheckState(Qt::Unchecked);
    QTest::mouseClick(find<QPushButton>(dialog(), "Button1"), Qt::LeftButton);
    EXPECT_EQ(store().value(1, 3), pca.PcaMeans[1]);
    const auto flat = channels();
    clickMenuItem("data1", "N8");
    QTest::mouseClick(find<QPushButton>(dialog(), "Button2"), Qt::LeftButton);
    EXPECT_EQ(channels(), flat);
}

TEST_F(ComponentsTest, RestorationNeedsTheComponentsTheCurveShows) {
    openThreeBands();
    clickMenuItem("data1", "N8");
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(lastMessage(),
              "There are no principal components to restore the signal from. Run \"en 120\" "
              "first.");
    clickMenuItem("data1", "N7");
    clickMenuItem("graph1", "grfrenew");
    clickMenuItem("data1", "N8");
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_TRUE(lastMessage().startsWith("The light curve no longer shows the components"));
}

TEST_F(ComponentsTest, APointWithoutEveryChannelCannotBeDecomposed) {
    openCurve({{1.0, {0.0, 2.0}}, {2.0, {3.0, 0.0}}});
    clickMenuItem("data1", "N7");
    EXPECT_TRUE(lastMessage().startsWith("No point has a value in every channel"));
    EXPECT_FALSE(shell->workbench().document.components().ComponentsShown);
}

// The diagram of three channels: its cells, and the mouse on a point moving the cursor of the
// light curve and the marker of every cell; keys act as in the light curve.
TEST_F(ComponentsTest, DiagramIsLinkedToTheLightCurve) {
    openThreeBands();
    showDiagram();
    EXPECT_EQ(diagram().frameGeometry().left(), 200);
    diagram().resize(492, 465);
    // The caption names the channels; the design's sizes stay as the picture's hint.
    EXPECT_EQ(diagram().windowTitle(), "Two-channel diagrams, channels 1, 2, 3");
    EXPECT_EQ(diagramPicture()->toolTip(), "nvis=3; Wn=148; hn=139");
    ASSERT_EQ(diagram().layout().cells.size(), 9u);

    const DiagramCell& cell = *diagram().layout().cellAt(2, 1);
    const QPoint at = *markerPosition(cell, store(), 12);
    hover(at);
    EXPECT_EQ(view().CursorPoint, 12);
    EXPECT_EQ(edit("Edit3")->text(), "12");
    EXPECT_EQ(diagram().windowTitle(),
              QStringLiteral("Point 12: channel 1 = %1 across, channel 2 = %2 down")
                  .arg(store().value(1, 12), 0, 'f', 4)
                  .arg(store().value(2, 12), 0, 'f', 4));
    EXPECT_TRUE(diagramPicture()->toolTip().endsWith("Num1;2 12"));
    EXPECT_EQ(shownMarkers().size(), 9);
    for (const QLabel* marker : shownMarkers())
        EXPECT_EQ(marker->size(), QSize(3, 13));
    EXPECT_TRUE(markerAt(at));

    QTest::keyClick(&diagram(), Qt::Key_End);
    EXPECT_EQ(view().CursorPoint, 30);
    const QPoint last = *markerPosition(cell, store(), 30);
    EXPECT_TRUE(markerAt(last));

    key(Qt::Key_Delete); // in the light curve: the diagram is drawn again
    EXPECT_EQ(diagram().windowTitle(), "Two-channel diagrams, channels 1, 2, 3");
    diagram().close();
    EXPECT_TRUE(shownMarkers().empty());
}

TEST_F(ComponentsTest, DiagramWithoutShownChannelsSaysSo) {
    openThreeBands();
    for (int k = 1; k <= 3; ++k)
        document().setChannelVisible(k, false);
    showDiagram();
    EXPECT_TRUE(diagram().layout().cells.empty());
    EXPECT_EQ(diagram().windowTitle(), "Two-channel diagrams");
}

} // namespace
} // namespace quelmar::test
