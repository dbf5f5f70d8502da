#include "Arguments.h"
#include "JsonOutput.h"
#include "commands.h"

#include "core/Error.h"
#include "core/numbers.h"
#include "survey/SurveyConversion.h"

#include <iostream>
#include <memory>

namespace quelmar::cli {

namespace {

struct ConvertOptions {
    std::string source, output, band, flux = "pdcsap", zeroPoint, columns, time = "hjd";
    bool magnitude = false;
    bool json = false;
};

// Names separated by commas; a name may hold blanks ("Observer Code").
std::vector<std::string> columnNames(const std::string& text) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        std::string name = text.substr(start, comma - start);
        name.erase(0, name.find_first_not_of(' '));
        name.erase(name.find_last_not_of(' ') + 1);
        if (!name.empty()) names.push_back(name);
        start = comma + 1;
    }
    return names;
}

ConversionOptions conversionOptions(const ConvertOptions& opt) {
    ConversionOptions options;
    options.band = opt.band;
    options.flux = opt.flux == "sap" ? FluxColumn::Sap : FluxColumn::Pdcsap;
    options.magnitude = opt.magnitude;
    if (!opt.zeroPoint.empty()) options.zeroPoint = numberArgument(opt.zeroPoint, "--magnitude");
    options.columns = columnNames(opt.columns);
    options.time = opt.time == "mjd" ? SurveyTime::ModifiedJulianDate : SurveyTime::Archive;
    return options;
}

void printConversion(const Conversion& c, const ConvertOptions& opt, const std::string& output) {
    if (opt.json) {
        JsonObject leftOut;
        leftOut.count("total", c.leftOut.total())
            .count("flagged", c.leftOut.flagged)
            .count("not_a_number", c.leftOut.notANumber)
            .count("flux_not_positive", c.leftOut.notPositive)
            .count("fainter_than", c.leftOut.fainterThan)
            .count("other_band", c.leftOut.otherBand)
            .count("too_many_fields", c.leftOut.tooManyFields);
        if (c.leftOut.firstUnreadableLine > 0)
            leftOut.count("first_unreadable_line", c.leftOut.firstUnreadableLine);
        JsonObject out;
        out.text("source", opt.source)
            .text("output", output)
            .text("format", surveyFormatName(c.format))
            .count("observations", c.observations)
            .value("left_out", leftOut.str())
            .text("time", c.timeSystem)
            .text("columns", c.columnsWritten);
        if (c.zeroPoint) out.number("zero_point", *c.zeroPoint, 5);
        std::cout << out.str() << '\n';
        return;
    }
    std::cout << "format " << surveyFormatName(c.format) << '\n'
              << "observations " << c.observations << '\n'
              << "left out " << c.leftOut.total();
    if (c.leftOut.total() > 0) std::cout << " (" << leftOutSummary(c.leftOut) << ')';
    std::cout << '\n' << "time " << c.timeSystem << '\n' << "columns " << c.columnsWritten << '\n';
    if (c.zeroPoint) std::cout << "zero point " << fixed(*c.zeroPoint, 5) << '\n';
    std::cout << "written " << output << '\n';
}

void runConvert(const ConvertOptions& opt) {
    const Conversion conversion = convertSurveyFile(opt.source, conversionOptions(opt));
    const std::string output = opt.output.empty() ? convertedFileName(opt.source) : opt.output;
    writeConversion(conversion, opt.source, output);
    printConversion(conversion, opt, output);
}

} // namespace

void addConvertCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand(
        "convert", "Turn a survey light curve (TESS or Kepler FITS, AAVSO CSV, ZTF CSV, or any "
                   "table with a header line) into an observation file");
    auto opt = std::make_shared<ConvertOptions>();
    cmd->add_option("SOURCE", opt->source, "the file as the archive served it")->required();
    cmd->add_option("--output", opt->output,
                    "observation file to write (default: beside the source, its name with "
                    "\".dat\")");
    cmd->add_option("--band", opt->band,
                    "AAVSO band (V, B, Vis., ...) or ZTF filter (zg, zr, zi); needed when the "
                    "file holds more than one");
    cmd->add_option("--flux", opt->flux, "FITS flux column: pdcsap (default) or sap")
        ->check(CLI::IsMember({"pdcsap", "sap"}));
    auto* magnitude =
        cmd->add_option("--magnitude", opt->zeroPoint,
                        "FITS: write magnitudes, zero point ZP - 2.5 log10(flux); without ZP the "
                        "median flux is magnitude 0")
            ->expected(0, 1);
    cmd->add_option("--columns", opt->columns,
                    "header names of the time column and the value columns, separated by commas "
                    "(any table; overrides the survey layouts)");
    cmd->add_option("--time", opt->time,
                    "ZTF time: hjd (default, a full HJD) or mjd "
                    "(mjd + 2400000.5)")
        ->check(CLI::IsMember({"hjd", "mjd"}));
    addJsonFlag(*cmd, opt->json);
    cmd->callback([opt, magnitude] {
        opt->magnitude = magnitude->count() > 0;
        runConvert(*opt);
    });
}

} // namespace quelmar::cli
