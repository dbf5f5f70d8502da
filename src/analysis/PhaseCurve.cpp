#include "PhaseCurve.h"

#include "core/Error.h"
#include "core/LargeArrays.h"
#include "core/ObservationLines.h"
#include "core/TextFile.h"
#include "core/TimeScale.h"
#include "core/WritePlan.h"
#include "core/numbers.h"

#include <cmath>
#include <iterator>

namespace quelmar {

std::string phaseFileName(const std::string& dataFileName) {
    return derivedFileName(dataFileName, "_ph.dat");
}

double phaseOf(double t, double epoch, double period) {
    const double x = (t - epoch) / period;
    const double phase = x - std::trunc(x);
    if (phase >= 0) return phase;
    // A remainder just below 0 moves up to exactly 1 in doubles: that is phase 0.
    return phase + 1 < 1 ? phase + 1 : 0;
}

namespace {

// A phase just below 1 would be written as 1.00000, which is phase 0 of the next cycle.
void appendPhase(std::string& out, double phase) {
    const std::size_t start = out.size();
    appendFixed(out, phase, 5);
    if (std::string_view(out).substr(start) == "1.00000") out.replace(start, 7, "0.00000");
}

} // namespace

void checkPhaseElements(double epoch, double period) {
    if (!std::isfinite(epoch)) throw QuelmarError(message::EpochNotFinite);
    if (!(period > 0) || !std::isfinite(period))
        throw QuelmarError({message::PeriodNotPositiveDays, {fixed(period, 8)}});
}

namespace {

// Walks the observations of a data file's text: add(state, phase, line) for each, in file order
// within a slice, then take(slice) for each slice in file order. Both the file and the curve in
// memory are built here, so they hold the same lines.
template <typename State, typename Add, typename Take>
void foldObservations(std::string_view data, const std::string& path, double epoch, double period,
                      Add add, Take take) {
    checkPhaseElements(epoch, period);
    walkObservationLinesInOrder<State>(
        data, path,
        [&](const ObservationLine& line, State& state) {
            if (line.kind != ObservationLine::Observation) return;
            if (!std::isfinite((line.date - epoch) / period))
                throw QuelmarError({message::DateTooFarFromEpoch, {fixed(period, 8)}});
            add(state, phaseOf(line.date, epoch, period), line);
        },
        take);
}

} // namespace

long long writePhaseCurveText(std::string_view data, const std::string& path, double epoch,
                              double period, const std::function<void(std::string_view)>& write) {
    struct Output {
        std::string text;
        long long lines = 0;
    };
    const std::size_t sliceBytes = sliceBytesForText(data.size());
    long long lines = 0;
    foldObservations<Output>(
        data, path, epoch, period,
        [&](Output& out, double phase, const ObservationLine& line) {
            if (out.text.empty()) reserveLarge(out.text, sliceBytes + sliceBytes / 3);
            appendPhase(out.text, phase);
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

std::vector<PhasedObservation> phaseCurve(std::string_view data, const std::string& path,
                                          double epoch, double period) {
    using Observations = std::vector<PhasedObservation>;
    Observations curve;
    foldObservations<Observations>(
        data, path, epoch, period,
        [](Observations& out, double phase, const ObservationLine& line) {
            PhasedObservation& observation = out.emplace_back();
            observation.phase = phase;
            observation.date = line.date;
            LineTokens tokens(line.rest);
            while (const auto value = parseNumber(tokens.next()))
                observation.values.push_back(*value);
            observation.rest = line.rest;
        },
        [&curve](WalkedSlice<Observations>&& slice) {
            curve.insert(curve.end(), std::make_move_iterator(slice.state.begin()),
                         std::make_move_iterator(slice.state.end()));
        });
    return curve;
}

long long writePhaseCurve(const std::string& dataPath, const std::string& outputPath, double epoch,
                          double period) {
    checkPhaseElements(epoch, period);
    WritePlan()
        .reads(dataPath, message::RoleDataFile)
        .writes(outputPath, message::RolePhaseFile)
        .check();
    const FileContent data(dataPath);
    const TimeScale datesScale = recordedTimeScale(dataPath);
    StagedFile output(outputPath);
    const long long lines =
        writePhaseCurveText(data.text(), dataPath, epoch, period,
                            [&output](std::string_view piece) { output.append(piece); });
    output.commit();
    // Phases have no time scale; the record tells the scale of the dates each line carries
    // (and of the epoch), so a phase curve of BJD_TDB dates says so in its caption.
    recordTimeScale(outputPath, datesScale);
    return lines;
}

std::string firstDateText(const std::string& dataPath) {
    const FileContent data(dataPath);
    ObservationLines lines(observationText(data.text()));
    ObservationLine line;
    while (lines.next(line)) {
        if (line.kind == ObservationLine::Blank) continue;
        return line.kind == ObservationLine::Observation ? fixed(line.date, 4) : std::string();
    }
    return {};
}

} // namespace quelmar
