// TESS and Kepler/K2 light-curve FITS files: the binary table LIGHTCURVE with the columns
// TIME (days from the reference BJDREFI + BJDREFF), SAP_FLUX, PDCSAP_FLUX, their errors and
// QUALITY. Read through cfitsio.

#include "FitsLightCurve.h"
#include "CfitsioLibrary.h"
#include "ConversionText.h"

#include "core/Error.h"
#include "core/TextFile.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <unistd.h>
#include <vector>

namespace quelmar {

namespace {

// A FITS file open for reading, closed when it goes out of scope.
class FitsFile {
public:
    explicit FitsFile(const std::string& path) : path_(path), fits_(cfitsio(path)) {
        // A named pipe or a device would block cfitsio or feed it endless bytes.
        ::close(openRegularFile(path));
        // The disk-file opener takes the name literally: no "[1]" extensions, no "-" for the
        // standard input, no compressed or remote files hidden behind the name.
        int status = 0;
        fits_.open_diskfile(&file_, path.c_str(), READONLY, &status);
        check(status, message::FitsUnreadable);
    }
    ~FitsFile() {
        int status = 0;
        if (file_) fits_.close_file(file_, &status);
    }
    FitsFile(const FitsFile&) = delete;
    FitsFile& operator=(const FitsFile&) = delete;

    void moveToLightCurve() {
        int status = 0;
        char name[] = "LIGHTCURVE";
        fits_.movnam_hdu(file_, BINARY_TBL, name, 0, &status);
        // A FITS file is whole blocks of 2880 bytes: a search that ran out of a file cut inside
        // them does not show that there is no light curve.
        const bool whole = std::filesystem::file_size(path_) % 2880 == 0;
        check(status,
              status == BAD_HDU_NUM && whole ? message::FitsNoLightCurve : message::FitsDamaged);
    }

    // A damaged header (a row count of 99999999) would have the columns' memory taken before
    // the read fails: the table must lie within the file before any row is read.
    void checkTableSize() {
        int status = 0;
        LONGLONG rowBytes = 0, rows = 0, heap = 0, headerStart = 0, dataStart = 0, dataEnd = 0;
        fits_.read_key(file_, TLONGLONG, "NAXIS1", &rowBytes, nullptr, &status);
        fits_.read_key(file_, TLONGLONG, "NAXIS2", &rows, nullptr, &status);
        fits_.read_key(file_, TLONGLONG, "PCOUNT", &heap, nullptr, &status);
        fits_.get_hduaddrll(file_, &headerStart, &dataStart, &dataEnd, &status);
        check(status, message::FitsDamaged);
        const auto fileSize = static_cast<LONGLONG>(std::filesystem::file_size(path_));
        const LONGLONG room = fileSize - dataStart;
        const bool fits = rowBytes >= 0 && rows >= 0 && heap >= 0 && heap <= room &&
                          (rowBytes == 0 || rows <= (room - heap) / rowBytes);
        if (!fits)
            throw QuelmarError(path_, {message::FitsTableBeyondFile,
                                       {std::to_string(rows), std::to_string(rowBytes),
                                        std::to_string(fileSize)}});
    }

    double keyword(const char* name) {
        int status = 0;
        double value = 0;
        fits_.read_key(file_, TDOUBLE, name, &value, nullptr, &status);
        if (status == KEY_NO_EXIST) throw QuelmarError(path_, {message::FitsNoKeyword, {name}});
        check(status, message::FitsKeywordUnreadable, name);
        return value;
    }

    long long rowCount() {
        int status = 0;
        LONGLONG rows = 0;
        fits_.get_num_rowsll(file_, &rows, &status);
        check(status, message::FitsTableUnreadable);
        return rows;
    }

    int columnNumber(const std::string& name) {
        int status = 0;
        int number = 0;
        std::string pattern = name;
        fits_.get_colnum(file_, CASEINSEN, pattern.data(), &number, &status);
        if (status == COL_NOT_FOUND || status == COL_NOT_UNIQUE)
            throw QuelmarError(path_, {message::FitsNoColumn, {name}});
        check(status, message::FitsTableUnreadable);
        return number;
    }

    bool singlePrecision(int column) {
        int status = 0;
        int type = 0;
        long repeat = 0, width = 0;
        fits_.get_coltype(file_, column, &type, &repeat, &width, &status);
        check(status, message::FitsTableUnreadable);
        return type == TFLOAT;
    }

    // A column of numbers, a NULL read as NaN.
    std::vector<double> column(const std::string& name, long long rows) {
        const int number = columnNumber(name);
        std::vector<double> values(static_cast<std::size_t>(rows));
        if (rows == 0) return values;
        int status = 0;
        int anyNull = 0;
        double nullValue = std::nan("");
        fits_.read_col(file_, TDOUBLE, number, 1, 1, rows, &nullValue, values.data(), &anyNull,
                       &status);
        check(status, message::FitsColumnUnreadable, name);
        return values;
    }

private:
    // cfitsio's reason, in its own words, is the last argument of the message.
    void check(int status, const OwnMessage& what, const std::string& name = {}) const {
        if (status == 0) return;
        char reason[FLEN_STATUS] = {};
        fits_.get_errstatus(status, reason);
        fits_.clear_errmsg();
        if (name.empty()) throw QuelmarError(path_, {what, {std::string(reason)}});
        throw QuelmarError(path_, {what, {name, std::string(reason)}});
    }

    std::string path_;
    const CfitsioLibrary& fits_;
    fitsfile* file_ = nullptr;
};

double median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    if (values.size() % 2 == 1) return *middle;
    const double upper = *middle;
    return (*std::max_element(values.begin(), middle) + upper) / 2;
}

struct LightCurveColumns {
    std::vector<double> time, flux, error, quality;
    bool singlePrecision = false;
};

} // namespace

Conversion convertLightCurveFits(const std::string& path, const ConversionOptions& options) {
    const std::string fluxName = options.flux == FluxColumn::Sap ? "SAP_FLUX" : "PDCSAP_FLUX";
    FitsFile file(path);
    file.moveToLightCurve();
    file.checkTableSize();
    const double reference = file.keyword("BJDREFI") + file.keyword("BJDREFF");
    const long long rows = file.rowCount();
    LightCurveColumns c;
    c.time = file.column("TIME", rows);
    c.flux = file.column(fluxName, rows);
    c.error = file.column(fluxName + "_ERR", rows);
    c.quality = file.column("QUALITY", rows);
    c.singlePrecision = file.singlePrecision(file.columnNumber(fluxName));

    Conversion conversion;
    conversion.format = SurveyFormat::LightCurveFits;
    conversion.timeSystem = "BJD (TDB)";
    conversion.columnsWritten = "TIME " + fluxName + " " + fluxName + "_ERR";
    conversion.valueColumns = 2;
    conversion.channelNames =
        valueAndErrorNames(options.flux == FluxColumn::Sap ? "SAP" : "PDCSAP");
    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < c.time.size(); ++i) {
        if (c.quality[i] != 0)
            ++conversion.leftOut.flagged;
        else if (std::isnan(c.time[i]) || std::isnan(c.flux[i]))
            ++conversion.leftOut.notANumber;
        else if (options.magnitude && !(c.flux[i] > 0))
            ++conversion.leftOut.notPositive;
        else
            kept.push_back(i);
    }
    if (options.magnitude && !kept.empty()) {
        std::vector<double> fluxes;
        for (std::size_t i : kept)
            fluxes.push_back(c.flux[i]);
        conversion.zeroPoint =
            options.zeroPoint.value_or(2.5 * std::log10(median(std::move(fluxes))));
    }
    conversion.text.reserve(kept.size() * 48);
    for (std::size_t i : kept) {
        const std::string time = fixedForFile(reference + c.time[i], 8);
        const double error = std::isnan(c.error[i]) ? 0 : c.error[i];
        if (!options.magnitude) {
            appendObservation(conversion, time,
                              {storedValueText(c.flux[i], c.singlePrecision),
                               storedValueText(error, c.singlePrecision)});
            continue;
        }
        const double magnitude = *conversion.zeroPoint - 2.5 * std::log10(c.flux[i]);
        const double magnitudeError = 2.5 / std::log(10.0) * std::abs(error) / c.flux[i];
        appendObservation(conversion, time,
                          {magnitudeText(magnitude), fixedForFile(magnitudeError, 5)});
    }
    return conversion;
}

} // namespace quelmar
