#pragma once
// Light curves as the space and survey archives serve them, turned into observation files:
// one line per observation with the time, the value columns and free text, cp1251, CR LF, so
// every command of the workbench works on them unchanged.
//
// Sources: TESS and Kepler/K2 light-curve FITS files (the LIGHTCURVE binary table), the AAVSO
// data-download CSV, the ZTF light-curve CSV, and any CSV or whitespace table with a header
// line, read by the column names the user gives.

#include <optional>
#include <string>
#include <vector>

namespace quelmar {

enum class SurveyFormat {
    ObservationFile, // already ours: nothing to convert
    LightCurveFits,  // TESS, Kepler, K2
    AavsoCsv,
    ZtfCsv,
    HeaderTable, // a table with a header line, read by column names
};

// What a file holds, from its first bytes and its header line. Throws QuelmarError naming the
// file when it cannot be read.
SurveyFormat detectSurveyFormat(const std::string& path);
// What a window needs to offer a conversion: the format, the bands or filters an AAVSO or ZTF
// file holds, the header names of a table.
struct SurveyFileOutline {
    SurveyFormat format = SurveyFormat::ObservationFile;
    std::vector<std::string> bands;
    std::vector<std::string> header;
};
SurveyFileOutline outlineSurveyFile(const std::string& path);

// The format as observers call it: "TESS/Kepler light-curve FITS", "AAVSO CSV", ….
std::string surveyFormatName(SurveyFormat format);

enum class FluxColumn { Pdcsap, Sap };
enum class SurveyTime { Archive, ModifiedJulianDate }; // ZTF: hjd as served, or mjd + 2400000.5

struct ConversionOptions {
    std::string band; // AAVSO band or ZTF filter (zg, zr, zi); "" when one only
    FluxColumn flux = FluxColumn::Pdcsap;
    bool magnitude = false;           // FITS flux turned into −2.5 log10(flux) + zero point
    std::optional<double> zeroPoint;  // the zero point; the median flux gives magnitude 0
    std::vector<std::string> columns; // a header table: the time, then the value columns
    SurveyTime time = SurveyTime::Archive;
};

// Why rows of a source were left out, each counted.
struct LeftOutRows {
    long long flagged = 0;       // FITS QUALITY ≠ 0, ZTF catflags ≠ 0
    long long notANumber = 0;    // a NaN time or flux, an empty or unreadable time or value
    long long notPositive = 0;   // a flux of zero or below, which has no magnitude
    long long fainterThan = 0;   // AAVSO "<" estimates
    long long otherBand = 0;     // AAVSO bands, ZTF filters not chosen
    long long tooManyFields = 0; // a table row with more fields than its header: shifted values
    // The line of the first row left out without a number or with too many fields; 0 when there
    // is none (and for FITS rows, which have no lines).
    long long firstUnreadableLine = 0;
    long long total() const {
        return flagged + notANumber + notPositive + fainterThan + otherBand + tooManyFields;
    }
};

struct Conversion {
    SurveyFormat format = SurveyFormat::ObservationFile;
    std::string text;           // the observation file, cp1251, CR LF
    long long observations = 0; // lines in text
    int valueColumns = 0;       // value columns after the time
    LeftOutRows leftOut;
    std::string timeSystem;     // "BJD (TDB)", "HJD", "JD", "MJD + 2400000.5", or a column name
    std::string columnsWritten; // the source columns, in the order written: "TIME PDCSAP_FLUX …"
    std::vector<std::string> channelNames; // the value columns as a light curve labels them
    std::vector<std::string> bands;        // the bands or filters the source holds
    std::optional<double> zeroPoint;       // the zero point used for magnitudes
};

// The rows left out, in words: "3 flagged, 2 without a number (the first at line 7)"; "" when
// none.
std::string leftOutSummary(const LeftOutRows& rows);

// Converts a source file. Throws QuelmarError naming the file and what is missing or wrong
// (a corrupt or truncated FITS file, a column, a band) before anything is written.
Conversion convertSurveyFile(const std::string& source, const ConversionOptions& options);

// Writes a conversion to its output file, in full or not at all. Refuses an output that is the
// source itself, and a conversion that kept no observation.
void writeConversion(const Conversion& conversion, const std::string& source,
                     const std::string& output);

// The names of a value column and of its uncertainty: "V" and "σ V"; none for no name.
std::vector<std::string> valueAndErrorNames(const std::string& name);

// The file a conversion proposes: beside the source, its name with the extension ".dat"
// (".fits.gz" and the like dropped whole), never the source itself.
std::string convertedFileName(const std::string& source);

} // namespace quelmar
