// quelmar-cli: the workbench's commands without windows, for scripts and batch use.

#include "commands.h"
#include "core/SystemReason.h"
#include "core/Version.h"
#include "core/WorkingFiles.h"

#include <algorithm>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    quelmar::reportFileSizeLimitAsFailure();
    quelmar::removeWorkingFilesOnSignals();
    CLI::App app{"Quelmar: the variable-star workbench's commands for scripts and batch use"};
    app.set_version_flag("--version", std::string("quelmar-cli ") + quelmar::VersionShown);
    app.require_subcommand(1);
    quelmar::cli::addInfoCommand(app);
    quelmar::cli::addJdCommand(app);
    quelmar::cli::addTimeCommand(app);
    quelmar::cli::addPlatesCommand(app);
    quelmar::cli::addPeriodCommand(app);
    quelmar::cli::addExtremaCommand(app);
    quelmar::cli::addMinimaCommand(app);
    quelmar::cli::addOcCommand(app);
    quelmar::cli::addPcaCommand(app);
    quelmar::cli::addRenderForwarding(app);
    quelmar::cli::addPhaseCommand(app);
    quelmar::cli::addBarycentricCommand(app);
    quelmar::cli::addImportCommand(app);
    quelmar::cli::addConvertCommand(app);
    const auto commands = app.get_subcommands({});
    if (argc > 1 && argv[1][0] != '-' &&
        std::none_of(commands.begin(), commands.end(),
                     [&](const CLI::App* command) { return command->get_name() == argv[1]; })) {
        std::cerr << "quelmar-cli: " << argv[1] << " is not a subcommand; the subcommands are";
        for (const CLI::App* command : commands)
            std::cerr << ' ' << command->get_name();
        std::cerr << " (quelmar-cli --help says what each does)\n";
        return 1;
    }
    return quelmar::cli::runCommandLine(app, argc, argv);
}
