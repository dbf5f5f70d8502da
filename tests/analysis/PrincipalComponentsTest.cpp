#include "analysis/PrincipalComponents.h"
#include "analysis/SignalRestoration.h"
#include "core/numbers.h"
#include "support/SvdOracle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

using namespace quelmar;

namespace {

// A store of m points whose channels are given as functions of the point number.
PointStore storeOf(int m, const std::vector<std::function<double(int)>>& channels) {
    PointStore s;
    s.PointCount = m;
    s.ChannelCount = int(channels.size());
    s.TimeValues.resize(std::size_t(m) + 1);
    s.ChannelValues.assign(channels.size() + 1, std::vector<double>(std::size_t(m) + 1));
    s.ChannelVisible.assign(channels.size() + 1, true);
    for (int i = 1; i <= m; ++i) {
        s.TimeValues[std::size_t(i)] = 2450000 + 0.01 * i;
        for (std::size_t k = 1; k <= channels.size(); ++k)
            s.ChannelValues[k][std::size_t(i)] = channels[k - 1](i);
    }
    return s;
}

// Decomposes and hands the components to the store, as the command and the view do.
PrincipalComponents decomposeAndShow(PointStore& store) {
    PrincipalComponents pca;
    EXPECT_EQ(computePrincipalComponents(store, pca), PcaOutcome::Done);
    takeOverComponents(pca, store);
    return pca;
}

std::vector<bool> keeping(int n, std::initializer_list<int> components) {
    std::vector<bool> keep(std::size_t(n) + 1, false);
    for (int k : components)
        keep[std::size_t(k)] = true;
    return keep;
}

ColumnMatrix randomMatrix(int m, int n, unsigned seed) {
    std::mt19937_64 rng(seed);
    std::normal_distribution<double> value(0, 1);
    ColumnMatrix A(m, n);
    for (int j = 1; j <= n; ++j)
        for (int i = 1; i <= m; ++i)
            A(i, j) = value(rng) * j;
    return A;
}

} // namespace

// The blocked decomposition must be the published algorithm to the last bit: the order and
// signs of the components depend on it. Shapes cover row blocks, fewer rows than columns, and
// matrices of lower rank (repeated, combined and zero columns).
TEST(SingularValueDecomposition, GivesTheBitsOfThePlainAlgorithm) {
    struct Case {
        int m, n;
        unsigned seed;
    };
    for (const Case c : {Case{1, 1, 1}, Case{2, 3, 2}, Case{3, 10, 3}, Case{7, 4, 4},
                         Case{600, 10, 5}, Case{1000, 1, 6}, Case{513, 6, 7}}) {
        for (int variant = 0; variant < 4; ++variant) {
            ColumnMatrix A = randomMatrix(c.m, c.n, c.seed);
            if (c.n >= 3 && variant == 1)
                for (int i = 1; i <= c.m; ++i)
                    A(i, 2) = A(i, 1);
            if (c.n >= 3 && variant == 2)
                for (int i = 1; i <= c.m; ++i)
                    A(i, 3) = 2 * A(i, 1) - A(i, 2);
            if (variant == 3)
                for (int i = 1; i <= c.m; ++i)
                    A(i, c.n) = 0;
            test::Rows rows(std::size_t(c.m) + 1, std::vector<double>(std::size_t(c.n) + 1));
            for (int i = 1; i <= c.m; ++i)
                for (int j = 1; j <= c.n; ++j)
                    rows[std::size_t(i)][std::size_t(j)] = A(i, j);

            const SvdResult ours = singularValueDecomposition(A);
            const test::OracleSvd plain = test::plainSvd(rows, c.m, c.n);
            SCOPED_TRACE("m " + std::to_string(c.m) + " n " + std::to_string(c.n) + " variant " +
                         std::to_string(variant));
            EXPECT_EQ(ours.status, plain.status);
            for (int j = 1; j <= c.n; ++j) {
                EXPECT_EQ(ours.w[j], plain.w[std::size_t(j)]) << "w " << j;
                for (int k = 1; k <= c.n; ++k)
                    EXPECT_EQ(ours.V[k][j], plain.V[std::size_t(k)][std::size_t(j)]);
                for (int i = 1; i <= c.m; ++i)
                    ASSERT_EQ(ours.U(i, j), plain.U[std::size_t(i)][std::size_t(j)])
                        << i << ", " << j;
            }
        }
    }
}

// What makes it a decomposition: V orthogonal, the columns of U = A × V orthogonal with norms
// σ_j, and a zero singular value for each dependent column, still with status 0.
TEST(SingularValueDecomposition, IsADecompositionAlsoOfLowerRank) {
    ColumnMatrix A = randomMatrix(300, 5, 11);
    for (int i = 1; i <= 300; ++i)
        A(i, 4) = A(i, 1) + 3 * A(i, 2);
    const SvdResult r = singularValueDecomposition(A);
    EXPECT_EQ(r.status, 0);
    int zeros = 0;
    for (int j = 1; j <= 5; ++j) {
        zeros += r.w[j] < 1e-12;
        for (int k = 1; k <= 5; ++k) {
            double vv = 0, uu = 0;
            for (int c = 1; c <= 5; ++c)
                vv += r.V[c][j] * r.V[c][k];
            for (int i = 1; i <= 300; ++i)
                uu += r.U(i, j) * r.U(i, k);
            EXPECT_NEAR(vv, j == k ? 1 : 0, 1e-12);
            EXPECT_NEAR(uu, j == k ? r.w[j] * r.w[j] : 0, 1e-9 * r.w[1] * r.w[1]);
        }
    }
    EXPECT_EQ(zeros, 1);
}

TEST(PrincipalComponents, OneChannelIsItsOwnComponent) {
    PointStore store = storeOf(5, {[](int i) { return 10.0 + i * i; }});
    const std::vector<double> original = store.ChannelValues[1];
    PrincipalComponents pca = decomposeAndShow(store);
    const double mean = 10 + 55.0 / 5;
    double squares = 0;
    for (int i = 1; i <= 5; ++i)
        squares += std::pow(original[std::size_t(i)] - mean, 2);
    EXPECT_DOUBLE_EQ(pca.PcaMeans[1], mean);
    EXPECT_DOUBLE_EQ(pca.SingularValues[1], std::sqrt(squares));
    EXPECT_EQ(std::abs(pca.PcaAxes[1][1]), 1.0);
    for (int i = 1; i <= 5; ++i)
        EXPECT_DOUBLE_EQ(store.value(1, i), pca.PcaAxes[1][1] * (original[std::size_t(i)] - mean));
    const auto report = decompositionReport(pca, "Principal components");
    ASSERT_EQ(report.size(), 4u);
    EXPECT_TRUE(report[1] == "1.0000 " || report[1] == "-1.0000 ") << report[1];
    EXPECT_EQ(report[2], "i sigma[i] lambda[i]/summ.lambd");
    EXPECT_EQ(report[3], "1 " + fixed(std::sqrt(squares), 4) + " 1.0000");
}

TEST(PrincipalComponents, TwoIdenticalChannelsHaveOneComponentOfNoShare) {
    auto wave = [](int i) { return 12.0 + std::sin(i * 0.3); };
    PointStore store = storeOf(50, {wave, wave});
    PrincipalComponents pca = decomposeAndShow(store);
    const auto report = decompositionReport(pca, "h");
    const int empty = report[4].ends_with(" 0.0000") ? 1 : 2;
    EXPECT_TRUE(report[4 + 2 - empty].ends_with(" 1.0000")) << report[4] << " / " << report[5];
    for (int i = 1; i <= 50; ++i)
        EXPECT_NEAR(store.value(empty, i), 0, 1e-12);

    restoreSignal(pca, keeping(2, {3 - empty}), store);
    for (int i = 1; i <= 50; ++i) {
        EXPECT_NEAR(store.value(1, i), wave(i), 1e-12);
        EXPECT_NEAR(store.value(2, i), wave(i), 1e-12);
    }
}

TEST(SignalRestoration, EveryComponentGivesTheChannelsBackAndNoneTheirMeans) {
    std::mt19937 rng(3);
    std::normal_distribution<double> noise(0, 0.05);
    std::vector<std::vector<double>> values(4, std::vector<double>(201));
    for (int i = 1; i <= 200; ++i) {
        const double signal = std::sin(i * 0.1);
        values[1][std::size_t(i)] = 15 + signal + noise(rng);
        values[2][std::size_t(i)] = 14 + 0.5 * signal + noise(rng);
        values[3][std::size_t(i)] = 0.3 + i * 0.001 + noise(rng);
    }
    auto channel = [&](int k) {
        return [&, k](int i) { return values[std::size_t(k)][std::size_t(i)]; };
    };
    PointStore store = storeOf(200, {channel(1), channel(2), channel(3)});
    PrincipalComponents pca = decomposeAndShow(store);

    restoreSignal(pca, keeping(3, {1, 2, 3}), store);
    for (int k = 1; k <= 3; ++k)
        for (int i = 1; i <= 200; ++i)
            EXPECT_NEAR(store.value(k, i), values[std::size_t(k)][std::size_t(i)], 1e-12);

    restoreSignal(pca, keeping(3, {}), store); // repeatable: the scores are kept
    for (int k = 1; k <= 3; ++k)
        for (int i = 1; i <= 200; ++i)
            EXPECT_EQ(store.value(k, i), pca.PcaMeans[k]);
}

// A 0 is a missing value: the point is left out of the means and the matrix, and its component
// and restored values are 0, so the other points keep their numbers.
TEST(PrincipalComponents, PointsWithAMissingValueAreLeftOut) {
    auto first = [](int i) { return i == 3 ? 1000.0 : 10.0 + i; };
    auto second = [](int i) { return i == 3 ? 0.0 : 20.0 - 2 * i; };
    PointStore store = storeOf(6, {first, second});
    store.maskOf(2)[3] = 1;
    PrincipalComponents pca = decomposeAndShow(store);
    EXPECT_EQ(pca.LeftOutPoints, std::vector<int>{3});
    EXPECT_DOUBLE_EQ(pca.PcaMeans[1], (11 + 12 + 14 + 15 + 16) / 5.0);
    for (int k = 1; k <= 2; ++k)
        EXPECT_TRUE(store.missing(k, 3));
    restoreSignal(pca, keeping(2, {1, 2}), store);
    EXPECT_NEAR(store.value(1, 3), 1000, 1e-9);
    EXPECT_TRUE(store.missing(2, 3) && !store.missing(1, 3));
    EXPECT_NEAR(store.value(1, 4), 14, 1e-12);
    EXPECT_NEAR(store.value(2, 6), 8, 1e-12);

    PointStore gaps = storeOf(
        2, {[](int i) { return i == 1 ? 0.0 : 1.0; }, [](int i) { return i == 2 ? 0.0 : 1.0; }});
    gaps.maskOf(1)[1] = gaps.maskOf(2)[2] = 1;
    PrincipalComponents untouched = pca;
    EXPECT_EQ(computePrincipalComponents(gaps, untouched), PcaOutcome::NoCompletePoint);
    EXPECT_EQ(untouched.PointCount, 6);
}

TEST(PrincipalComponents, RefusesWhatCannotBeDecomposed) {
    PrincipalComponents pca;
    EXPECT_EQ(computePrincipalComponents(PointStore{}, pca), PcaOutcome::NoPoints);
    EXPECT_EQ(computePrincipalComponents(storeOf(3, {}), pca), PcaOutcome::NoChannels);
    EXPECT_EQ(pca.ChannelCount, 0);
}

// Values whose squares overflow or vanish are decomposed scaled by a power of two: the results
// are those of ordinary values, scaled.
TEST(PrincipalComponents, HugeAndTinyValuesGiveScaledResults) {
    auto a = [](int i) { return 3.0 + std::sin(i); };
    auto b = [](int i) { return 5.0 + std::cos(i * 0.7); };
    PointStore plain = storeOf(40, {a, b});
    const PrincipalComponents reference = decomposeAndShow(plain);
    for (const double factor : {0x1p700, 0x1p-700}) {
        PointStore scaled = storeOf(
            40, {[&](int i) { return a(i) * factor; }, [&](int i) { return b(i) * factor; }});
        const PrincipalComponents pca = decomposeAndShow(scaled);
        for (int k = 1; k <= 2; ++k) {
            EXPECT_DOUBLE_EQ(pca.SingularValues[k], reference.SingularValues[k] * factor);
            EXPECT_DOUBLE_EQ(pca.PcaAxes[1][k], reference.PcaAxes[1][k]);
            EXPECT_DOUBLE_EQ(scaled.value(k, 7), plain.value(k, 7) * factor);
        }
    }
}

// The view takes the component arrays over (no copies); restoring is refused before any
// decomposition, after a reload, and when points were deleted since.
TEST(SignalRestoration, NeedsTheComponentsTheViewShows) {
    PointStore store =
        storeOf(10, {[](int i) { return 1.0 + i; }, [](int i) { return 9.0 - i * 0.5; }});
    PrincipalComponents pca;
    EXPECT_EQ(restorationRefusal(pca, store), RestorationRefusal::NoDecomposition);
    ASSERT_EQ(computePrincipalComponents(store, pca), PcaOutcome::Done);
    const double* series = pca.ComponentValues[2].data();
    EXPECT_EQ(restorationRefusal(pca, store), RestorationRefusal::StoreChanged); // not yet shown
    takeOverComponents(pca, store);
    EXPECT_FALSE(pca.ComponentsPending);
    EXPECT_EQ(store.ChannelValues[2].data(), series);
    EXPECT_EQ(restorationRefusal(pca, store), RestorationRefusal::None);

    PointStore shorter = store;
    --shorter.PointCount;
    EXPECT_EQ(restorationRefusal(pca, shorter), RestorationRefusal::StoreChanged);
    forgetShownComponents(pca);
    EXPECT_EQ(restorationRefusal(pca, store), RestorationRefusal::StoreChanged);
}

TEST(SignalRestoration, ReportGivesSharesOfTheVariance) {
    PrincipalComponents pca;
    pca.ChannelCount = 2;
    pca.SingularValues[1] = 12.34567;
    pca.SingularValues[2] = 12.34567 * std::sqrt(0.15 / 0.85);
    pca.PcaAxes[1] = {0, 0.6, -0.8};
    pca.PcaAxes[2] = {0, 0.8, 0.6};
    const std::vector<std::string> expected = {
        "Главные компоненты", "0.6000 -0.8000 ",
        "0.8000 0.6000 ",     "i sigma[i] lambda[i]/summ.lambd",
        "1 12.3457 0.8500",   "2 5.1862 0.1500"};
    EXPECT_EQ(decompositionReport(pca, "Главные компоненты"), expected);
    pca.SingularValues = {};
    EXPECT_EQ(decompositionReport(pca, "")[4], "1 0.0000 0.0000");
}
