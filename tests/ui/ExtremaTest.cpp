#include "CurveFixture.h"

#include "analysis/KweeVanWoerden.h"
#include "ui/ExtremaWindow.h"
#include "ui/SettingsDialog.h"

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QWindow>

#include <cmath>

namespace quelmar::test {
namespace {

class ExtremaTest : public CurveTest {
protected:
    // A minimum at time 1030.3 of depth 1 with a little scatter, n points a day apart.
    CurveWindow& openMinimum(int n = 60) {
        std::vector<CurvePoint> points;
        for (int i = 1; i <= n; ++i) {
            const double d = (i - 30.3) / 30;
            points.push_back({1000.0 + i, {10 + d * d + (i % 2 ? 0.01 : -0.01)}});
        }
        return openCurve(points);
    }
    ExtremaWindow& window() { return shell->extrema(); }
    QListWidget* list() { return find<QListWidget>(window(), "Memo1"); }
    QPushButton* button(const char* name) { return find<QPushButton>(window(), name); }
    void clickToolButton() {
        QTest::mouseClick(find<QToolButton>(shell->mainWindow(), "ToolButton5"), Qt::LeftButton);
    }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    void select(int row) {
        const QRect line = list()->visualItemRect(list()->item(row));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, line.center());
    }
    std::string extremaFile() { return TempDir::read(inWork("extrema.txt").toStdString()); }
    std::string fileLine(int row) {
        return utf8ToCp1251(list()->item(row)->text().toStdString()) + "\r\n";
    }
};

TEST_F(ExtremaTest, CtrlMListsOneLinePerTermCountAndSavesTheSelectedLine) {
    openMinimum();
    QTest::keyClick(&shell->mainWindow(), Qt::Key_M, Qt::ControlModifier);
    ASSERT_TRUE(window().isVisible());
    ASSERT_EQ(list()->count(), 6) << "term counts 3 ... 6, Kwee–van Woerden, symmetric";
    EXPECT_TRUE(list()->item(0)->text().startsWith("1030.3"))
        << list()->item(0)->text().toStdString();
    EXPECT_FALSE(button("Button1")->isEnabled()) << "no line is selected";
    EXPECT_FALSE(button("Button5")->isEnabled());

    select(1);
    ASSERT_TRUE(button("Button1")->isEnabled());
    click("Button1");
    click("Button1");
    EXPECT_EQ(extremaFile(), fileLine(1) + fileLine(1)) << "saved twice, written twice";

    click("Button2");
    EXPECT_EQ(extremaFile(),
              fileLine(0) + fileLine(1) + fileLine(2) + fileLine(3) + fileLine(4) + fileLine(5));
    click("Button4");
    EXPECT_EQ(list()->count(), 0);
    EXPECT_FALSE(button("Button1")->isEnabled());
    // Saving the empty list would empty the file: only Yes does it.
    const std::string saved = extremaFile();
    click("Button2");
    ASSERT_EQ(desktop.questions.size(), 1u);
    EXPECT_TRUE(desktop.questions[0].text.startsWith("The list of results is empty"));
    EXPECT_EQ(extremaFile(), saved) << "No keeps the file";
    desktop.questionAnswers = {true};
    click("Button2");
    EXPECT_EQ(extremaFile(), "");
    click("Button2");
    EXPECT_EQ(desktop.questions.size(), 2u) << "an empty file is not asked about";
}

// The timings by the other methods say their method, can be saved but not drawn or subtracted;
// a method that gives no timing says why in its line, and no message box interrupts.
TEST_F(ExtremaTest, TimingLinesSayTheirMethodAndARefusalIsALine) {
    for (const int points : {60, 5}) {
        SCOPED_TRACE(points);
        const bool timed = points >= KweeVanWoerdenMinimumPoints;
        openMinimum(points);
        shell->workbench().options.PolynomialTerms.last = 4;
        clickToolButton();
        EXPECT_TRUE(messages().empty());
        ASSERT_EQ(list()->count(), 4);
        EXPECT_TRUE(list()->item(0)->text().contains(" polynomial"));
        const QString kvw = list()->item(2)->text(), symmetric = list()->item(3)->text();
        EXPECT_TRUE(timed ? kvw.startsWith("1030.") && kvw.endsWith(" kvw")
                          : kvw.startsWith("kvw: "))
            << kvw.toStdString();
        EXPECT_TRUE(timed ? symmetric.startsWith("1030.3") && symmetric.endsWith(" symmetric")
                          : symmetric.startsWith("symmetric: "))
            << symmetric.toStdString();
        select(2);
        EXPECT_EQ(button("Button1")->isEnabled(), timed);
        EXPECT_FALSE(button("Button5")->isEnabled()) << "no curve to subtract";
        window().close();
    }
    desktop.questionAnswers = {true};
    click("Button2");
    EXPECT_EQ(extremaFile(), fileLine(0) + fileLine(1)) << "no refusal is saved";
}

TEST_F(ExtremaTest, ALineIsDrawnWithTheMarkAtItsExtremumAndSubtractingLeavesResidualsToFit) {
    openMinimum();
    clickMenuItem("data1", "N5");
    select(0);
    const QRgb red = qRgb(255, 0, 0);
    const QImage& picture = curve().picture();
    int redPixels = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            redPixels += (picture.pixel(x, y) | 0xff000000u) == red;
    EXPECT_GT(redPixels, 100) << "the curve and its box";
    const QPoint mark = find<QLabel>(curve(), "cursor")->pos();
    const ChannelPlacement place(store(), curve().curveGeometry(), 1);
    EXPECT_EQ(mark.x(), *xOfTime(curve().curveGeometry(),
                                 shell->workbench().document.extrema().ExtremumMoment[1][3]));
    EXPECT_EQ(mark.y(), *place.yOf(shell->workbench().document.extrema().ExtremumValue[1][3]));

    const double before = store().value(1, 30);
    click("Button5");
    EXPECT_LT(std::abs(store().value(1, 30)), 0.05) << before;
    clickMenuItem("data1", "N5");
    EXPECT_LT(std::abs(shell->workbench().document.extrema().ExtremumValue[1][3]), 0.02)
        << "the new fit fits the residuals";
}

// Deleting points after a fit moves its stored curve with the points: one before the fitted
// range shifts it, one inside leaves it; the curve subtracted afterwards is the one fitted.
TEST_F(ExtremaTest, DeletedPointsLeaveTheStoredFitOnItsPoints) {
    openMinimum();
    document().setView(11, store().ViewLast);
    clickMenuItem("data1", "N5");
    const double untouched = store().value(1, 9);
    for (int p : {31, 5}) {
        document().setCursorPoint(p);
        key(Qt::Key_Delete);
    }
    ASSERT_EQ(store().PointCount, 58);
    select(0);
    click("Button5");
    EXPECT_EQ(store().value(1, 8), untouched) << "outside the fitted range";
    for (int i = 10; i <= 58; ++i)
        EXPECT_LT(std::abs(store().value(1, i)), 0.03) << "point " << i;

    // Read again, the points are numbered as the file is: the renumbered curve is not used.
    clickMenuItem("graph1", "grfrenew");
    ASSERT_EQ(store().PointCount, 60);
    const double before = store().value(1, 40);
    select(0);
    click("Button5");
    EXPECT_EQ(store().value(1, 40), before);
}

// The results stay listed after another star is opened, but its points are not the ones fitted.
TEST_F(ExtremaTest, AFitIsNotSubtractedFromAnotherFilesPoints) {
    openMinimum();
    clickMenuItem("data1", "N5");
    std::string other;
    for (int i = 1; i <= 60; ++i)
        other += std::to_string(2000 + i) + " 15.5\r\n";
    desktop.fileAnswers = {writeText(inWork("other.dat"), other)};
    clickMenuItem("File1", "FileOpenItem");
    ASSERT_EQ(shell->workbench().document.files().CurveFileName, inWork("other.dat").toStdString());
    select(0);
    click("Button5");
    EXPECT_EQ(store().value(1, 30), 15.5);
}

TEST_F(ExtremaTest, ADialogThatWaitsForTheUserComesAboveTheResults) {
    openMinimum();
    clickToolButton();
    const QWindow* results = window().windowHandle();
    ASSERT_TRUE(results->flags() & Qt::WindowStaysOnTopHint);
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    EXPECT_FALSE(results->flags() & Qt::WindowStaysOnTopHint);
    dialog.hide();
    EXPECT_TRUE(results->flags() & Qt::WindowStaysOnTopHint);
}

TEST_F(ExtremaTest, TheBestTermCountBecomesTheFirstAndTooFewPointsAreRefused) {
    openMinimum(5);
    shell->workbench().options.BestTermCount = true;
    shell->workbench().options.PolynomialTerms.last = 4;
    clickToolButton();
    ASSERT_EQ(messages().size(), 1u);
    const QString said = messages().back().text;
    ASSERT_TRUE(said.startsWith("Best term count: ")) << said.toStdString();
    const int best = said.mid(17, 1).toInt();
    EXPECT_TRUE(best == 3 || best == 4) << messages().back().text.toStdString();
    EXPECT_EQ(find<QSpinBox>(shell->options(), "Spinpolynom")->value(), best);

    shell->workbench().options.PolynomialTerms.last = 5;
    clickToolButton();
    EXPECT_EQ(messages().back().text,
              "Channel 1: a polynomial of 5 terms needs at least 6 points with a value; points 1 "
              "... 5 have 5.");
}

TEST_F(ExtremaTest, RangesStepWithShiftAndTheMenuAndFitTheCursorChannelAtEachStep) {
    openEvenCurve(500);
    EXPECT_FALSE(find<QAction>(shell->mainWindow(), "N2")->isVisible());
    desktop.fileAnswers.push_back(writeText(inWork("minima.txt"),
                                            "120 2451545.4312 185 2451551.2876\r\n"
                                            "410 2451830.3301 466 2451836.4120\r\n"));
    clickMenuItem("graph1", "connranges");
    EXPECT_TRUE(find<QAction>(shell->mainWindow(), "N2")->isVisible());
    EXPECT_TRUE(find<QWidget>(panel(), "Button1")->isVisibleTo(&panel()));

    key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(shownRange(), std::make_pair(120, 185));
    EXPECT_EQ(view().CursorPoint, 121) << "from the range's first point, one step on";
    EXPECT_EQ(list()->count(), 6) << "the range was fitted";
    EXPECT_EQ(shell->workbench().document.extrema().FitCurves[1][3].first, 120);
    clickMenuItem("graph1", "N2");
    EXPECT_EQ(shownRange(), std::make_pair(410, 466));
    EXPECT_TRUE(messages().empty());
    key(Qt::Key_Right, Qt::ShiftModifier);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages().back().text, "en 113");
    EXPECT_EQ(shownRange(), std::make_pair(1, 500));
    key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(messages().back().text, "en 114");
    EXPECT_EQ(shownRange(), std::make_pair(1, 500));
}

} // namespace
} // namespace quelmar::test
