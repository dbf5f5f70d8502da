#include "Arguments.h"
#include "JsonOutput.h"
#include "commands.h"
#include "core/Error.h"
#include "core/StepEstimates.h"
#include "core/cp1251.h"

#include <iostream>
#include <memory>

namespace quelmar::cli {

void addImportCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand(
        "import", "Add visual step estimates from a file to a data file as magnitudes");
    struct Options {
        std::string data, stars, from;
        bool json = false;
    };
    auto opt = std::make_shared<Options>();
    addDataFile(*cmd, opt->data, "data file the observations are added to");
    cmd->add_option("--stars", opt->stars,
                    "comparison stars, a key and a magnitude each: \"a9.34 b10.11 c11.28\"")
        ->required();
    cmd->add_option("--from", opt->from,
                    "file of estimates, one a line: \"JD a2v3b comment\" or \"JD 2 3 comment\"")
        ->required();
    addJsonFlag(*cmd, opt->json);
    cmd->callback([opt] {
        const std::string line = cp1251Argument(opt->stars, "--stars");
        if (line.size() < 2) throw QuelmarError("--stars names no comparison star");
        std::string badEntry;
        const auto stars = ComparisonStars::parse(line, badEntry);
        if (!stars)
            throw QuelmarError("--stars: " + ownText(message::ComparisonStarInvalid,
                                                     InterfaceLanguage::English,
                                                     {cp1251ToUtf8(badEntry)}));
        if (stars->empty()) throw QuelmarError("--stars names no comparison star");
        const ImportReport report = importEstimates(opt->data, opt->from, *stars);
        if (!opt->json) {
            std::cout << importSummary(report, InterfaceLanguage::English) << '\n';
            return;
        }
        JsonObject out;
        out.count("added", report.added).count("skipped", report.skipped);
        if (report.skipped > 0) out.count("first_skipped_line", report.firstSkippedLine);
        if (report.endLine > 0) out.count("ended_at_line", report.endLine);
        std::cout << out.str() << '\n';
    });
}

} // namespace quelmar::cli
