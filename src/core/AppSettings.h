#pragma once
// settings.bin: the persisted options, a text file (cp1251, CR LF) despite its name.
//   1 language name   2 plate catalogue   3 external editor   4 point size
//   5 nine flag characters: curve tools, full plate info, ask before delete, always on top,
//     grid, point symbol, point shape, then curve tools and ask before delete again.
//   6 the missing-value marker, a number or "none". Files of five lines come from earlier
//     versions and read with the design marker; those versions read five lines and leave
//     the sixth alone, so they can read a file written here.
//   7 the barycentric correction's default scale: "series" (BJD_UTC, the design's) or "tdb"
//     (BJD_TDB through ERFA). Earlier files without it read as "series".

#include "DesignDefaults.h"
#include "MessageText.h"
#include "MissingValue.h"

#include <optional>
#include <string>

namespace quelmar {

struct AppSettings {
    std::string LanguageName; // two letters, without ".lng"; empty: none chosen
    std::string PlateCatalogue = design::PlateCatalogue; // Edit1
    std::string EditorPath = design::EditorPath;         // Edit2
    int PointSize = design::PointSize;                   // dcirspin
    bool ShowCurveTools = design::ShowCurveTools;        // Datatoolch
    bool FullPlateInfo = design::FullPlateInfo;          // FullNumCh
    bool AskBeforeDelete = design::AskBeforeDelete;      // askdel
    bool AlwaysOnTop = design::AlwaysOnTop;              // OnTopCH
    bool ShowGrid = design::ShowGrid;                    // setkach
    // charEdit: points are drawn with the whole text; the file keeps its first character.
    std::string PointSymbol = design::PointSymbol;
    PointShape Shape = design::Shape;
    MissingMarker Missing;       // marks a value not observed in the data files the workbench reads
    bool BarycentricTdb = false; // the barycentric dialog starts on BJD_TDB rather than BJD_UTC

    bool operator==(const AppSettings&) const = default;
};

inline constexpr int MinPointSize = design::MinPointSize;
inline constexpr int MaxPointSize = design::MaxPointSize;

// The nine characters of line 5.
std::string settingsFlagLine(const AppSettings& settings);
// The whole file content, CR LF line ends; texts are given and written in cp1251.
std::string formatSettings(const AppSettings& settings);
// Reads file content; missing lines and unreadable values keep their design defaults.
AppSettings parseSettings(const std::string& content);

// Reads settings.bin; a missing file gives the design defaults.
AppSettings loadSettings(const std::string& path);
// Copies settings.bin to its backup (settings_.bin beside it), then rewrites it safely. A
// backup that cannot be made does not stop the save: the reason is returned, none when the
// backup was made or there was no earlier file to keep. Throws QuelmarError naming the file
// when settings.bin itself cannot be written.
std::optional<MessageText> saveSettings(const std::string& path, const AppSettings& settings);
std::string settingsBackupPath(const std::string& path);

} // namespace quelmar
