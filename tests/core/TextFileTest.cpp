#include "core/TextFile.h"
#include "core/Error.h"
#include "core/SystemReason.h"
#include "core/cp1251.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <cstring>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace quelmar;
using quelmar::test::TempDir;

static std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> out;
    LineReader reader(text);
    std::string_view line;
    while (reader.next(line))
        out.emplace_back(line);
    return out;
}

static std::string failure(const std::function<void()>& action) {
    try {
        action();
    } catch (const QuelmarError& e) {
        return e.what();
    }
    return "no error";
}

static int directoryEntries(const std::string& path) {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(path), {}));
}

TEST(LineReader, AcceptsEveryLineEnd) {
    using V = std::vector<std::string>;
    EXPECT_EQ(linesOf("a\r\nb\r\n"), (V{"a", "b"}));
    EXPECT_EQ(linesOf("a\nb"), (V{"a", "b"}));
    EXPECT_EQ(linesOf("a\rb\r"), (V{"a", "b"}));
    EXPECT_EQ(linesOf("a\r\n\r\nb"), (V{"a", "", "b"}));
    EXPECT_EQ(linesOf("a\n\nb\n"), (V{"a", "", "b"}));
    EXPECT_EQ(linesOf("a\r\n\x1a"), (V{"a"}));
    EXPECT_EQ(linesOf("\xEF\xBB\xBF"
                      "a\r\nb"),
              (V{"a", "b"}))
        << "a byte-order mark is no text";
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
    EXPECT_EQ(directoryEntries(dir.path()), 1);
}

// The working file beside a name near the longest allowed cannot be created, whoever asks.
TEST(AtomicWrite, FailureLeavesTheOriginal) {
    TempDir dir;
    const auto p = dir.write(std::string(250, 's') + ".dat", "original");
    EXPECT_NE(failure([&] { writeFileAtomically(p, "new"); }).find(std::strerror(ENAMETOOLONG)),
              std::string::npos);
    EXPECT_EQ(TempDir::read(p), "original");
    EXPECT_EQ(directoryEntries(dir.path()), 1);
}

TEST(AtomicWrite, RemovesOnlyItsOwnWorkingFilesThatNoLiveProcessHolds) {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0); // its process id now names no process
    const std::string dead = std::to_string(child), live = std::to_string(getppid());
    TempDir dir;
    const auto p = dir.write("star.dat", "old");
    const std::pair<std::string, bool> files[] = {
        {".star.dat.quelmar-" + dead + "-0", false}, {".star.dat.quelmar-" + dead + "-17", false},
        {".star.dat.quelmar-" + live + "-0", true},  {".star.dat.quelmar-" + dead, true},
        {".star.dat.quelmar-" + dead + "-x", true},  {".star.dat.quelmar-x" + dead + "-0", true},
        {".other.dat.quelmar-" + dead + "-0", true}, {".star.dat.AbC123", true},
        {".star.dat." + dead + ".0", true},
    };
    for (const auto& [name, stays] : files)
        dir.write(name, "x");
    writeFileAtomically(p, "new");
    for (const auto& [name, stays] : files)
        EXPECT_EQ(std::filesystem::exists(dir.file(name)), stays) << name;
    EXPECT_EQ(TempDir::read(p), "new");
}

TEST(AtomicWrite, ReplacesTheFileALinkNamesAndKeepsTheLink) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("real"));
    const auto target = dir.write("real/star.dat", "old");
    const auto link = dir.file("star.dat");
    std::filesystem::create_symlink(target, link);
    writeFileAtomically(link, "new");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(TempDir::read(target), "new");
}

TEST(AtomicWrite, RefusesAFileTheUserMadeReadOnly) {
    TempDir dir;
    const auto p = dir.write("star.dat", "protected");
    chmod(p.c_str(), 0444);
    EXPECT_EQ(failure([&] { writeFileAtomically(p, "new"); }),
              p + ": is read-only; it is left unchanged");
    EXPECT_EQ(TempDir::read(p), "protected");
}

TEST(AtomicWrite, AFailedWriteKeepsTheOldFileLeavesNoTemporaryAndSaysWhy) {
    TempDir dir;
    const auto p = dir.write("star.tmp", "the older copy");
    const auto source = dir.write("star.dat", std::string(10000, '7'));
    std::string message;
    {
        const test::FileSizeLimit full(4096);
        message = failure([&] { copyFile(source, p); });
    }
    EXPECT_EQ(message,
              p + ": cannot write the file (" + std::strerror(EFBIG) + "); the file is unchanged");
    EXPECT_EQ(TempDir::read(p), "the older copy");
    EXPECT_EQ(directoryEntries(dir.path()), 2) << "a working file was left behind";
}

// Lines added while a rewrite runs would stay with the file it replaces; an append that fails
// to a file that was not there leaves none behind.
TEST(Append, IsRefusedDuringARewriteAndTakenBackWhole) {
    TempDir dir;
    const auto data = dir.write("star.dat", "2451545 1\r\n");
    {
        const LockedFile rewrite(data);
        EXPECT_EQ(failure([&] { appendToFile(data, "2451546 2\r\n"); }),
                  data +
                      ": is busy: another command is rewriting it; try again when it has finished");
    }
    appendToFile(data, "2451546 2\r\n");
    EXPECT_EQ(TempDir::read(data), "2451545 1\r\n2451546 2\r\n");
    const auto added = dir.file("new.dat");
    {
        const test::FileSizeLimit full(8);
        EXPECT_THROW(appendToFile(added, std::string(100, '7')), QuelmarError);
    }
    EXPECT_FALSE(std::filesystem::exists(added));
}

TEST(LockedFile, ASecondRewriteOfTheSameFileIsToldItIsBusy) {
    TempDir dir;
    const auto p = dir.write("star.dat", "1 2\r\n");
    const LockedFile first(p);
    EXPECT_EQ(first.text(), "1 2\r\n");
    EXPECT_EQ(failure([&] { LockedFile second(p); }),
              p + ": is busy: another command is rewriting it; try again when it has finished");
    const auto readOnly = dir.write("ro.dat", "x");
    chmod(readOnly.c_str(), 0444);
    EXPECT_NE(failure([&] { LockedFile locked(readOnly); }).find("read-only"), std::string::npos);
}

// The command line shows English; a window shows the reason, the system's one included, in the
// language of its interface.
TEST(ErrorText, SpeaksTheInterfaceLanguageAndWhatStaysEnglish) {
    TempDir dir;
    const auto p = dir.write("star.dat", "1 2\r\n");
    const auto missing = dir.file("gone.dat");
    try {
        readFile(missing);
        FAIL();
    } catch (const QuelmarError& e) {
        EXPECT_EQ(std::string(e.what()),
                  missing + ": cannot open the file (" + std::strerror(ENOENT) + ")");
        EXPECT_EQ(e.text(InterfaceLanguage::Russian),
                  missing + ": не удаётся открыть файл (Нет такого файла или каталога)");
    }
    const QuelmarError atLine(p, 7, systemReason(ENOSPC));
    EXPECT_EQ(errorText(atLine, InterfaceLanguage::Russian),
              p + ", строка 7: На устройстве не осталось свободного места");
    EXPECT_EQ(errorText(atLine, InterfaceLanguage::English),
              p + ", line 7: " + std::strerror(ENOSPC));
    EXPECT_EQ(errorText(std::bad_alloc(), InterfaceLanguage::English),
              "There is not enough memory to finish the command.");
    EXPECT_EQ(systemReason(EHWPOISON).in(InterfaceLanguage::Russian),
              "системная ошибка " + std::to_string(EHWPOISON) + " (" + std::strerror(EHWPOISON) +
                  ")");
}

TEST(AtomicWrite, MissingFolderIsReportedWithTheFileName) {
    try {
        writeFileAtomically("/nonexistent-folder/x.dat", "data");
        FAIL();
    } catch (const QuelmarError& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent-folder/x.dat"), std::string::npos);
    }
}

TEST(ReadFile, RefusesWhatIsNotARegularFileWithoutWaitingOrReadingIt) {
    TempDir dir;
    EXPECT_THROW(readFile(dir.file("none.dat")), QuelmarError);
    EXPECT_THROW(readFile(dir.path()), QuelmarError);
    const std::string fifo = dir.file("pipe.dat");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // Each of these would wait for a writer, or read for ever, if it did not refuse first.
    EXPECT_EQ(failure([&] { readFile(fifo); }),
              fifo + ": is a named pipe, not a file; only regular files are read");
    EXPECT_NE(failure([&] { FileContent content(fifo); }).find("named pipe"), std::string::npos);
    EXPECT_NE(failure([&] { readLeadingLines(fifo, 3, 10); }).find("named pipe"),
              std::string::npos);
    EXPECT_NE(failure([] { readFile("/dev/zero"); }).find("is a device"), std::string::npos);
}

TEST(ReadLeadingLines, StopsAfterTheLinesWantedAndCutsLongOnes) {
    TempDir dir;
    const auto p = dir.write("en.lng", "\xEF\xBB\xBF"
                                       "one\r\n" +
                                           std::string(5000, 'x') + "\rthree\n\r\nfive\r\nsix\r\n");
    using V = std::vector<std::string>;
    EXPECT_EQ(readLeadingLines(p, 5, 8), (V{"one", "xxxxxxxx", "three", "", "five"}));
    EXPECT_EQ(readLeadingLines(p, 99, 8).size(), 6u);
    EXPECT_EQ(readLeadingLines(dir.write("z.lng", "a\r\nb\x1a"), 9, 8), (V{"a", "b"}));
}

TEST(Paths, SiblingsAndNames) {
    EXPECT_EQ(fileNameOf("/a/b/star.dat"), "star.dat");
    EXPECT_EQ(folderOf("/a/b/star.dat"), "/a/b");
    EXPECT_EQ(folderOf("star.dat"), "");
    EXPECT_EQ(siblingPath("/a/settings.bin", "settings_.bin"), "/a/settings_.bin");
    EXPECT_EQ(siblingPath("settings.bin", "settings_.bin"), "settings_.bin");
    EXPECT_EQ(siblingPath("/settings.bin", "x"), "/x");
}

TEST(Paths, ExtensionsOfTheFinalComponentOnly) {
    EXPECT_EQ(extensionOf("/obs/star.dat"), ".dat");
    EXPECT_EQ(extensionOf("/obs/star.v.JPG"), ".JPG");
    EXPECT_EQ(extensionOf("/obs.d/star"), "");
    EXPECT_EQ(extensionOf("star."), ".");
    EXPECT_EQ(withExtension("/obs/star.dat", ".jpg"), "/obs/star.jpg");
    EXPECT_EQ(withExtension("/obs.d/star", ".bmp"), "/obs.d/star.bmp");
    EXPECT_EQ(withExtension("/obs/star.jpg", ""), "/obs/star");
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
