#include "analysis/BoxLeastSquares.h"
#include "analysis/HarmonicFit.h"
#include "analysis/LombScargle.h"
#include "analysis/MethodPeriodogram.h"
#include "analysis/PeriodMethod.h"
#include "analysis/PeriodPeaks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <random>
#include <string>

using namespace quelmar;

namespace {

struct ReferenceStar {
    const char* file;
    int column, errorColumn; // errorColumn 0: no weights
    double frequencies[4];
    double astropyPowers[4]; // LombScargle(t, y, dy, fit_mean=True, normalization="standard")
};

// Computed once with astropy 5.2 (Debian python3-astropy), method "slow".
constexpr ReferenceStar Stars[] = {
    {"ogle_lmc_cep_0018_I.dat",
     1,
     2,
     {0.2470448, 0.25, 0.5, 1.3},
     {0.9007189428, 0.1979875975, 0.0061676356, 0.0043776407}},
    {"ogle_lmc_rrlyr_00003_I.dat",
     1,
     2,
     {1.5232, 1.52323, 0.5077, 2.1},
     {0.6522238191, 0.6706426468, 0.0040625235, 0.0128528102}},
    {"sdss_s82_rrlyr_3565718_5band.dat",
     3,
     0,
     {1.5075, 1.50752, 0.7, 2.5},
     {0.7819521403, 0.7811351549, 0.0028879620, 0.0462629691}},
    {"linear_14752041_ea.dat",
     1,
     2,
     {2.7401, 1.37, 0.9, 3.3},
     {0.5435479797, 0.0879584574, 0.0227464226, 0.0108754786}},
};

WeightedSeries starSeries(const ReferenceStar& star) {
    const std::string path = std::string(QUELMAR_REALDATA_DIR) + "/" + star.file;
    const PeriodSeries series = readPeriodSeries(path, star.column);
    return star.errorColumn
               ? weightedSeries(series, readErrorColumn(path, star.column, star.errorColumn))
               : weightedSeries(series);
}

} // namespace

TEST(LombScargle, AgreesWithAstropyAndTheFastSumsWithTheDirectOnes) {
    if (!std::filesystem::exists(QUELMAR_REALDATA_DIR))
        GTEST_SKIP() << "no " << QUELMAR_REALDATA_DIR;
    for (const ReferenceStar& star : Stars) {
        const WeightedSeries series = starSeries(star);
        const LombScargle gls(series, 1);
        for (int k = 0; k < 4; ++k)
            EXPECT_NEAR(gls.power(star.frequencies[k]), star.astropyPowers[k], 1e-6)
                << star.file << " at " << star.frequencies[k];
        // A uniform grid over the star's period, by FFTs and by direct sums, with 1 and 3 terms,
        // in one block and in several; a share from the second block on gives the same bytes.
        for (const int harmonics : {1, 3}) {
            const LombScargle fit(series, harmonics);
            const double f0 = star.frequencies[0] - 0.05, df = 1e-5;
            for (const std::size_t count : {1000, 10000}) {
                const std::vector<double> fast = fit.uniformPowers(f0, df, count);
                for (std::size_t j = 0; j < fast.size(); j += 37)
                    EXPECT_NEAR(fast[j], fit.power(f0 + static_cast<double>(j) * df), 1e-6)
                        << star.file << " with " << harmonics << " harmonics, line " << j;
                const std::size_t block = fit.blockFrequencies(count);
                std::vector<double> share(count - block);
                fit.uniformPowers(f0, df, count, block, count, share.data());
                EXPECT_TRUE(std::equal(share.begin(), share.end(), fast.begin() + block));
            }
        }
    }
}

TEST(BoxLeastSquares, FindsTheBoxOfASyntheticTransit) {
    // 0.7 % deep, 0.12 d long transits every 3.2888 d in 2-minute flux over 27 days.
    std::mt19937_64 random(3);
    std::normal_distribution<double> noise(0, 0.002);
    WeightedSeries s;
    s.epoch0 = 2459000;
    for (double t = 0; t < 27; t += 2.0 / 1440) {
        const double phase = std::fmod(t - 1.3 + 100 * 3.2888, 3.2888);
        s.t.push_back(t);
        s.y.push_back(1 - (phase < 0.06 || phase > 3.2888 - 0.06 ? 0.007 : 0) + noise(random));
        s.w.push_back(1);
    }
    BoxLeastSquares bls(s, {0.06, 0.08, 0.1, 0.12, 0.14});
    const TransitBox box = bls.bestBox(1 / 3.2888);
    EXPECT_NEAR(box.depth, 0.007, 0.0007);
    EXPECT_NEAR(box.duration, 0.12, 0.02);
    EXPECT_NEAR(std::remainder(box.epoch - (s.epoch0 + 1.3), 3.2888), 0, 0.01);
    EXPECT_LT(bls.power(1 / 3.0), box.power / 5);
}

TEST(PeriodPeaks, NameMultiplesAndAliasesWithinTheirWidthsOnly) {
    auto peak = [](double period, double halfWidth) {
        PeriodPeak p;
        p.period = period;
        p.halfWidth = halfWidth;
        return p;
    };
    // 3P, P, P/2, a one-day alias of P (1/P + 1), a sidereal-day alias of P, and a loner.
    const double p = 0.6565;
    std::vector<PeriodPeak> peaks = {peak(3 * p + 1e-5, 2e-4),
                                     peak(p, 6e-5),
                                     peak(p / 2 - 2e-5, 3e-5),
                                     peak(1 / (1 / p + 1), 2e-5),
                                     peak(1 / (1 / p - 1.0027379), 1e-4),
                                     peak(1.234, 1e-4)};
    labelRelations(peaks);
    const char* expected[] = {"3x", "1/3x", "1/2x", "1-day alias", "sidereal-day alias", ""};
    for (std::size_t i = 0; i < peaks.size(); ++i)
        EXPECT_EQ(peaks[i].relation, expected[i]) << "peak " << i << " at " << peaks[i].period;
    EXPECT_DOUBLE_EQ(peaks[0].relationTo, p);
}

// A periodogram file does not say which statistic it holds: the peak list reads from the curve
// whether its minima or its maxima mark periods, and finds the same best period either way.
TEST(PeriodPeaks, APeriodogramFileOfAnyMethodListsItsBestPeriodFirst) {
    const PeriodSeries series =
        readPeriodSeries(QUELMAR_EXAMPLES_DIR "/ogle_lmc_rrlyr_00003.dat", 1);
    const WeightedSeries weighted = weightedSeries(series);
    const FrequencyGrid grid = frequencyGrid({0.6, 0.7, 0.2, 1}, series.timeSpan);
    for (const PeriodMethod method :
         {PeriodMethod::LaflerKinman, PeriodMethod::LombScargle, PeriodMethod::PhaseDispersion}) {
        MethodSettings settings;
        settings.method = method;
        const Periodogram periodogram = methodPeriodogram(weighted, series, settings, grid, 0);
        EXPECT_EQ(minimaMarkPeriods(periodogram), lowMarksPeriod(method))
            << periodMethodName(method);
        const auto peaks = periodogramFilePeaks(periodogram, weighted, series);
        ASSERT_FALSE(peaks.empty());
        EXPECT_NEAR(peaks[0].period, 0.6564975, 1e-4) << periodMethodName(method);
    }
}

// The blocks of the Lomb–Scargle FFTs are shared out between the threads: any number of them
// gives the powers a single pass through the blocks gives.
TEST(LombScargle, TheBlocksGiveTheSamePowersOnAnyNumberOfThreads) {
    const PeriodSeries series =
        readPeriodSeries(QUELMAR_EXAMPLES_DIR "/ogle_lmc_rrlyr_00003.dat", 1);
    const WeightedSeries weighted = weightedSeries(series);
    const FrequencyGrid grid = frequencyGrid({0.5, 1, 0.05, 1}, series.timeSpan);
    MethodSettings settings;
    settings.method = PeriodMethod::LombScargle;
    const LombScargle gls(weighted, settings.harmonics);
    const std::size_t count = static_cast<std::size_t>(countTrialFrequencies(grid));
    ASSERT_GT(count, 3 * gls.blockFrequencies(count));
    const Periodogram one = methodPeriodogram(weighted, series, settings, grid, 1);
    for (const unsigned threads : {2u, 3u})
        EXPECT_EQ(methodPeriodogram(weighted, series, settings, grid, threads).statistics,
                  one.statistics)
            << threads << " threads";
    // On either side of the blocks' borders, the powers of the direct sums.
    for (std::size_t border = gls.blockFrequencies(count); border < count;
         border += gls.blockFrequencies(count))
        for (const std::size_t j : {border - 1, border})
            EXPECT_NEAR(one.statistics[j], gls.power(one.frequencies[j]), 1e-6) << j;
}

// Far from the signal the residuals are large and plain Gauss–Newton steps only shrink by a
// constant factor, alternating in sign: the fit must still end where the step is nil, so that
// refitting from its own result does not move it.
TEST(HarmonicFit, ConvergesOnAWeakPeakWhereTheStepsAlternate) {
    std::mt19937_64 rng(8);
    std::uniform_real_distribution<double> moment(0.0, 1000.0), noise(0.0, 0.05);
    WeightedSeries series;
    for (int i = 0; i < 100'000; ++i)
        series.t.push_back(moment(rng));
    std::sort(series.t.begin(), series.t.end());
    for (const double t : series.t) {
        series.y.push_back(12 + 0.4 * std::sin(2 * std::numbers::pi * t / 0.6565) + noise(rng));
        series.w.push_back(1);
    }
    const double reach = 5e-4;
    for (const double trial : {1.50145003, 1.50033001}) {
        const FrequencyFit fit = fitFrequency(series, 3, trial, reach);
        ASSERT_LE(std::abs(fit.frequency - trial), reach);
        EXPECT_NEAR(fitFrequency(series, 3, fit.frequency, reach).frequency, fit.frequency,
                    1e-12 * fit.frequency)
            << "from " << trial;
        EXPECT_GT(fit.frequencyError, 0);
    }
}
