#include "Arguments.h"

#include "core/DesignDefaults.h"
#include "core/Error.h"
#include "core/cp1251.h"
#include "core/numbers.h"

#include <iostream>

namespace quelmar::cli {

double numberArgument(const std::string& text, const std::string& what) {
    const auto value = numberInText(text);
    if (!value) throw QuelmarError(what + " \"" + text + "\" is not a number");
    return *value;
}

std::string cp1251Argument(const std::string& text, const std::string& what) {
    std::string bytes = utf8ToCp1251(text);
    if (cp1251ToUtf8(bytes) != text)
        throw QuelmarError(what + " \"" + text +
                           "\" holds a character that the files' code page (cp1251) lacks");
    return bytes;
}

CLI::Option* addDataFile(CLI::App& command, std::string& path, const std::string& help,
                         const std::string& name) {
    return command.add_option(name, path, help)->required();
}

void reportSkippedLines(const std::string& path, const SkippedLines& skipped) {
    if (skipped.count > 0)
        std::cerr << "quelmar-cli: " << path << ", line " << skipped.firstLine << ": the first of "
                  << skipped.count << " line(s) skipped, holding no observation\n";
}

CLI::Option* addJsonFlag(CLI::App& command, bool& json, const std::string& help) {
    return command.add_flag("--json", json, help);
}

CLI::Option* addMissingOption(CLI::App& command, MissingMarker& marker) {
    return command
        .add_option_function<std::string>(
            "--missing",
            [&marker](const std::string& text) {
                const std::optional<MissingMarker> read = parseMissingMarker(text);
                if (!read)
                    throw CLI::ValidationError("--missing",
                                               "\"" + text + "\" is neither a number nor none");
                marker = *read;
            },
            "the value that marks a missing one in the data file (default " +
                missingMarkerText(MissingMarker{}) + "), or none when 0 is a real value")
        ->type_name("VALUE|none");
}

std::string designTermRange() {
    return std::to_string(design::PolynomialFirstTerms) + "-" +
           std::to_string(design::PolynomialLastTerms);
}

} // namespace quelmar::cli
