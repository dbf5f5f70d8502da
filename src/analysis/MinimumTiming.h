#pragma once
// What the methods that time an extremum share: the points of one channel over a range, turned
// so that the extremum is a minimum, and the timing a method gives, or why it gives none.
//
// A maximum is timed as the minimum of the flipped curve. Which of the two a range holds is
// read from the data: the mean of its middle third below the mean of its outer thirds is a
// minimum of the values (an eclipse in flux), above it a maximum (an eclipse in magnitudes, a
// pulsating star's maximum in flux).

#include "core/MessageText.h"
#include "core/PointStore.h"

#include <optional>
#include <string_view>
#include <vector>

namespace quelmar {

enum class TimingMethod { Polynomial, KweeVanWoerden, Symmetric };

// The word that names a method in extrema.txt and on the command line.
std::string_view methodWord(TimingMethod method);
std::optional<TimingMethod> methodNamed(std::string_view word);

// The points of channel c over first ... last with a value (0 is a missing value), in time
// order, the values negated when the range holds a maximum.
struct TimingSeries {
    std::vector<double> t;
    std::vector<double> y;
    bool flipped = false; // a maximum: y holds the negated values
    int leftOut = 0;      // points of the range left out as missing values
};

TimingSeries timingSeries(const PointStore& store, int c, int first, int last);

// Where the minimum of the series roughly is, to start a method from: the lowest point of
// the series smoothed by a running mean over a twentieth of its points.
double roughMinimum(const TimingSeries& series);

struct MinimumTiming {
    TimingMethod method = TimingMethod::KweeVanWoerden;
    double moment = 0;
    double momentError = 0;
    double value = 0; // the fitted value at the moment, in the channel's own sign
    double valueError = 0;
    int points = 0;                     // points the timing used
    int terms = 0;                      // the polynomial's term count, where the method has one
    std::optional<MessageText> refusal; // why there is no timing

    bool timed() const { return !refusal.has_value(); }
};

struct TermRange;

// Times the extremum of channel c over first ... last by a method. The polynomial timing is
// the fit of the term counts given with the smallest moment error, as the workbench's choice of
// the best term count makes it; the symmetric polynomial takes terms.first terms.
MinimumTiming timeExtremum(const PointStore& store, int c, int first, int last, TimingMethod method,
                           TermRange terms);

} // namespace quelmar
