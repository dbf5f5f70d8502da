#include "analysis/PhaseCurve.h"
#include "core/Error.h"
#include "core/TextFile.h"
#include "core/numbers.h"
#include "support/TempDir.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using namespace quelmar;
using quelmar::test::TempDir;

namespace {

std::string folded(std::string_view data, double epoch, double period, long long* lines = nullptr,
                   const std::string& path = "star.dat") {
    std::string joined;
    const long long written = writePhaseCurveText(
        data, path, epoch, period, [&joined](std::string_view piece) { joined += piece; });
    if (lines) *lines = written;
    return joined;
}

} // namespace

TEST(PhaseCurve, FoldsEachLineKeepingItsRestAndDate) {
    long long lines = 0;
    const std::string text = folded("2451545.3 9.87 0.45 good\r\n"
                                    "\r\n"
                                    "2451544.9\t9.91 0.47\n"
                                    "2451545 9.90 0\n",
                                    2451545.0, 0.5, &lines);
    EXPECT_EQ(text, "0.60000  9.87 0.45 good 2451545.3000\r\n"
                    "0.80000 \t9.91 0.47 2451544.9000\r\n"
                    "0.00000  9.90 0 2451545.0000\r\n");
    EXPECT_EQ(lines, 3);
    EXPECT_EQ(folded("", 0, 1, &lines), "");
    EXPECT_EQ(lines, 0);
}

TEST(PhaseCurve, PhasesStayInTheUnitInterval) {
    for (double t : {-1e6, -3.25, 0.0, 0.75, 1e7 + 0.1}) {
        const double phase = phaseOf(t, 0.3, 0.7);
        EXPECT_GE(phase, 0.0) << t;
        EXPECT_LT(phase, 1.0) << t;
    }
    EXPECT_EQ(phaseOf(-1e-20, 0, 1), 0.0);
    // As written too: a phase that would round up to 1.00000 is the next cycle's 0.00000.
    const struct {
        double date, epoch, period;
        const char* line;
    } written[] = {
        {2451544.999999, 2451545, 0.5, "0.00000  9 2451545.0000\r\n"},
        {2451544.9, 2451545, 1e308, "0.00000  9 2451544.9000\r\n"},
        {2451545.9, 2451545, 1e308, "0.00000  9 2451545.9000\r\n"},
        {2451544.99999, 2451545, 1, "0.99999  9 2451545.0000\r\n"},
    };
    for (const auto& w : written)
        EXPECT_EQ(folded(fixed(w.date, 6) + " 9\n", w.epoch, w.period), w.line) << w.date;
}

TEST(PhaseCurve, RefusesBadElementsAndLinesWithoutADate) {
    for (double period : {0.0, -1.0, double(NAN), double(INFINITY)})
        EXPECT_THROW(folded("1 2\n", 0, period), QuelmarError) << period;
    EXPECT_THROW(folded("1 2\n", NAN, 1), QuelmarError);
    try {
        folded("1 2\nJD mag\n3 4\n", 0, 1, nullptr, "s.dat");
        FAIL();
    } catch (const QuelmarError& e) {
        EXPECT_NE(std::string(e.what()).find("s.dat, line 2"), std::string::npos) << e.what();
    }
}

TEST(PhaseCurve, WritesTheFileButNeverOverTheDataFile) {
    TempDir dir;
    const auto data = dir.write("star.dat", "2451545.3 9.87\r\nbad\r\n");
    const auto output = dir.write("star_ph.dat", "old");
    EXPECT_THROW(writePhaseCurve(data, output, 2451545.0, 0.5), QuelmarError);
    EXPECT_EQ(TempDir::read(output), "old");
    EXPECT_THROW(writePhaseCurve(data, data, 2451545.0, 0.5), QuelmarError);
    dir.write("star.dat", "2451545.3 9.87\r\n");
    EXPECT_EQ(writePhaseCurve(data, output, 2451545.0, 0.5), 1);
    EXPECT_EQ(TempDir::read(output), "0.60000  9.87 2451545.3000\r\n");
    EXPECT_EQ(firstDateText(data), "2451545.3000");
    EXPECT_EQ(phaseFileName("/obs/star.v.dat"), "star_ph.dat");
    EXPECT_EQ(phaseFileName("/obs/star"), "star_ph.dat");
}

// A large file is folded on all cores, slice by slice: the lines keep their order and a line
// without a date is named by its number in the whole file.
TEST(PhaseCurve, LargeFilesKeepOrderAndLineNumbers) {
    std::string data;
    for (int i = 0; i < 60000; ++i)
        data += std::to_string(2451545 + i) + ".25 9.87 comment\r\n";
    long long lines = 0;
    const std::string text = folded(data, 2451545.0, 1.0, &lines, "big.dat");
    EXPECT_EQ(lines, 60000);
    EXPECT_EQ(text.substr(text.size() - 36), "0.25000  9.87 comment 2511544.2500\r\n");
    data.insert(59000 * std::string("2451545.25 9.87 comment\r\n").size(), "JD V\r\n");
    try {
        folded(data, 2451545.0, 1.0, nullptr, "big.dat");
        FAIL();
    } catch (const QuelmarError& e) {
        EXPECT_NE(std::string(e.what()).find("big.dat, line 59001:"), std::string::npos)
            << e.what();
    }
}

// The curve kept in memory holds the numbers and the text the file shows, at its decimals; a
// large file, walked in slices, keeps its order.
TEST(PhaseCurve, InMemoryCurveHoldsTheFileLines) {
    std::string big;
    for (int i = 0; i < 40000; ++i)
        big += std::to_string(2451545 + i) + "." + std::to_string(i % 97) + " 9.8" +
               std::to_string(i % 10) + " 0.4 comment 7\r\n";
    const struct {
        const char* name;
        std::string data;
        std::vector<double> firstValues;
    } cases[] = {
        {"mixed",
         "2451545.3 9.87 0.45 good\r\n\r\n2451544.9\t9.91\n2451545.12 -1e-3",
         {9.87, 0.45}},
        {"large", big, {9.80, 0.4}},
    };
    for (const auto& c : cases) {
        std::vector<std::string_view> fileLines;
        const std::string file = folded(c.data, 2451545.0, 0.37);
        LineReader lines(file);
        for (std::string_view line; lines.next(line);)
            fileLines.push_back(line);
        const std::vector<PhasedObservation> curve = phaseCurve(c.data, "s.dat", 2451545.0, 0.37);
        ASSERT_EQ(curve.size(), fileLines.size()) << c.name;
        EXPECT_EQ(curve.front().values, c.firstValues) << c.name;
        for (std::size_t i = 0; i < curve.size(); ++i) {
            const PhasedObservation& o = curve[i];
            const std::string phase = fixed(o.phase, 5);
            EXPECT_EQ(fileLines[i], (phase == "1.00000" ? "0.00000" : phase) + " " + o.rest + " " +
                                        fixed(o.date, 4))
                << c.name << ", line " << i + 1;
        }
    }
    EXPECT_THROW(phaseCurve("1 2\nJD mag\n", "s.dat", 0, 1), QuelmarError);
}
