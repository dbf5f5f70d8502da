#include "StarCatalogue.h"

#include "core/Error.h"
#include "core/SystemReason.h"
#include "core/TextFile.h"
#include "core/numbers.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace quelmar {

namespace {

constexpr const char* CatalogueFileName = "hotstars.ini";

std::string_view withoutBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

StarCatalogue StarCatalogue::parse(std::string_view text) {
    StarCatalogue catalogue;
    LineReader lines(text);
    std::string_view line;
    while (lines.next(line)) {
        LineTokens tokens(line);
        const auto rightAscension = parseNumber(tokens.next());
        const auto declination = parseNumber(tokens.next());
        if (!rightAscension || !declination) continue;
        catalogue.stars_.push_back(
            {std::string(tokens.rest()), StarPosition{*rightAscension, *declination}});
    }
    return catalogue;
}

StarCatalogue StarCatalogue::load(const std::string& path) {
    // No catalogue yet is an empty one; a folder, a pipe or a link loop in its place is refused.
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !ec) return {};
    return parse(readFile(path));
}

std::optional<StarPosition> StarCatalogue::find(std::string_view name) const {
    const std::string_view wanted = withoutBlanks(name);
    std::optional<StarPosition> found;
    for (const CatalogueStar& star : stars_)
        if (withoutBlanks(star.name) == wanted) found = star.position;
    return found;
}

std::string catalogueLine(std::string_view name, const StarPosition& position) {
    return fixed(position.rightAscension, 8) + ' ' + fixed(position.declination, 8) + ' ' +
           std::string(name) + "\r\n";
}

CatalogueLocation catalogueLocation(const std::string& executableFolder,
                                    const std::string& configurationFolder) {
    const std::string beside = executableFolder + "/" + CatalogueFileName;
    if (access(executableFolder.c_str(), W_OK) == 0) return {beside, beside};
    const std::string own = configurationFolder + "/" + CatalogueFileName;
    return {fileExists(own) ? own : beside, own};
}

void checkStarCanBeAdded(const CatalogueLocation& catalogue, std::string_view name) {
    const std::string& path = catalogue.writePath;
    if (withoutBlanks(name).empty()) return; // nothing is added
    if (name.find_first_of("\r\n") != std::string_view::npos)
        throw QuelmarError(path, message::StarNameLineBreak);
    struct stat info {};
    if (stat(path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) throw QuelmarError(path, message::NotRegularFileToWrite);
        if ((info.st_mode & 0222) == 0 || access(path.c_str(), W_OK) != 0)
            throw QuelmarError(path, message::ReadOnlyNothingAdded);
        return;
    }
    // A new catalogue needs a folder it can be created in: the nearest one that exists.
    const std::filesystem::path parent = std::filesystem::absolute(path).parent_path();
    std::filesystem::path folder = parent;
    std::error_code ec;
    while (!std::filesystem::exists(folder, ec) && folder.has_relative_path())
        folder = folder.parent_path();
    if (access(folder.c_str(), W_OK) == 0) return;
    const MessageText reason = systemReason();
    if (folder == parent) throw QuelmarError(path, {message::CannotWrite, {reason}});
    throw QuelmarError(path, {message::CannotCreateFolder, {reason}});
}

bool addStar(const CatalogueLocation& catalogue, std::string_view name,
             const StarPosition& position) {
    const std::string& path = catalogue.writePath;
    if (withoutBlanks(name).empty()) return false;
    checkStarCanBeAdded(catalogue, name);
    const std::string line = catalogueLine(name, position);
    if (fileExists(path)) {
        appendToFile(path, line);
        return true;
    }
    std::string content;
    if (catalogue.readPath != path && fileExists(catalogue.readPath)) {
        content = readFile(catalogue.readPath);
        if (!content.empty() && !isLineEnd(content.back())) content += "\r\n";
    }
    std::error_code ec;
    if (!folderOf(path).empty()) std::filesystem::create_directories(folderOf(path), ec);
    if (ec) throw QuelmarError(path, {message::CannotCreateFolder, {systemReason(ec.value())}});
    writeFileAtomically(path, content + line);
    return true;
}

} // namespace quelmar
