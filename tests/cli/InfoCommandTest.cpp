#include "CliRun.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using quelmar::test::runCli;
using quelmar::test::TempDir;

TEST(InfoCommand, AByteOrderMarkDoesNotHideTheFirstObservation) {
    TempDir dir;
    const auto run = runCli({"info", dir.write("bom.dat", "\xEF\xBB\xBF"
                                                          "1 2 3\r\n2 3 4\r\n")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "channels 2\npoints 2\nfirst 1.0000\nlast 2.0000\n");
}

TEST(InfoCommand, RefusesWhatItCannotReadInsteadOfWaitingOrGuessing) {
    TempDir dir;
    const std::string fifo = dir.file("pipe.dat");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {fifo, fifo + ": is a named pipe, not a file"},
        {"/dev/zero", "/dev/zero: is a device, not a file"},
        {dir.write("nul.dat", std::string("1 9.5\0 8\r\n", 10)),
         dir.file("nul.dat") + ", line 1: value 1 holds a NUL byte"},
        {dir.write("wide.dat", "1 1 2 3 4 5 6 7 8 9 10 11\r\n"),
         dir.file("wide.dat") + ": the first observation line has 11 value columns; at most 10"},
    };
    for (const auto& c : cases) {
        const auto run = runCli({"info", c.path});
        EXPECT_EQ(run.status, 1) << c.path;
        EXPECT_EQ(run.err.rfind("quelmar-cli: " + c.message, 0), 0u) << run.err;
    }
}
