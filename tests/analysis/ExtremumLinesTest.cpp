#include "analysis/ExtremumLines.h"

#include <gtest/gtest.h>

using namespace quelmar;

namespace {

PointStore twoChannels() {
    PointStore s;
    s.PointCount = 10;
    s.ChannelCount = 2;
    s.TimeValues = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    s.ChannelValues = {{}, {0, 5, 3, 2, 1, 0, 1, 2, 3, 5, 6}, {0, 8, 7, 6, 6, 6, 6, 6, 7, 8, 9}};
    s.ChannelVisible = {false, true, true};
    s.maskOf(1)[5] = 1; // the 0 of channel 1 is missing
    return s;
}

TEST(ExtremumLines, KeepTheFitsOrderChannelTermsAndRunAndSayWhatWentWrong) {
    ExtremumTables tables;
    ChannelFit fit;
    fit.channel = 2;
    fit.run = 7;
    fit.terms = {
        {3, ExtremumNote::None}, {4, ExtremumNote::Singular}, {5, ExtremumNote::NewtonLeftRange}};
    tables.ExtremumMoment[2][5] = 1.5;
    const auto lines = extremumLines(tables, fit, 1, InterfaceLanguage::English);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, "0.0\xC2\xB1"
                             "0.0 0.0\xC2\xB1"
                             "0.0 polynomial");
    EXPECT_EQ(lines[1].text, "4 terms: the normal equations have no unique solution");
    EXPECT_EQ(lines[2].text, "1.5\xC2\xB1"
                             "0.0 0.0\xC2\xB1"
                             "0.0 polynomial (the stationary point lies outside the range)");
    EXPECT_EQ(lines[2].channel, 2);
    EXPECT_EQ(lines[2].terms, 5);
    EXPECT_EQ(lines[2].run, 7);
}

TEST(ExtremumLines, TermCountsAgreeWithTheirNumberInBothLanguages) {
    ChannelFit refused;
    refused.channel = 1;
    refused.first = 4;
    refused.last = 4;
    refused.points = 1;
    refused.refusal = FitRefusal::TooFewPoints;
    refused.refusedTerms = 1;
    EXPECT_EQ(fitRefusalText(refused, InterfaceLanguage::English),
              "Channel 1: a polynomial of 1 term needs at least 2 points with a value; points 4 "
              "... 4 have 1.");
    EXPECT_NE(fitRefusalText(refused, InterfaceLanguage::Russian).find("из 1 члена нужно"),
              std::string::npos);
    refused.refusedTerms = 2;
    EXPECT_NE(fitRefusalText(refused, InterfaceLanguage::Russian).find("из 2 членов нужно"),
              std::string::npos);

    ChannelFit singular;
    for (int m : {1, 3, 5, 11})
        singular.terms.push_back({m, ExtremumNote::Singular});
    std::vector<std::string> heads;
    for (const auto& line : extremumLines({}, singular, 4, InterfaceLanguage::Russian))
        heads.push_back(line.text.substr(0, line.text.find(':')));
    EXPECT_EQ(heads, (std::vector<std::string>{"1 член", "3 члена", "5 членов", "11 членов"}));
    EXPECT_EQ(extremumLines({}, singular, 4, InterfaceLanguage::English)[0].text,
              "1 term: the normal equations have no unique solution");
}

TEST(ExtremumLines, SubtractionTakesTheRunsCurvesOverTheirRangeAndKeepsMissingValues) {
    PointStore s = twoChannels();
    ExtremumTables tables;
    const int older = tables.beginRun();
    fitExtremum(s, 2, 1, 10, {3, 3}, older, tables);
    const int run = tables.beginRun();
    fitExtremum(s, 1, 2, 9, {3, 3}, run, tables);
    const PointStore before = s;

    EXPECT_EQ(subtractFit(s, tables, 3, run), 1) << "channel 2's curve is of an older run";
    EXPECT_EQ(s.ChannelValues[2], before.ChannelValues[2]);
    EXPECT_EQ(s.value(1, 1), 5) << "point 1 lies outside the fitted range";
    EXPECT_EQ(s.value(1, 10), 6);
    EXPECT_EQ(s.value(1, 5), 0) << "a missing value stays missing";
    EXPECT_DOUBLE_EQ(s.value(1, 3), 2 - tables.FitCurves[1][3].at(3));

    subtractFit(s, tables, 3, run);
    EXPECT_DOUBLE_EQ(s.value(1, 3), 2 - 2 * tables.FitCurves[1][3].at(3)) << "twice is twice";
    EXPECT_EQ(subtractFit(s, tables, 4, run), 0) << "no curve of 4 terms";
}

} // namespace
