#include "Arguments.h"
#include "JsonOutput.h"
#include "analysis/PhaseCurve.h"
#include "commands.h"

#include <iostream>
#include <memory>

namespace quelmar::cli {

void addPhaseCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("phase", "Fold a data file by an epoch and a period and write "
                                            "the phase file (phase, the line's values and text, "
                                            "date)");
    struct Options {
        std::string data, epoch, period, output;
        bool json = false;
    };
    auto opt = std::make_shared<Options>();
    addDataFile(*cmd, opt->data);
    cmd->add_option("--epoch", opt->epoch, "Julian date of phase 0")->required();
    cmd->add_option("--period", opt->period, "period, days")->required();
    cmd->add_option("--output", opt->output,
                    "phase file (default: the data file's name up to its first \".\", plus "
                    "\"_ph.dat\", in the working folder)");
    addJsonFlag(*cmd, opt->json);
    cmd->callback([opt] {
        const double epoch = numberArgument(opt->epoch, "--epoch");
        const double period = numberArgument(opt->period, "--period");
        const std::string output = opt->output.empty() ? phaseFileName(opt->data) : opt->output;
        const long long lines = writePhaseCurve(opt->data, output, epoch, period);
        if (opt->json)
            std::cout << JsonObject().text("phase_file", output).count("lines", lines).str()
                      << '\n';
        else
            std::cout << "phase file " << output << '\n' << "lines " << lines << '\n';
    });
}

} // namespace quelmar::cli
