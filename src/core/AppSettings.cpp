#include "AppSettings.h"

#include "Error.h"
#include "TextFile.h"
#include "WritePlan.h"
#include "numbers.h"

#include <algorithm>
#include <vector>

namespace quelmar {

namespace {

char flag(bool set) {
    return set ? '1' : '0';
}

// Position p (from 1) of the flag line; missing positions read as "0".
char flagAt(const std::string& flags, std::size_t p) {
    return p <= flags.size() ? flags[p - 1] : '0';
}

} // namespace

std::string settingsFlagLine(const AppSettings& s) {
    std::string line;
    line += flag(s.ShowCurveTools);
    line += flag(s.FullPlateInfo);
    line += flag(s.AskBeforeDelete);
    line += flag(s.AlwaysOnTop);
    line += flag(s.ShowGrid);
    line += s.PointSymbol.empty() ? '+' : s.PointSymbol.front();
    line += static_cast<char>(s.Shape);
    line += flag(s.ShowCurveTools);
    line += flag(s.AskBeforeDelete);
    return line;
}

std::string formatSettings(const AppSettings& s) {
    return s.LanguageName + "\r\n" + s.PlateCatalogue + "\r\n" + s.EditorPath + "\r\n" +
           std::to_string(s.PointSize) + "\r\n" + settingsFlagLine(s) + "\r\n" +
           missingMarkerText(s.Missing) + "\r\n" + (s.BarycentricTdb ? "tdb" : "series") + "\r\n";
}

AppSettings parseSettings(const std::string& content) {
    std::vector<std::string> lines;
    LineReader reader(content);
    std::string_view line;
    while (lines.size() < 7 && reader.next(line))
        lines.emplace_back(line);

    AppSettings s;
    if (lines.size() > 0) s.LanguageName = lines[0];
    if (lines.size() > 1) s.PlateCatalogue = lines[1];
    if (lines.size() > 2) s.EditorPath = lines[2];
    if (lines.size() > 3) {
        LineTokens tokens(lines[3]);
        if (const auto size = parseInteger(tokens.next()); size && tokens.atEnd())
            s.PointSize = std::clamp<int>(*size, MinPointSize, MaxPointSize);
    }
    if (lines.size() > 4) {
        const std::string& flags = lines[4];
        s.ShowCurveTools = flagAt(flags, 1) == '1';
        s.FullPlateInfo = flagAt(flags, 2) == '1';
        s.AskBeforeDelete = flagAt(flags, 3) == '1';
        s.AlwaysOnTop = flagAt(flags, 4) == '1';
        s.ShowGrid = flagAt(flags, 5) == '1';
        s.PointSymbol = flags.size() >= 6 ? std::string(1, flags[5]) : design::PointSymbol;
        const char shape = flags.size() >= 7 ? flags[6] : static_cast<char>(design::Shape);
        s.Shape = shape == '3'   ? PointShape::Square
                  : shape == '4' ? PointShape::Symbol
                                 : PointShape::Circle;
        // Positions 8 and 9 repeat two check boxes and are applied after them.
        s.ShowCurveTools = flagAt(flags, 8) == '1';
        s.AskBeforeDelete = flagAt(flags, 9) == '1';
    }
    if (lines.size() > 5) {
        LineTokens tokens(lines[5]);
        if (const auto marker = parseMissingMarker(tokens.next()); marker && tokens.atEnd())
            s.Missing = *marker;
    }
    if (lines.size() > 6) {
        LineTokens tokens(lines[6]);
        s.BarycentricTdb = tokens.next() == "tdb" && tokens.atEnd();
    }
    return s;
}

AppSettings loadSettings(const std::string& path) {
    if (!fileExists(path)) return AppSettings{};
    return parseSettings(readFile(path));
}

std::string settingsBackupPath(const std::string& path) {
    return siblingPath(path, "settings_.bin");
}

std::optional<MessageText> saveSettings(const std::string& path, const AppSettings& settings) {
    std::optional<MessageText> backupProblem;
    if (fileExists(path)) {
        WritePlan()
            .rewrites(path, message::RoleSettings)
            .writes(settingsBackupPath(path), message::RoleSettingsBackup)
            .check();
        try {
            copyFile(path, settingsBackupPath(path));
        } catch (const QuelmarError& error) {
            backupProblem = error.message();
        }
    }
    writeFileAtomically(path, formatSettings(settings));
    return backupProblem;
}

} // namespace quelmar
