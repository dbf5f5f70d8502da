#include "analysis/PolynomialFit.h"
#include "analysis/MatrixInverse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

using namespace quelmar;

namespace {

// A one-channel store of n points at times start + step·i, with values f(time).
PointStore curve(int n, double start, double step, const std::function<double(double)>& f) {
    PointStore s;
    s.PointCount = n;
    s.ChannelCount = 1;
    s.TimeValues.assign(1, 0.0);
    s.ChannelValues.assign(2, std::vector<double>(1, 0.0));
    s.ChannelVisible.assign(2, true);
    for (int i = 1; i <= n; ++i) {
        const double t = start + step * i;
        s.TimeValues.push_back(t);
        s.ChannelValues[1].push_back(f(t));
    }
    return s;
}

ChannelFit fitAll(const PointStore& s, ExtremumTables& tables, TermRange terms) {
    return fitExtremum(s, 1, 1, s.PointCount, terms, tables.beginRun(), tables);
}

TEST(MatrixInverse, InvertsWithRowAndColumnExchangesAndGivesTheDeterminant) {
    // The largest elements sit off the diagonal, so every step exchanges rows and columns.
    const long double m[4][4] = {{0, 0, 0, 0}, {0, 1, 2, 9}, {0, 7, 3, 1}, {0, 4, 8, 2}};
    NormalMatrix a{};
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j)
            a[i][j] = m[i][j];
    const long double determinant = invertMatrix(a, 3);
    EXPECT_NEAR(static_cast<double>(determinant), 374.0, 1e-12);
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) {
            long double sum = 0;
            for (int k = 1; k <= 3; ++k)
                sum += m[i][k] * a[k][j];
            EXPECT_NEAR(static_cast<double>(sum), i == j ? 1.0 : 0.0, 1e-15) << i << "," << j;
        }

    NormalMatrix singular{};
    singular[1][1] = 1, singular[1][2] = 2, singular[2][1] = 2, singular[2][2] = 4;
    EXPECT_EQ(invertMatrix(singular, 2), 0) << "the second pivot is exactly 0";
}

TEST(PolynomialFit, PointsOnAParabolaGiveItsVertexWithErrorsZero) {
    const PointStore s = curve(41, 2451234.0, 0.01, [](double t) {
        const double d = t - 2451234.2345;
        return 9.5 + 30 * d * d;
    });
    ExtremumTables tables;
    const ChannelFit fit = fitAll(s, tables, {3, 6});
    ASSERT_EQ(fit.refusal, FitRefusal::None);
    ASSERT_EQ(fit.terms.size(), 4u);
    for (int m = 3; m <= 6; ++m) {
        EXPECT_EQ(fit.terms[static_cast<std::size_t>(m - 3)].note, ExtremumNote::None);
        EXPECT_NEAR(tables.ExtremumMoment[1][m], 2451234.2345, 1e-8) << m << " terms";
        EXPECT_EQ(extremumNumbers(tables, 1, m, 4), "2451234.2345\xC2\xB1"
                                                    "0.0000 9.5000\xC2\xB1"
                                                    "0.0000")
            << m << " terms";
    }
    EXPECT_EQ(fit.leftOut, 0);
    EXPECT_TRUE(tables.FitCurves[1][3].covers(41));
    EXPECT_NEAR(tables.FitCurves[1][3].at(1), 9.5 + 30 * 0.2245 * 0.2245, 1e-9);
}

TEST(PolynomialFit, OneAndTwoTermsGiveTheMeanAndTheStartingMoment) {
    const PointStore s = curve(5, 10.0, 1.0, [](double t) { return t == 13 ? 6.0 : 1.0; });
    ExtremumTables tables;
    const ChannelFit fit = fitAll(s, tables, {1, 2});
    ASSERT_EQ(fit.terms.size(), 2u);
    // One term: the mean 2 and √(s²/N), s² = (4 · 1 + 16) / 4.
    EXPECT_DOUBLE_EQ(tables.ExtremumValue[1][1], 2.0);
    EXPECT_NEAR(tables.ExtremumValueError[1][1], std::sqrt(5.0 / 5), 1e-15);
    EXPECT_EQ(extremumNumbers(tables, 1, 1, 2), "0.00\xC2\xB1"
                                                "0.00 2.00\xC2\xB1"
                                                "1.00")
        << "the moment entries keep what they held";
    // Two terms: the start, the vertex of the 3-term fit, mapped back; error 1000.
    EXPECT_EQ(tables.ExtremumMomentError[1][2], MomentErrorUnknown);
    const PointStore parabolaOnly = s;
    ExtremumTables three;
    fitAll(parabolaOnly, three, {3, 3});
    EXPECT_NEAR(tables.ExtremumMoment[1][2], three.ExtremumMoment[1][3], 1e-9);
}

TEST(PolynomialFit, TheMomentErrorDependsOnTheTimesAloneNotOnTheUnitOfTheValues) {
    std::mt19937_64 rng(3);
    std::normal_distribution<double> noise(0.0, 0.02);
    std::vector<double> jitter(60);
    for (double& e : jitter)
        e = noise(rng);
    auto minimum = [&](double scale) {
        return curve(60, 100.0, 0.01, [&, n = 0](double t) mutable {
            const double d = t - 100.31;
            return scale * (1 + 5 * d * d + jitter[static_cast<std::size_t>(n++)]);
        });
    };
    ExtremumTables mag, millimag;
    fitAll(minimum(1), mag, {4, 4});
    fitAll(minimum(1000), millimag, {4, 4});
    EXPECT_NEAR(millimag.ExtremumMomentError[1][4], mag.ExtremumMomentError[1][4], 1e-12);
    EXPECT_NEAR(millimag.ExtremumValueError[1][4], 1000 * mag.ExtremumValueError[1][4], 1e-9);
}

TEST(PolynomialFit, TheMomentErrorMatchesTheScatterOfRepeatedMeasurements) {
    std::mt19937_64 rng(11);
    std::normal_distribution<double> noise(0.0, 0.01);
    double sum = 0, sumSquares = 0, reported = 0;
    constexpr int trials = 400;
    for (int trial = 0; trial < trials; ++trial) {
        const PointStore s = curve(40, 0.0, 0.01, [&](double t) {
            const double d = t - 0.2;
            return 10 + 2 * d * d - 3 * d * d * d + noise(rng);
        });
        ExtremumTables tables;
        fitAll(s, tables, {4, 4});
        sum += tables.ExtremumMoment[1][4];
        sumSquares += tables.ExtremumMoment[1][4] * tables.ExtremumMoment[1][4];
        reported += tables.ExtremumMomentError[1][4];
    }
    const double scatter = std::sqrt(sumSquares / trials - (sum / trials) * (sum / trials));
    EXPECT_NEAR(reported / trials / scatter, 1.0, 0.15);
}

TEST(PolynomialFit, MissingValuesAreLeftOutButTheCurveCoversThem) {
    auto parabola = [](double t) { return 7 + (t - 5.3) * (t - 5.3); };
    PointStore s = curve(12, 0.0, 1.0, parabola);
    s.ChannelValues[1][4] = 0;
    s.ChannelValues[1][9] = 0;
    s.maskOf(1)[4] = s.maskOf(1)[9] = 1;
    ExtremumTables tables;
    const ChannelFit fit = fitAll(s, tables, {3, 4});
    EXPECT_EQ(fit.points, 10);
    EXPECT_EQ(fit.leftOut, 2);
    EXPECT_NEAR(tables.ExtremumMoment[1][3], 5.3, 1e-9);
    EXPECT_LT(tables.ExtremumValueError[1][3], 1e-9) << "the zeros did not enter the residuals";
    EXPECT_NEAR(tables.FitCurves[1][3].at(4), parabola(4.0), 1e-9);

    for (int i : {1, 2, 3, 5, 6, 7, 8, 10})
        s.maskOf(1)[static_cast<std::size_t>(i)] = 1;
    ExtremumTables untouched;
    const ChannelFit refused = fitAll(s, untouched, {3, 4});
    EXPECT_EQ(refused.refusal, FitRefusal::TooFewPoints) << "2 points remain for 4 terms";
    EXPECT_EQ(refused.refusedTerms, 4);
    EXPECT_FALSE(untouched.FitCurves[1][3].exists());
}

TEST(PolynomialFit, RefusesARangeWithoutTimeSpanOrWithTooFewPoints) {
    ExtremumTables tables;
    tables.ExtremumValue[1][3] = 42;
    const PointStore sameTime = curve(5, 1.0, 0.0, [](double t) { return t; });
    EXPECT_EQ(fitAll(sameTime, tables, {3, 3}).refusal, FitRefusal::NoTimeSpan);
    const PointStore five = curve(5, 1.0, 1.0, [](double t) { return t * t; });
    const ChannelFit tooFew = fitAll(five, tables, {3, 5});
    EXPECT_EQ(tooFew.refusal, FitRefusal::TooFewPoints) << "5 terms need 6 points";
    EXPECT_EQ(tables.ExtremumValue[1][3], 42) << "a refused channel changes no table";
    EXPECT_TRUE(fitAll(five, tables, {4, 3}).terms.empty()) << "first above last fits nothing";
}

TEST(PolynomialFit, ReportsSingularEquationsAndNewtonFailuresPerTermCount) {
    // Two distinct dates only: a parabola is not determined.
    PointStore twoDates = curve(6, 0.0, 1.0, [](double) { return 5.0; });
    for (int i = 1; i <= 6; ++i)
        twoDates.TimeValues[static_cast<std::size_t>(i)] = i <= 3 ? 1.0 : 2.0;
    twoDates.ChannelValues[1][2] = 6;
    ExtremumTables tables;
    const ChannelFit singular = fitAll(twoDates, tables, {2, 3});
    EXPECT_EQ(singular.terms[0].note, ExtremumNote::None);
    EXPECT_EQ(singular.terms[1].note, ExtremumNote::Singular);
    EXPECT_FALSE(tables.FitCurves[1][3].exists());

    // A cubic without a stationary point, and a parabola whose vertex lies beyond the range.
    const PointStore rising = curve(30, 0.0, 0.1, [](double t) { return t * t * t + t; });
    const ChannelFit astray = fitAll(rising, tables, {4, 4});
    EXPECT_EQ(astray.terms[0].note, ExtremumNote::NewtonNotSettled);
    EXPECT_EQ(tables.ExtremumMomentError[1][4], MomentErrorUnknown);
    const PointStore slope = curve(30, 0.0, 0.1, [](double t) { return (t - 9) * (t - 9); });
    const ChannelFit beyond = fitAll(slope, tables, {3, 3});
    EXPECT_EQ(beyond.terms[0].note, ExtremumNote::NewtonLeftRange);
    EXPECT_EQ(tables.ExtremumMomentError[1][3], MomentErrorUnknown);
}

TEST(PolynomialFit, TheBestTermCountIsTheSmallestMomentErrorAndTheLowerOfEquals) {
    ExtremumTables tables;
    ChannelFit fit;
    fit.channel = 1;
    for (int m = 1; m <= 5; ++m)
        fit.terms.push_back({m, ExtremumNote::None});
    tables.ExtremumMomentError[1] = {0, 0, 0.5, 0.2, 0.2, 0.3};
    EXPECT_EQ(bestTermCount(tables, fit, {1, 5}), 3) << "one term estimates no moment";
    fit.terms[2].note = ExtremumNote::Singular;
    EXPECT_EQ(bestTermCount(tables, fit, {1, 5}), 4);
    EXPECT_EQ(bestTermCount(tables, ChannelFit{}, {6, 5}), 6);
}

} // namespace
