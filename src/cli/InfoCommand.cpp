#include "Arguments.h"
#include "JsonOutput.h"
#include "commands.h"
#include "core/ObservationFile.h"
#include "core/TextFile.h"
#include "core/numbers.h"

#include <iostream>
#include <memory>

namespace quelmar::cli {

void addInfoCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("info", "Print the channel count, point count and time range "
                                           "of an observation file");
    auto path = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    auto marker = std::make_shared<MissingMarker>();
    addDataFile(*cmd, *path);
    addJsonFlag(*cmd, *json);
    addMissingOption(*cmd, *marker);
    cmd->callback([path, json, marker] {
        const FileContent file(*path);
        const int channels = countChannels(file.text(), *path);
        const LoadResult loaded = parsePointStore(file.text(), channels, *path, *marker);
        const PointStore& store = loaded.store;
        const long long missing = missingValueCount(store);
        if (*json) {
            JsonObject out;
            out.text("file", *path).count("channels", channels).count("points", store.PointCount);
            if (store.PointCount > 0)
                out.number("first", store.time(1), 4)
                    .number("last", store.time(store.PointCount), 4);
            out.count("missing", missing);
            out.count("skipped", loaded.skipped.count);
            if (loaded.skipped.count > 0) out.count("first_skipped_line", loaded.skipped.firstLine);
            std::cout << out.str() << '\n';
            return;
        }
        std::cout << "channels " << channels << '\n' << "points " << store.PointCount << '\n';
        if (store.PointCount > 0) {
            std::cout << "first " << fixed(store.time(1), 4) << '\n'
                      << "last " << fixed(store.time(store.PointCount), 4) << '\n';
        }
        if (missing > 0) std::cout << "missing " << missing << '\n';
        if (loaded.skipped.count > 0) {
            std::cout << "skipped " << loaded.skipped.count << '\n';
            reportSkippedLines(*path, loaded.skipped);
        }
    });
}

} // namespace quelmar::cli
