#pragma once
// The lines of the polynomial results: one per term count of a channel's fit, each knowing the
// channel, the term count and the fit run it stands for, so that the commands acting on a line
// (draw, save, subtract) find the right curve whatever the order or the settings are now.

#include "PolynomialFit.h"

#include <functional>
#include <string>
#include <vector>

namespace quelmar {

struct ExtremumLine {
    int channel = 0;
    int terms = 0;
    int run = 0;
    std::string text; // UTF-8
};

// What a term count's line says for a note: for a singular fit the whole line, otherwise the
// words that follow the numbers. The caller gives them in the user's language.
using ExtremumNoteText = std::function<std::string(const TermFit&)>;

// The lines of a fit in the order its term counts were fitted: moment±error value±error with
// the given decimals, followed by the note's words, or the note alone for a singular fit.
std::vector<ExtremumLine> extremumLines(const ExtremumTables& tables, const ChannelFit& fit,
                                        int decimals, const ExtremumNoteText& noteText);

// Subtracts the curves of term count m made by the given run from the values of every channel
// that has one, over the range that was fitted. Missing values (0) stay missing. Returns the
// number of channels changed.
int subtractFit(PointStore& store, const ExtremumTables& tables, int m, int run);

} // namespace quelmar
