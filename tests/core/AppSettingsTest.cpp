#include "core/AppSettings.h"
#include "core/Error.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quelmar;
using quelmar::test::TempDir;

TEST(Settings, FlagLineFollowsTheCheckBoxes) {
    AppSettings s;
    s.ShowCurveTools = true;
    s.AskBeforeDelete = true;
    EXPECT_EQ(settingsFlagLine(s), "10100+211");
    s.Shape = PointShape::Symbol;
    s.PointSymbol = "*>";
    EXPECT_EQ(settingsFlagLine(s).substr(5, 2), "*4"); // the first character of the symbol
    s.PointSymbol.clear();
    EXPECT_EQ(settingsFlagLine(s).substr(5, 2), "+4");
}

TEST(Settings, RoundTripThroughTheFileWithBackup) {
    TempDir dir;
    const auto path = dir.file("settings.bin");
    AppSettings first;
    first.LanguageName = "en";
    first.PlateCatalogue = "/plates/7cam.dat";
    first.EditorPath = "/usr/bin/mousepad";
    first.PointSize = 7;
    first.ShowGrid = true;
    first.Shape = PointShape::Square;
    saveSettings(path, first);
    EXPECT_EQ(TempDir::read(path),
              "en\r\n/plates/7cam.dat\r\n/usr/bin/mousepad\r\n7\r\n00101+301\r\n0\r\nseries\r\n");
    EXPECT_EQ(loadSettings(path), first);

    AppSettings second = first;
    second.LanguageName = "ru";
    second.Missing = MissingMarker::none();
    second.BarycentricTdb = true;
    saveSettings(path, second);
    EXPECT_EQ(loadSettings(path), second);
    EXPECT_EQ(loadSettings(settingsBackupPath(path)), first);
    EXPECT_EQ(settingsBackupPath(path), dir.file("settings_.bin"));
}

TEST(Settings, MissingOrBrokenFilesStartWithTheDesignDefaults) {
    TempDir dir;
    EXPECT_EQ(loadSettings(dir.file("settings.bin")), AppSettings{});
    const AppSettings badSize = parseSettings("ru\r\n7cam.dat\r\nedit\r\nbig\r\n10100+211\r\n");
    EXPECT_EQ(badSize.PointSize, 4);
    EXPECT_EQ(badSize.LanguageName, "ru");
    EXPECT_EQ(parseSettings("ru\r\nx\r\ny\r\n500\r\n").PointSize, 100);

    const AppSettings shortFlags = parseSettings("ru\r\nx\r\ny\r\n5\r\n011\r\n");
    EXPECT_FALSE(shortFlags.ShowCurveTools);
    EXPECT_TRUE(shortFlags.FullPlateInfo);
    EXPECT_FALSE(shortFlags.AskBeforeDelete); // position 9 missing reads as "0"
    EXPECT_EQ(shortFlags.PointSymbol, "+");
    EXPECT_EQ(shortFlags.Shape, PointShape::Circle);
}

// Line 6, the missing-value marker, came later: a file of five lines reads with marker 0, and an
// unreadable line 6 keeps it; the five lines before it read the same whatever follows.
TEST(Settings, MissingValueMarkerIsLineSix) {
    const std::string fiveLines = "ru\r\n7cam.dat\r\nedit\r\n6\r\n10100+211\r\n";
    const AppSettings old = parseSettings(fiveLines);
    EXPECT_EQ(old.Missing, MissingMarker{});
    EXPECT_TRUE(old.Missing.marks(0));
    const struct {
        const char* line;
        MissingMarker expected;
    } cases[] = {{"none", MissingMarker::none()},
                 {"-99.9", MissingMarker(-99.9)},
                 {"99 ", MissingMarker(99)},
                 {"nothing", MissingMarker{}},
                 {"", MissingMarker{}}};
    for (const auto& c : cases) {
        AppSettings expected = old;
        expected.Missing = c.expected;
        EXPECT_EQ(parseSettings(fiveLines + c.line + "\r\n"), expected) << c.line;
    }
    // Line 7, the barycentric scale, came after it: only "tdb" chooses BJD_TDB.
    for (const auto& [line, tdb] : {std::pair{"tdb", true}, {"series", false}, {"TDB x", false}})
        EXPECT_EQ(parseSettings(fiveLines + "0\r\n" + line + "\r\n").BarycentricTdb, tdb) << line;
}

TEST(Settings, ABackupThatCannotBeMadeDoesNotStopTheSave) {
    TempDir dir;
    const auto path = dir.file("settings.bin");
    saveSettings(path, AppSettings{});
    ASSERT_TRUE(std::filesystem::create_directory(settingsBackupPath(path)));
    AppSettings changed;
    changed.PointSize = 9;
    const auto problem = saveSettings(path, changed);
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->english().find("settings_.bin"), std::string::npos) << problem->english();
    EXPECT_EQ(loadSettings(path), changed);
}

TEST(Settings, UnwritableFolderIsReported) {
    EXPECT_THROW(saveSettings("/nonexistent-folder/settings.bin", AppSettings{}), QuelmarError);
}
