#include "Arguments.h"
#include "JsonOutput.h"
#include "commands.h"
#include "core/PlateCatalogue.h"

#include <iostream>
#include <memory>

namespace quelmar::cli {

void addPlatesCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("plates", "Replace the plate numbers that begin the lines of a "
                                             "data file by the plates' Julian dates");
    struct Options {
        std::string data, catalogue;
        bool full = false, json = false;
    };
    auto opt = std::make_shared<Options>();
    addDataFile(*cmd, opt->data, "data file whose lines begin with plate numbers");
    cmd->add_option("--catalogue", opt->catalogue, "plate catalogue (plate, JD, free text)")
        ->required();
    cmd->add_flag("--full", opt->full, "append the catalogue's text about each plate");
    addJsonFlag(*cmd, opt->json);
    cmd->callback([opt] {
        const PlateConversion report = convertPlateNumbers(opt->data, opt->catalogue, opt->full);
        if (opt->json) {
            JsonObject out;
            out.count("converted", report.converted).count("unmatched", report.unmatched);
            if (report.unmatched > 0) out.count("first_unmatched_line", report.firstUnmatchedLine);
            std::cout << out.text("unconverted_copy", report.workingCopy).str() << '\n';
            return;
        }
        std::cout << "converted " << report.converted << '\n';
        if (report.unmatched > 0)
            std::cout << "not in the catalogue " << report.unmatched << " (first at line "
                      << report.firstUnmatchedLine << "), dropped\n";
        std::cout << "unconverted copy " << report.workingCopy << '\n';
    });
}

} // namespace quelmar::cli
