// Missing values are a mask read once from the marker; computations never test the value.

#include "analysis/PolynomialFit.h"
#include "analysis/PrincipalComponents.h"
#include "analysis/SignalRestoration.h"
#include "core/ObservationFile.h"
#include "core/numbers.h"

#include <gtest/gtest.h>

using namespace quelmar;

namespace {

PointStore storeOf(const std::string& text, MissingMarker marker = {}) {
    return parsePointStore(text, countChannels(text), "star.dat", marker).store;
}

std::string maskOf(const PointStore& s) {
    std::string mask;
    for (int i = 1; i <= s.PointCount; ++i)
        for (int k = 1; k <= s.ChannelCount; ++k)
            mask += s.missing(k, i) ? 'm' : '.';
    return mask;
}

const char* const Bands = "1 16.4 15.1 15.0\n2 16.9 0 15.3\n3 17.2 15.8 15.5\n"
                          "4 16.1 14.9 0\n5 16.6 15.4 15.2\n6 17.0 15.6 15.6\n";

// Point i as a file gets it: the marker where a value is missing.
std::string written(const PointStore& s, int i) {
    std::string line = fixed(s.time(i), 1);
    for (int k = 1; k <= s.ChannelCount; ++k)
        line += ' ' + fixed(s.writtenValue(k, i), 2);
    return line;
}

} // namespace

TEST(MissingValues, TheMarkerIsReadIntoTheMask) {
    const std::string text = "1 0 -99 9.5\n2 9.6 0.0 x\n3 9.7 9.8\n";
    const struct {
        MissingMarker marker;
        const char* mask; // point by point, channel by channel
    } cases[] = {{MissingMarker{}, "m...mm..m"},
                 {MissingMarker::none(), ".....m..m"},
                 {MissingMarker(-99), ".m...m..m"}};
    for (const auto& c : cases) {
        const PointStore s = storeOf(text, c.marker);
        EXPECT_EQ(maskOf(s), c.mask) << missingMarkerText(c.marker);
    }
    // Written back, a missing value is the marker, so the lines stay as they were.
    EXPECT_EQ(written(storeOf("1 0 9.5\n", MissingMarker(-99)), 1), "1.0 0.00 9.50");
    EXPECT_EQ(written(storeOf("1 -99 9.5\n", MissingMarker(-99)), 1), "1.0 -99.00 9.50");
}

TEST(MissingValues, RestorationGivesBackTheOriginalsAndKeepsTheMissingBands) {
    const PointStore original = storeOf(Bands);
    PointStore s = original;
    PrincipalComponents pca;
    ASSERT_EQ(computePrincipalComponents(s, pca), PcaOutcome::Done);
    EXPECT_EQ(pca.LeftOutPoints, (std::vector<int>{2, 4}));
    takeOverComponents(pca, s);
    EXPECT_TRUE(s.missing(1, 2) && s.missing(3, 4)); // points left out have no scores
    restoreSignal(pca, {false, true, true, true}, s);
    EXPECT_EQ(maskOf(s), maskOf(original));
    for (int i = 1; i <= s.PointCount; ++i)
        for (int k = 1; k <= 3; ++k)
            if (!original.missing(k, i)) {
                EXPECT_NEAR(s.value(k, i), original.value(k, i), 1e-9);
            }
    EXPECT_EQ(written(s, 2), "2.0 16.90 0.00 15.30");
    EXPECT_EQ(written(s, 4), "4.0 16.10 14.90 0.00");
}

TEST(MissingValues, ComputedZerosAndRealZerosAreValues) {
    // A score of exactly 0: the middle point of a symmetric channel; a second run keeps it.
    PointStore scores = storeOf("1 9.0\n2 10.0\n3 11.0\n");
    PrincipalComponents pca;
    ASSERT_EQ(computePrincipalComponents(scores, pca), PcaOutcome::Done);
    takeOverComponents(pca, scores);
    ASSERT_EQ(scores.value(1, 2), 0.0);
    ASSERT_EQ(computePrincipalComponents(scores, pca), PcaOutcome::Done);
    EXPECT_TRUE(pca.LeftOutPoints.empty());

    // A column of zeros refuses the decomposition only while 0 marks a missing value.
    const std::string flags = "1 10.1 0\n2 10.4 0\n3 10.2 0\n";
    EXPECT_EQ(computePrincipalComponents(storeOf(flags), pca), PcaOutcome::NoCompletePoint);
    EXPECT_EQ(computePrincipalComponents(storeOf(flags, MissingMarker::none()), pca),
              PcaOutcome::Done);

    // A colour index of 0.00 stays in an extremum fit under none.
    const std::string colours = "1 0.30\n2 0.10\n3 0.00\n4 0.10\n5 0.30\n";
    for (const MissingMarker marker : {MissingMarker{}, MissingMarker::none()}) {
        const PointStore s = storeOf(colours, marker);
        ExtremumTables tables;
        const ChannelFit fit = fitExtremum(s, 1, 1, 5, {3, 3}, tables.beginRun(), tables);
        EXPECT_EQ(fit.points, marker.isNone() ? 5 : 4) << missingMarkerText(marker);
    }
}
