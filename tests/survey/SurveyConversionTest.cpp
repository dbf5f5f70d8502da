#include "survey/SurveyConversion.h"

#include "core/Error.h"
#include "core/ObservationFile.h"
#include "core/TimeScale.h"
#include "support/LightCurveFits.h"
#include "support/TempDir.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace quelmar;
using quelmar::test::LightCurveRow;
using quelmar::test::TempDir;

namespace {

const float NaN = std::nanf("");

// Two good rows around a NaN flux, a flagged row and a NaN time, as a TESS sector has them.
std::vector<LightCurveRow> tessRows() {
    return {{1683.25, 900.5f, 2.5f, 1000.0f, 1.25f, 0},
            {1683.26, 901.0f, 2.5f, NaN, NaN, 0},
            {1683.27, 902.0f, 2.5f, 1100.0f, 1.25f, 128},
            {std::nan(""), 903.0f, 2.5f, 1200.0f, 1.25f, 0},
            {1683.5, 904.25f, 2.5f, 10000.0f, 10.0f, 0}};
}

std::string conversionError(const std::string& source, const ConversionOptions& options = {}) {
    try {
        convertSurveyFile(source, options);
    } catch (const QuelmarError& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(LightCurveFits, TakesGoodRowsAsFullBjdAndCountsTheRest) {
    TempDir dir;
    const std::string fits = dir.file("tess_lc.fits");
    test::writeLightCurveFits(fits, tessRows(), 2457000, 0.5);
    ASSERT_EQ(detectSurveyFormat(fits), SurveyFormat::LightCurveFits);

    const Conversion pdcsap = convertSurveyFile(fits, {});
    EXPECT_EQ(pdcsap.text, "2458683.75000000 1000 1.25\r\n2458684.00000000 10000 10\r\n");
    EXPECT_EQ(pdcsap.leftOut.flagged, 1);
    EXPECT_EQ(pdcsap.leftOut.notANumber, 2);
    EXPECT_EQ(pdcsap.timeSystem, "BJD (TDB)");

    ConversionOptions sap;
    sap.flux = FluxColumn::Sap;
    EXPECT_EQ(convertSurveyFile(fits, sap).text,
              "2458683.75000000 900.5 2.5\r\n2458683.76000000 901 2.5\r\n"
              "2458684.00000000 904.25 2.5\r\n");
}

TEST(LightCurveFits, MagnitudesFromTheMedianOrAGivenZeroPoint) {
    TempDir dir;
    const std::string fits = dir.file("lc.fits");
    test::writeLightCurveFits(fits, {{1.0, 1, 1, 100, 1, 0},
                                     {2.0, 1, 1, 1000, 10, 0},
                                     {3.0, 1, 1, 10000, 0, 0},
                                     {4.0, 1, 1, -5, 1, 0}});
    ConversionOptions options;
    options.magnitude = true;
    const Conversion median = convertSurveyFile(fits, options);
    // The median flux is magnitude 0, written as 0.00001 so it does not read as missing.
    EXPECT_EQ(median.text, "2457001.00000000 2.50000 0.01086\r\n"
                           "2457002.00000000 0.00001 0.01086\r\n"
                           "2457003.00000000 -2.50000 0.00000\r\n");
    EXPECT_EQ(median.leftOut.notPositive, 1);
    EXPECT_NEAR(*median.zeroPoint, 7.5, 1e-12);

    options.zeroPoint = 20;
    EXPECT_EQ(convertSurveyFile(fits, options).text.substr(0, 36),
              "2457001.00000000 15.00000 0.01086\r\n2");
}

TEST(LightCurveFits, DamagedFilesNameTheFileAndWhatIsMissing) {
    TempDir dir;
    const std::string good = dir.file("good.fits");
    test::writeLightCurveFits(good, std::vector<LightCurveRow>(2000, tessRows().front()));
    const auto size = std::filesystem::file_size(good);

    const std::string truncated = dir.file("truncated.fits");
    std::filesystem::copy_file(good, truncated);
    std::filesystem::resize_file(truncated, size / 2);
    EXPECT_NE(conversionError(truncated).find("more than the file of"), std::string::npos)
        << conversionError(truncated);

    // A row count far beyond the file is refused before any memory is taken for the rows; a
    // file cut inside its headers is damaged, not without a light curve.
    const std::string small = dir.file("small.fits");
    test::writeLightCurveFits(small, tessRows());
    std::string bytes = TempDir::read(small);
    const std::size_t rows = bytes.find("NAXIS2  =", 2880);
    ASSERT_NE(rows, std::string::npos);
    bytes.replace(rows + 10, 20, "            99999999");
    const std::string huge = dir.write("huge.fits", bytes);
    EXPECT_NE(conversionError(huge).find(huge + ": the LIGHTCURVE header gives 99999999 rows of"),
              std::string::npos)
        << conversionError(huge);
    const std::string cut = dir.write("cut.fits", bytes.substr(0, 2880 + 400));
    EXPECT_NE(conversionError(cut).find("cut short before the LIGHTCURVE"), std::string::npos)
        << conversionError(cut);

    const std::string corrupt =
        dir.write("corrupt.fits", "SIMPLE  =                    T" + std::string(3000, '\x7f'));
    EXPECT_EQ(conversionError(corrupt).rfind(corrupt + ": ", 0), 0u) << conversionError(corrupt);

    ConversionOptions noSuchColumn;
    noSuchColumn.columns = {"TIME", "FLUX"};
    EXPECT_NE(conversionError(good, noSuchColumn).find("text tables only"), std::string::npos);
}

TEST(SurveyCsv, AavsoTakesTheChosenBandAndLeavesOutFainterThanEstimates) {
    TempDir dir;
    const std::string csv = dir.write(
        "aavso.csv", "JD,Magnitude,Uncertainty,HQuncertainty,Band,Observer Code,Comments\r\n"
                     "2459000.1234,8.512,0.005,,V,ABC,\"clear, calm\"\r\n"
                     "2459000.2,<11.0,,,V,ABC,\r\n"
                     "2459000.3,8.6,,,Vis.,XYZ,\"said \"\"faint\"\"\"\r\n"
                     "\"2459000.4\",\"8.55\",\"0.01\",,\"V\",\"DEF\",\r\n");
    ASSERT_EQ(detectSurveyFormat(csv), SurveyFormat::AavsoCsv);
    ConversionOptions v;
    v.band = "v";
    const Conversion c = convertSurveyFile(csv, v);
    EXPECT_EQ(c.text, "2459000.1234 8.512 0.005 V ABC\r\n2459000.4 8.55 0.01 V DEF\r\n");
    EXPECT_EQ(c.leftOut.fainterThan, 1);
    EXPECT_EQ(c.leftOut.otherBand, 1);

    EXPECT_NE(conversionError(csv).find("several bands (V, Vis.)"), std::string::npos);
    ConversionOptions unknown;
    unknown.band = "R";
    EXPECT_EQ(conversionError(csv, unknown),
              csv + ": has no observation in the band \"R\"; it holds V, Vis.");
}

// The written file's record names its value columns for the light curve, the scale as before,
// until the file changes; a table names the columns it was given.
TEST(SurveyCsv, AConvertedFileNamesItsChannelsUntilItChanges) {
    TempDir dir;
    const std::string csv = dir.write(
        "ztf.csv", "oid,hjd,mjd,mag,magerr,catflags,filtercode\n1,2458204.9,3,17.1,0.02,0,zg\n");
    const std::string output = dir.file("ztf.dat");
    writeConversion(convertSurveyFile(csv, {}), csv, output);
    EXPECT_EQ(recordedTimeScale(output), TimeScale::HjdUtc);
    EXPECT_EQ(loadPointStore(output, 2).store.ChannelNames,
              (std::vector<std::string>{"zg", "σ zg"}));
    {
        std::ofstream append(output, std::ios::app);
        append << "2458205.9 17.2 0.02 zg\r\n";
    }
    EXPECT_TRUE(loadPointStore(output, 2).store.ChannelNames.empty());

    const std::string table = dir.write("t.csv", "time,flux,err\n1.5,10,1\n");
    ConversionOptions options;
    options.columns = {"time", "err", "flux"};
    writeConversion(convertSurveyFile(table, options), table, dir.file("t.dat"));
    EXPECT_EQ(recordedTimeScale(dir.file("t.dat")), TimeScale::Unknown);
    EXPECT_EQ(loadPointStore(dir.file("t.dat"), 2).store.channelName(2), "flux");
}

TEST(SurveyCsv, ZtfGivesHjdOrMjdAndLeavesOutFlaggedRows) {
    TempDir dir;
    const std::string csv =
        dir.write("ztf.csv", "oid,expid,hjd,mjd,mag,magerr,catflags,filtercode,ra,dec\n"
                             "1,10,2458204.9329,58204.4323843,17.1,0.02,0,zr,1,2\n"
                             "1,11,2458205.9,58205.4,17.2,0.02,32768,zr,1,2\n"
                             "1,12,2458206.9,58206.4,17.3,0.02,0,zg,1,2\n");
    ASSERT_EQ(detectSurveyFormat(csv), SurveyFormat::ZtfCsv);
    ConversionOptions zr;
    zr.band = "zr";
    Conversion c = convertSurveyFile(csv, zr);
    EXPECT_EQ(c.text, "2458204.9329 17.1 0.02 zr\r\n");
    EXPECT_EQ(c.leftOut.flagged, 1);
    EXPECT_EQ(c.timeSystem, "HJD");
    zr.time = SurveyTime::ModifiedJulianDate;
    EXPECT_EQ(convertSurveyFile(csv, zr).text, "2458204.9323843 17.1 0.02 zr\r\n");
}

TEST(SurveyCsv, AnyTableByColumnNamesAndMissingColumnsNamed) {
    TempDir dir;
    const std::string csv = dir.write("t.csv", "# my photometry\ntime,flux,err\n1.5,10,\n"
                                               "x,11,1\n2.5,,0.5\n");
    ASSERT_EQ(detectSurveyFormat(csv), SurveyFormat::HeaderTable);
    ConversionOptions options;
    options.columns = {"time", "err", "flux"};
    const Conversion c = convertSurveyFile(csv, options);
    EXPECT_EQ(c.text, "1.5 0 10\r\n2.5 0.5 0\r\n");
    EXPECT_EQ(c.leftOut.notANumber, 1);
    EXPECT_EQ(c.leftOut.firstUnreadableLine, 4);

    options.columns = {"time", "mag"};
    EXPECT_EQ(conversionError(csv, options),
              csv + ", line 2: has no column \"mag\"; its header names time, flux, err");
}

// Rows whose values cannot be trusted are left out and counted, never written as 0 or shifted.
TEST(SurveyCsv, UnreadableRowsAreLeftOutAndNamedByTheirLine) {
    TempDir dir;
    const std::string csv = dir.write("t.csv", "time,flux,err\n1,10,1\n2,abc,1\n3,1.5.6,1\n"
                                               "4,1e999,1\n5,nan,1\n6,\"7,5\",1\n7,8,\n");
    ConversionOptions options;
    options.columns = {"time", "flux", "err"};
    const Conversion c = convertSurveyFile(csv, options);
    EXPECT_EQ(c.text, "1 10 1\r\n7 8 0\r\n");
    EXPECT_EQ(c.leftOut.notANumber, 5);
    EXPECT_EQ(c.leftOut.tooManyFields, 0) << "a quoted comma is no extra field";
    EXPECT_EQ(c.leftOut.firstUnreadableLine, 3);
    EXPECT_EQ(leftOutSummary(c.leftOut), "5 without a number (the first unreadable row at line 3)");

    const std::string shifted = dir.write("s.csv", "time,flux\n1,10\n2,7,5\n");
    options.columns = {"time", "flux"};
    const Conversion s = convertSurveyFile(shifted, options);
    EXPECT_EQ(s.text, "1 10\r\n");
    EXPECT_EQ(s.leftOut.tooManyFields, 1);
    EXPECT_EQ(s.leftOut.firstUnreadableLine, 3);

    std::string header = "t", row = "1";
    options.columns = {"t"};
    for (int k = 1; k <= 11; ++k) {
        header += ",v" + std::to_string(k);
        row += "," + std::to_string(k);
        options.columns.push_back("v" + std::to_string(k));
    }
    const std::string wide = dir.write("w.csv", header + "\n" + row + "\n");
    EXPECT_EQ(conversionError(wide, options),
              wide + ": 11 value columns are asked for; an observation file holds at most 10");
    options.columns.pop_back();
    EXPECT_EQ(convertSurveyFile(wide, options).valueColumns, 10);

    const std::string observations = dir.write("star.dat", "# t m\n2450000.1 10.5\n");
    EXPECT_EQ(detectSurveyFormat(observations), SurveyFormat::ObservationFile);
}

TEST(SurveyCsv, WritesBesideTheSourceNeverOverItAndNothingWhenEmpty) {
    TempDir dir;
    const std::string csv = dir.write("star.csv", "time,mag\n1,2\n");
    EXPECT_EQ(convertedFileName(csv), dir.file("star.dat"));
    const std::string table = dir.write("table.dat", "time mag\n1 2\n");
    EXPECT_EQ(convertedFileName(table), dir.file("table_converted.dat"));

    ConversionOptions options;
    options.columns = {"time", "mag"};
    const Conversion c = convertSurveyFile(csv, options);
    EXPECT_THROW(writeConversion(c, csv, csv), QuelmarError);
    EXPECT_EQ(TempDir::read(csv), "time,mag\n1,2\n");

    const std::string flaggedOnly =
        dir.write("z.csv", "oid,hjd,mjd,mag,magerr,catflags,filtercode\n1,2,3,4,5,1,zr\n");
    const Conversion none = convertSurveyFile(flaggedOnly, {});
    EXPECT_THROW(writeConversion(none, flaggedOnly, dir.file("z.dat")), QuelmarError);
    EXPECT_FALSE(std::filesystem::exists(dir.file("z.dat")));
}
