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
        bool full = false;
    };
    auto opt = std::make_shared<Options>();
    cmd->add_option("DATA", opt->data, "data file whose lines begin with plate numbers")
        ->required();
    cmd->add_option("--catalogue", opt->catalogue, "plate catalogue (plate, JD, free text)")
        ->required();
    cmd->add_flag("--full", opt->full, "append the catalogue's text about each plate");
    cmd->callback([opt] {
        const PlateConversion report = convertPlateNumbers(opt->data, opt->catalogue, opt->full);
        std::cout << "converted " << report.converted << '\n';
        if (report.unmatched > 0)
            std::cout << "not in the catalogue " << report.unmatched << " (first at line "
                      << report.firstUnmatchedLine << "), dropped\n";
        std::cout << "unconverted copy " << report.workingCopy << '\n';
    });
}

} // namespace quelmar::cli
