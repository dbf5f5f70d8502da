#include "ExtremumLines.h"

#include "SymmetricPolynomial.h"
#include "core/numbers.h"

#include <algorithm>

namespace quelmar {

namespace {

// "1 term", "5 terms" in the interface's language; afterOf: the Russian form that follows "из".
std::string termCount(int m, InterfaceLanguage language, bool afterOf = false) {
    const std::string number = std::to_string(m);
    const int units = m % 10;
    const int tens = m % 100;
    const bool one = language == InterfaceLanguage::English ? m == 1 : units == 1 && tens != 11;
    const bool few = language == InterfaceLanguage::Russian && units >= 2 && units <= 4 &&
                     (tens < 12 || tens > 14);
    if (afterOf)
        return ownText(one ? message::TermCountOfOne : message::TermCountOfMany, language,
                       {number});
    return ownText(one   ? message::TermCountOne
                   : few ? message::TermCountFew
                         : message::TermCountMany,
                   language, {number});
}

std::string noteText(const TermFit& term, InterfaceLanguage language) {
    switch (term.note) {
    case ExtremumNote::Singular:
        return ownText(message::ExtremaSingular, language, {termCount(term.terms, language)});
    case ExtremumNote::NewtonNotSettled:
        return ownText(message::ExtremaNotSettled, language, {std::to_string(NewtonStepLimit)});
    case ExtremumNote::NewtonLeftRange:
        return ownText(message::ExtremaLeftRange, language);
    case ExtremumNote::None:
        break;
    }
    return {};
}

} // namespace

std::vector<ExtremumLine> extremumLines(const ExtremumTables& tables, const ChannelFit& fit,
                                        int decimals, InterfaceLanguage language) {
    std::vector<ExtremumLine> lines;
    for (const TermFit& term : fit.terms) {
        ExtremumLine line{.channel = fit.channel, .terms = term.terms, .run = fit.run, .text = {}};
        if (term.note != ExtremumNote::Singular)
            line.text = extremumNumbers(tables, fit.channel, term.terms, decimals) + " " +
                        std::string(methodWord(TimingMethod::Polynomial));
        line.text += noteText(term, language);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<ExtremumLine> timingLines(const PointStore& store, int c, int first, int last,
                                      int decimals, InterfaceLanguage language) {
    static const std::string plusMinus = "\xC2\xB1";
    std::vector<ExtremumLine> lines;
    for (TimingMethod method : {TimingMethod::KweeVanWoerden, TimingMethod::Symmetric}) {
        const MinimumTiming timing =
            timeExtremum(store, c, first, last, method, {SymmetricTerms, SymmetricTerms});
        ExtremumLine line{.channel = c, .method = method, .timed = timing.timed(), .text = {}};
        const std::string word(methodWord(method));
        if (timing.timed())
            line.text = fixed(timing.moment, decimals) + plusMinus +
                        fixed(timing.momentError, decimals) + " " + fixed(timing.value, decimals) +
                        plusMinus + fixed(timing.valueError, decimals) + " " + word;
        else
            line.text = word + ": " + timing.refusal->in(language);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string fitRefusalText(const ChannelFit& fit, InterfaceLanguage language) {
    const std::string channel = std::to_string(fit.channel);
    const std::string first = std::to_string(fit.first);
    const std::string last = std::to_string(fit.last);
    switch (fit.refusal) {
    case FitRefusal::NoTimeSpan:
        return ownText(message::ExtremaNoTimeSpan, language, {channel, first, last});
    case FitRefusal::TooFewPoints:
        return ownText(message::ExtremaTooFewPoints, language,
                       {channel, termCount(fit.refusedTerms, language, true),
                        std::to_string(fit.refusedTerms + 1), first, last,
                        std::to_string(fit.points)});
    case FitRefusal::None:
        break;
    }
    return {};
}

std::string leftOutText(const ChannelFit& fit, InterfaceLanguage language) {
    if (fit.leftOut == 0) return {};
    return ownText(message::ExtremaLeftOut, language,
                   {std::to_string(fit.channel), std::to_string(fit.leftOut)});
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
            if (!store.missing(c, i)) values[static_cast<std::size_t>(i)] -= curve.at(i);
        }
        ++changed;
    }
    return changed;
}

} // namespace quelmar
