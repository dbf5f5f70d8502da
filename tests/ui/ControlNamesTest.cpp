// Members of the windows are named for what they hold; the design's control names live on only
// as object names, which the language table looks the controls up by.

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace {

// A line's code with its comments and string literals blanked out, so setObjectName("Button1")
// and "// Button1" notes pass.
std::string codeOf(const std::string& line) {
    std::string code;
    bool inString = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"')
            inString = true;
        else if (c == '/' && i + 1 < line.size() && line[i + 1] == '/')
            break;
        else
            code += c;
    }
    return code;
}

// A design control name: a control kind followed by its number ("Button1", "Label3D1",
// "Edit2_"), or one of the design's short names.
bool isDesignName(std::string name) {
    static const std::set<std::string> shortNames = {
        "ahe", "ame", "ase", "dde", "dme", "dse", "Pered", "minpered", "Maxpered", "setkach"};
    static const std::set<std::string> kinds = {
        "Button",      "Edit",        "Memo",         "ComboBox",     "SpinEdit",
        "RadioButton", "CheckBox",    "CheckListBox", "Label",        "Label3D",
        "GroupBox",    "BitBtn",      "Panel",        "Image",        "Timer",
        "Gauge",       "ProgressBar", "TabSheet",     "MonthCalendar"};
    if (!name.empty() && name.back() == '_') name.pop_back();
    if (shortNames.count(name)) return true;
    std::size_t digits = name.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1])))
        --digits;
    return digits < name.size() && kinds.count(name.substr(0, digits));
}

TEST(ControlNames, NoWindowMemberKeepsADesignControlName) {
    const std::filesystem::path ui = std::filesystem::path(QUELMAR_SOURCE_DIR) / "src" / "ui";
    int headers = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(ui)) {
        if (entry.path().extension() != ".h") continue;
        ++headers;
        std::ifstream file(entry.path());
        std::string line;
        for (int number = 1; std::getline(file, line); ++number) {
            const std::string code = codeOf(line);
            std::string word;
            for (const char c : code + ' ') {
                if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
                    word += c;
                    continue;
                }
                EXPECT_FALSE(isDesignName(word))
                    << entry.path().filename().string() << ':' << number << ": " << word;
                word.clear();
            }
        }
    }
    EXPECT_GT(headers, 20) << "the window headers were not found under " << ui;
}

} // namespace

// The document is the only writer of the points and what is derived from them: no window holds
// a reference through which it could change them, nor casts the document's const away.
TEST(DocumentState, NoWindowWritesItButThroughTheDocument) {
    const std::filesystem::path ui = std::filesystem::path(QUELMAR_SOURCE_DIR) / "src" / "ui";
    const std::string owned[] = {"PointStore&", "ExtremumTables&", "PrincipalComponents&",
                                 "RangeList&",  "DataFileState&",  "ViewState&",
                                 "FitCurve&",   "const_cast"};
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(ui)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".h" && extension != ".cpp") continue;
        ++files;
        std::ifstream file(entry.path());
        std::string line;
        for (int number = 1; std::getline(file, line); ++number) {
            const std::string code = codeOf(line);
            for (const std::string& writer : owned)
                for (auto at = code.find(writer); at != std::string::npos;
                     at = code.find(writer, at + 1)) {
                    const bool isConst = at >= 6 && code.compare(at - 6, 6, "const ") == 0;
                    EXPECT_TRUE(isConst && writer != "const_cast")
                        << entry.path().filename().string() << ':' << number << ": " << line;
                }
        }
    }
    EXPECT_GT(files, 40) << "the window sources were not found under " << ui;
}
