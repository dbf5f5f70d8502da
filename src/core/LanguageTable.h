#pragma once
// The interface texts of the current language: 150 entries numbered from 1, line k of the
// language file (cp1251) giving entry k. Entries are kept decoded, as UTF-8.

#include <array>
#include <string>
#include <string_view>

namespace quelmar {

inline constexpr int LanguageLines = 150;
// A language-file line is cut after this many bytes; nothing after line 150 is read.
inline constexpr std::size_t LanguageLineLength = 1024;

// The lines that hold messages, titles and filters rather than the caption of a control (the
// captions are written by the window layer's table of components).
enum class LanguageLine : int {
    OpenDialogTitle = 2,
    ComparisonStarsCaption = 108,
    ComparisonStarsPrompt = 111,
    ConvertPlatesQuestion = 112,
    LastRangeShown = 113,
    FirstRangeShown = 114,
    NotAllDataEntered = 115,
    NewStar = 116,
    PrincipalComponents = 120,
    AboutDescription1 = 124,
    AboutDescription2 = 125,
    AboutDescription3 = 126,
    OpenDialogFilter = 133,
    PlateCatalogueFilter = 134,
    EditorFilter = 135,
    LanguageFileFilter = 136,
    CommandLineDataMissing = 141,
    CommandLineRangesMissing = 142,
};

class LanguageTable {
public:
    // Writes entries 1, 2, ... from the lines of the file; lines after 150 are not read, a line
    // is cut after LanguageLineLength bytes, and entries past the file's last line keep their
    // texts. Throws QuelmarError when unreadable.
    void load(const std::string& path);
    void loadText(std::string_view cp1251Text);

    // Entry n as the file gave it (empty for n outside 1 ... 150).
    const std::string& entry(int n) const;
    const std::string& entry(LanguageLine line) const { return entry(static_cast<int>(line)); }
    // Entry n, or its built-in fallback text when the entry is empty and has one.
    std::string message(int n) const;
    std::string message(LanguageLine line) const { return message(static_cast<int>(line)); }
    // The built-in fallback of entry n, empty when it has none.
    static std::string_view fallback(int n);

private:
    void setEntry(int n, std::string_view cp1251Line);

    std::array<std::string, LanguageLines + 1> entries_{};
};

} // namespace quelmar
