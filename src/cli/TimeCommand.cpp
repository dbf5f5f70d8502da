#include "Arguments.h"
#include "analysis/TimeScales.h"
#include "commands.h"
#include "core/Error.h"
#include "core/numbers.h"

#include <iostream>
#include <memory>

namespace quelmar::cli {

namespace {

struct TimeOptions {
    std::vector<std::string> dates, ra, dec;
    std::string from, to;
};

double sexagesimal(const std::vector<std::string>& parts, const std::string& what) {
    double values[3] = {};
    for (std::size_t i = 0; i < parts.size(); ++i)
        values[i] = numberArgument(parts[i], what);
    return combineSexagesimal(values[0], values[1], values[2]);
}

void runTime(const TimeOptions& opt) {
    const DateScale from = *dateScaleNamed(opt.from);
    const DateScale to = *dateScaleNamed(opt.to);
    PreciseStar star;
    if (needsStar(from) || needsStar(to)) {
        if (opt.ra.empty() || opt.dec.empty())
            throw QuelmarError("HJD and BJD_TDB depend on the star: give --ra and --dec");
        star.position = {sexagesimal(opt.ra, "--ra"), sexagesimal(opt.dec, "--dec")};
        checkStarPosition(star.position);
    }
    PreciseTimes times;
    long long extrapolated = 0;
    for (const std::string& text : opt.dates) {
        const double utc = times.toUtc(numberArgument(text, "date"), from, star);
        if (utcExtrapolated(utc)) ++extrapolated;
        std::cout << fixed(times.fromUtc(utc, to, star), 8) << '\n';
    }
    if (extrapolated > 0)
        std::cerr << "quelmar-cli: "
                  << ownText(message::UtcExtrapolated, InterfaceLanguage::English,
                             {std::to_string(extrapolated)})
                  << '\n';
}

} // namespace

void addTimeCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("time", "Convert Julian dates between time scales (UTC, TT, "
                                           "TDB, HJD, BJD_TDB) through ERFA");
    auto opt = std::make_shared<TimeOptions>();
    cmd->add_option("JD", opt->dates, "Julian dates on the --from scale")->required();
    const std::vector<std::string> scales{"utc", "tt", "tdb", "hjd", "bjd-tdb"};
    cmd->add_option("--from", opt->from, "utc, tt, tdb, hjd or bjd-tdb")
        ->required()
        ->check(CLI::IsMember(scales));
    cmd->add_option("--to", opt->to, "utc, tt, tdb, hjd or bjd-tdb")
        ->required()
        ->check(CLI::IsMember(scales));
    cmd->add_option("--ra", opt->ra, "right ascension (ICRS): hours, minutes, seconds")
        ->expected(1, 3);
    cmd->add_option("--dec", opt->dec, "declination: degrees, minutes, seconds, south negative")
        ->expected(1, 3);
    cmd->callback([opt] { runTime(*opt); });
}

} // namespace quelmar::cli
