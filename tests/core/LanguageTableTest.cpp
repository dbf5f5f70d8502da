#include "core/LanguageTable.h"
#include "core/OwnMessages.h"
#include "core/cp1251.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace quelmar;

TEST(LanguageTable, LineKFillsEntryKDecodedFromCp1251) {
    LanguageTable table;
    table.loadText(utf8ToCp1251("&Файл\r\nОткрыть\r\n\r\n  Текстовый редактор \r\n"));
    EXPECT_EQ(table.entry(1), "&Файл");
    EXPECT_EQ(table.entry(2), "Открыть");
    EXPECT_EQ(table.entry(3), "");
    EXPECT_EQ(table.entry(4), "  Текстовый редактор ");
    EXPECT_EQ(table.entry(5), "");
    EXPECT_EQ(table.entry(0), "");
    EXPECT_EQ(table.entry(151), "");
}

TEST(LanguageTable, EmptyEntriesShowTheirFallback) {
    LanguageTable table;
    EXPECT_EQ(table.message(115), "Не все данные введены!");
    EXPECT_EQ(table.message(141), "");
    std::string file;
    for (int k = 1; k <= 115; ++k)
        file += "line " + std::to_string(k) + "\r\n";
    table.loadText(file);
    EXPECT_EQ(table.message(115), "line 115");
}

TEST(LanguageTable, LinesAfter150AreIgnoredAndLaterEntriesSurviveAShortFile) {
    LanguageTable table;
    std::string file;
    for (int k = 1; k <= 160; ++k)
        file += "L" + std::to_string(k) + "\n";
    table.loadText(file);
    EXPECT_EQ(table.entry(150), "L150");
    table.loadText("one\r\n");
    EXPECT_EQ(table.entry(1), "one");
    EXPECT_EQ(table.entry(2), "L2");
}

TEST(LanguageTable, AHugeFileIsReadNoFurtherThanItsLinesAndCutsLongOnes) {
    test::TempDir dir;
    std::string file = "\xEF\xBB\xBF"
                       "one\r\n" +
                       std::string(3 * LanguageLineLength, 'x') + "\r\n";
    for (int k = 3; k <= 150; ++k)
        file += "L" + std::to_string(k) + "\r\n";
    file += std::string(1 << 20, 'y');
    LanguageTable table;
    table.load(dir.write("en.lng", file));
    EXPECT_EQ(table.entry(1), "one");
    EXPECT_EQ(table.entry(2), std::string(LanguageLineLength, 'x'));
    EXPECT_EQ(table.entry(150), "L150");
}

TEST(OwnMessages, TheInterfaceLanguageChoosesTheTextAndArgumentsFillThePlaces) {
    constexpr OwnMessage twoPlaces{"%2 of %1%", "%2 из %1%"};
    EXPECT_EQ(ownText(twoPlaces, InterfaceLanguage::English, {"360", "1"}), "1 of 360%");
    EXPECT_EQ(ownText(twoPlaces, interfaceLanguageOf("ru"), {"360", "1"}), "1 из 360%");
    EXPECT_EQ(ownText(twoPlaces, interfaceLanguageOf("de"), {"360"}), " of 360%");
}
