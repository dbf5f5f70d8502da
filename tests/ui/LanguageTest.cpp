#include "ShellFixture.h"

#include "ui/CalendarDialog.h"
#include "ui/CurvePanel.h"
#include "ui/ExtremaWindow.h"
#include "ui/LanguageApply.h"
#include "ui/PeriodSearchDialog.h"
#include "ui/RestorationDialog.h"
#include "ui/SettingsDialog.h"
#include "ui/help/AboutBox.h"
#include "ui/help/ManualWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace quelmar::test {
namespace {

TEST(NameFilters, LanguageFiltersBecomeFileDialogFilters) {
    EXPECT_EQ(nameFiltersOf(OpenDialog::designFilter()),
              (QStringList{"Все поддерживаемые файлы (*.dat *.f5 *.per)", "Файлы данных (*.dat)",
                           "Файлы F5 (*.f5)", "Файлы периодов (*.per)", "Все файлы (*)"}));
    EXPECT_EQ(nameFiltersOf("Programs|*|Languages|*.lng"),
              (QStringList{"Programs (*)", "Languages (*.lng)"}));
    // A description without its patterns offers every file; a trailing bar adds nothing.
    EXPECT_EQ(nameFiltersOf("Everything"), QStringList{"Everything (*)"});
    EXPECT_EQ(nameFiltersOf("Data|*.dat|"), QStringList{"Data (*.dat)"});
    EXPECT_TRUE(nameFiltersOf("").isEmpty());
    // The survey light curves that File "Open" converts are offered beside the data files.
    EXPECT_EQ(nameFiltersOf(withSurveyFiles("Data|*.dat|All|*.*", "Surveys")),
              (QStringList{"Data (*.dat *.fits *.fit *.csv *.txt)",
                           "Surveys (*.fits *.fit *.csv *.txt)", "All (*)"}));
}

class LanguageTest : public ShellTest {
protected:
    QString caption(QWidget& window, const char* name) {
        QObject* control = find(window, name);
        if (auto* menu = qobject_cast<QMenu*>(control)) return menu->title();
        if (auto* action = qobject_cast<QAction*>(control)) return action->text();
        if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
        return {};
    }
    QString tabText(const char* page) {
        auto* tabs = find<QTabWidget>(shell->options(), "PageControl1");
        return tabs->tabText(tabs->indexOf(find<QWidget>(shell->options(), page)));
    }
    void chooseLanguageAndConfirm(const QString& languageFile) {
        desktop.fileAnswers.push_back(languageFile);
        QTest::mouseClick(find<QPushButton>(shell->options(), "Button1"), Qt::LeftButton);
        QTest::mouseClick(find<QPushButton>(shell->options(), "OKbtn"), Qt::LeftButton);
    }
};

TEST_F(LanguageTest, EveryRowOfTheTableNamesAControlOfItsWindow) {
    StartUp& shell = startWithFile();
    const QStringList missing = unresolvedLanguageRows(shell.labelledWindows());
    EXPECT_TRUE(missing.isEmpty()) << missing.join(", ").toStdString();
}

TEST_F(LanguageTest, EntriesLabelMenusHintsDialogsAndTheAboutBox) {
    StartUp& shell = startWithFile();
    MainWindow& main = shell.mainWindow();
    EXPECT_EQ(caption(main, "File1"), "en 1");
    EXPECT_EQ(caption(main, "FileOpenItem"), "en 2");
    EXPECT_EQ(caption(main, "Calc"), "en 6");
    EXPECT_EQ(caption(main, "graph1"), "en 15");
    EXPECT_EQ(caption(main, "Optbutt"), "en 21");
    EXPECT_EQ(caption(main, "HelpAboutItem"), "en 24");
    EXPECT_EQ(find<QToolButton>(main, "ToolButton4")->toolTip(), "en 27");
    EXPECT_EQ(shell.options().windowTitle(), "en 67");
    EXPECT_EQ(tabText("TabSheet2"), "en 79");
    EXPECT_EQ(caption(shell.options(), "ColorNumBtn"), "en 83");
    EXPECT_EQ(caption(shell.options(), "RadioButton4"), "en 131");
    EXPECT_EQ(shell.manual().windowTitle(), "en 66");
    EXPECT_EQ(shell.about().windowTitle(), "en 24");
    EXPECT_EQ(caption(shell.about(), "Label3"), "en 124\nen 125\nen 126");
    // The main window's banner is not the options' Label1.
    EXPECT_EQ(caption(main, "Label1"), "Q u e l m a r   v .  3 . 0 3   A L T U S");
    EXPECT_EQ(caption(shell.options(), "Label1"), "en 71");
}

TEST_F(LanguageTest, ChoosingAnotherLanguageRelabelsEveryWindowAtOnce) {
    writeLanguage(work(), "ru");
    StartUp& shell = startWithFile();
    shell.mainWindow().showSettings();
    chooseLanguageAndConfirm(inWork("ru.lng"));

    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(shell.options().isVisible());
    EXPECT_EQ(caption(shell.mainWindow(), "File1"), "ru 1");
    EXPECT_EQ(caption(shell.mainWindow(), "grfrenew"), "ru 17");
    EXPECT_EQ(find<QToolButton>(shell.mainWindow(), "ToolButton1")->toolTip(), "ru 25");
    EXPECT_EQ(shell.options().windowTitle(), "ru 67");
    EXPECT_EQ(tabText("TabSheet1"), "ru 68");
    EXPECT_EQ(caption(shell.options(), "obzor2"), "ru 73");
    EXPECT_EQ(shell.calendar().windowTitle(), "ru 48");
    EXPECT_TRUE(shell.workbench().openDialog.filter.startsWith("ru all|*.dat; *.per"));
    EXPECT_TRUE(TempDir::read(settingsPath().toStdString()).starts_with("ru\r\n"));

    shell.mainWindow().showSettings();
    chooseLanguageAndConfirm(inWork("en.lng"));
    EXPECT_EQ(caption(shell.mainWindow(), "File1"), "en 1");
}

TEST_F(LanguageTest, AOneLineFileBlanksEveryOtherCaption) {
    writeLines(inWork("xx.lng"), {"Файл"});
    writeSettings("xx");
    StartUp& shell = start({writeDataFile()});
    MainWindow& main = shell.mainWindow();
    EXPECT_EQ(caption(main, "File1"), "Файл");
    EXPECT_EQ(caption(main, "FileOpenItem"), "");
    EXPECT_EQ(caption(main, "Help1"), "");
    EXPECT_EQ(find<QToolButton>(main, "ToolButton1")->toolTip(), "");
    EXPECT_EQ(shell.options().windowTitle(), "");
    EXPECT_EQ(caption(shell.options(), "defaultbtn"), "");
    EXPECT_EQ(shell.calendar().windowTitle(), "");
    EXPECT_EQ(caption(shell.about(), "Label3"), "\n\n");
    EXPECT_EQ(shell.workbench().openDialog.filter, "");
}

} // namespace
} // namespace quelmar::test
