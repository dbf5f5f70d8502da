#pragma once
// Writes a light-curve FITS file in the TESS layout (an empty primary image, then the binary
// table LIGHTCURVE with TIME, SAP_FLUX, PDCSAP_FLUX, their errors and QUALITY), as the archive
// serves it, for tests of the readers.

#include <fitsio.h>
#include <string>
#include <vector>

namespace quelmar::test {

struct LightCurveRow {
    double time;
    float sap, sapError, pdcsap, pdcsapError;
    int quality = 0;
};

inline void writeLightCurveFits(const std::string& path, const std::vector<LightCurveRow>& rows,
                                int bjdRefI = 2457000, double bjdRefF = 0.0) {
    int status = 0;
    fitsfile* file = nullptr;
    fits_create_diskfile(&file, path.c_str(), &status);
    fits_create_img(file, 8, 0, nullptr, &status);
    char* names[] = {const_cast<char*>("TIME"),
                     const_cast<char*>("SAP_FLUX"),
                     const_cast<char*>("SAP_FLUX_ERR"),
                     const_cast<char*>("PDCSAP_FLUX"),
                     const_cast<char*>("PDCSAP_FLUX_ERR"),
                     const_cast<char*>("QUALITY")};
    char* forms[] = {const_cast<char*>("D"), const_cast<char*>("E"), const_cast<char*>("E"),
                     const_cast<char*>("E"), const_cast<char*>("E"), const_cast<char*>("J")};
    fits_create_tbl(file, BINARY_TBL, 0, 6, names, forms, nullptr, "LIGHTCURVE", &status);
    fits_write_key(file, TINT, "BJDREFI", &bjdRefI, "integer part of BJD reference", &status);
    fits_write_key(file, TDOUBLE, "BJDREFF", &bjdRefF, "fraction of BJD reference", &status);
    std::vector<double> time;
    std::vector<float> sap, sapError, pdcsap, pdcsapError;
    std::vector<int> quality;
    for (const LightCurveRow& r : rows) {
        time.push_back(r.time);
        sap.push_back(r.sap);
        sapError.push_back(r.sapError);
        pdcsap.push_back(r.pdcsap);
        pdcsapError.push_back(r.pdcsapError);
        quality.push_back(r.quality);
    }
    const auto n = static_cast<LONGLONG>(rows.size());
    fits_write_col(file, TDOUBLE, 1, 1, 1, n, time.data(), &status);
    fits_write_col(file, TFLOAT, 2, 1, 1, n, sap.data(), &status);
    fits_write_col(file, TFLOAT, 3, 1, 1, n, sapError.data(), &status);
    fits_write_col(file, TFLOAT, 4, 1, 1, n, pdcsap.data(), &status);
    fits_write_col(file, TFLOAT, 5, 1, 1, n, pdcsapError.data(), &status);
    fits_write_col(file, TINT, 6, 1, 1, n, quality.data(), &status);
    fits_close_file(file, &status);
}

} // namespace quelmar::test
