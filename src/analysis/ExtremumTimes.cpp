#include "ExtremumTimes.h"

#include "core/Error.h"
#include "core/TextFile.h"
#include "core/numbers.h"

namespace quelmar {

namespace {

// "±" in the code page of the files and in UTF-8.
constexpr std::string_view PlusMinusCp1251 = "\xB1";
constexpr std::string_view PlusMinusUtf8 = "\xC2\xB1";

bool isType(std::string_view token, bool& secondary) {
    if (token.size() != 1) return false;
    const char c = token[0];
    if (c != 'P' && c != 'p' && c != 'S' && c != 's') return false;
    secondary = c == 'S' || c == 's';
    return true;
}

double positiveError(std::string_view token, int column, const std::string& path, long long line) {
    const auto error = parseNumber(token);
    if (!error || *error <= 0)
        throw QuelmarError(path, line,
                           {message::OcNoError, {std::string(token), std::to_string(column)}});
    return *error;
}

} // namespace

ExtremumTimeList readExtremumTimes(std::string_view text, const std::string& path, int errorColumn,
                                   MissingMarker marker) {
    ExtremumTimeList list;
    std::vector<ExtremumTime>& times = list.times;
    LineReader lines(text);
    std::string_view line;
    while (lines.next(line)) {
        LineTokens tokens(line);
        const std::string_view first = tokens.next();
        if (first.empty()) continue;
        ExtremumTime t;
        t.line = lines.lineNumber();
        std::string_view timeToken = first;
        std::string_view errorToken;
        for (std::string_view mark : {PlusMinusUtf8, PlusMinusCp1251})
            if (const auto at = first.find(mark); at != std::string_view::npos) {
                timeToken = first.substr(0, at);
                errorToken = first.substr(at + mark.size());
                break;
            }
        const auto time = parseNumber(timeToken);
        if (!time) {
            // A line of words alone (a heading) holds no time; a line that starts with a word
            // and holds numbers is a mistake the user should see.
            bool numbers = false;
            for (std::string_view token = tokens.next(); !token.empty(); token = tokens.next())
                numbers = numbers || parseNumber(token).has_value();
            if (!numbers) continue;
            throw QuelmarError(path, t.line, {message::OcNoTime, {std::string(timeToken)}});
        }
        t.time = *time;
        t.timeText = std::string(timeToken);
        bool missing = marker.marks(t.time);
        if (!errorToken.empty()) t.error = positiveError(errorToken, 1, path, t.line);
        bool typed = false;
        int column = 0;
        for (std::string_view token = tokens.next(); !token.empty(); token = tokens.next()) {
            ++column;
            if (errorToken.empty() && column == errorColumn) {
                const auto error = parseNumber(token);
                if (error && marker.marks(*error))
                    missing = true;
                else
                    t.error = positiveError(token, column, path, t.line);
            }
            if (!typed) typed = isType(token, t.secondary);
        }
        if (errorToken.empty() && errorColumn > column)
            throw QuelmarError(path, t.line,
                               {message::OcNoError, {"", std::to_string(errorColumn)}});
        if (missing) {
            if (list.missing++ == 0) list.firstMissingLine = t.line;
            continue;
        }
        times.push_back(std::move(t));
    }
    if (times.empty()) throw QuelmarError(path, MessageText(message::OcNoTimes));
    return list;
}

} // namespace quelmar
