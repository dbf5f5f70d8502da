#pragma once
// Reading a TESS or Kepler/K2 light-curve FITS file into an observation file (see
// SurveyConversion.h): BJD, flux or magnitude, its error.

#include "SurveyConversion.h"

namespace quelmar {

// Rows with a non-zero QUALITY, a NaN time or a NaN flux are left out and counted, and so are
// fluxes of zero or below when magnitudes are asked for. Throws QuelmarError naming the file
// and what is missing: the table, a column, a reference keyword, or bytes of a truncated file.
Conversion convertLightCurveFits(const std::string& path, const ConversionOptions& options);

} // namespace quelmar
