#pragma once
// Each subcommand of quelmar-cli registers its options and its action here. An action throws
// QuelmarError on failure; main reports it on standard error with exit status 1.

#include <CLI/CLI.hpp>
#include <stdexcept>

namespace quelmar::cli {

// A command over many files that finished, some of them with errors: exit status 2.
class SomeFilesFailed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

void addInfoCommand(CLI::App& app);
void addJdCommand(CLI::App& app);
void addTimeCommand(CLI::App& app);
void addPlatesCommand(CLI::App& app);
void addPeriodCommand(CLI::App& app);
void addExtremaCommand(CLI::App& app);
void addPcaCommand(CLI::App& app);
// The picture command. quelmar-cli itself is built without Qt: its render subcommand hands
// the whole command line to quelmar-render beside it, which draws with Qt.
inline constexpr const char* RenderDescription =
    "Draw the light curve of a data file as the light-curve window does, with the design "
    "options, and save it as a picture in the format its extension names (.bmp, .jpg or .jpeg, "
    ".gif, .png)";
void addRenderCommand(CLI::App& app);
void addRenderForwarding(CLI::App& app);
void addPhaseCommand(CLI::App& app);
void addBarycentricCommand(CLI::App& app);
void addImportCommand(CLI::App& app);
void addConvertCommand(CLI::App& app);
void addMinimaCommand(CLI::App& app);
void addOcCommand(CLI::App& app);

// Parses the command line and runs the subcommand, turning what it throws into the message on
// standard error and the exit status: 0, 1 for a failure, 2 for a batch with failed files.
int runCommandLine(CLI::App& app, int argc, char** argv);

} // namespace quelmar::cli
