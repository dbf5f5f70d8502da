#include "analysis/PeriodScan.h"
#include "LightCurve.h"
#include "core/Error.h"
#include "core/TextFile.h"
#include "core/numbers.h"
#include "support/FileSizeLimit.h"
#include "support/PeriodOracle.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

using namespace quelmar;
using quelmar::test::LightCurve;
using quelmar::test::LightCurveShape;
using quelmar::test::TempDir;

namespace {

struct Scan {
    ScanOutcome outcome;
    std::string periodogram;
};

Scan scanFile(const std::string& data, const PeriodScanSettings& settings, unsigned threads,
              const std::string& output) {
    const PeriodSeries series = readPeriodSeries(data, settings.column);
    ScanProgress progress;
    Scan scan;
    scan.outcome =
        scanPeriods(series, frequencyGrid(settings, series.timeSpan), output, threads, progress);
    scan.periodogram = TempDir::read(output);
    EXPECT_EQ(progress.done, progress.total);
    return scan;
}

long long lineCount(const std::string& text) {
    return std::count(text.begin(), text.end(), '\n');
}

// The numbers of each line of a periodogram.
std::vector<PeriodogramLine> linesOf(std::string_view periodogram) {
    std::vector<PeriodogramLine> lines;
    for (std::size_t end; (end = periodogram.find("\r\n")) != std::string_view::npos;
         periodogram.remove_prefix(end + 2)) {
        LineTokens tokens(periodogram.substr(0, end));
        PeriodogramLine& line = lines.emplace_back();
        for (double* number : {&line.frequency, &line.theta, &line.period})
            *number = *parseNumber(tokens.next());
    }
    return lines;
}

std::string textOf(const PeriodogramLine& line) {
    return fixed(line.frequency, 8) + " " + fixed(line.theta, 8) + " " + fixed(line.period, 8);
}

// The line of smallest Θ, the first of equals.
PeriodogramLine smallestTheta(const std::vector<PeriodogramLine>& lines) {
    return *std::min_element(lines.begin(), lines.end(),
                             [](const auto& a, const auto& b) { return a.theta < b.theta; });
}

struct OracleCase {
    const char* name;
    LightCurveShape shape;
    PeriodScanSettings settings;
};

class EngineAgainstOracle : public testing::TestWithParam<std::tuple<OracleCase, unsigned>> {};

TEST_P(EngineAgainstOracle, WritesTheSamePeriodogramByteForByte) {
    const auto& [c, threads] = GetParam();
    const LightCurve curve = test::makeLightCurve(c.shape);
    TempDir dir;
    const std::string data = dir.write("star.dat", curve.text);
    const Scan scan = scanFile(data, c.settings, threads, dir.file("star.per"));
    const std::string expected = test::directPeriodogram(
        curve.times, curve.columns[static_cast<std::size_t>(c.settings.column)], c.settings.pmin,
        c.settings.pmax, c.settings.step);
    ASSERT_GT(lineCount(expected), 1);
    EXPECT_EQ(scan.periodogram, expected);
    EXPECT_EQ(scan.outcome.lines, lineCount(expected));
    EXPECT_FALSE(scan.outcome.cancelled);
    ASSERT_TRUE(scan.outcome.best);
    EXPECT_EQ(textOf(*scan.outcome.best), textOf(smallestTheta(linesOf(expected))));
}

const OracleCase oracleCases[] = {
    {"OneColumn", {.points = 400}, {.pmin = 0.5, .pmax = 1.0}},
    {"ThirdOfThreeColumns",
     {.points = 300, .columnCount = 3},
     {.pmin = 0.6, .pmax = 0.8, .column = 3}},
    {"OutOfTimeOrder",
     {.points = 300, .columnCount = 2, .timeOrder = false},
     {.pmin = 0.6, .pmax = 0.9, .column = 2}},
    // Enough points that every block is one trial frequency.
    {"ManyPoints", {.points = 40'000, .span = 400}, {.pmin = 0.698, .pmax = 0.702, .step = 0.05}},
    // Near a multiple of the sampling frequency all phases crowd into a few buckets.
    {"CrowdedPhases",
     {.points = 2000, .span = 200, .jitter = 1e-4},
     {.pmin = 0.0999, .pmax = 0.1001}},
    {"CrowdedBuckets",
     {.points = 6000, .span = 600, .jitter = 1e-4},
     {.pmin = 0.0999, .pmax = 0.1001, .step = 0.5}},
    // Enough points to be dealt into tiles of phase first; then with 30 lines per date, which
    // crowd the buckets of every tile with equal phases.
    {"Tiles",
     {.points = 270'000, .span = 1000},
     {.pmin = 0.699975, .pmax = 0.700025, .step = 0.05}},
    {"RepeatedDatesInTiles",
     {.points = 9'000, .span = 1000, .repeats = 30},
     {.pmin = 0.699975, .pmax = 0.700025, .step = 0.05}},
};

INSTANTIATE_TEST_SUITE_P(Data, EngineAgainstOracle,
                         testing::Combine(testing::ValuesIn(oracleCases), testing::Values(1u, 2u)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::to_string(std::get<1>(info.param)) + "Threads";
                         });

// The scan kept in memory holds the numbers the file shows, at the file's decimals.
TEST(PeriodScan, InMemoryPeriodogramHoldsTheFileLines) {
    for (const OracleCase& c : {oracleCases[0], oracleCases[1], oracleCases[4]}) {
        const LightCurve curve = test::makeLightCurve(c.shape);
        TempDir dir;
        const std::string data = dir.write("star.dat", curve.text);
        const PeriodSeries series = readPeriodSeries(data, c.settings.column);
        const FrequencyGrid grid = frequencyGrid(c.settings, series.timeSpan);
        for (const unsigned threads : {1u, 2u}) {
            const Scan file = scanFile(data, c.settings, threads, dir.file("star.per"));
            ScanProgress progress;
            Periodogram memory;
            const ScanOutcome outcome = scanPeriods(series, grid, memory, threads, progress);
            ASSERT_EQ(memory.frequencies.size(), static_cast<std::size_t>(file.outcome.lines));
            ASSERT_EQ(memory.statistics.size(), memory.frequencies.size());
            std::size_t i = 0;
            LineReader lines(file.periodogram);
            for (std::string_view line; lines.next(line); ++i)
                EXPECT_EQ(line, fixed(memory.frequencies[i], 8) + " " +
                                    fixed(memory.statistics[i], 8) + " " +
                                    fixed(memory.period(i), 8))
                    << c.name << ", line " << i + 1;
            EXPECT_EQ(i, memory.frequencies.size());
            EXPECT_EQ(outcome.lines, file.outcome.lines);
            ASSERT_TRUE(outcome.best);
            EXPECT_EQ(textOf(*outcome.best), textOf(*file.outcome.best)) << c.name;
        }
    }
}

// Points that share a date share their phase at every trial frequency; they are taken in their
// file order, so the periodogram is the same for any number of workers and any run.
TEST(PeriodScan, RepeatedDatesGiveOnePeriodogramWhateverTheThreads) {
    for (const int repeats : {3, 30}) {
        const LightCurve curve = test::makeLightCurve({.points = 60, .repeats = repeats});
        TempDir dir;
        const std::string data = dir.write("star.dat", curve.text);
        const PeriodScanSettings settings{.pmin = 0.68, .pmax = 0.72};
        const std::string expected = test::directPeriodogram(
            curve.times, curve.columns[1], settings.pmin, settings.pmax, settings.step);
        for (const unsigned threads : {1u, 2u, 4u, 1u, 2u, 4u})
            EXPECT_EQ(scanFile(data, settings, threads, dir.file("star.per")).periodogram, expected)
                << repeats << " lines per date, " << threads << " threads";
    }
}

TEST(PeriodScan, ObservationsWithAMissingValueAreLeftOut) {
    const LightCurve curve = test::makeLightCurve({.points = 300, .columnCount = 2});
    std::string text;
    std::vector<double> times{0}, values{0};
    LineReader lines(curve.text);
    std::string_view line;
    for (int i = 1; lines.next(line); ++i) {
        if (i % 7 == 3) { // the second band was not observed
            text +=
                std::string(line.substr(0, line.rfind(' ', line.rfind(' ') - 1))) + " 0 obs\r\n";
            continue;
        }
        text += std::string(line) + "\r\n";
        times.push_back(curve.times[static_cast<std::size_t>(i)]);
        values.push_back(curve.columns[2][static_cast<std::size_t>(i)]);
    }
    TempDir dir;
    const std::string data = dir.write("star.dat", text);
    const PeriodScanSettings settings{.pmin = 0.6, .pmax = 0.8, .column = 2};
    EXPECT_EQ(scanFile(data, settings, 2, dir.file("star.per")).periodogram,
              test::directPeriodogram(times, values, settings.pmin, settings.pmax, settings.step));
}

// Θ does not change when every value is multiplied by one number, and is written as such even
// where the squares of the values overflow or vanish.
TEST(PeriodScan, ThetaIsTheSameForValuesNearTheEndsOfTheNumberRange) {
    const PeriodScanSettings settings{.pmin = 0.6, .pmax = 0.8};
    TempDir dir;
    const auto periodogramFor = [&](double scale) {
        const LightCurve curve = test::makeLightCurve({.points = 200, .valueScale = scale});
        return scanFile(dir.write("star.dat", curve.text), settings, 2, dir.file("star.per"))
            .periodogram;
    };
    const std::string ordinary = periodogramFor(1);
    EXPECT_EQ(periodogramFor(0x1p508), ordinary) << "values near 1e154";
    EXPECT_EQ(periodogramFor(-0x1p1019), ordinary) << "values near -1e308";
    EXPECT_EQ(periodogramFor(0x1p-1000), ordinary) << "values near 1e-300";
}

TEST(PeriodScan, AFailedWriteLeavesAnEarlierPeriodogramAsItWas) {
    const LightCurve curve = test::makeLightCurve({.points = 100});
    TempDir dir;
    const std::string data = dir.write("star.dat", curve.text);
    const PeriodScanSettings settings{.pmin = 0.2, .pmax = 1.0};
    const Scan full = scanFile(data, settings, 2, dir.file("full.per"));
    ASSERT_GT(full.periodogram.size(), 5000u);
    const PeriodSeries series = readPeriodSeries(data, 1);
    const std::string output = dir.write("earlier.per", full.periodogram);
    std::string message;
    {
        const test::FileSizeLimit diskFull(5000);
        ScanProgress progress;
        try {
            scanPeriods(series, frequencyGrid({.pmin = 0.1, .pmax = 1.0}, series.timeSpan), output,
                        2, progress);
        } catch (const QuelmarError& e) {
            message = e.what();
        }
    }
    EXPECT_EQ(message.rfind(output + ": cannot write the file", 0), 0u) << message;
    EXPECT_EQ(TempDir::read(output), full.periodogram);
    const auto files = std::distance(std::filesystem::directory_iterator(dir.path()),
                                     std::filesystem::directory_iterator());
    EXPECT_EQ(files, 3) << "the temporary file is left behind";
}

TEST(PeriodScan, RunsNoMoreWorkersThanTheCapWhateverIsAsked) {
    EXPECT_EQ(scanThreads(2147483647u), MaxScanThreads);
    EXPECT_EQ(scanThreads(3), 3u);
    EXPECT_GE(scanThreads(0), 1u);
    EXPECT_LE(scanThreads(0), std::max(1u, std::thread::hardware_concurrency()));
    const LightCurve curve = test::makeLightCurve({.points = 50});
    TempDir dir;
    const Scan scan = scanFile(dir.write("star.dat", curve.text), {.pmin = 0.5, .pmax = 1},
                               2147483647u, dir.file("star.per"));
    EXPECT_FALSE(scan.outcome.cancelled);
}

TEST(PeriodScan, SwappedPeriodsGiveTheSamePeriodogram) {
    const LightCurve curve = test::makeLightCurve({.points = 200});
    TempDir dir;
    const std::string data = dir.write("star.dat", curve.text);
    const Scan forward = scanFile(data, {.pmin = 1, .pmax = 2}, 2, dir.file("a.per"));
    const Scan swapped = scanFile(data, {.pmin = 2, .pmax = 1}, 2, dir.file("b.per"));
    EXPECT_EQ(forward.periodogram, swapped.periodogram);
}

TEST(PeriodScan, PeriodsFarBeyondTheTimeSpanGiveLinesThatReadBack) {
    TempDir dir;
    const std::string data = dir.write("star.dat", test::makeLightCurve({.points = 50}).text);
    const Scan huge = scanFile(data, {.pmin = 1e70, .pmax = 1e71}, 2, dir.file("c.per"));
    const std::string first = huge.periodogram.substr(0, huge.periodogram.find('\r'));
    LineTokens tokens(first);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(parseNumber(tokens.next())) << first;
}

TEST(PeriodScan, TenDaysOfDataAndPeriodsOneToTwoDays) {
    TempDir dir;
    const std::string data = dir.write("star.dat", "100 1\r\n103 2\r\n105.5 1.5\r\n110 3\r\n");
    const PeriodScanSettings settings{.pmin = 1, .pmax = 2};
    const PeriodSeries series = readPeriodSeries(data, 1);
    const FrequencyGrid grid = frequencyGrid(settings, series.timeSpan);
    EXPECT_EQ(grid.fmin, 0.5);
    EXPECT_EQ(grid.fmax, 1.0);
    EXPECT_DOUBLE_EQ(grid.step, 0.001);
    EXPECT_EQ(grid.estimatedCount, 501);

    const Scan scan = scanFile(data, settings, 2, dir.file("star.per"));
    const long long lines = lineCount(scan.periodogram);
    EXPECT_EQ(lines, countTrialFrequencies(grid));
    EXPECT_TRUE(lines == 500 || lines == 501);
    EXPECT_EQ(scan.periodogram.find("0.50000000 "), 0u);
    EXPECT_NE(scan.periodogram.find(" 2.00000000\r\n0.50100000 "), std::string::npos);
    EXPECT_LE(linesOf(scan.periodogram).back().frequency, 1.0);
}

TEST(PeriodScan, OneOddValueAmongEqualOnesGivesTwoNOverNMinusOne) {
    TempDir dir;
    const std::string data = dir.write("star.dat", "1 5\r\n2.3 5\r\n3.1 7\r\n4.7 5\r\n6 5\r\n");
    const Scan scan =
        scanFile(data, {.pmin = 0.5, .pmax = 3, .step = 0.05}, 2, dir.file("star.per"));
    const double expected = 2.0 * 5 / 4;
    const auto lines = linesOf(scan.periodogram);
    ASSERT_FALSE(lines.empty());
    for (const PeriodogramLine& line : lines)
        EXPECT_NEAR(line.theta, expected, 1e-8);
    EXPECT_NEAR(scan.outcome.best->theta, expected, 1e-12);
}

TEST(PeriodScan, CancelKeepsAnInOrderPrefixOfThePeriodogram) {
    const LightCurve curve = test::makeLightCurve({.points = 1000});
    TempDir dir;
    const std::string data = dir.write("star.dat", curve.text);
    const PeriodScanSettings settings{.pmin = 0.3, .pmax = 1.0};
    const Scan full = scanFile(data, settings, 1, dir.file("full.per"));

    const PeriodSeries series = readPeriodSeries(data, 1);
    const FrequencyGrid grid = frequencyGrid(settings, series.timeSpan);
    ScanProgress progress;
    std::jthread canceller([&progress](std::stop_token scanOver) {
        while (progress.done < 200 && !scanOver.stop_requested())
            std::this_thread::yield();
        progress.cancel = true;
    });
    const ScanOutcome outcome = scanPeriods(series, grid, dir.file("cut.per"), 2, progress);
    const std::string cut = TempDir::read(dir.file("cut.per"));
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(outcome.lines, lineCount(cut));
    EXPECT_LT(outcome.lines, lineCount(full.periodogram));
    EXPECT_EQ(full.periodogram.compare(0, cut.size(), cut), 0) << "not a prefix of the full scan";

    ScanProgress cancelledAtOnce;
    cancelledAtOnce.cancel = true;
    const ScanOutcome none = scanPeriods(series, grid, dir.file("none.per"), 2, cancelledAtOnce);
    EXPECT_TRUE(none.cancelled);
    EXPECT_EQ(none.lines, 0);
    EXPECT_FALSE(none.best);
    EXPECT_EQ(TempDir::read(dir.file("none.per")), "");
}

TEST(PeriodScan, ReportsFilesItCannotWriteAndNeverWritesOverTheData) {
    const LightCurve curve = test::makeLightCurve({.points = 100});
    TempDir dir;
    const std::string data = dir.write("star.dat", curve.text);
    const PeriodSeries series = readPeriodSeries(data, 1);
    const FrequencyGrid grid = frequencyGrid({.pmin = 0.5, .pmax = 1}, series.timeSpan);
    const auto messageOf = [&](const std::string& output) {
        ScanProgress progress;
        try {
            scanPeriods(series, grid, output, 2, progress);
        } catch (const QuelmarError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    const std::string missingFolder = dir.file("no-such-folder/star.per");
    EXPECT_EQ(messageOf(missingFolder).rfind(missingFolder + ": cannot create", 0), 0u);
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_EQ(messageOf("/dev/full").rfind("/dev/full: cannot write", 0), 0u);
    }
    EXPECT_NE(messageOf(data).find("would be written over the input " + data), std::string::npos);
    EXPECT_EQ(TempDir::read(data), curve.text);

    // A periodogram the user protected, or one another scan is writing, is left as it was.
    const std::string kept = dir.write("kept.per", "an earlier periodogram\r\n");
    std::filesystem::permissions(kept, std::filesystem::perms::owner_read);
    EXPECT_EQ(messageOf(kept), kept + ": is read-only; it is left unchanged");
    std::filesystem::permissions(kept, std::filesystem::perms::owner_all);
    const int otherScan = ::open(kept.c_str(), O_WRONLY);
    ASSERT_EQ(flock(otherScan, LOCK_EX), 0);
    EXPECT_EQ(messageOf(kept).rfind(kept + ": is busy", 0), 0u) << messageOf(kept);
    ::close(otherScan);
    EXPECT_EQ(TempDir::read(kept), "an earlier periodogram\r\n");
}

// The best period of one column of an example shipped in examples/.
struct BestPeriod {
    double period = 0;
    double frequencyStep = 0;
};

BestPeriod bestPeriodOfExample(const std::string& name, const PeriodScanSettings& settings) {
    TempDir dir;
    const PeriodSeries series =
        readPeriodSeries(std::string(QUELMAR_EXAMPLES_DIR) + "/" + name, settings.column);
    const FrequencyGrid grid = frequencyGrid(settings, series.timeSpan);
    ScanProgress progress;
    const ScanOutcome outcome = scanPeriods(series, grid, dir.file("star.per"), 2, progress);
    EXPECT_TRUE(outcome.best);
    return {outcome.best ? outcome.best->period : 0, grid.step};
}

// OGLE-LMC-RRLYR-00003, an RRab star in the Large Magellanic Cloud: OGLE I-band photometry
// with a catalogue period of 0.6564975 d.
TEST(PeriodScan, FindsThePublishedPeriodOfARealRRLyraeStar) {
    const BestPeriod best =
        bestPeriodOfExample("ogle_lmc_rrlyr_00003.dat", {.pmin = 0.3, .pmax = 1.0, .step = 0.05});
    EXPECT_NEAR(1 / best.period, 1 / 0.6564975, best.frequencyStep);
}

// SDSS Stripe 82 RR Lyrae 3565718 (published period 0.663341925 d): its r band misses one
// magnitude, written 0, which must not pass for the brightest point of the curve.
TEST(PeriodScan, FindsThePublishedPeriodInABandWithAMissingValue) {
    for (const int band : {2, 3, 4, 5}) {
        const BestPeriod best = bestPeriodOfExample("sdss_rrlyr_3565718_ugriz.dat",
                                                    {.pmin = 0.6, .pmax = 0.75, .column = band});
        EXPECT_EQ(fixed(best.period, 4), "0.6633") << "column " << band;
    }
}

} // namespace
