#include "analysis/ExtremaFile.h"
#include "core/Error.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace quelmar;
using quelmar::test::TempDir;

namespace {

const std::string Line = "2451234.5678\xC2\xB1"
                         "0.0012 9.8765\xC2\xB1"
                         "0.0034";
const std::string FileLine = "2451234.5678\xB1"
                             "0.0012 9.8765\xB1"
                             "0.0034\r\n";

TEST(ExtremaFile, AppendsEachSavedLineAndReplacesForSaveAll) {
    TempDir dir;
    const std::string path = dir.file("extrema.txt");
    appendExtremumLine(path, Line);
    appendExtremumLine(path, Line);
    EXPECT_EQ(TempDir::read(path), FileLine + FileLine) << "created, then appended; cp1251";

    writeExtremumLines(path, {Line, "1.0\xC2\xB1"
                                    "2.0 3.0\xC2\xB1"
                                    "4.0"});
    EXPECT_EQ(TempDir::read(path), FileLine + "1.0\xB1"
                                              "2.0 3.0\xB1"
                                              "4.0\r\n");
    writeExtremumLines(path, {});
    EXPECT_EQ(TempDir::read(path), "") << "saving an empty list empties the file";
}

TEST(ExtremaFile, RefusesWhatIsNotARegularFileWithoutWaiting) {
    TempDir dir;
    const std::string fifo = dir.file("extrema.txt");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_THROW(appendExtremumLine(fifo, Line), QuelmarError);
    EXPECT_THROW(appendExtremumLine(dir.path(), Line), QuelmarError) << "a folder";
}

} // namespace
