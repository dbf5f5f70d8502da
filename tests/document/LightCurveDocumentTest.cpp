#include "document/LightCurveDocument.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quelmar {
namespace {

// n points of a parabola with its minimum at t = n / 2, in `channels` identical channels.
PointStore parabola(int n, int channels = 1) {
    PointStore store;
    store.PointCount = n;
    store.ChannelCount = channels;
    store.TimeValues.assign(std::size_t(n) + 1, 0.0);
    store.ChannelValues.assign(std::size_t(channels) + 1, {});
    store.ChannelVisible.assign(std::size_t(channels) + 1, true);
    for (int k = 1; k <= channels; ++k)
        store.ChannelValues[std::size_t(k)].assign(std::size_t(n) + 1, 0.0);
    for (int i = 1; i <= n; ++i) {
        store.TimeValues[std::size_t(i)] = i;
        for (int k = 1; k <= channels; ++k)
            store.ChannelValues[std::size_t(k)][std::size_t(i)] =
                std::pow(i - n / 2.0, 2) + k + 0.01 * (i % 3);
    }
    return store;
}

struct Recorder {
    unsigned changes = 0;
    int calls = 0;
    void attach(LightCurveDocument& document) {
        document.observe([this](unsigned what) {
            changes |= what;
            ++calls;
        });
    }
};

TEST(LightCurveDocument, EveryChangeOfThePointsMovesTheGenerationOnAndIsAnnounced) {
    LightCurveDocument document;
    Recorder recorder;
    recorder.attach(document);
    document.open("a.dat", 2, parabola(40, 2));
    const auto opened = document.generation();
    EXPECT_TRUE(recorder.changes & PointsChanged);
    EXPECT_TRUE(recorder.changes & FilesChanged);

    struct Operation {
        const char* name;
        std::function<void()> apply;
        bool movesPoints;
    };
    const std::vector<Operation> operations = {
        {"cursor", [&] { document.setCursorPoint(7); }, false},
        {"view", [&] { document.setView(3, 30); }, false},
        {"flip", [&] { document.flip(); }, false},
        {"smooth", [&] { document.smoothPoint(1, 10); }, true},
        {"delete", [&] { document.deletePoint(5); }, true},
        {"reload", [&] { document.load(parabola(40, 2), false); }, true},
    };
    auto generation = opened;
    for (const Operation& operation : operations) {
        recorder = {};
        operation.apply();
        EXPECT_EQ(recorder.calls, 1) << operation.name;
        EXPECT_EQ(document.generation() != generation, operation.movesPoints) << operation.name;
        EXPECT_EQ((recorder.changes & PointsChanged) != 0, operation.movesPoints) << operation.name;
        generation = document.generation();
    }
}

TEST(LightCurveDocument, TheCursorIsAlwaysAPointOfTheCurveShown) {
    LightCurveDocument document;
    document.open("long.per", 1, parabola(5000));
    document.setCursorPoint(4000);
    document.open("short.dat", 1, parabola(30));
    EXPECT_EQ(document.view().CursorPoint, 30);
    document.setCursorPoint(123939);
    EXPECT_EQ(document.view().CursorPoint, 30);
    document.deletePoint(30);
    EXPECT_EQ(document.view().CursorPoint, 29);
    EXPECT_EQ(document.points().ViewLast, 29);
    document.setCursorChannel(5);
    EXPECT_EQ(document.view().CursorChannel, 1);
}

TEST(LightCurveDocument, FittedCurvesFollowTheirPointsAndOnlyThem) {
    LightCurveDocument document;
    document.open("a.dat", 1, parabola(40));
    const int run = document.beginFitRun();
    document.fitExtremum(1, {3, 4}, run);
    ASSERT_TRUE(document.curvesCurrent());
    // A deletion renumbers the points and the curves with them.
    document.deletePoint(1);
    EXPECT_TRUE(document.curvesCurrent());
    EXPECT_EQ(document.extrema().FitCurves[1][3].last, 39);
    // Another file's points: the curves are not theirs.
    document.open("b.dat", 1, parabola(40));
    EXPECT_FALSE(document.curvesCurrent());
    EXPECT_EQ(document.subtractFit(3, run), 0);
    // The same file read again unedited keeps curves fitted to it.
    document.fitExtremum(1, {3, 3}, document.beginFitRun());
    document.load(parabola(40), false);
    EXPECT_TRUE(document.curvesCurrent());
}

TEST(LightCurveDocument, ComponentsRestoreOnlyThePointsThatShowThem) {
    LightCurveDocument document;
    document.open("a.dat", 3, parabola(50, 3));
    EXPECT_EQ(document.restorationRefusal(), RestorationRefusal::NoDecomposition);
    ASSERT_EQ(document.decompose(), PcaOutcome::Done);
    document.showPendingComponents();
    EXPECT_EQ(document.restorationRefusal(), RestorationRefusal::None);
    document.restore({false, true, true, true});
    EXPECT_EQ(document.restorationRefusal(), RestorationRefusal::None);
    // Smoothed after the restoration: the components no longer describe these points.
    ASSERT_TRUE(document.smoothPoint(1, 20));
    EXPECT_EQ(document.restorationRefusal(), RestorationRefusal::StoreChanged);
    document.load(parabola(50, 3), false);
    EXPECT_EQ(document.restorationRefusal(), RestorationRefusal::StoreChanged);
}

} // namespace
} // namespace quelmar
