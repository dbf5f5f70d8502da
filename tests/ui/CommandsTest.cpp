#include "ShellFixture.h"

#include "ui/CalendarDialog.h"
#include "ui/CurveWindow.h"
#include "ui/SettingsDialog.h"
#include "ui/help/AboutBox.h"
#include "ui/help/ManualWindow.h"

#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBrowser>

namespace quelmar::test {
namespace {

class CommandsTest : public ShellTest {
protected:
    void press(QKeySequence keys) {
        const QKeyCombination key = keys[0];
        QTest::keyClick(&shell->mainWindow(), key.key(), key.keyboardModifiers());
    }
    void clickToolButton(const char* name) {
        QToolButton* button = find<QToolButton>(shell->mainWindow(), name);
        ASSERT_TRUE(button && button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // The same command by its menu item, its tool button and its shortcut, in that order.
    void runThreeWays(const char* menu, const char* item, const char* button, QKeySequence keys) {
        clickMenuItem(menu, item);
        clickToolButton(button);
        press(keys);
    }
    QString writeManual() const {
        return writeText(inWork("manual_en.rtf"), "{\\rtf1\\ansi {\\b Manual}\\par Text.\\par}");
    }
};

TEST_F(CommandsTest, FileOpenByMenuToolButtonAndCtrlO) {
    startWithFile();
    const QString other = writeDataFile("other.dat");
    desktop.fileAnswers = {other, other, other};
    runThreeWays("File1", "FileOpenItem", "ToolButton1", Qt::CTRL | Qt::Key_O);
    EXPECT_EQ(desktop.dialogsRun.size(), 3u);
    EXPECT_TRUE(desktop.fileAnswers.empty());
    EXPECT_EQ(shell->mainWindow().windowTitle(), "Quelmar ALTUS - other.dat");
}

TEST_F(CommandsTest, GraphOpenByMenuToolButtonAndCtrlG) {
    startWithFile();
    const QString curve = writeText(inWork("curve.per"), "0.5 0.31 2.0\r\n");
    desktop.fileAnswers = {curve, curve, curve};
    runThreeWays("graph1", "Grf1", "ToolButton3", Qt::CTRL | Qt::Key_G);
    EXPECT_EQ(desktop.dialogsRun.size(), 3u);
    EXPECT_TRUE(desktop.fileAnswers.empty());
    EXPECT_EQ(shell->workbench().document.files().CurveFileName, curve.toStdString());
    EXPECT_EQ(shell->workbench().document.files().DataFileName, inWork("star.dat").toStdString());
}

TEST_F(CommandsTest, EditorByMenuToolButtonAndCtrlFGetsTheChosenFile) {
    startWithFile();
    const QString notes = writeText(inWork("my notes.txt"), "x");
    desktop.fileAnswers = {notes, notes, notes};
    runThreeWays("N1", "launch", "ToolButton4", Qt::CTRL | Qt::Key_F);
    ASSERT_EQ(desktop.programsStarted.size(), 3u);
    EXPECT_EQ(desktop.programsStarted[0], (QStringList{"/usr/bin/editor", notes}));
    EXPECT_TRUE(messages().empty());
}

TEST_F(CommandsTest, AnEditorWithOptionsIsSplitAsTheShellWouldSplitIt) {
    writeLanguage(work(), "en");
    const QString folder = QDir(bin()).filePath("my editor");
    QDir().mkpath(folder);
    const QString spaced = writeText(QDir(folder).filePath("edit"), "#!/bin/sh\n");
    const struct {
        QString setting;
        QStringList command;
    } cases[] = {
        {"kate -n", {"kate", "-n"}},
        {"'" + spaced + "' --new-window", {spaced, "--new-window"}},
        {spaced, {spaced}}, // a path that names a file is taken whole
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setting.toStdString());
        writeText(settingsPath(),
                  "en\r\n7cam.dat\r\n" + c.setting.toStdString() + "\r\n4\r\n00100+201\r\n");
        start({writeDataFile()});
        desktop.programsStarted.clear();
        desktop.fileAnswers = {inWork("star.dat")};
        shell->mainWindow().editDataFile();
        ASSERT_EQ(desktop.programsStarted.size(), 1u);
        EXPECT_EQ(desktop.programsStarted[0].join('|').toStdString(),
                  (c.command + QStringList{inWork("star.dat")}).join('|').toStdString());
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(CommandsTest, AnEditorThatDoesNotStartIsReportedWithItsCommandLine) {
    startWithFile();
    desktop.startSucceeds = false;
    desktop.fileAnswers = {inWork("star.dat")};
    shell->mainWindow().editDataFile();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.contains("/usr/bin/editor \"" + inWork("star.dat") + "\""));

    // A setting that splits into no command starts nothing and says so.
    shell->workbench().settings.EditorPath = "edit 'left open";
    desktop.fileAnswers = {inWork("star.dat")};
    shell->mainWindow().editDataFile();
    EXPECT_EQ(messages().size(), 2u);
    EXPECT_EQ(desktop.programsStarted.size(), 1u);
}

TEST_F(CommandsTest, FileCommandsDoNothingBeforeTheFirstFile) {
    writeLanguage(work(), "en");
    writeSettings("en");
    start();
    shell->about().close();
    activate(shell->mainWindow());
    press(Qt::CTRL | Qt::Key_G);
    press(Qt::CTRL | Qt::Key_F);
    EXPECT_TRUE(desktop.dialogsRun.empty());
    EXPECT_FALSE(find<QToolButton>(shell->mainWindow(), "ToolButton4")->isEnabled());
    EXPECT_FALSE(find<QAction>(shell->mainWindow(), "launch")->isEnabled());
}

TEST_F(CommandsTest, CalculatorStartsTheFirstOneInstalledOrSaysThereIsNone) {
    startWithFile();
    desktop.installedPrograms = {"xcalc", "kcalc"};
    clickMenuItem("N1", "Calc");
    ASSERT_EQ(desktop.programsStarted.size(), 1u);
    EXPECT_EQ(desktop.programsStarted[0], QStringList{"/usr/bin/kcalc"});

    desktop.installedPrograms.clear();
    shell->mainWindow().startCalculator();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.contains("gnome-calculator"));
}

TEST_F(CommandsTest, ManualByMenuAndF1) {
    startWithFile();
    writeManual();
    clickMenuItem("Help1", "helpbutt");
    ManualWindow& manual = shell->manual();
    EXPECT_TRUE(manual.isVisible());
    EXPECT_FALSE(manual.isModal());
    EXPECT_TRUE(manual.manualBox()->toPlainText().contains("Manual"));
    manual.close();
    // The keys of the commands also act from the light-curve window.
    activate(shell->curveWindow());
    QTest::keyClick(&shell->curveWindow(), Qt::Key_F1);
    EXPECT_TRUE(manual.isVisible());
    EXPECT_TRUE(messages().empty());
}

TEST_F(CommandsTest, AMissingManualIsReportedWithEveryFolderSearched) {
    startWithFile();
    shell->mainWindow().showManual();
    ASSERT_EQ(messages().size(), 1u);
    const QString text = messages()[0].text;
    EXPECT_TRUE(text.contains("manual_en.rtf"));
    EXPECT_TRUE(text.contains(work()) && text.contains(bin())) << text.toStdString();
    EXPECT_EQ(shell->manual().manualBox()->toPlainText(), ManualWindow::initialText());
}

TEST_F(CommandsTest, F1OnAnOpenManualKeepsTheReadersPlace) {
    startWithFile();
    std::string rtf = "{\\rtf1\\ansi ";
    for (int i = 0; i < 400; ++i)
        rtf += "Line " + std::to_string(i) + ".\\par ";
    writeText(inWork("manual_en.rtf"), rtf + "}");
    shell->mainWindow().showManual();
    QTextBrowser* box = shell->manual().manualBox();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&shell->manual()));
    box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum() / 2);
    const int place = box->verticalScrollBar()->value();
    ASSERT_GT(place, 0);
    activate(shell->mainWindow());
    QTest::keyClick(&shell->mainWindow(), Qt::Key_F1);
    EXPECT_EQ(box->verticalScrollBar()->value(), place);
    EXPECT_TRUE(messages().empty());
}

TEST_F(CommandsTest, SettingsCalendarAndAboutAreShown) {
    startWithFile();
    QMenuBar* bar = shell->mainWindow().menuBar();
    QAction* settings = find<QAction>(shell->mainWindow(), "Optbutt");
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(settings).center());
    EXPECT_TRUE(shell->options().isVisible());
    EXPECT_TRUE(shell->options().isModal());
    shell->options().close();

    clickMenuItem("Help1", "HelpAboutItem");
    EXPECT_TRUE(shell->about().isVisible());
    EXPECT_TRUE(shell->about().isModal());
    // The icon's hidden message is shown above all windows.
    QTest::mouseClick(find<QLabel>(shell->about(), "Image1"), Qt::LeftButton, Qt::ControlModifier);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].caption, "KERNEL32 ERROR");
    EXPECT_TRUE(messages()[0].aboveAll);
}

TEST_F(CommandsTest, ExitClosesTheMainWindow) {
    startWithFile();
    QSignalSpy closed(&shell->mainWindow(), &MainWindow::closed);
    clickMenuItem("File1", "FileExitItem");
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(shell->mainWindow().isVisible());
}

} // namespace
} // namespace quelmar::test
