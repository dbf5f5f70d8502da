#pragma once
// The lines of the polynomial results: one per term count of a channel's fit, each knowing the
// channel, the term count and the fit run it stands for, so that the commands acting on a line
// (draw, save, subtract) find the right curve whatever the order or the settings are now.
// Beside them, the Kwee–van Woerden and symmetric-polynomial timings of the same range, which
// have no curve to draw or subtract. Every line with numbers ends them with its method's word.

#include "MinimumTiming.h"
#include "PolynomialFit.h"
#include "core/OwnMessages.h"

#include <string>
#include <vector>

namespace quelmar {

struct ExtremumLine {
    int channel = 0;
    int terms = 0;
    int run = 0;
    TimingMethod method = TimingMethod::Polynomial;
    bool timed = true; // false: the line says why the method gives no timing
    std::string text;  // UTF-8

    bool hasCurve() const { return method == TimingMethod::Polynomial; }
};

// The lines of a fit in the order its term counts were fitted: moment±error value±error with
// the given decimals and the word polynomial, followed by what went wrong, or for a singular
// fit that alone.
std::vector<ExtremumLine> extremumLines(const ExtremumTables& tables, const ChannelFit& fit,
                                        int decimals, InterfaceLanguage language);

// The Kwee–van Woerden and symmetric-polynomial lines of channel c over first ... last:
// moment±error value±error and the method's word, or the word and why it gives no timing.
std::vector<ExtremumLine> timingLines(const PointStore& store, int c, int first, int last,
                                      int decimals, InterfaceLanguage language);

// Why a channel was not fitted, naming the channel, the points and the term count.
std::string fitRefusalText(const ChannelFit& fit, InterfaceLanguage language);
// How many points of a channel were left out as missing values; empty when none.
std::string leftOutText(const ChannelFit& fit, InterfaceLanguage language);

// Subtracts the curves of term count m made by the given run from the values of every channel
// that has one, over the range that was fitted. Missing values stay missing; a residual of 0 is
// none. Returns the number of channels changed.
int subtractFit(PointStore& store, const ExtremumTables& tables, int m, int run);

} // namespace quelmar
