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
void addRenderCommand(CLI::App& app);
void addPhaseCommand(CLI::App& app);
void addBarycentricCommand(CLI::App& app);
void addImportCommand(CLI::App& app);
void addConvertCommand(CLI::App& app);
void addMinimaCommand(CLI::App& app);
void addOcCommand(CLI::App& app);

} // namespace quelmar::cli
