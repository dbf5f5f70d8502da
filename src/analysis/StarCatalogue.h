#pragma once
// The star catalogue hotstars.ini: one star per line, "RA-hours Dec-degrees name", names in
// cp1251, CR LF. A star the user types in under a new name is added after its first correction.

#include "BarycentricCorrection.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quelmar {

struct CatalogueStar {
    std::string name; // cp1251, the text after the declination, its separating blank included
    StarPosition position;
};

class StarCatalogue {
public:
    // Reads the catalogue; a missing file is an empty catalogue, one that cannot be read throws
    // QuelmarError naming it. Lines that do not begin with two numbers are passed over.
    static StarCatalogue load(const std::string& path);
    static StarCatalogue parse(std::string_view text);

    const std::vector<CatalogueStar>& stars() const { return stars_; }

    // The position listed under a name (cp1251), compared case-sensitively without the blanks
    // around it; the last listing wins.
    std::optional<StarPosition> find(std::string_view name) const;

private:
    std::vector<CatalogueStar> stars_;
};

// Where the catalogue is read and where stars are added. It lives beside the executable; when
// that folder is not writable, stars are added to a catalogue in the user's configuration
// folder, which starts as a copy of the one beside the executable.
struct CatalogueLocation {
    std::string readPath, writePath;
};
CatalogueLocation catalogueLocation(const std::string& executableFolder,
                                    const std::string& configurationFolder);
// One file both read and written, as given by the user.
inline CatalogueLocation catalogueFile(const std::string& path) {
    return {path, path};
}

// The catalogue line of a star: both coordinates with 8 decimals, then the name, CR LF.
std::string catalogueLine(std::string_view name, const StarPosition& position);

// Adds a star (name in cp1251) at the end of the catalogue, creating the file when missing.
// Returns false, adding nothing, for a name that is empty or blank. Throws QuelmarError naming
// the file for a name with a line break and for a file that cannot be written.
bool addStar(const CatalogueLocation& catalogue, std::string_view name,
             const StarPosition& position);
// Throws the QuelmarError that addStar would for the name and the catalogue's file, without
// writing anything: a command checks it before it rewrites the data file.
void checkStarCanBeAdded(const CatalogueLocation& catalogue, std::string_view name);

} // namespace quelmar
