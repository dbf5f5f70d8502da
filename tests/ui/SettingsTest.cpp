#include "ShellFixture.h"

#include "ui/CurvePanel.h"
#include "ui/CurveWindow.h"
#include "ui/SettingsDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QWindow>

namespace quelmar::test {
namespace {

class SettingsTest : public ShellTest {
protected:
    SettingsDialog& openSettings() {
        shell->mainWindow().showSettings();
        return shell->options();
    }
    void check(const char* name, bool on) {
        find<QCheckBox>(shell->options(), name)->setChecked(on);
    }
    void click(const char* name) {
        QTest::mouseClick(find<QAbstractButton>(shell->options(), name), Qt::LeftButton);
    }
    std::vector<std::string> settingsLines(const QString& path) const {
        std::vector<std::string> lines;
        std::string content = TempDir::read(path.toStdString());
        for (std::size_t end; (end = content.find("\r\n")) != std::string::npos;
             content.erase(0, end + 2))
            lines.push_back(content.substr(0, end));
        return lines;
    }
};

TEST_F(SettingsTest, OkWritesTheFlagLineAndKeepsThePreviousFile) {
    startWithFile();
    const std::string previous = TempDir::read(settingsPath().toStdString());
    openSettings();
    check("Datatoolch", true);
    check("FullNumCh", false);
    check("askdel", true);
    check("OnTopCH", false);
    check("setkach", false);
    check("BaryTdbCh", true);
    click("RadioButton2");
    click("OKbtn");

    const std::vector<std::string> lines = settingsLines(settingsPath());
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "en");
    EXPECT_EQ(lines[4], "10100+211");
    EXPECT_EQ(lines[6], "tdb");
    EXPECT_EQ(TempDir::read(inBin("settings_.bin").toStdString()), previous);
    EXPECT_TRUE(shell->workbench().ShowCurveTools);
    EXPECT_FALSE(shell->workbench().FullPlateInfo);
    const QString caption = shell->curveWindow().windowTitle();
    EXPECT_TRUE(caption.startsWith(inWork("star.dat") + " — ")) << caption.toStdString();
    EXPECT_TRUE(find<QLabel>(shell->controlPanel(), "LPoint")->text().startsWith("No. 1 of "))
        << "the cursor's point, not the label's caption";
}

TEST_F(SettingsTest, SymbolShapeWritesTheSymbolAndItsDigit) {
    startWithFile();
    SettingsDialog& options = openSettings();
    click("RadioButton4");
    auto* symbol = find<QLineEdit>(options, "charEdit");
    EXPECT_TRUE(symbol->isEnabled());
    EXPECT_FALSE(find<QSpinBox>(options, "dcirspin")->isEnabled());
    symbol->clear();
    QTest::keyClicks(symbol, "*>");
    click("OKbtn");
    EXPECT_EQ(settingsLines(settingsPath())[4].substr(5, 2), "*4");
    // Points are drawn with all that was typed; the file has room for its first character.
    EXPECT_EQ(symbol->text(), "*>");
    EXPECT_EQ(shell->workbench().settings.PointSymbol, "*>");
}

TEST_F(SettingsTest, AnEmptiedSymbolBoxKeepsTheLastSymbol) {
    startWithFile();
    SettingsDialog& options = openSettings();
    auto* symbol = find<QLineEdit>(options, "charEdit");
    click("RadioButton4");
    symbol->setFocus();
    QTest::keyClick(symbol, Qt::Key_Backspace);
    QTest::keyClick(symbol, Qt::Key_Return);
    EXPECT_EQ(symbol->text(), "+");
    click("OKbtn");
    EXPECT_EQ(settingsLines(settingsPath())[4].substr(5, 2), "+4");
}

TEST_F(SettingsTest, StoredSettingsFillTheControlsAtStartUp) {
    writeLanguage(work(), "en");
    writeText(settingsPath(), "en\r\nplates.dat\r\n/usr/bin/kate\r\n7\r\n01011#301\r\n");
    start({writeDataFile()});
    SettingsDialog& options = shell->options();
    EXPECT_EQ(find<QLineEdit>(options, "Edit1")->text(), "plates.dat");
    EXPECT_EQ(find<QLineEdit>(options, "Edit2")->text(), "/usr/bin/kate");
    EXPECT_EQ(find<QSpinBox>(options, "dcirspin")->value(), 7);
    EXPECT_TRUE(find<QRadioButton>(options, "RadioButton3")->isChecked());
    EXPECT_EQ(find<QLineEdit>(options, "charEdit")->text(), "#");
    EXPECT_TRUE(find<QCheckBox>(options, "FullNumCh")->isChecked());
    EXPECT_TRUE(find<QCheckBox>(options, "setkach")->isChecked());
    EXPECT_FALSE(find<QCheckBox>(options, "Datatoolch")->isChecked());
    EXPECT_TRUE(shell->workbench().FullPlateInfo);
}

TEST_F(SettingsTest, ABackupThatCannotBeMadeIsReportedAndTheSettingsAreSavedAnyway) {
    startWithFile();
    QDir(bin()).mkdir("settings_.bin"); // the backup cannot replace a folder
    SettingsDialog& options = openSettings();
    find<QSpinBox>(options, "dcirspin")->setValue(9);
    click("OKbtn");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.contains("backup")) << messages()[0].text.toStdString();
    EXPECT_TRUE(messages()[0].text.contains(inBin("settings_.bin")));
    EXPECT_EQ(settingsLines(settingsPath())[3], "9");
}

TEST_F(SettingsTest, SettingsThatCannotBeWrittenAreReportedAndTheChangesStay) {
    startWithFile();
    QFile::remove(settingsPath());
    QDir(bin()).mkdir("settings.bin");
    SettingsDialog& options = openSettings();
    find<QSpinBox>(options, "dcirspin")->setValue(9);
    click("OKbtn");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.contains(settingsPath()));
    EXPECT_EQ(find<QSpinBox>(options, "dcirspin")->value(), 9);
    EXPECT_EQ(shell->workbench().settings.PointSize, 9);
}

TEST_F(SettingsTest, ASettingsPathTheFileCannotHoldIsRefusedAndTheRestSaved) {
    startWithFile();
    SettingsDialog& options = openSettings();
    find<QLineEdit>(options, "Edit1")->setText(QStringLiteral("/home/josé/7cam.dat"));
    find<QSpinBox>(options, "dcirspin")->setValue(9);
    click("OKbtn");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.contains(QStringLiteral("/home/josé/7cam.dat")));
    EXPECT_EQ(TempDir::read(settingsPath().toStdString()),
              "en\r\n7cam.dat\r\n/usr/bin/editor\r\n9\r\n00100+201\r\n0\r\nseries\r\n");
    EXPECT_EQ(find<QLineEdit>(options, "Edit1")->text(), "7cam.dat");

    // A file dialog can return a name with a line break, which would split the line.
    find<QLineEdit>(options, "Edit2")->setText(QStringLiteral("/opt/ed\nitor"));
    click("OKbtn");
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_TRUE(messages()[1].text.contains(QStringLiteral("line break")));
    EXPECT_EQ(TempDir::read(settingsPath().toStdString()),
              "en\r\n7cam.dat\r\n/usr/bin/editor\r\n9\r\n00100+201\r\n0\r\nseries\r\n");
}

// A lab or a package puts settings.bin beside a program in a folder the user cannot write.
TEST_F(SettingsTest, SettingsBesideAReadOnlyProgramAreReadUntilTheUserHasOwnOnes) {
    writeLanguage(work(), "en");
    writeText(settingsPath(), "en\r\nlab.dat\r\n/usr/bin/kate\r\n6\r\n00100+201\r\n");
    const QString config = QString::fromStdString(dir.file("config"));
    StartUpContext startUp;
    startUp.placeSettings(bin(), false, config);
    startUp.arguments = {writeDataFile()};
    startWith(startUp);
    EXPECT_EQ(shell->workbench().settings.PlateCatalogue, "lab.dat");
    EXPECT_EQ(shell->workbench().settings.PointSize, 6);

    find<QSpinBox>(openSettings(), "dcirspin")->setValue(8);
    click("OKbtn");
    EXPECT_TRUE(messages().empty());
    const QString own = QDir(config).filePath("settings.bin");
    EXPECT_EQ(settingsLines(own)[3], "8");
    EXPECT_EQ(settingsLines(settingsPath())[3], "6"); // the program's stay as they were

    startWith(startUp);
    EXPECT_EQ(shell->workbench().settings.PointSize, 8);
    EXPECT_EQ(shell->workbench().settings.PlateCatalogue, "lab.dat");
}

// With the marker "none" a 0 is an observation: the next load keeps it, and so does the next
// start, which reads the marker back from settings.bin.
TEST_F(SettingsTest, TheMissingValueMarkerTakesEffectAtTheNextLoadAndIsSaved) {
    writeLanguage(work(), "en");
    writeSettings("en");
    const QString data = writeText(inWork("colour.dat"), "2451545.3 0.00 0.31\r\n"
                                                         "2451546.1 0.12 0\r\n");
    start({data});
    EXPECT_EQ(missingValueCount(shell->workbench().document.points()), 2)
        << "0 marks a missing value";

    SettingsDialog& options = openSettings();
    auto* marker = find<QLineEdit>(options, "MissingEdit");
    EXPECT_EQ(marker->text(), "0");
    marker->setText(QStringLiteral(" None "));
    click("OKbtn");
    EXPECT_EQ(settingsLines(settingsPath()).at(5), "none");
    EXPECT_EQ(missingValueCount(shell->workbench().document.points()), 2)
        << "until the file is read again";
    shell->mainWindow().refreshCurve();
    EXPECT_EQ(missingValueCount(shell->workbench().document.points()), 0);
    EXPECT_EQ(shell->workbench().document.points().value(1, 1), 0.0);

    // A marker that is no number is refused; the one saved stays.
    marker->setText(QStringLiteral("n/a"));
    click("OKbtn");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.contains("n/a")) << messages()[0].text.toStdString();
    EXPECT_EQ(settingsLines(settingsPath()).at(5), "none");
    EXPECT_EQ(marker->text(), "none");

    start({data});
    EXPECT_TRUE(shell->workbench().settings.Missing.isNone());
    EXPECT_EQ(find<QLineEdit>(shell->options(), "MissingEdit")->text(), "none");
    EXPECT_EQ(missingValueCount(shell->workbench().document.points()), 0);
    EXPECT_EQ(shell->workbench().document.points().PointCount, 2);
}

TEST_F(SettingsTest, ControlsWriteTheLiveOptionsAtOnce) {
    startWithFile();
    SettingsDialog& options = openSettings();
    find<QSpinBox>(options, "Spinpolynom")->setValue(5);
    find<QSpinBox>(options, "SpinXL")->setValue(12);
    check("RadioButton1", true);
    const Options& live = shell->workbench().options;
    EXPECT_EQ(live.PolynomialTerms.first, 5);
    EXPECT_EQ(live.Plot.MajorTicks, 12);
    EXPECT_TRUE(live.BestTermCount);
    EXPECT_FALSE(find<QSpinBox>(options, "SpinNum")->isEnabled());
}

TEST_F(SettingsTest, TheChannelListFollowsTheStoreAndMarksChannels) {
    startWithFile();
    SettingsDialog& options = openSettings();
    auto* list = find<QListWidget>(options, "CheckListBox1");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "2channel");
    EXPECT_TRUE(list->isEnabled());
    click("selno");
    EXPECT_FALSE(shell->workbench().document.points().ChannelVisible[1]);
    EXPECT_FALSE(shell->workbench().document.points().ChannelVisible[2]);
    click("selall");
    EXPECT_TRUE(shell->workbench().document.points().ChannelVisible[2]);
    options.close();

    desktop.fileAnswers.push_back(writeText(inWork("one.dat"), "1 2\r\n3 4\r\n"));
    shell->mainWindow().openDataFile();
    openSettings();
    EXPECT_EQ(list->count(), 1);
    EXPECT_FALSE(list->isEnabled());
    EXPECT_FALSE(find<QPushButton>(options, "selall")->isEnabled());
}

TEST_F(SettingsTest, TheDefaultsLinkRestoresTheDesignValues) {
    startWithFile();
    SettingsDialog& options = openSettings();
    find<QSpinBox>(options, "SpinX")->setValue(2);
    find<QSpinBox>(options, "SpinYax")->setValue(1);
    find<QSpinBox>(options, "dcirspin")->setValue(20);
    click("RadioButton3");
    click("selno");
    auto* link = find<QLabel>(options, "defaultbtn");
    QTest::mousePress(link, Qt::LeftButton);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(Qt::red));
    QTest::mouseRelease(link, Qt::LeftButton);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(Qt::black));

    const Workbench& state = shell->workbench();
    EXPECT_EQ(state.options.CursorXDecimals, 8);
    EXPECT_EQ(state.options.Plot.YAxisDecimals, 4);
    EXPECT_EQ(state.settings.PointSize, 4);
    EXPECT_EQ(state.settings.Shape, PointShape::Circle);
    EXPECT_TRUE(state.document.points().ChannelVisible[1] &&
                state.document.points().ChannelVisible[2]);
}

TEST_F(SettingsTest, FontButtonsSetFaceAndColourShowThemAndTheLabelsUseThem) {
    startWithFile();
    SettingsDialog& options = openSettings();
    const LabelFont red{QFont("Serif", 14), qRgb(255, 0, 0)};
    desktop.fontAnswer = red;
    click("ColorYaxBtn");
    const Options& live = shell->workbench().options;
    EXPECT_EQ(live.Plot.YAxisFont.font, red.font);
    EXPECT_EQ(live.Plot.YAxisFont.colour, red.colour);
    auto* button = find<QPushButton>(options, "ColorYaxBtn");
    EXPECT_EQ(button->font(), red.font);
    EXPECT_EQ(button->palette().color(QPalette::ButtonText), QColor(Qt::red));
    EXPECT_NE(live.Plot.XAxisFont.font, red.font);
    desktop.fontAnswer = LabelFont{QFont("Serif", 9), qRgb(0, 128, 0)};
    click("ColorXBtn");
    desktop.fontAnswer.reset();
    click("Color1xBtn"); // cancelled: the design font stays
    EXPECT_EQ(live.CursorInverseXFont.colour, qRgb(0, 0, 0));

    options.close(); // the curve is drawn again with the new fonts
    const QImage& picture = shell->curveWindow().picture();
    int redPixels = 0; // nothing else of a two-channel curve is red
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < 60; ++x)
            redPixels += picture.pixel(x, y) == red.colour;
    EXPECT_GT(redPixels, 10);
    auto* lx = find<QLabel>(shell->controlPanel(), "LX");
    EXPECT_EQ(lx->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_EQ(lx->font().pointSize(), 9);
}

TEST_F(SettingsTest, BrowseButtonsUseTheirFilterAndRestoreTheSharedOne) {
    startWithFile();
    SettingsDialog& options = openSettings();
    desktop.fileAnswers.push_back("/data/plates/7cam.dat");
    find<QLineEdit>(options, "Edit1")->setText(inWork("cat.dat"));
    click("obzor1");
    ASSERT_EQ(desktop.dialogsRun.size(), 1u);
    EXPECT_EQ(desktop.dialogsRun[0].filter, "en catalogues|*.dat");
    EXPECT_EQ(desktop.dialogsRun[0].initialFolder, work());
    EXPECT_EQ(find<QLineEdit>(options, "Edit1")->text(), "/data/plates/7cam.dat");
    EXPECT_EQ(shell->workbench().settings.PlateCatalogue, "/data/plates/7cam.dat");

    click("obzor2");
    EXPECT_EQ(desktop.dialogsRun[1].filter, "en programs|*");
    EXPECT_EQ(nameFiltersOf(shell->workbench().openDialog.filter),
              (QStringList{"en all (*.dat *.per *.fits *.fit *.csv *.txt)",
                           "Survey light curves (*.fits *.fit *.csv *.txt)", "en any (*)"}));
}

TEST_F(SettingsTest, TheLanguageIsTheFirstTwoLettersOfTheChosenFile) {
    startWithFile();
    openSettings();
    writeLanguage(bin(), "ru");
    desktop.fileAnswers.push_back(writeText(inWork("russian.lng"), "x\r\n"));
    click("Button1");
    EXPECT_EQ(desktop.dialogsRun[0].filter, "en languages|*.lng");
    EXPECT_EQ(desktop.dialogsRun[0].initialFolder, bin());
    EXPECT_EQ(desktop.dialogsRun[0].fileName, "");
    EXPECT_EQ(shell->workbench().settings.LanguageName, "ru");
    EXPECT_TRUE(messages().empty());

    // A file that is no language of the program is refused before it is stored.
    for (const QString& wrong : {writeText(inWork("notes.txt"), "x"), inWork("de.lng")}) {
        desktop.fileAnswers.push_back(wrong);
        click("Button1");
        EXPECT_EQ(shell->workbench().settings.LanguageName, "ru");
    }
    EXPECT_EQ(messages().size(), 2u);
}

TEST_F(SettingsTest, ShowingThePanelActsAtOnce) {
    startWithFile();
    openSettings();
    check("Datatoolch", true);
    EXPECT_TRUE(shell->controlPanel().isVisible());
    check("Datatoolch", false);
    EXPECT_FALSE(shell->controlPanel().isVisible());
}

// While the settings are open, the light curve takes no keys: they go through the window system
// as a user's do, and the dialog is modal to the whole program.
TEST_F(SettingsTest, TheOpenDialogBlocksTheLightCurve) {
    startWithFile();
    QWindow* curve = shell->curveWindow().windowHandle();
    shell->workbench().document.setCursorPoint(1);
    openSettings();
    QTest::keyClick(curve, Qt::Key_End);
    EXPECT_EQ(shell->workbench().document.view().CursorPoint, 1);
    click("OKbtn");
    QTest::keyClick(curve, Qt::Key_End);
    EXPECT_EQ(shell->workbench().document.view().CursorPoint, 3);
}

TEST_F(SettingsTest, TheStoredFlagsTakeEffectWhenTheMainWindowIsFirstShown) {
    writeLanguage(work(), "en");
    writeText(settingsPath(), "en\r\n7cam.dat\r\nkate\r\n4\r\n11010+211\r\n");
    start({writeDataFile()});
    EXPECT_TRUE(shell->mainWindow().isVisible());
    EXPECT_TRUE(shell->mainWindow().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(shell->workbench().ShowCurveTools);
    EXPECT_TRUE(shell->workbench().FullPlateInfo);
}

TEST_F(SettingsTest, OkKeepsTheMainWindowOnTopWhenAsked) {
    startWithFile();
    openSettings();
    check("OnTopCH", true);
    click("OKbtn");
    EXPECT_TRUE(shell->mainWindow().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(shell->mainWindow().isVisible());
    openSettings();
    check("OnTopCH", false);
    click("OKbtn");
    EXPECT_FALSE(shell->mainWindow().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

} // namespace
} // namespace quelmar::test
