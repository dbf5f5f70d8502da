#pragma once
// Plate catalogue: one line per photographic plate, "plate-number JD free-text". Converting
// a data file of plate numbers replaces each number by the plate's Julian date.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quelmar {

struct PlateRecord {
    double jd = 0;
    std::string rest; // the text after the date, its leading blank included
};

class PlateCatalogue {
public:
    // Reads the catalogue once; the first listing of a plate wins. Throws QuelmarError when
    // the file cannot be read or lists no plate.
    static PlateCatalogue load(const std::string& path);
    static PlateCatalogue parse(std::string_view text, const std::string& path);

    const PlateRecord* find(std::int32_t plate) const;
    std::size_t size() const { return plates_.size(); }

private:
    std::unordered_map<std::int32_t, PlateRecord> plates_;
};

struct PlateConversion {
    long long converted = 0;
    long long unmatched = 0; // observation lines whose plate is not in the catalogue
    long long firstUnmatchedLine = 0;
    std::string workingCopy; // the unconverted file, kept beside the data file
};

// The working copy of a data file: its name up to and including the first point, then "tmp",
// in the data file's folder (rr.dat gives rr.tmp; a name without a point gives tmp).
std::string plateWorkingCopyPath(const std::string& dataPath);

// The converted text of a data file; counts what it could not convert.
std::string convertPlateText(std::string_view data, const PlateCatalogue& catalogue,
                             bool fullPlateInfo, PlateConversion& report);

// Rewrites the data file with Julian dates and keeps its unconverted bytes in the working copy;
// a link to the data file is followed and kept. A missing catalogue, a file none of whose plates
// is listed, a data file that is read-only or being converted by another run, and a working
// copy that would fall on the catalogue or the data file leave every file untouched and throw
// QuelmarError saying why.
PlateConversion convertPlateNumbers(const std::string& dataPath, const std::string& cataloguePath,
                                    bool fullPlateInfo);

} // namespace quelmar
