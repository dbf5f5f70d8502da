#include "ShellFixture.h"

#include "ui/CurveWindow.h"
#include "ui/help/AboutBox.h"

#include <QImage>
#include <QLabel>

namespace quelmar::test {
namespace {

using StartUpTest = ShellTest;

TEST_F(StartUpTest, WithoutArgumentsGreetsWithTheAboutBoxAndKeepsFileCommandsOff) {
    writeLanguage(work(), "en");
    writeSettings("en");
    StartUp& shell = start();
    EXPECT_TRUE(shell.mainWindow().isVisible());
    EXPECT_TRUE(shell.about().isVisible());
    EXPECT_TRUE(shell.about().isModal());
    EXPECT_FALSE(shell.mainWindow().fileCommandsEnabled());
    EXPECT_FALSE(find<QToolButton>(shell.mainWindow(), "ToolButton3")->isEnabled());
    EXPECT_FALSE(find<QMenu>(shell.mainWindow(), "graph1")->menuAction()->isEnabled());
    EXPECT_EQ(shell.mainWindow().windowTitle(), "Quelmar v.3 ALTUS");
    EXPECT_TRUE(messages().empty());
}

TEST_F(StartUpTest, AMissingDataFileGivesOneMessageAndNoAboutBox) {
    writeLanguage(work(), "en");
    writeSettings("en");
    StartUp& shell = start({inWork("absent.dat")});
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.startsWith("en 141"));
    EXPECT_TRUE(messages()[0].text.contains("absent.dat"));
    EXPECT_FALSE(shell.about().isVisible());
    EXPECT_FALSE(shell.mainWindow().fileCommandsEnabled());
    EXPECT_FALSE(shell.curveWindow().isVisible());
}

TEST_F(StartUpTest, ADataFileIsOpenedShownAndLoaded) {
    StartUp& shell = startWithFile();
    const Workbench& state = shell.workbench();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(shell.mainWindow().windowTitle(), "Quelmar ALTUS - star.dat");
    EXPECT_TRUE(shell.mainWindow().fileCommandsEnabled());
    EXPECT_FALSE(shell.about().isVisible());
    EXPECT_EQ(state.document.files().DataFileName, inWork("star.dat").toStdString());
    EXPECT_EQ(state.document.files().CurveFileName, state.document.files().DataFileName);
    EXPECT_EQ(state.document.files().DataChannelCount, 2);
    EXPECT_EQ(state.openDialog.fileName, inWork("star.dat"));
    EXPECT_TRUE(shell.curveWindow().isVisible());
    ASSERT_EQ(state.document.points().PointCount, 3);
    EXPECT_DOUBLE_EQ(state.document.points().time(1), 2451544.1);
    EXPECT_DOUBLE_EQ(state.document.points().value(2, 1), 10.4);
    // The curve window lies below the main window.
    EXPECT_GT(shell.curveWindow().geometry().top(), shell.mainWindow().geometry().bottom());
}

TEST_F(StartUpTest, AMissingRangesFileGivesLine142) {
    writeLanguage(work(), "en");
    writeSettings("en");
    StartUp& shell = start({writeDataFile(), inWork("absent.rng")});
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.startsWith("en 142"));
    EXPECT_EQ(shell.workbench().document.files().RangesFileName,
              inWork("absent.rng").toStdString());
}

TEST_F(StartUpTest, AFirstStartSpeaksTheSystemLanguage) {
    writeLanguage(work(), "en");
    writeLanguage(work(), "ru");
    StartUp& russian = start({}, QLocale(QLocale::Russian));
    EXPECT_EQ(russian.workbench().settings.LanguageName, "ru");
    EXPECT_EQ(find<QMenu>(russian.mainWindow(), "File1")->title(), "ru 1");
    EXPECT_TRUE(messages().empty());

    StartUp& german = start({}, QLocale(QLocale::German));
    EXPECT_EQ(german.workbench().settings.LanguageName, "en");
}

TEST_F(StartUpTest, TheLanguageFileIsAlsoFoundBesideTheExecutable) {
    writeLanguage(bin(), "en");
    writeSettings("en");
    StartUp& shell = start();
    EXPECT_EQ(find<QMenu>(shell.mainWindow(), "File1")->title(), "en 1");
    EXPECT_EQ(shell.workbench().openDialog.title, "en 2");
}

TEST_F(StartUpTest, AMissingLanguageFileAsksForOneAndKeepsTheDesignTexts) {
    writeLanguage(work(), "ru");
    writeSettings("de");
    desktop.fileAnswers.push_back(inWork("ru.lng"));
    StartUp& shell = start();
    ASSERT_EQ(messages().size(), 1u);
    // Told in the language the settings name, English for any but Russian.
    EXPECT_EQ(messages()[0].caption, "Error");
    EXPECT_TRUE(messages()[0].text.startsWith("Current language file not found."));
    ASSERT_EQ(desktop.dialogsRun.size(), 1u);
    EXPECT_EQ(desktop.dialogsRun[0].initialFolder, bin());
    EXPECT_EQ(find<QMenu>(shell.mainWindow(), "File1")->title(), "&Файл");
    // The choice takes effect at the next OK of the settings.
    EXPECT_EQ(shell.workbench().settings.LanguageName, "ru");
}

TEST_F(StartUpTest, TheLanguagePictureIsShownWhenItIsAPicture) {
    writeLanguage(work(), "en");
    writeSettings("en");
    QImage flag(30, 20, QImage::Format_RGB32);
    flag.fill(Qt::red);
    ASSERT_TRUE(flag.save(inWork("en.jpg"), "JPG"));
    StartUp& shell = start();
    EXPECT_FALSE(find<QLabel>(shell.mainWindow(), "Image1")->pixmap().isNull());

    writeText(inWork("en.jpg"), "not a picture");
    StartUp& again = start();
    EXPECT_TRUE(find<QLabel>(again.mainWindow(), "Image1")->pixmap().isNull());
}

} // namespace
} // namespace quelmar::test
