#include "Arguments.h"
#include "JsonOutput.h"
#include "analysis/PrincipalComponents.h"
#include "analysis/SignalRestoration.h"
#include "commands.h"
#include "core/Error.h"
#include "core/ObservationFile.h"
#include "core/TextFile.h"
#include "core/WritePlan.h"
#include "core/numbers.h"
#include "document/CurveEditing.h"

#include <iostream>
#include <memory>
#include <optional>

namespace quelmar::cli {

namespace {

struct PcaOptions {
    std::string data, output;
    std::optional<std::string> keep;
    bool json = false;
    MissingMarker missing;
};

// "1,3" or "2-4,7": component numbers from 1 to n; an empty list keeps none.
std::vector<bool> componentsToKeep(const std::string& list, int n) {
    std::vector<bool> keep(std::size_t(n) + 1, false);
    std::size_t start = 0;
    while (start < list.size()) {
        std::size_t end = list.find(',', start);
        if (end == std::string::npos) end = list.size();
        const std::string item = list.substr(start, end - start);
        const std::size_t dash = item.find('-', 1);
        const auto first = parseInteger(item.substr(0, dash));
        const auto last = dash == std::string::npos ? first : parseInteger(item.substr(dash + 1));
        if (!first || !last || *first < 1 || *last > n || *first > *last)
            throw QuelmarError("--keep: \"" + item + "\" is not a component number or range " +
                               "within 1 ... " + std::to_string(n));
        for (int k = *first; k <= *last; ++k)
            keep[std::size_t(k)] = true;
        start = end + 1;
    }
    return keep;
}

// The figures the report prints: loadings (a row per channel), singular values, their shares.
std::string pcaJson(const PrincipalComponents& pca, const std::string& data) {
    const int n = pca.ChannelCount;
    double total = 0;
    for (int k = 1; k <= n; ++k)
        total += pca.SingularValues[k] * pca.SingularValues[k];
    std::vector<std::string> loadings, sigmas, shares;
    for (int c = 1; c <= n; ++c) {
        std::vector<std::string> row;
        for (int k = 1; k <= n; ++k)
            row.push_back(jsonNumber(pca.PcaAxes[c][k], 4));
        loadings.push_back(jsonArray(row));
    }
    for (int k = 1; k <= n; ++k) {
        const double lambda = pca.SingularValues[k] * pca.SingularValues[k];
        sigmas.push_back(jsonNumber(pca.SingularValues[k], 4));
        shares.push_back(jsonNumber(total > 0 ? lambda / total : 0, 4));
    }
    return JsonObject()
        .text("file", data)
        .value("loadings", jsonArray(loadings))
        .value("singular_values", jsonArray(sigmas))
        .value("variance_shares", jsonArray(shares))
        .count("left_out", static_cast<long long>(pca.LeftOutPoints.size()))
        .str();
}

void runPca(const PcaOptions& opt) {
    if (!opt.output.empty())
        WritePlan()
            .reads(opt.data, message::RoleDataFile)
            .writes(opt.output, message::RoleOutput)
            .check();
    const FileContent file(opt.data);
    LoadResult loaded =
        parsePointStore(file.text(), countChannels(file.text(), opt.data), opt.data, opt.missing);
    PointStore& store = loaded.store;
    reportSkippedLines(opt.data, loaded.skipped);

    PrincipalComponents pca;
    const PcaOutcome outcome = computePrincipalComponents(store, pca);
    if (outcome != PcaOutcome::Done)
        throw QuelmarError(opt.data, pcaRefusalText(outcome, opt.missing));
    const std::vector<bool> keep =
        componentsToKeep(opt.keep.value_or(""), pca.ChannelCount); // checked before writing

    if (opt.json)
        std::cout << pcaJson(pca, opt.data) << '\n';
    else
        for (const std::string& line : decompositionReport(pca, "Principal components"))
            std::cout << line << '\n';
    if (!opt.json && !pca.LeftOutPoints.empty())
        std::cout << "left out " << pca.LeftOutPoints.size()
                  << " observation(s) with a missing value\n";
    if (pca.PcaStatus != 0)
        std::cerr << "quelmar-cli: singular value " << pca.PcaStatus
                  << " did not converge in 30 sweeps; the results are shown as they stand\n";
    if (opt.output.empty()) return;

    takeOverComponents(pca, store);
    if (opt.keep) restoreSignal(pca, keep, store);
    store.ChannelVisible.assign(std::size_t(store.ChannelCount) + 1, true);
    writeFileAtomically(opt.output, pointsText(store));
}

} // namespace

void addPcaCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand(
        "pca", "Decompose the value columns of an observation file into principal components "
               "and print the loadings, singular values and shares of the variance");
    auto opt = std::make_shared<PcaOptions>();
    addDataFile(*cmd, opt->data);
    addMissingOption(*cmd, opt->missing);
    auto* output = cmd->add_option(
        "--output", opt->output,
        "write the component series (with --keep, the restored columns) with the original times "
        "to this file");
    cmd->add_option("--keep", opt->keep,
                    "components to restore the columns from, such as 1,2 or 1-3; \"\" keeps none, "
                    "which leaves every column at its mean")
        ->needs(output);
    addJsonFlag(*cmd, opt->json);
    cmd->callback([opt] { runPca(*opt); });
}

} // namespace quelmar::cli
