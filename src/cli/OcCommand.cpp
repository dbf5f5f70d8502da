// quelmar-cli oc: the O−C diagram of a list of times of extremum and its ephemeris fits.

#include "Arguments.h"
#include "JsonOutput.h"
#include "analysis/OcDiagramFile.h"
#include "commands.h"
#include "core/Error.h"
#include "core/numbers.h"

#include <iostream>
#include <memory>

namespace quelmar::cli {

namespace {

struct OcOptions {
    std::string list, epoch, period, fit = "quadratic", output;
    int errorColumn = 0;
    MissingMarker missing;
    bool json = false;
};

std::string shown(double v, int digits = 6) {
    return significantText(v, digits);
}

const char* kindWord(EphemerisKind kind) {
    return kind == EphemerisKind::Linear ? "linear" : "quadratic";
}

std::string fitJson(const EphemerisFit& f) {
    const bool quadratic = f.kind == EphemerisKind::Quadratic;
    auto value = [&](JsonObject& o, const char* key, double v, double error, bool exists) {
        const std::string k = key;
        if (!exists) return o.value(k, "null").value(k + "_error", "null");
        return o.number(k, v, significantDecimals(error, 3) + 1)
            .number(k + "_error", error, significantDecimals(error, 3));
    };
    JsonObject o;
    o.text("kind", kindWord(f.kind));
    value(o, "epoch", f.epoch, f.epochError, true);
    value(o, "period", f.period, f.periodError, true);
    value(o, "quadratic", f.quadratic, f.quadraticError, quadratic);
    value(o, "dp_dt", f.periodChange, f.periodChangeError, quadratic);
    value(o, "dp_dt_century", f.periodChange * DaysPerCentury, f.periodChangeError * DaysPerCentury,
          quadratic);
    return o.number("chi2_reduced", f.chi2Reduced, significantDecimals(f.chi2Reduced, 4)).str();
}

void printFit(const EphemerisFit& f) {
    std::cout << kindWord(f.kind) << " epoch " << shown(f.epoch, 12) << " +- "
              << shown(f.epochError, 2) << " period " << shown(f.period, 12) << " +- "
              << shown(f.periodError, 2);
    if (f.kind == EphemerisKind::Quadratic)
        std::cout << " quadratic " << shown(f.quadratic) << " +- " << shown(f.quadraticError, 2)
                  << " dp_dt " << shown(f.periodChange) << " +- " << shown(f.periodChangeError, 2)
                  << " dp_dt_century " << shown(f.periodChange * DaysPerCentury) << " +- "
                  << shown(f.periodChangeError * DaysPerCentury, 2);
    std::cout << " chi2_reduced " << shown(f.chi2Reduced, 4) << '\n';
}

void runOc(const OcOptions& opt) {
    OcRequest request{
        opt.list,
        opt.output,
        {numberArgument(opt.epoch, "--epoch"), numberArgument(opt.period, "--period")},
        {},
        opt.errorColumn,
        opt.missing};
    const auto asked = ephemerisFits(opt.fit);
    if (!asked) throw QuelmarError("--fit \"" + opt.fit + "\" is not none, linear or quadratic");
    request.fits = *asked;
    if (opt.errorColumn < 0) throw QuelmarError("--error-column must be 1 or more");

    OcDiagramResult diagram = readOcDiagram(request);
    if (diagram.missing > 0)
        std::cerr << "quelmar-cli: " << opt.list << ", line " << diagram.firstMissingLine
                  << ": the first of " << diagram.missing
                  << " line(s) left out, their time or error missing (see --missing)\n";
    fitOcDiagram(diagram, request);
    writeOcDiagram(diagram);
    const std::string& output = diagram.output;
    const std::vector<OcPoint>& points = diagram.points;
    const std::vector<EphemerisFit>& fits = diagram.fits;

    if (!opt.json) {
        std::cout << "oc file " << output << '\n' << "points " << points.size() << '\n';
        for (const EphemerisFit& f : fits)
            printFit(f);
        return;
    }
    std::vector<std::string> pointObjects;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const OcPoint& p = points[i];
        JsonObject o;
        o.value("time", p.time.timeText)
            .number("cycle", p.cycle, 1)
            .number("o_c", p.oc, 6)
            .number("error", p.time.error, 6)
            .text("type", p.time.secondary ? "S" : "P");
        for (const EphemerisFit& f : fits)
            o.number(std::string("residual_") + kindWord(f.kind), f.residuals[i], 6);
        pointObjects.push_back(o.str());
    }
    std::vector<std::string> fitObjects;
    for (const EphemerisFit& f : fits)
        fitObjects.push_back(fitJson(f));
    std::cout << JsonObject()
                     .text("oc_file", output)
                     .value("points", jsonArray(pointObjects))
                     .value("fits", jsonArray(fitObjects))
                     .str()
              << '\n';
}

} // namespace

void addOcCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand(
        "oc", "The O-C diagram of a list of times of extremum against an ephemeris, with "
              "weighted linear and quadratic ephemeris fits; writes it as an observation file "
              "(cycle, O-C, error, type and time)");
    auto opt = std::make_shared<OcOptions>();
    addDataFile(*cmd, opt->list,
                "extrema.txt, or an observation file whose first column is the time", "LIST");
    cmd->add_option("--epoch", opt->epoch, "Julian date of cycle 0")->required();
    cmd->add_option("--period", opt->period, "period, days")->required();
    cmd->add_option("--fit", opt->fit,
                    "none, linear, or quadratic (default: the linear and the quadratic fit)");
    cmd->add_option("--error-column", opt->errorColumn,
                    "the value column holding the error of each time (1 = the column after the "
                    "time; default none, equal weights; extrema.txt carries its errors)");
    addMissingOption(*cmd, opt->missing);
    cmd->add_option("--output", opt->output,
                    "O-C file (default: the list's name up to its first \".\", plus "
                    "\"_oc.dat\", in the working folder)");
    addJsonFlag(*cmd, opt->json);
    cmd->callback([opt] { runOc(*opt); });
}

} // namespace quelmar::cli
