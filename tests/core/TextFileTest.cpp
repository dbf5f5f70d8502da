#include "core/Error.h"
#include "core/TextFile.h"
#include "core/cp1251.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

using namespace quelmar;
using quelmar::test::TempDir;

static std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> out;
    LineReader reader(text);
    std::string_view line;
    while (reader.next(line)) out.emplace_back(line);
    return out;
}

TEST(LineReader, AcceptsEveryLineEnd) {
    using V = std::vector<std::string>;
    EXPECT_EQ(linesOf("a\r\nb\r\n"), (V{"a", "b"}));
    EXPECT_EQ(linesOf("a\nb"), (V{"a", "b"}));
    EXPECT_EQ(linesOf("a\rb\r"), (V{"a", "b"}));
    EXPECT_EQ(linesOf("a\r\n\r\nb"), (V{"a", "", "b"}));
    EXPECT_EQ(linesOf("a\n\nb\n"), (V{"a", "", "b"}));
    EXPECT_EQ(linesOf("a\r\n\x1a"), (V{"a"}));
    EXPECT_EQ(linesOf(""), V{});
}

TEST(AtomicWrite, ReplacesTheFileAndLeavesNoTemporary) {
    TempDir dir;
    const auto p = dir.write("star.dat", "old");
    chmod(p.c_str(), 0640);
    writeFileAtomically(p, "new content\r\n");
    EXPECT_EQ(TempDir::read(p), "new content\r\n");
    struct stat info {};
    stat(p.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(AtomicWrite, FailureLeavesTheOriginal) {
    if (geteuid() == 0) GTEST_SKIP() << "root can write into a read-only folder";
    TempDir dir;
    const auto p = dir.write("star.dat", "original");
    chmod(dir.path().c_str(), 0500);
    EXPECT_THROW(writeFileAtomically(p, "new"), QuelmarError);
    chmod(dir.path().c_str(), 0700);
    EXPECT_EQ(TempDir::read(p), "original");
}

TEST(AtomicWrite, MissingFolderIsReportedWithTheFileName) {
    try {
        writeFileAtomically("/nonexistent-folder/x.dat", "data");
        FAIL();
    } catch (const QuelmarError& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent-folder/x.dat"), std::string::npos);
    }
}

TEST(ReadFile, MissingFileAndFolderAreErrors) {
    TempDir dir;
    EXPECT_THROW(readFile(dir.file("none.dat")), QuelmarError);
    EXPECT_THROW(readFile(dir.path()), QuelmarError);
}

TEST(Paths, SiblingsAndNames) {
    EXPECT_EQ(fileNameOf("/a/b/star.dat"), "star.dat");
    EXPECT_EQ(folderOf("/a/b/star.dat"), "/a/b");
    EXPECT_EQ(folderOf("star.dat"), "");
    EXPECT_EQ(siblingPath("/a/settings.bin", "settings_.bin"), "/a/settings_.bin");
    EXPECT_EQ(siblingPath("settings.bin", "settings_.bin"), "settings_.bin");
    EXPECT_EQ(siblingPath("/settings.bin", "x"), "/x");
}

TEST(Cp1251, RoundTripsCyrillicAndMarksWhatItLacks) {
    const std::string russian = "Открыть файл ё Ё №";
    const std::string bytes = utf8ToCp1251(russian);
    EXPECT_EQ(bytes.size(), 18u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xCEu); // О
    EXPECT_EQ(cp1251ToUtf8(bytes), russian);
    EXPECT_EQ(utf8ToCp1251("日"), "?");
    EXPECT_EQ(cp1251ToUtf8("\x98"), "\xEF\xBF\xBD");
}
