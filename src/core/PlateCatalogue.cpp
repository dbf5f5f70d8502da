#include "PlateCatalogue.h"

#include "Error.h"
#include "TextFile.h"
#include "WritePlan.h"
#include "numbers.h"

namespace quelmar {

namespace {

// Splits "  1234 rest" into the plate number token and the text after it.
std::string_view firstToken(std::string_view line, std::string_view& rest) {
    LineTokens tokens(line);
    std::string_view token = tokens.next();
    rest = tokens.rest();
    return token;
}

} // namespace

PlateCatalogue PlateCatalogue::parse(std::string_view text, const std::string& path) {
    PlateCatalogue catalogue;
    LineReader lines(text);
    std::string_view line;
    while (lines.next(line)) {
        std::string_view afterPlate;
        const auto plate = parseInteger(firstToken(line, afterPlate));
        if (!plate) continue;
        std::string_view afterDate;
        const auto jd = parseNumber(firstToken(afterPlate, afterDate));
        if (!jd) continue;
        catalogue.plates_.try_emplace(*plate, PlateRecord{*jd, std::string(afterDate)});
    }
    if (catalogue.plates_.empty()) throw QuelmarError(path, message::NoPlateListed);
    return catalogue;
}

PlateCatalogue PlateCatalogue::load(const std::string& path) {
    const FileContent file(path);
    return parse(file.text(), path);
}

const PlateRecord* PlateCatalogue::find(std::int32_t plate) const {
    const auto it = plates_.find(plate);
    return it == plates_.end() ? nullptr : &it->second;
}

std::string plateWorkingCopyPath(const std::string& dataPath) {
    const std::string name = fileNameOf(dataPath);
    const auto point = name.find('.');
    const std::string stem = point == std::string::npos ? "" : name.substr(0, point + 1);
    return siblingPath(dataPath, stem + "tmp");
}

std::string convertPlateText(std::string_view data, const PlateCatalogue& catalogue,
                             bool fullPlateInfo, PlateConversion& report) {
    std::string out;
    out.reserve(data.size() + data.size() / 2);
    LineReader lines(data);
    std::string_view line;
    while (lines.next(line)) {
        std::string_view rest;
        const std::string_view token = firstToken(line, rest);
        if (token.empty()) continue; // a blank line holds no observation
        const auto plate = parseInteger(token);
        const PlateRecord* record = plate ? catalogue.find(*plate) : nullptr;
        if (!record) {
            if (report.unmatched++ == 0) report.firstUnmatchedLine = lines.lineNumber();
            continue;
        }
        appendFixedForFile(out, record->jd, 4);
        out += ' ';
        out += rest;
        if (fullPlateInfo) {
            out += ' ';
            out += record->rest;
            out += ' ';
        }
        out += "\r\n";
        ++report.converted;
    }
    return out;
}

PlateConversion convertPlateNumbers(const std::string& dataPath, const std::string& cataloguePath,
                                    bool fullPlateInfo) {
    const PlateCatalogue catalogue = PlateCatalogue::load(cataloguePath);
    PlateConversion report;
    report.workingCopy = plateWorkingCopyPath(dataPath);
    WritePlan()
        .rewrites(dataPath, message::RoleDataFile)
        .reads(cataloguePath, message::RolePlateCatalogue)
        .writes(report.workingCopy, message::RoleUnconvertedCopy)
        .check();

    // Held from the reading to the renames: a second conversion of the file is told it is busy,
    // and the copy holds the very bytes that were converted.
    const LockedFile data(dataPath);
    const std::string converted = convertPlateText(data.text(), catalogue, fullPlateInfo, report);
    if (report.converted == 0)
        throw QuelmarError(dataPath, {message::NoPlateConverted, {cataloguePath}});
    // Both are written in full before either replaces anything.
    StagedFile copy(report.workingCopy, data.text());
    StagedFile rewritten(dataPath, converted);
    copy.commit();
    rewritten.commit();
    return report;
}

} // namespace quelmar
