#include "CliRun.h"

#include "support/TempDir.h"

#include <cstdlib>
#include <sys/wait.h>

namespace quelmar::test {

namespace {

std::string quoted(const std::string& text) {
    std::string q = "'";
    for (char c : text)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

} // namespace

CliRun runCli(const std::vector<std::string>& arguments, const std::string& workingFolder) {
    TempDir dir;
    // A command that would wait for ever is stopped, so a fault fails the test instead of
    // hanging the suite.
    std::string command = workingFolder.empty() ? "" : "cd " + quoted(workingFolder) + " && ";
    command += "timeout 60 " + quoted(QUELMAR_CLI);
    for (const std::string& a : arguments)
        command += " " + quoted(a);
    command += " >" + quoted(dir.file("out")) + " 2>" + quoted(dir.file("err")) + " </dev/null";
    const int status = std::system(command.c_str());
    CliRun run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = TempDir::read(dir.file("out"));
    run.err = TempDir::read(dir.file("err"));
    return run;
}

std::string sourceFile(const std::string& relative) {
    return std::string(QUELMAR_SOURCE_DIR) + "/" + relative;
}

} // namespace quelmar::test
