#include "Arguments.h"
#include "JsonOutput.h"
#include "analysis/ExtremumLines.h"
#include "commands.h"
#include "core/DesignDefaults.h"
#include "core/Error.h"
#include "core/ObservationFile.h"
#include "core/TextFile.h"
#include "core/numbers.h"
#include "document/CurveNavigation.h"
#include "document/RangeList.h"

#include <iostream>
#include <memory>

namespace quelmar::cli {

namespace {

struct ExtremaOptions {
    std::string data, terms = designTermRange(), ranges;
    int first = 0, last = 0, decimals = design::PolynomialDecimals, channel = 1;
    bool json = false;
    MissingMarker missing;
};

TermRange termRange(const std::string& text) {
    const auto dash = text.find('-', 1);
    const auto first = parseInteger(text.substr(0, dash));
    const auto last = dash == std::string::npos ? first : parseInteger(text.substr(dash + 1));
    if (!first || !last || *first < design::MinTerms || *last > MaxTermCount || *first > *last)
        throw QuelmarError("--terms \"" + text + "\" is not a range A-B of term counts with " +
                           std::to_string(design::MinTerms) +
                           " <= A <= B <= " + std::to_string(MaxTermCount));
    return {*first, *last};
}

// The fits of one term count each, as JSON objects with the figures the lines show.
std::string fitsJson(const ExtremumTables& tables, const ChannelFit& fit, int decimals) {
    std::vector<std::string> fits;
    const int c = fit.channel;
    for (const TermFit& term : fit.terms) {
        const int m = term.terms;
        JsonObject one;
        one.count("terms", m);
        if (term.note != ExtremumNote::Singular)
            one.number("moment", tables.ExtremumMoment[c][m], decimals)
                .number("moment_error", tables.ExtremumMomentError[c][m], decimals)
                .number("value", tables.ExtremumValue[c][m], decimals)
                .number("value_error", tables.ExtremumValueError[c][m], decimals);
        if (term.note != ExtremumNote::None) one.text("note", extremumNoteName(term.note));
        fits.push_back(one.str());
    }
    return jsonArray(fits);
}

// Fits the store's view and prints the lines (with --json, adds them to the block); the
// refusal of the channel, if it was refused.
std::string printFit(const PointStore& store, const ExtremaOptions& opt, TermRange terms,
                     ExtremumTables& tables, JsonObject& block) {
    const ChannelFit fit = fitExtremum(store, opt.channel, store.ViewFirst, store.ViewLast, terms,
                                       tables.beginRun(), tables);
    constexpr InterfaceLanguage english = InterfaceLanguage::English;
    if (fit.leftOut > 0) std::cerr << "quelmar-cli: " << leftOutText(fit, english) << '\n';
    block.count("first", store.ViewFirst)
        .count("last", store.ViewLast)
        .count("left_out", fit.leftOut);
    if (fit.refusal != FitRefusal::None) {
        block.text("refused", fitRefusalText(fit, english));
        return opt.data + ": " + fitRefusalText(fit, english);
    }
    block.value("fits", fitsJson(tables, fit, opt.decimals));
    if (opt.json) return {};
    for (const ExtremumLine& line : extremumLines(tables, fit, opt.decimals, english))
        std::cout << line.text << '\n';
    return {};
}

void checkPoint(int point, const char* option, const PointStore& store) {
    if (point < 1 || point > store.PointCount)
        throw QuelmarError(std::string(option) + " " + std::to_string(point) +
                           " is not a point of the file, 1 ... " +
                           std::to_string(store.PointCount));
}

void runExtrema(const ExtremaOptions& opt) {
    const TermRange terms = termRange(opt.terms);
    if (opt.decimals < 0 || opt.decimals > 20)
        throw QuelmarError("--decimals " + std::to_string(opt.decimals) + " is not 0 ... 20");
    const FileContent file(opt.data);
    LoadResult loaded =
        parsePointStore(file.text(), countChannels(file.text(), opt.data), opt.data, opt.missing);
    reportSkippedLines(opt.data, loaded.skipped);
    PointStore store = std::move(loaded.store);
    if (opt.channel < 1 || opt.channel > store.ChannelCount)
        throw QuelmarError(opt.data, "channel " + std::to_string(opt.channel) +
                                         " does not exist; the file has " +
                                         std::to_string(store.ChannelCount));
    const int first = opt.first == 0 ? 1 : opt.first;
    const int last = opt.last == 0 ? store.PointCount : opt.last;
    checkPoint(first, "--first", store);
    checkPoint(last, "--last", store);
    if (first > last) throw QuelmarError("--first is beyond --last");

    ExtremumTables tables;
    if (opt.ranges.empty()) {
        limitView(store, first, last);
        JsonObject out;
        out.text("file", opt.data).count("channel", opt.channel);
        if (const std::string refusal = printFit(store, opt, terms, tables, out); !refusal.empty())
            throw QuelmarError(refusal);
        if (opt.json) std::cout << out.str() << '\n';
        return;
    }
    RangeList list;
    loadRanges(list, opt.ranges);
    int refused = 0;
    std::vector<std::string> blocks;
    while (nextRange(list) == RangeStep::Moved) {
        showCurrentRange(list, store);
        if (!opt.json) std::cout << "points " << store.ViewFirst << ' ' << store.ViewLast << '\n';
        JsonObject block;
        if (const std::string refusal = printFit(store, opt, terms, tables, block);
            !refusal.empty()) {
            std::cout << std::flush;
            std::cerr << "quelmar-cli: " << refusal << '\n';
            ++refused;
        }
        blocks.push_back(block.str());
    }
    if (opt.json)
        std::cout << JsonObject()
                         .text("file", opt.data)
                         .count("channel", opt.channel)
                         .value("ranges", jsonArray(blocks))
                         .str()
                  << '\n';
    if (refused > 0)
        throw QuelmarError(opt.ranges, std::to_string(refused) +
                                           (refused == 1 ? " range" : " ranges") +
                                           " could not be fitted");
}

} // namespace

void addExtremaCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand(
        "extrema", "Moments and values of an extremum, with their errors, from polynomial fits "
                   "of one channel over a range of points (one line per term count)");
    auto opt = std::make_shared<ExtremaOptions>();
    addDataFile(*cmd, opt->data, "observation file", "FILE");
    addMissingOption(*cmd, opt->missing);
    cmd->add_option("--first", opt->first, "first point of the range (default 1)");
    cmd->add_option("--last", opt->last, "last point of the range (default the last point)");
    cmd->add_option("--terms", opt->terms,
                    "term counts A-B to fit, " + std::to_string(design::MinTerms) + " ... " +
                        std::to_string(MaxTermCount) + " (default " + designTermRange() +
                        "; 3 terms is a parabola)");
    cmd->add_option("--decimals", opt->decimals,
                    "decimals of the numbers (default " +
                        std::to_string(design::PolynomialDecimals) + ")");
    cmd->add_option("--channel", opt->channel, "channel to fit, 1 = the first value column");
    cmd->add_option("--ranges", opt->ranges,
                    "ranges file: fit every range it lists, one block per range headed by its "
                    "point numbers");
    addJsonFlag(*cmd, opt->json);
    cmd->callback([opt] { runExtrema(*opt); });
}

} // namespace quelmar::cli
