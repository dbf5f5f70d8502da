#include "ShellFixture.h"

#include "ui/CurveWindow.h"
#include "ui/help/AboutBox.h"

namespace quelmar::test {
namespace {

class OpenFilesTest : public ShellTest {
protected:
    // Started without a file; the about box is closed.
    StartUp& startEmpty() {
        writeLanguage(work(), "en");
        writeSettings("en");
        StartUp& shell = start();
        shell.about().close();
        return shell;
    }
    QString periodogram() const {
        return writeText(inWork("star.per"), "0.5 0.31 2.0\r\n0.25 0.42 4.0\r\n");
    }
};

TEST_F(OpenFilesTest, FileOpenMakesTheChosenFileCurrentAndShowsIt) {
    StartUp& shell = startEmpty();
    desktop.fileAnswers.push_back(writeDataFile());
    shell.mainWindow().openDataFile();

    ASSERT_EQ(desktop.dialogsRun.size(), 1u);
    const OpenDialog& dialog = desktop.dialogsRun[0];
    EXPECT_EQ(dialog.title, "en 2");
    EXPECT_TRUE(dialog.filter.startsWith("en all|*.dat; *.per; *.fits"))
        << dialog.filter.toStdString();
    EXPECT_EQ(dialog.initialFolder, bin());
    EXPECT_EQ(dialog.defaultSuffix, "dat");

    const Workbench& state = shell.workbench();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(shell.mainWindow().windowTitle(), "Quelmar ALTUS - star.dat");
    EXPECT_TRUE(shell.mainWindow().fileCommandsEnabled());
    EXPECT_EQ(state.document.files().DataChannelCount, 2);
    EXPECT_TRUE(state.document.files().CurveLoaded);
    EXPECT_EQ(state.document.points().PointCount, 3);
    EXPECT_TRUE(shell.curveWindow().isVisible());
    EXPECT_EQ(shell.curveWindow().windowTitle(), inWork("star.dat") + " — dates: unknown");
}

TEST_F(OpenFilesTest, ACancelledChoiceChangesNothing) {
    StartUp& shell = startEmpty();
    shell.mainWindow().openDataFile();
    EXPECT_TRUE(shell.workbench().document.files().DataFileName.empty());
    EXPECT_FALSE(shell.mainWindow().fileCommandsEnabled());
    EXPECT_TRUE(messages().empty());
}

TEST_F(OpenFilesTest, AnUnreadableFileIsReportedAndLeavesTheCommandsOn) {
    StartUp& shell = startEmpty();
    QDir(work()).mkdir("folder.dat");
    desktop.fileAnswers.push_back(inWork("folder.dat"));
    shell.mainWindow().openDataFile();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.startsWith("File read error!"));
    EXPECT_TRUE(messages()[0].text.contains("folder.dat"));
    EXPECT_TRUE(shell.mainWindow().fileCommandsEnabled());
    EXPECT_EQ(shell.workbench().document.files().DataFileName, inWork("folder.dat").toStdString());
    EXPECT_FALSE(shell.curveWindow().isVisible());
}

TEST_F(OpenFilesTest, GraphOpenShowsAPeriodogramWithoutChangingTheDataFile) {
    StartUp& shell = startWithFile();
    desktop.fileAnswers.push_back(periodogram());
    shell.mainWindow().openCurveFile();
    const Workbench& state = shell.workbench();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(state.document.files().DataFileName, inWork("star.dat").toStdString());
    EXPECT_EQ(state.document.files().DataChannelCount, 2);
    EXPECT_EQ(shell.mainWindow().windowTitle(), "Quelmar ALTUS - star.dat");
    EXPECT_EQ(state.document.files().CurveFileName, inWork("star.per").toStdString());
    EXPECT_EQ(state.document.files().ChannelCount, 2);
    ASSERT_EQ(state.document.points().PointCount, 2);
    EXPECT_DOUBLE_EQ(state.document.points().time(1), 0.25);
    EXPECT_TRUE(state.document.points().ChannelVisible[1]);
    EXPECT_FALSE(state.document.points().ChannelVisible[2]);
}

TEST_F(OpenFilesTest, GraphOpenOfAnUnreadableFileKeepsTheView) {
    StartUp& shell = startWithFile();
    QDir(work()).mkdir("folder.per");
    desktop.fileAnswers.push_back(inWork("folder.per"));
    shell.mainWindow().openCurveFile();
    const Workbench& state = shell.workbench();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.startsWith("Can`t open file."));
    EXPECT_EQ(state.document.files().CurveFileName, inWork("star.dat").toStdString());
    EXPECT_EQ(state.document.files().ChannelCount, 2);
    EXPECT_EQ(state.document.points().PointCount, 3);
    EXPECT_TRUE(shell.curveWindow().isVisible());
}

TEST_F(OpenFilesTest, SkippedLinesAreToldWithTheFirstOne) {
    StartUp& shell = startEmpty();
    desktop.fileAnswers.push_back(
        writeText(inWork("gaps.dat"), "2451545.1 9.5\r\n\r\nJD mag\r\n2451546.1 9.6\r\n"));
    shell.mainWindow().openDataFile();
    EXPECT_EQ(shell.workbench().document.points().PointCount, 2);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].kind, MessageKind::Information);
    EXPECT_TRUE(messages()[0].text.contains("2 line(s)"));
    EXPECT_TRUE(messages()[0].text.contains("line 2."));
}

TEST_F(OpenFilesTest, AFileBeyondTheLimitsIsReportedAndTheViewKeepsWhatItShowed) {
    StartUp& shell = startWithFile();
    const QString wide = writeText(inWork("wide.dat"), "2451545.1 1 2 3 4 5 6 7 8 9 10 11\r\n");
    for (void (MainWindow::*command)() : {&MainWindow::openCurveFile, &MainWindow::openDataFile}) {
        desktop.messages.clear();
        desktop.fileAnswers.push_back(wide);
        (shell.mainWindow().*command)();
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0].kind, MessageKind::Error);
        EXPECT_TRUE(messages()[0].text.contains("wide.dat"));
        EXPECT_EQ(shell.workbench().document.files().CurveFileName,
                  inWork("star.dat").toStdString());
        EXPECT_EQ(shell.workbench().document.points().PointCount, 3);
        EXPECT_EQ(shell.curveWindow().windowTitle(), inWork("star.dat") + " — dates: unknown");
        EXPECT_TRUE(shell.curveWindow().isVisible());
    }
}

TEST_F(OpenFilesTest, RefreshReloadsTheCurveFile) {
    StartUp& shell = startWithFile();
    writeText(inWork("star.dat"), "2451545.3 9.5 10.2\r\n");
    shell.curveWindow().redraw();
    EXPECT_EQ(shell.workbench().document.points().PointCount, 3); // still loaded
    clickMenuItem("graph1", "grfrenew");
    EXPECT_EQ(shell.workbench().document.points().PointCount, 1);
    // A light-curve window the user closed comes back.
    shell.curveWindow().close();
    clickMenuItem("graph1", "grfrenew");
    EXPECT_TRUE(shell.curveWindow().isVisible());
}

} // namespace
} // namespace quelmar::test
