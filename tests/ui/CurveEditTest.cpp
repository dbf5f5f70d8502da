#include "CurveFixture.h"

#include "core/ObservationFile.h"
#include "core/TextFile.h"

namespace quelmar::test {
namespace {

class CurveEditTest : public CurveTest {
protected:
    std::vector<double> channel(int k) {
        const std::vector<double>& v = store().ChannelValues[static_cast<std::size_t>(k)];
        return {v.begin() + 1, v.end()};
    }
    std::vector<double> times() {
        return {store().TimeValues.begin() + 1, store().TimeValues.end()};
    }
};

TEST_F(CurveEditTest, DeleteAsksWhenAskdelIsSetAndOnlyYesDeletes) {
    openEvenCurve(10, "00100+201");
    document().setCursorPoint(5);
    key(Qt::Key_Delete); // the recorder answers No
    ASSERT_EQ(desktop.questions.size(), 1u);
    EXPECT_EQ(desktop.questions[0].caption, "Deleting");
    EXPECT_EQ(desktop.questions[0].text, "Ok to delete №5?");
    EXPECT_EQ(store().PointCount, 10);
    desktop.questionAnswers = {true};
    key(Qt::Key_Delete);
    ASSERT_EQ(store().PointCount, 9);
    EXPECT_EQ(times(), (std::vector<double>{1001, 1002, 1003, 1004, 1006, 1007, 1008, 1009, 1010}));
    EXPECT_DOUBLE_EQ(store().value(2, 5), 19.94);
    EXPECT_EQ(shownRange(), std::make_pair(1, 9));
}

// Plate conversion and File → Open read the view's points again: deleted points that are not
// saved are lost only after a Yes, and saving them ends the question.
TEST_F(CurveEditTest, ReadingTheCurveAgainAsksBeforeLosingEdits) {
    openEvenCurve(5);
    const std::string data = readFile(inWork("star.dat").toStdString());
    key(Qt::Key_Delete);
    ASSERT_EQ(store().PointCount, 4);
    desktop.questionAnswers = {true, false}; // convert the plates, but keep the edits
    clickMenuItem("data1", "njdbutt");
    ASSERT_EQ(desktop.questions.size(), 2u);
    EXPECT_TRUE(desktop.questions[1].text.contains("not saved"))
        << desktop.questions[1].text.toStdString();
    EXPECT_EQ(readFile(inWork("star.dat").toStdString()), data) << "nothing converted";
    desktop.fileAnswers = {inWork("star.dat")};
    clickMenuItem("File1", "FileOpenItem"); // No
    EXPECT_EQ(desktop.questions.size(), 3u);
    EXPECT_EQ(store().PointCount, 4);
    desktop.fileAnswers = {inWork("star.dat")};
    desktop.questionAnswers = {true};
    clickMenuItem("File1", "FileOpenItem");
    EXPECT_EQ(store().PointCount, 5);
    desktop.fileAnswers = {inWork("star.dat")};
    clickMenuItem("File1", "FileOpenItem");
    EXPECT_EQ(desktop.questions.size(), 4u) << "nothing to lose, nothing asked";
}

TEST_F(CurveEditTest, DeleteWithoutAskdelAsksNothingAndKeepsTheViewInTheCurve) {
    openEvenCurve(5);
    key(Qt::Key_End);
    key(Qt::Key_Delete);
    EXPECT_TRUE(desktop.questions.empty());
    EXPECT_EQ(store().PointCount, 4);
    EXPECT_EQ(shownRange(), std::make_pair(1, 4));
    EXPECT_TRUE(messages().empty());
}

TEST_F(CurveEditTest, ReloadingBringsDeletedPointsBack) {
    openEvenCurve(10);
    key(Qt::Key_Delete);
    ASSERT_EQ(store().PointCount, 9);
    clickMenuItem("graph1", "grfrenew");
    EXPECT_EQ(store().PointCount, 10);
}

TEST_F(CurveEditTest, VSmoothsTheCursorChannelAndCtrlVEveryChannel) {
    openCurve({{1, {1, 1}}, {2, {2, 2}}, {3, {10, 10}}, {4, {4, 4}}, {5, {5, 5}}});
    document().setCursorPoint(3);
    key(Qt::Key_V);
    EXPECT_EQ(channel(1), (std::vector<double>{1, 2, 3, 4, 5}));
    EXPECT_EQ(channel(2), (std::vector<double>{1, 2, 10, 4, 5}));
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(channel(2), (std::vector<double>{1, 2, 3, 4, 5}));
}

TEST_F(CurveEditTest, SmoothingNearTheEndsChangesNothingAndSaysSo) {
    openCurve({{1, {1}}, {2, {2}}, {3, {10}}, {4, {4}}, {5, {5}}});
    for (int p : {1, 2, 4, 5}) {
        document().setCursorPoint(p);
        key(Qt::Key_V);
    }
    EXPECT_EQ(channel(1), (std::vector<double>{1, 2, 10, 4, 5}));
    EXPECT_EQ(messages().size(), 4u);
}

TEST_F(CurveEditTest, DHidesTheCursorChannelAndItsBand) {
    openEvenCurve(10);
    key(Qt::Key_D);
    EXPECT_FALSE(store().ChannelVisible[1]);
    EXPECT_TRUE(store().ChannelVisible[2]);
    EXPECT_EQ(curve().curveGeometry().BandTop[1], 0);
    // The cursor goes on to a channel that is drawn.
    EXPECT_EQ(view().CursorChannel, 2);
}

TEST_F(CurveEditTest, F2SavesPointsThatLoadBackTheSame) {
    // A small flux must keep its digits; times keep at least 4 decimals.
    writeLanguage(work(), "en");
    writeText(settingsPath(), "en\r\n7cam.dat\r\n/usr/bin/editor\r\n4\r\n00000+200\r\n");
    start({writeText(inWork("star.dat"), "2451545.12345 0.0000123 10.5 note\r\n"
                                         "2451544.5 0.0000456 10.25\r\n2451546 0 9\r\n")});
    const QString saved = inWork("saved.dat");
    desktop.fileAnswers = {saved};
    key(Qt::Key_F2);
    ASSERT_EQ(desktop.savesRun.size(), 1u);
    EXPECT_FALSE(desktop.savesRun[0].mustExist);
    EXPECT_EQ(desktop.savesRun[0].initialFolder, work()); // the data file's folder
    EXPECT_EQ(desktop.savesRun[0].title, "Save");
    const PointStore reloaded = loadPointStore(saved.toStdString(), 2).store;
    EXPECT_EQ(reloaded.TimeValues, store().TimeValues);
    EXPECT_EQ(reloaded.ChannelValues, store().ChannelValues);
    const std::string text = readFile(saved.toStdString());
    EXPECT_EQ(text.substr(0, text.find('\n') + 1), "2451544.5000 0.0000456 10.2500\r\n");
}

TEST_F(CurveEditTest, SavingLeavesHiddenChannelsOutAndAsksBeforeReplacing) {
    openEvenCurve(3);
    key(Qt::Key_D);
    const QString saved = writeText(inWork("saved.dat"), "old\r\n");
    desktop.fileAnswers = {saved};
    shell->mainWindow().saveCurvePoints(); // File "Save": answered No
    ASSERT_EQ(desktop.questions.size(), 1u);
    EXPECT_EQ(desktop.questions[0].caption, "Saving");
    EXPECT_EQ(desktop.questions[0].text, "Do you really want to replace the file " + saved);
    EXPECT_EQ(readFile(saved.toStdString()), "old\r\n");
    desktop.fileAnswers = {saved};
    desktop.questionAnswers = {true};
    QTest::keyClick(&shell->mainWindow(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(readFile(saved.toStdString()),
              "1001.0000 19.9900\r\n1002.0000 19.9800\r\n1003.0000 19.9700\r\n");
}

TEST_F(CurveEditTest, ACancelledSaveWritesNothing) {
    openEvenCurve(3);
    key(Qt::Key_F2);
    EXPECT_EQ(desktop.dialogsRun.size(), 1u);
    EXPECT_TRUE(desktop.questions.empty());
    EXPECT_TRUE(messages().empty());
}

} // namespace
} // namespace quelmar::test
