#include "PhaseCurve.h"

#include "core/Error.h"
#include "core/LargeArrays.h"
#include "core/ObservationLines.h"
#include "core/TextFile.h"
#include "core/numbers.h"

#include <cmath>

namespace quelmar {

std::string phaseFileName(const std::string& dataFileName) {
    return derivedFileName(dataFileName, "_ph.dat");
}

double phaseOf(double t, double epoch, double period) {
    const double x = (t - epoch) / period;
    const double phase = x - std::trunc(x);
    return phase < 0 ? phase + 1 : phase;
}

void checkPhaseElements(double epoch, double period) {
    if (!std::isfinite(epoch)) throw QuelmarError(message::EpochNotFinite);
    if (!(period > 0) || !std::isfinite(period))
        throw QuelmarError({message::PeriodNotPositiveDays, {fixed(period, 8)}});
}

long long writePhaseCurveText(std::string_view data, const std::string& path, double epoch,
                              double period, const std::function<void(std::string_view)>& write) {
    checkPhaseElements(epoch, period);
    struct Output {
        std::string text;
        long long lines = 0;
    };
    const std::size_t sliceBytes = sliceBytesForText(data.size());
    long long lines = 0;
    walkObservationLinesInOrder<Output>(
        data, path,
        [&](const ObservationLine& line, Output& out) {
            if (line.kind != ObservationLine::Observation) return;
            if (!std::isfinite((line.date - epoch) / period))
                throw QuelmarError({message::DateTooFarFromEpoch, {fixed(period, 8)}});
            if (out.text.empty()) reserveLarge(out.text, sliceBytes + sliceBytes / 3);
            appendFixed(out.text, phaseOf(line.date, epoch, period), 5);
            out.text += ' ';
            out.text += line.rest;
            out.text += ' ';
            appendFixedForFile(out.text, line.date, 4);
            out.text += "\r\n";
            ++out.lines;
        },
        [&](WalkedSlice<Output>&& slice) {
            write(slice.state.text);
            lines += slice.state.lines;
        });
    return lines;
}

long long writePhaseCurve(const std::string& dataPath, const std::string& outputPath, double epoch,
                          double period) {
    checkPhaseElements(epoch, period);
    if (sameFile(dataPath, outputPath))
        throw QuelmarError(outputPath, message::PhaseFileOverData);
    const FileContent data(dataPath);
    StagedFile output(outputPath);
    const long long lines =
        writePhaseCurveText(data.text(), dataPath, epoch, period,
                            [&output](std::string_view piece) { output.append(piece); });
    output.commit();
    return lines;
}

std::string firstDateText(const std::string& dataPath) {
    const FileContent data(dataPath);
    LineReader lines(data.text());
    std::string_view line;
    while (lines.next(line)) {
        LineTokens tokens(line);
        const std::string_view token = tokens.next();
        if (token.empty()) continue;
        const auto date = parseNumber(token);
        return date ? fixed(*date, 4) : std::string();
    }
    return {};
}

} // namespace quelmar
