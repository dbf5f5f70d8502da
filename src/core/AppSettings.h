#pragma once
// settings.bin: the five persisted options, a text file (cp1251, CR LF) despite its name.
//   1 language name   2 plate catalogue   3 external editor   4 point size
//   5 nine flag characters: curve tools, full plate info, ask before delete, always on top,
//     grid, point symbol, point shape, then curve tools and ask before delete again.

#include <string>

namespace quelmar {

enum class PointShape : char { Circle = '2', Square = '3', Symbol = '4' };

struct AppSettings {
    std::string LanguageName;                 // two letters, without ".lng"; empty: none chosen
    std::string PlateCatalogue = "7cam.dat";  // Edit1
    std::string EditorPath = "[Select path -->]"; // Edit2
    int PointSize = 4;                        // dcirspin, 1 ... 100
    bool ShowCurveTools = false;              // Datatoolch
    bool FullPlateInfo = false;               // FullNumCh
    bool AskBeforeDelete = true;              // askdel
    bool AlwaysOnTop = false;                 // OnTopCH
    bool ShowGrid = false;                    // setkach
    // charEdit: points are drawn with the whole text; the file keeps its first character.
    std::string PointSymbol = "+";
    PointShape Shape = PointShape::Circle;

    bool operator==(const AppSettings&) const = default;
};

inline constexpr int MinPointSize = 1;
inline constexpr int MaxPointSize = 100;

// The nine characters of line 5.
std::string settingsFlagLine(const AppSettings& settings);
// The whole file content, CR LF line ends; texts are given and written in cp1251.
std::string formatSettings(const AppSettings& settings);
// Reads file content; missing lines and unreadable values keep their design defaults.
AppSettings parseSettings(const std::string& content);

// Reads settings.bin; a missing file gives the design defaults.
AppSettings loadSettings(const std::string& path);
// Copies settings.bin to its backup (settings_.bin beside it), then rewrites it safely. A
// backup that cannot be made does not stop the save: the reason is returned, empty when the
// backup was made or there was no earlier file to keep. Throws QuelmarError naming the file
// when settings.bin itself cannot be written.
std::string saveSettings(const std::string& path, const AppSettings& settings);
std::string settingsBackupPath(const std::string& path);

} // namespace quelmar
