#pragma once
// Runs quelmar-cli with arguments and collects what a user would see.

#include <string>
#include <vector>

namespace quelmar::test {

struct CliRun {
    int status = -1; // exit status; 124 when it was stopped for taking longer than a minute
    std::string out;
    std::string err;
};

// Runs it in workingFolder when one is given (where result files named after the data go).
CliRun runCli(const std::vector<std::string>& arguments, const std::string& workingFolder = {});

// A file of the source tree, such as "examples/plates.dat".
std::string sourceFile(const std::string& relative);

} // namespace quelmar::test
