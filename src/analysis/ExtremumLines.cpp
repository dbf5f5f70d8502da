#include "ExtremumLines.h"

#include <algorithm>

namespace quelmar {

std::vector<ExtremumLine> extremumLines(const ExtremumTables& tables, const ChannelFit& fit,
                                        int decimals, const ExtremumNoteText& noteText) {
    std::vector<ExtremumLine> lines;
    for (const TermFit& term : fit.terms) {
        ExtremumLine line{fit.channel, term.terms, fit.run, {}};
        if (term.note != ExtremumNote::Singular)
            line.text = extremumNumbers(tables, fit.channel, term.terms, decimals);
        if (term.note != ExtremumNote::None) line.text += noteText(term);
        lines.push_back(std::move(line));
    }
    return lines;
}

int subtractFit(PointStore& store, const ExtremumTables& tables, int m, int run) {
    if (m < 1 || m > MaxTermCount || run == 0) return 0;
    int changed = 0;
    const int channels = std::min(store.ChannelCount, MaxChannels);
    for (int c = 1; c <= channels; ++c) {
        const FitCurve& curve = tables.FitCurves[c][m];
        if (curve.run != run) continue;
        std::vector<double>& values = store.ChannelValues[static_cast<std::size_t>(c)];
        const int last = std::min(curve.last, store.PointCount);
        for (int i = std::max(curve.first, 1); i <= last; ++i) {
            double& v = values[static_cast<std::size_t>(i)];
            if (v != 0) v -= curve.at(i);
        }
        ++changed;
    }
    return changed;
}

} // namespace quelmar
