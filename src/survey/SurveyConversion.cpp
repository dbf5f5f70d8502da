#include "SurveyConversion.h"

#include "core/TimeScale.h"

#include "FitsLightCurve.h"
#include "SurveyTables.h"

#include "core/Error.h"
#include "core/TextFile.h"
#include "core/WritePlan.h"
#include "core/numbers.h"

namespace quelmar {

namespace {

constexpr std::size_t LeadingLinesLooked = 200;
constexpr std::size_t LeadingLineLength = 65536;

bool startsFits(const std::vector<std::string>& lines) {
    return !lines.empty() && lines.front().rfind("SIMPLE  =", 0) == 0;
}

// The first line that is not blank and not a "#" comment begins with a number.
bool startsWithObservation(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        LineTokens tokens(line);
        const std::string_view first = tokens.next();
        if (first.empty() || first.front() == '#') continue;
        return parseNumber(first).has_value();
    }
    return true; // nothing to convert: the loader tells what is wrong with the file
}

SurveyFormat tableFormat(const DelimitedTable& table) {
    if (isAavsoHeader(table)) return SurveyFormat::AavsoCsv;
    if (isZtfHeader(table)) return SurveyFormat::ZtfCsv;
    // A table separated by blanks whose rows begin with a date is an observation file already:
    // the loader passes over its header line.
    return table.commaSeparated() ? SurveyFormat::HeaderTable : SurveyFormat::ObservationFile;
}

std::string count(long long n, const char* what) {
    return n == 0 ? std::string() : std::to_string(n) + " " + what;
}

} // namespace

SurveyFormat detectSurveyFormat(const std::string& path) {
    const auto lines = readLeadingLines(path, LeadingLinesLooked, LeadingLineLength);
    if (startsFits(lines)) return SurveyFormat::LightCurveFits;
    if (startsWithObservation(lines)) return SurveyFormat::ObservationFile;
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return tableFormat(DelimitedTable(text, path));
}

SurveyFileOutline outlineSurveyFile(const std::string& path) {
    SurveyFileOutline outline;
    outline.format = detectSurveyFormat(path);
    if (outline.format == SurveyFormat::LightCurveFits ||
        outline.format == SurveyFormat::ObservationFile)
        return outline;
    const DelimitedTable table(readFile(path), path);
    outline.header = table.header();
    outline.bands = bandsOf(table, outline.format);
    return outline;
}

std::string surveyFormatName(SurveyFormat format) {
    switch (format) {
    case SurveyFormat::ObservationFile:
        return "observation file";
    case SurveyFormat::LightCurveFits:
        return "TESS/Kepler light-curve FITS";
    case SurveyFormat::AavsoCsv:
        return "AAVSO CSV";
    case SurveyFormat::ZtfCsv:
        return "ZTF CSV";
    case SurveyFormat::HeaderTable:
        return "table with a header line";
    }
    return {};
}

Conversion convertSurveyFile(const std::string& source, const ConversionOptions& options) {
    const SurveyFormat format = detectSurveyFormat(source);
    if (format == SurveyFormat::LightCurveFits) {
        if (!options.columns.empty()) throw QuelmarError(source, message::FitsHasNoColumnNames);
        return convertLightCurveFits(source, options);
    }
    const DelimitedTable table(readFile(source), source);
    if (!options.columns.empty()) return convertHeaderTable(table, options);
    switch (format) {
    case SurveyFormat::AavsoCsv:
        return convertAavso(table, options);
    case SurveyFormat::ZtfCsv:
        return convertZtf(table, options);
    case SurveyFormat::HeaderTable:
        return convertHeaderTable(table, options);
    default:
        throw QuelmarError(source, message::AlreadyObservations);
    }
}

std::string leftOutSummary(const LeftOutRows& rows) {
    std::string text;
    for (const std::string& part :
         {count(rows.flagged, "flagged"), count(rows.notANumber, "without a number"),
          count(rows.notPositive, "with a flux of zero or below"),
          count(rows.fainterThan, "fainter-than"), count(rows.otherBand, "in other bands"),
          count(rows.tooManyFields, "with more fields than the header")})
        if (!part.empty()) text += (text.empty() ? "" : ", ") + part;
    if (rows.firstUnreadableLine > 0)
        text +=
            " (the first unreadable row at line " + std::to_string(rows.firstUnreadableLine) + ")";
    return text;
}

void writeConversion(const Conversion& conversion, const std::string& source,
                     const std::string& output) {
    WritePlan().reads(source, message::RoleSource).writes(output, message::RoleOutput).check();
    if (conversion.observations == 0) {
        const LeftOutRows& left = conversion.leftOut;
        throw QuelmarError(source,
                           {message::NothingLeftToWrite,
                            {std::to_string(left.flagged), std::to_string(left.notANumber),
                             std::to_string(left.notPositive), std::to_string(left.fainterThan),
                             std::to_string(left.otherBand), std::to_string(left.tooManyFields)}});
    }
    writeFileAtomically(output, conversion.text);
    // TESS and Kepler serve BJD_TDB, ZTF HJD (or MJD, on UTC), AAVSO JD; a table of the user's
    // columns has no known scale.
    TimeScale scale = TimeScale::Unknown;
    if (conversion.format == SurveyFormat::LightCurveFits) scale = TimeScale::BjdTdb;
    if (conversion.format == SurveyFormat::AavsoCsv) scale = TimeScale::JdUtc;
    if (conversion.format == SurveyFormat::ZtfCsv)
        scale = conversion.timeSystem == "HJD" ? TimeScale::HjdUtc : TimeScale::JdUtc;
    recordTimeScale(output, scale, conversion.channelNames);
}

std::vector<std::string> valueAndErrorNames(const std::string& name) {
    if (name.empty()) return {};
    return {name, "σ " + name};
}

std::string convertedFileName(const std::string& source) {
    const std::string converted = siblingPath(source, derivedFileName(source, ".dat"));
    if (converted != source && !sameFile(converted, source)) return converted;
    return siblingPath(source, derivedFileName(source, "_converted.dat"));
}

} // namespace quelmar
