#include "CliRun.h"
#include "support/TempDir.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using quelmar::test::runCli;
using quelmar::test::TempDir;

namespace {

std::vector<std::string> hiddenFiles(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().starts_with("."))
            names.push_back(entry.path().filename().string());
    return names;
}

std::string observations(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i)
        text += std::to_string(2451545 + i / 100) + "." + std::to_string(10 + i % 90) + " 10." +
                std::to_string(100 + i % 900) + " a comparison star\r\n";
    return text;
}

// Runs quelmar-cli in folder, sends it signal as soon as a working file appears there and
// returns its wait status; -1 when it ended before any working file was seen.
int stopWhileWorking(const std::string& folder, const std::vector<std::string>& arguments,
                     int signal) {
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(127);
        std::vector<char*> argv{const_cast<char*>(QUELMAR_CLI)};
        for (const std::string& a : arguments)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(QUELMAR_CLI, argv.data());
        _exit(127);
    }
    int status = 0;
    bool seen = false;
    // A child still running after a minute is stopped for good and the test fails.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            ADD_FAILURE() << "quelmar-cli did not end within a minute";
            return -1;
        }
        if (!seen && !hiddenFiles(folder).empty()) {
            seen = true;
            kill(child, signal);
        }
        usleep(200);
    }
    return seen ? status : -1;
}

const std::vector<std::string> correction{"barycentric", "big.dat", "--ra", "6", "--dec", "1"};

} // namespace

// Stopped by a signal while its working files are there, a rewrite takes them away, leaves the
// data file as it was and still ends by that signal.
TEST(Signals, StopARewriteWithoutLeavingWorkingFilesBehind) {
    const std::string data = observations(600000);
    const struct {
        int signal;
        std::vector<std::string> arguments;
    } cases[] = {
        {SIGTERM, correction},
        {SIGINT, {"phase", "big.dat", "--epoch", "2451545", "--period", "0.37"}},
        {SIGHUP, correction},
    };
    for (const auto& c : cases) {
        TempDir dir;
        dir.write("big.dat", data);
        const int status = stopWhileWorking(dir.path(), c.arguments, c.signal);
        ASSERT_NE(status, -1) << c.arguments[0] << " ended before a working file was seen";
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal) << c.arguments[0];
        EXPECT_EQ(hiddenFiles(dir.path()), std::vector<std::string>{}) << c.arguments[0];
        EXPECT_TRUE(TempDir::read(dir.file("big.dat")) == data) << c.arguments[0];
    }
}

// What a killed run could not remove (its copy is a second link to the very file the next run
// locks), the next run does.
TEST(Signals, TheNextRunRemovesWhatAKilledRunLeft) {
    TempDir dir;
    dir.write("big.dat", observations(600000));
    const int status = stopWhileWorking(dir.path(), correction, SIGKILL);
    ASSERT_TRUE(status != -1 && WIFSIGNALED(status));
    ASSERT_NE(hiddenFiles(dir.path()), std::vector<std::string>{});
    EXPECT_EQ(runCli(correction, dir.path()).status, 0);
    EXPECT_EQ(hiddenFiles(dir.path()), std::vector<std::string>{});
}
