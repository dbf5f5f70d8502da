#include "ObservationLines.h"

#include "TextFile.h"
#include "cp1251.h"
#include "numbers.h"

namespace quelmar {

bool ObservationLines::next(ObservationLine& line) {
    if (pos_ >= text_.size()) return false;
    std::size_t next = 0;
    const std::size_t end = lineEndAt(text_, pos_, next);
    LineTokens tokens(text_.substr(pos_, end - pos_));
    pos_ = next;
    line.number = ++number_;
    line.dateToken = tokens.next();
    line.rest = tokens.rest();
    line.date = 0;
    if (line.dateToken.empty()) {
        line.kind = ObservationLine::Blank;
    } else if (const auto date = parseNumber(line.dateToken)) {
        line.kind = ObservationLine::Observation;
        line.date = *date;
    } else {
        line.kind = ObservationLine::NoDate;
    }
    return true;
}

std::string_view byteOrderMarkOf(std::string_view text) {
    return text.substr(0, text.size() - skipByteOrderMark(text).size());
}

std::string_view observationText(std::string_view text) {
    text = skipByteOrderMark(text);
    if (!text.empty() && text.back() == '\x1a') text.remove_suffix(1);
    return text;
}

MessageText lineWithoutDate(std::string_view token) {
    return {message::LineWithoutDate, {cp1251ToUtf8(token.substr(0, 40))}};
}

int decimalsOfDate(std::string_view token, double date, int minDecimals) {
    if (token.find_first_of("eE") != std::string_view::npos)
        return decimalsToKeep(date, minDecimals);
    const auto point = token.find('.');
    const int written =
        point == std::string_view::npos ? 0 : static_cast<int>(token.size() - point - 1);
    return written > minDecimals ? written : minDecimals;
}

} // namespace quelmar
