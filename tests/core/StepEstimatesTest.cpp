#include "core/StepEstimates.h"
#include "core/Error.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace quelmar;
using quelmar::test::TempDir;

namespace {

TypedObservation typed(std::string p1, std::string q1) {
    TypedObservation t;
    t.magnitudeA = "9.34";
    t.magnitudeB = "10.11";
    t.julianDate = "2451545.3";
    t.estimates[0] = {std::move(p1), std::move(q1)};
    return t;
}

} // namespace

TEST(TypedObservation, MeanOfTheEstimatesGiven) {
    TypedObservation t = typed("2", "3");
    EXPECT_EQ(typedObservationLine(t).line, "2451545.3000 9.65\r\n");
    t.estimates[1] = {"1", "4"};
    t.estimates[2] = {"3", ""}; // half a row is ignored
    t.comment = "good";
    EXPECT_EQ(typedObservationLine(t).line, "2451545.3000 9.57 good\r\n");
}

TEST(TypedObservation, RefusesEmptyBoxesTextAndZeroSteps) {
    using Kind = ObservationRefusal::Kind;
    auto refusal = [](const TypedObservation& t) { return *typedObservationLine(t).refusal; };
    EXPECT_EQ(refusal(typed("", "3")).kind, Kind::Empty);
    EXPECT_EQ(refusal(typed("", "3")).box, ObservationBox::P1);
    TypedObservation t = typed("2", "3");
    t.julianDate = "2451545,3";
    EXPECT_EQ(refusal(t).kind, Kind::NotANumber);
    EXPECT_EQ(refusal(t).box, ObservationBox::JulianDate);
    EXPECT_EQ(refusal(typed("0", "0")).kind, Kind::ZeroSteps);
    t = typed("2", "3");
    t.estimates[2] = {"1", "-1"};
    EXPECT_EQ(refusal(t).kind, Kind::ZeroSteps);
    EXPECT_EQ(refusal(t).box, ObservationBox::P3);
    t.estimates[2] = {"x", "1"};
    EXPECT_EQ(refusal(t).box, ObservationBox::P3);
}

TEST(ComparisonStars, KeysIgnoreCaseAndBlankRunsAreSkipped) {
    std::string bad;
    const auto stars = *ComparisonStars::parse("a9.34  b10.11 A9.5", bad);
    EXPECT_EQ(stars.magnitude('a'), 9.5);
    EXPECT_EQ(stars.magnitude('B'), 10.11);
    EXPECT_FALSE(stars.magnitude('c'));
    EXPECT_FALSE(ComparisonStars::parse("a9.34 b1o.11", bad));
    EXPECT_EQ(bad, "b1o.11");
    EXPECT_FALSE(ComparisonStars::parse("a9.34 c", bad));
}

TEST(Import, LetterAndNumberFormsSkipsAndTheDateAloneEnd) {
    std::string bad;
    const auto stars = *ComparisonStars::parse("a9.34 b10.11 c11.28", bad);
    ImportReport report;
    const std::string out = importedLines("\r\n2451545.3 a2v3b good\r\n"
                                          "2451546 2 3 ok\r\n"
                                          "2451547 a0v0b zero\r\n"
                                          "2451548 a2v3d unknown key\r\n"
                                          "2451549 a2v3b\r\n"
                                          "header line\r\n"
                                          "2451550  C1v3b  both blanks\r\n"
                                          "2451551\r\n"
                                          "2451552 a2v3b after the end\r\n",
                                          stars, report);
    EXPECT_EQ(out, "2451545.3000 9.65 good\r\n2451546 9.65 ok\r\n2451550 10.99 both blanks\r\n");
    EXPECT_EQ(report.added, 3);
    EXPECT_EQ(report.skipped, 4);
    EXPECT_EQ(report.firstSkippedLine, 4);
    EXPECT_EQ(report.firstSkippedReason, SkipReason::ZeroSteps);
    EXPECT_EQ(report.endLine, 9);
    EXPECT_EQ(importSummary(report, InterfaceLanguage::English),
              "3 lines added, 4 skipped (the first at line 4: p + q is 0); line 9 holds only a "
              "date and ended the import.");
}

TEST(Import, AddsToTheFileOnANewLineAndRefusesAReadOnlyOne) {
    TempDir dir;
    const auto data = dir.write("star.dat", "2451544.1 9.80 old\x1a");
    const auto source = dir.write("est.txt", "2451545.3 a2v3b good\n");
    std::string bad;
    const auto stars = *ComparisonStars::parse("a9.34 b10.11", bad);
    EXPECT_EQ(importEstimates(data, source, stars).added, 1);
    EXPECT_EQ(TempDir::read(data), "2451544.1 9.80 old\r\n2451545.3000 9.65 good\r\n");
    chmod(data.c_str(), 0444);
    EXPECT_THROW(importEstimates(data, source, stars), QuelmarError);
    EXPECT_EQ(TempDir::read(data), "2451544.1 9.80 old\r\n2451545.3000 9.65 good\r\n");
}
