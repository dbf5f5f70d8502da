// quelmar-cli minima: the time of the extremum of each range by one method, a line per range.

#include "Arguments.h"
#include "JsonOutput.h"
#include "analysis/MinimumTiming.h"
#include "analysis/PolynomialFit.h"
#include "analysis/SymmetricPolynomial.h"
#include "commands.h"
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

struct MinimaOptions {
    std::string data, ranges, method = "kvw", terms;
    int first = 0, last = 0, channel = 1, decimals = 7;
    MissingMarker missing;
    bool json = false;
};

// The term counts of the polynomial methods: A-B for the polynomial fits, the first for the
// symmetric polynomial.
TermRange termsOf(const MinimaOptions& opt, TimingMethod method) {
    if (opt.terms.empty())
        return method == TimingMethod::Symmetric ? TermRange{SymmetricTerms, SymmetricTerms}
                                                 : TermRange{};
    const auto dash = opt.terms.find('-', 1);
    const auto first = parseInteger(opt.terms.substr(0, dash));
    const auto last = dash == std::string::npos ? first : parseInteger(opt.terms.substr(dash + 1));
    const int most = method == TimingMethod::Symmetric ? SymmetricMostTerms : MaxTermCount;
    if (!first || !last || *first < 2 || *last > most || *first > *last)
        throw QuelmarError("--terms \"" + opt.terms + "\" is not a term count (or A-B) with " +
                           "2 <= A <= B <= " + std::to_string(most));
    return {*first, *last};
}

struct RangeResult {
    int first = 0, last = 0;
    long long line = 0; // of the ranges file; 0 without one
    MinimumTiming timing;
};

std::string json(const RangeResult& r, int decimals) {
    JsonObject o;
    if (r.timing.timed())
        o.number("moment", r.timing.moment, decimals)
            .number("moment_error", r.timing.momentError, decimals);
    o.text("method", methodWord(r.timing.method)).count("points", r.timing.points);
    if (r.timing.terms > 0) o.count("terms", r.timing.terms);
    o.count("first", r.first).count("last", r.last);
    if (!r.timing.timed()) o.text("refused", r.timing.refusal->english());
    return o.str();
}

void runMinima(const MinimaOptions& opt) {
    const std::optional<TimingMethod> method = methodNamed(opt.method);
    if (!method)
        throw QuelmarError("--method \"" + opt.method + "\" is not kvw, symmetric or polynomial");
    const TermRange terms = termsOf(opt, *method);
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
    if (store.PointCount == 0) throw QuelmarError(opt.data, "holds no observations");

    std::vector<RangeResult> results;
    if (opt.ranges.empty()) {
        const int first = opt.first == 0 ? 1 : opt.first;
        const int last = opt.last == 0 ? store.PointCount : opt.last;
        if (first < 1 || last > store.PointCount || first > last)
            throw QuelmarError("--first " + std::to_string(first) + " --last " +
                               std::to_string(last) + " is not a range of points 1 ... " +
                               std::to_string(store.PointCount));
        results.push_back({first, last, 0, {}});
    } else {
        RangeList list;
        loadRanges(list, opt.ranges);
        while (nextRange(list) == RangeStep::Moved) {
            showCurrentRange(list, store);
            results.push_back({store.ViewFirst, store.ViewLast, list.CurrentRange - 1, {}});
        }
    }
    int refused = 0;
    std::vector<std::string> objects;
    for (RangeResult& r : results) {
        r.timing = timeExtremum(store, opt.channel, r.first, r.last, *method, terms);
        if (opt.json) objects.push_back(json(r, opt.decimals));
        if (r.timing.timed()) {
            if (!opt.json)
                std::cout << fixed(r.timing.moment, opt.decimals) << ' '
                          << fixed(r.timing.momentError, opt.decimals) << ' '
                          << methodWord(r.timing.method) << ' ' << r.timing.points << '\n';
            continue;
        }
        ++refused;
        const MessageText reason(message::TimingInRange,
                                 {std::to_string(r.first), std::to_string(r.last),
                                  std::to_string(opt.channel), *r.timing.refusal});
        const QuelmarError error =
            r.line > 0 ? QuelmarError(opt.ranges, r.line, reason) : QuelmarError(opt.data, reason);
        if (results.size() == 1) throw error;
        std::cout << std::flush;
        std::cerr << "quelmar-cli: " << error.what() << '\n';
    }
    if (opt.json) std::cout << jsonArray(objects) << '\n';
    if (refused > 0)
        throw QuelmarError(opt.ranges, std::to_string(refused) +
                                           (refused == 1 ? " range" : " ranges") +
                                           " could not be timed");
}

} // namespace

void addMinimaCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand(
        "minima", "Times of extremum by Kwee-van Woerden, a symmetric polynomial or polynomial "
                  "fits: moment, error, method and points used, one line per range");
    auto opt = std::make_shared<MinimaOptions>();
    addDataFile(*cmd, opt->data, "observation file", "FILE");
    cmd->add_option("--first", opt->first, "first point of the range (default 1)");
    cmd->add_option("--last", opt->last, "last point of the range (default the last point)");
    cmd->add_option("--ranges", opt->ranges, "ranges file: time every range it lists")
        ->excludes("--first")
        ->excludes("--last");
    cmd->add_option("--method", opt->method, "kvw (default), symmetric or polynomial");
    cmd->add_option("--terms", opt->terms,
                    "symmetric: terms in (t - T0)^2 (default " + std::to_string(SymmetricTerms) +
                        "); polynomial: term counts A-B (default " + designTermRange() +
                        "), the one with the smallest error given");
    cmd->add_option("--channel", opt->channel, "channel to time, 1 = the first value column");
    cmd->add_option("--decimals", opt->decimals, "decimals of the numbers (default 7)");
    addMissingOption(*cmd, opt->missing);
    addJsonFlag(*cmd, opt->json, "print the ranges as one JSON array");
    cmd->callback([opt] { runMinima(*opt); });
}

} // namespace quelmar::cli
