#include "StepEstimates.h"

#include "Error.h"
#include "TextFile.h"
#include "WritePlan.h"
#include "cp1251.h"
#include "numbers.h"

#include <cctype>
#include <cmath>

namespace quelmar {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

unsigned char keyIndex(char key) {
    return static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(key)));
}

bool boxEmpty(std::string_view text) {
    return LineTokens(text).atEnd();
}

std::string_view skipLeadingBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

// The date of an imported line: whole dates without decimals, others with 4.
std::string importedDate(double jd) {
    return fixedForFile(jd, std::trunc(jd) == jd ? 0 : 4);
}

} // namespace

std::optional<double> stepMagnitude(double magnitudeA, double magnitudeB, double p, double q) {
    if (p + q == 0) return std::nullopt;
    return magnitudeA + (magnitudeB - magnitudeA) * p / (p + q);
}

ObservationLineOrRefusal typedObservationLine(const TypedObservation& typed) {
    using Box = ObservationBox;
    auto refuse = [](ObservationRefusal::Kind kind, Box box) {
        return ObservationLineOrRefusal{{}, ObservationRefusal{kind, box}};
    };
    const std::pair<const std::string*, Box> required[] = {{&typed.magnitudeA, Box::MagnitudeA},
                                                           {&typed.magnitudeB, Box::MagnitudeB},
                                                           {&typed.julianDate, Box::JulianDate},
                                                           {&typed.estimates[0].p, Box::P1},
                                                           {&typed.estimates[0].q, Box::Q1}};
    for (const auto& [text, box] : required)
        if (boxEmpty(*text)) return refuse(ObservationRefusal::Empty, box);

    const Box estimateBoxes[3][2] = {{Box::P1, Box::Q1}, {Box::P2, Box::Q2}, {Box::P3, Box::Q3}};
    double values[3] = {};
    const std::pair<const std::string*, double*> numbers[] = {{&typed.magnitudeA, &values[0]},
                                                              {&typed.magnitudeB, &values[1]},
                                                              {&typed.julianDate, &values[2]}};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto value = numberInText(*numbers[i].first);
        if (!value) return refuse(ObservationRefusal::NotANumber, required[i].second);
        *numbers[i].second = *value;
    }
    const double magnitudeA = values[0], magnitudeB = values[1], jd = values[2];

    double sum = 0;
    int count = 0;
    for (std::size_t e = 0; e < 3; ++e) {
        const TypedEstimate& estimate = typed.estimates[e];
        if (e > 0 && (boxEmpty(estimate.p) || boxEmpty(estimate.q))) continue;
        const auto p = numberInText(estimate.p);
        if (!p) return refuse(ObservationRefusal::NotANumber, estimateBoxes[e][0]);
        const auto q = numberInText(estimate.q);
        if (!q) return refuse(ObservationRefusal::NotANumber, estimateBoxes[e][1]);
        const auto m = stepMagnitude(magnitudeA, magnitudeB, *p, *q);
        if (!m) return refuse(ObservationRefusal::ZeroSteps, estimateBoxes[e][0]);
        sum += *m;
        ++count;
    }
    std::string line = fixedForFile(jd, 4) + ' ' + fixedForFile(sum / count, 2);
    if (!typed.comment.empty()) line += ' ' + typed.comment;
    return {line + "\r\n", std::nullopt};
}

std::optional<ComparisonStars> ComparisonStars::parse(std::string_view text,
                                                      std::string& badEntry) {
    ComparisonStars stars;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find(' ', pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view entry = text.substr(pos, end - pos);
        pos = end + 1;
        if (entry.empty()) continue; // two blanks in a row
        const auto magnitude = entry.size() > 1 ? parseNumber(entry.substr(1)) : std::nullopt;
        if (!magnitude) {
            badEntry = entry;
            return std::nullopt;
        }
        stars.magnitudes_[keyIndex(entry.front())] = magnitude;
    }
    return stars;
}

std::optional<double> ComparisonStars::magnitude(char key) const {
    return magnitudes_[keyIndex(key)];
}

bool ComparisonStars::empty() const {
    for (const auto& m : magnitudes_)
        if (m) return false;
    return true;
}

namespace {

struct ParsedEstimate {
    double magnitude = 0;
    std::string_view comment;
};

// One source line after its date, or why it is passed over.
std::optional<ParsedEstimate> parseEstimate(std::string_view rest, const ComparisonStars& stars,
                                            SkipReason& reason, char& key) {
    for (int i = 0; i < 2 && !rest.empty() && isBlank(rest.front()); ++i)
        rest.remove_prefix(1);
    double p = 0, q = 0;
    std::optional<double> magnitudeA, magnitudeB;
    std::string_view comment;
    if (!rest.empty() && !isDigit(rest.front())) {
        // Letters: key of A, digit p, the variable's mark, digit q, key of B.
        if (rest.size() < 5 || !isDigit(rest[1]) || !isDigit(rest[3])) {
            reason = SkipReason::NoEstimate;
            return std::nullopt;
        }
        p = rest[1] - '0';
        q = rest[3] - '0';
        for (const char k : {rest[0], rest[4]})
            if (!stars.magnitude(k)) {
                reason = SkipReason::UnknownKey;
                key = k;
                return std::nullopt;
            }
        magnitudeA = stars.magnitude(rest[0]);
        magnitudeB = stars.magnitude(rest[4]);
        comment = skipLeadingBlanks(rest.substr(5));
    } else {
        // Numbers: p and q, the comparison stars being A and B.
        LineTokens tokens(rest);
        const auto first = parseNumber(tokens.next());
        const auto second = parseNumber(tokens.next());
        if (!first || !second) {
            reason = SkipReason::NoEstimate;
            return std::nullopt;
        }
        p = *first;
        q = *second;
        for (const char k : {'A', 'B'})
            if (!stars.magnitude(k)) {
                reason = SkipReason::UnknownKey;
                key = k;
                return std::nullopt;
            }
        magnitudeA = stars.magnitude('A');
        magnitudeB = stars.magnitude('B');
        comment = skipLeadingBlanks(tokens.rest());
    }
    const auto m = stepMagnitude(*magnitudeA, *magnitudeB, p, q);
    if (!m) {
        reason = SkipReason::ZeroSteps;
        return std::nullopt;
    }
    if (comment.empty()) {
        reason = SkipReason::NoComment;
        return std::nullopt;
    }
    return ParsedEstimate{*m, comment};
}

} // namespace

std::string importedLines(std::string_view source, const ComparisonStars& stars,
                          ImportReport& report) {
    std::string out;
    LineReader lines(source);
    std::string_view line;
    while (lines.next(line)) {
        LineTokens tokens(line);
        const std::string_view dateToken = tokens.next();
        if (dateToken.empty()) continue; // blank lines before a date are passed over
        SkipReason reason = SkipReason::NoDate;
        char key = 0;
        std::optional<ParsedEstimate> estimate;
        const auto jd = parseNumber(dateToken);
        if (jd && tokens.atEnd()) {
            report.endLine = lines.lineNumber();
            break;
        }
        if (jd) estimate = parseEstimate(tokens.rest(), stars, reason, key);
        if (!estimate) {
            if (report.skipped++ == 0) {
                report.firstSkippedLine = lines.lineNumber();
                report.firstSkippedReason = reason;
                report.firstSkippedKey = key;
            }
            continue;
        }
        out += importedDate(*jd);
        out += ' ';
        appendFixedForFile(out, estimate->magnitude, 2);
        out += ' ';
        out += estimate->comment;
        out += "\r\n";
        ++report.added;
    }
    return out;
}

ImportReport importEstimates(const std::string& dataPath, const std::string& sourcePath,
                             const ComparisonStars& stars) {
    WritePlan()
        .rewrites(dataPath, message::RoleDataFile)
        .reads(sourcePath, message::RoleEstimates)
        .check();
    const std::string source = readFile(sourcePath);
    ImportReport report;
    const std::string lines = importedLines(source, stars, report);
    if (!lines.empty()) appendToFile(dataPath, lines);
    return report;
}

std::string importSummary(const ImportReport& report, InterfaceLanguage language) {
    std::string text = ownText(message::ImportSummary, language,
                               {std::to_string(report.added), std::to_string(report.skipped)});
    if (report.skipped > 0) {
        const OwnMessage* reason = &message::SkippedNoDate;
        switch (report.firstSkippedReason) {
        case SkipReason::NoDate:
            break;
        case SkipReason::NoEstimate:
            reason = &message::SkippedNoEstimate;
            break;
        case SkipReason::ZeroSteps:
            reason = &message::SkippedZeroSteps;
            break;
        case SkipReason::UnknownKey:
            reason = &message::SkippedUnknownKey;
            break;
        case SkipReason::NoComment:
            reason = &message::SkippedNoComment;
            break;
        }
        text += ownText(
            message::FirstSkipped, language,
            {std::to_string(report.firstSkippedLine),
             ownText(*reason, language, {cp1251ToUtf8(std::string(1, report.firstSkippedKey))})});
    }
    if (report.endLine > 0)
        text += ownText(message::ImportEndedByDate, language, {std::to_string(report.endLine)});
    return text;
}

} // namespace quelmar
