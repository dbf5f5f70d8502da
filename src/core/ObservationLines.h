#pragma once
// The lines of a data file as the commands that fold or rewrite it line by line see them: the
// date, the token it was written as, and the rest of the line byte for byte. Large files are
// walked on all cores, slice by slice.

#include "Error.h"
#include "TextSlices.h"

#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quelmar {

struct ObservationLine {
    enum Kind { Observation, Blank, NoDate };
    Kind kind = Blank;
    long long number = 0;       // line number within the text walked, from 1
    std::string_view dateToken; // the first token, as the file writes it
    double date = 0;
    std::string_view rest; // everything after the date, its leading separator included
};

class ObservationLines {
public:
    explicit ObservationLines(std::string_view text) : text_(text) {}
    // The next line; false at the end of the text.
    bool next(ObservationLine& line);
    long long lines() const { return number_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    long long number_ = 0;
};

// The byte-order mark a text begins with, empty when none; a rewrite keeps it.
std::string_view byteOrderMarkOf(std::string_view text);
// The text without its byte-order mark and without an old end-of-file mark (Ctrl+Z) at its end.
std::string_view observationText(std::string_view text);

// Why a line that does not begin with a number holds no observation, for commands that refuse
// such a line.
MessageText lineWithoutDate(std::string_view token);

// The decimals a rewritten date keeps: as many as the file wrote, and at least minDecimals.
int decimalsOfDate(std::string_view token, double date, int minDecimals);

template <typename State> struct WalkedSlice {
    State state{};
    long long linesBefore = 0; // lines of the text before the slice
};

// Calls visit(line, state) for every line of a data file's text (observationText): blank lines
// and lines that do not begin with a number too, in file order within each slice, one State per
// slice, the slices walked on all cores; take(slice) gets each walked slice on the calling thread
// in file order, as soon as it and those before it are walked. A QuelmarError thrown by visit
// ends the walk with a QuelmarError naming the file and the first such line, before the slice
// holding it is taken; one thrown by take ends it at once.
template <typename State, typename Visit, typename Take>
void walkDataLinesInOrder(std::string_view text, const std::string& path, Visit visit, Take take) {
    struct Slice {
        std::string_view text;
        WalkedSlice<State> result;
        long long lines = 0;
        long long failedLine = 0; // within the slice
        std::optional<MessageText> failure;
        std::exception_ptr other;
    };
    const std::string_view body = observationText(text);
    std::vector<Slice> slices;
    for (std::string_view piece : sliceAtLineStarts(body, slicesForText(body.size())))
        slices.push_back(Slice{piece, {}, 0, 0, {}, {}});
    const auto walk = [&visit](Slice& slice) {
        // A state that can make room for the lines of its slice beforehand is given them.
        if constexpr (requires { slice.result.state.reserveFor(slice.text); })
            slice.result.state.reserveFor(slice.text);
        ObservationLines lines(slice.text);
        ObservationLine line;
        try {
            while (lines.next(line))
                visit(line, slice.result.state);
        } catch (const QuelmarError& e) {
            slice.failedLine = line.number;
            slice.failure = e.message();
        } catch (...) {
            slice.other = std::current_exception();
        }
        slice.lines = lines.lines();
    };
    long long before = 0;
    runTakingInOrder(slices, threadsForText(body.size()), walk, [&](Slice& slice) {
        if (slice.other) std::rethrow_exception(slice.other);
        if (slice.failure) throw QuelmarError(path, before + slice.failedLine, *slice.failure);
        slice.result.linesBefore = before;
        before += slice.lines;
        take(std::move(slice.result));
    });
}

// The same walk for commands that fold or rewrite observations: a line that does not begin with
// a number ends it with a QuelmarError naming the file and the line.
template <typename State, typename Visit, typename Take>
void walkObservationLinesInOrder(std::string_view text, const std::string& path, Visit visit,
                                 Take take) {
    walkDataLinesInOrder<State>(
        text, path,
        [&visit](const ObservationLine& line, State& state) {
            if (line.kind == ObservationLine::NoDate)
                throw QuelmarError(lineWithoutDate(line.dateToken));
            visit(line, state);
        },
        take);
}

// The same walk, its slices returned in file order.
template <typename State, typename Visit>
std::vector<WalkedSlice<State>> walkObservationLines(std::string_view text, const std::string& path,
                                                     Visit visit) {
    std::vector<WalkedSlice<State>> walked;
    walkObservationLinesInOrder<State>(text, path, visit, [&walked](WalkedSlice<State>&& slice) {
        walked.push_back(std::move(slice));
    });
    return walked;
}

} // namespace quelmar
