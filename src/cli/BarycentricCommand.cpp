#include "Arguments.h"
#include "JsonOutput.h"
#include "analysis/CorrectionScale.h"
#include "analysis/StarCatalogue.h"
#include "analysis/TimeScales.h"
#include "commands.h"
#include "core/Error.h"
#include "core/TextFile.h"
#include "core/TimeScale.h"
#include "core/WritePlan.h"
#include "core/numbers.h"

#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <unistd.h>

namespace quelmar::cli {

namespace {

struct BarycentricOptions {
    std::string data, star, jdOffset, catalogue;
    std::vector<std::string> ra, dec;
    std::string scale = "series", dates;
    std::vector<double> observatory, properMotion;
    bool json = false;
};

// The catalogue the workbench uses: beside the executable, or in the user's configuration.
CatalogueLocation defaultCatalogue() {
    char executable[4096];
    const ssize_t length = readlink("/proc/self/exe", executable, sizeof executable - 1);
    const std::string folder =
        length > 0 ? folderOf(std::string(executable, static_cast<std::size_t>(length))) : ".";
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const std::string configuration = config && *config ? std::string(config)
                                      : home            ? std::string(home) + "/.config"
                                                        : std::string(".");
    return catalogueLocation(folder, configuration + "/quelmar");
}

// Hours (or degrees), minutes and seconds given as one to three numbers.
double sexagesimalArgument(const std::vector<std::string>& parts, const std::string& what) {
    double values[3] = {};
    for (std::size_t i = 0; i < parts.size(); ++i)
        values[i] = numberArgument(parts[i], what);
    if (!coordinatesGiven(values[0], values[1], values[2]))
        throw QuelmarError(what + " is 0 0 0, which counts as not given");
    return combineSexagesimal(values[0], values[1], values[2]);
}

// Everything that could stop the command after the dates are rewritten is checked before: the
// files are distinct, and a star to be added has a name and a catalogue that can take it.
void checkFilesBeforeRewrite(const BarycentricOptions& opt, const BarycentricRewrite& rewrite,
                             const CatalogueLocation& catalogue, const std::string* addedStar) {
    WritePlan plan;
    plan.rewrites(opt.data, message::RoleDataFile)
        .writes(rewrite.copyPath(), message::RoleDatesCopy);
    if (addedStar) {
        if (catalogue.readPath != catalogue.writePath)
            plan.reads(catalogue.readPath, message::RoleStarCatalogue);
        plan.rewrites(catalogue.writePath, message::RoleStarCatalogue);
    } else if (!opt.star.empty()) {
        plan.reads(catalogue.readPath, message::RoleStarCatalogue);
    }
    plan.check();
    if (addedStar) checkStarCanBeAdded(catalogue, *addedStar);
}

// The scale of the file's dates: as --dates says, checked against the scale recorded for the
// file; a file already barycentric is refused.
TimeScale datesScale(const BarycentricOptions& opt) {
    std::optional<TimeScale> given;
    if (opt.dates == "jd") given = TimeScale::JdUtc;
    if (opt.dates == "hjd") given = TimeScale::HjdUtc;
    if (opt.dates == "bjd-tdb") given = TimeScale::BjdTdb;
    return datesScaleToCorrect(opt.data, given, opt.scale == "tdb");
}

void runBarycentric(const BarycentricOptions& opt) {
    const CatalogueLocation catalogue =
        opt.catalogue.empty() ? defaultCatalogue() : catalogueFile(opt.catalogue);
    const std::string name = cp1251Argument(opt.star, "--star");
    std::optional<StarPosition> listed;
    if (!opt.star.empty()) listed = StarCatalogue::load(catalogue.readPath).find(name);

    StarPosition star;
    if (!opt.ra.empty() || !opt.dec.empty()) {
        if (opt.ra.empty() || opt.dec.empty())
            throw QuelmarError("give both --ra and --dec, or a --star of the catalogue alone");
        star = {sexagesimalArgument(opt.ra, "--ra"), sexagesimalArgument(opt.dec, "--dec")};
    } else if (listed) {
        star = *listed;
    } else {
        throw QuelmarError(opt.star.empty()
                               ? "give the star's coordinates with --ra and --dec"
                               : "the star \"" + opt.star + "\" is not in the catalogue " +
                                     catalogue.readPath + "; give its --ra and --dec");
    }

    checkStarPosition(star);
    const TimeScale input = datesScale(opt);
    const BarycentricRewrite rewrite(opt.data);
    const bool addsStar = !opt.star.empty() && !listed;
    checkFilesBeforeRewrite(opt, rewrite, catalogue, addsStar ? &name : nullptr);
    double jdOffset = 0;
    if (rewrite.hasShortenedDates()) {
        if (opt.jdOffset.empty())
            throw QuelmarError(opt.data, rewrite.firstShortenedLine(),
                               "the date is below 99999, so the file may hold shortened dates; "
                               "give --jd-offset 2400000 (or the offset they need), or "
                               "--jd-offset 0 to correct them as they stand");
        jdOffset = numberArgument(opt.jdOffset, "--jd-offset");
    } else if (!opt.jdOffset.empty()) {
        std::cerr << "quelmar-cli: " << opt.data
                  << ": no date is below 99999, so --jd-offset is not applied\n";
    }
    long long extrapolated = 0;
    if (opt.scale == "tdb") {
        PreciseCorrection precise{star.rightAscension, star.declination};
        if (opt.properMotion.size() == 2) {
            precise.properMotionRa = opt.properMotion[0];
            precise.properMotionDec = opt.properMotion[1];
        }
        if (opt.observatory.size() == 3) {
            precise.hasObservatory = true;
            precise.longitude = opt.observatory[0];
            precise.latitude = opt.observatory[1];
            precise.height = opt.observatory[2];
        }
        precise.datesAreHjd = input == TimeScale::HjdUtc;
        extrapolated = rewrite.runTdb(precise, jdOffset);
    } else {
        rewrite.run(star, jdOffset);
    }
    recordCorrectedScales(rewrite, opt.data, input, opt.scale == "tdb");
    JsonObject out;
    out.count("corrected", rewrite.observations()).text("copy", rewrite.copyPath());
    if (!opt.json)
        std::cout << "corrected " << rewrite.observations() << '\n'
                  << "copy " << rewrite.copyPath() << '\n';
    out.text("scale", opt.scale == "tdb" ? "BJD_TDB" : "BJD_UTC");
    if (extrapolated > 0) {
        out.count("utc_extrapolated", extrapolated);
        std::cerr << "quelmar-cli: " << opt.data << ": "
                  << ownText(message::UtcExtrapolated, InterfaceLanguage::English,
                             {std::to_string(extrapolated)})
                  << '\n';
    }
    if (addsStar) {
        try {
            if (addStar(catalogue, name, star)) {
                out.text("added_to_catalogue", catalogue.writePath);
                if (!opt.json)
                    std::cout << "added to the catalogue " << catalogue.writePath << '\n';
            }
        } catch (const QuelmarError& e) {
            throw QuelmarError(std::string(e.what()) + " (the dates were corrected)");
        }
    }
    if (opt.json) std::cout << out.str() << '\n';
}

} // namespace

void addBarycentricCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand(
        "barycentric", "Correct the dates of a data file to the barycentre of the Solar System "
                       "for a star; the dates before the correction stay in DATA.bar");
    auto opt = std::make_shared<BarycentricOptions>();
    addDataFile(*cmd, opt->data, "observation file, rewritten with corrected dates");
    cmd->add_option("--ra", opt->ra, "right ascension: hours, minutes, seconds")->expected(1, 3);
    cmd->add_option("--dec", opt->dec,
                    "declination: degrees, minutes, seconds of arc; south with every part "
                    "negative (-5 -30 0)")
        ->expected(1, 3);
    cmd->add_option("--star", opt->star,
                    "star name: its coordinates come from the catalogue unless --ra and --dec "
                    "are given; a star not listed is added with them");
    cmd->add_option("--jd-offset", opt->jdOffset,
                    "added to every date when the file holds shortened dates (below 99999)");
    cmd->add_option("--catalogue", opt->catalogue,
                    "star catalogue (default: hotstars.ini beside the executable)");
    cmd->add_option("--scale", opt->scale,
                    "series: the design's series, BJD_UTC (default); tdb: BJD_TDB through ERFA")
        ->check(CLI::IsMember({"series", "tdb"}));
    cmd->add_option("--dates", opt->dates,
                    "the file's dates: jd (JD_UTC, the default), hjd (HJD_UTC) or bjd-tdb "
                    "(refused: already barycentric); checked against the scale recorded for it")
        ->check(CLI::IsMember({"jd", "hjd", "bjd-tdb"}));
    cmd->add_option("--observatory", opt->observatory,
                    "with --scale tdb: longitude east (deg), latitude (deg), height (m); "
                    "default the centre of the Earth")
        ->expected(3);
    cmd->add_option("--proper-motion", opt->properMotion,
                    "with --scale tdb: the star's proper motion in mas/yr (mu_alpha cos delta, "
                    "mu_delta), from J2000.0")
        ->expected(2);
    addJsonFlag(*cmd, opt->json);
    cmd->callback([opt] { runBarycentric(*opt); });
}

} // namespace quelmar::cli
