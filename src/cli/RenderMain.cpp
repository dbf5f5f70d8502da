// quelmar-render: quelmar-cli's picture command, the one that needs Qt, which quelmar-cli runs
// for `quelmar-cli render` so that its other commands start without loading Qt.

#include "commands.h"
#include "core/SystemReason.h"
#include "core/Version.h"
#include "core/WorkingFiles.h"

#include <string>

int main(int argc, char** argv) {
    quelmar::reportFileSizeLimitAsFailure();
    quelmar::removeWorkingFilesOnSignals();
    CLI::App app{"Quelmar: the variable-star workbench's picture command"};
    app.name("quelmar-cli");
    app.set_version_flag("--version", std::string("quelmar-cli ") + quelmar::VersionShown);
    app.require_subcommand(1);
    quelmar::cli::addRenderCommand(app);
    return quelmar::cli::runCommandLine(app, argc, argv);
}
