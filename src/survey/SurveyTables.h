#pragma once
// Reading survey CSV files and header tables into observation files (see SurveyConversion.h).

#include "DelimitedTable.h"
#include "SurveyConversion.h"

namespace quelmar {

// The AAVSO data download: JD, Magnitude, Uncertainty of the band chosen, the band and the
// observer code as free text. Fainter-than ("<") estimates are left out and counted.
Conversion convertAavso(const DelimitedTable& table, const ConversionOptions& options);
// The ZTF light curve: hjd (or mjd + 2400000.5), mag, magerr of the filter chosen, the filter
// as free text. Rows with catflags other than 0 are left out and counted.
Conversion convertZtf(const DelimitedTable& table, const ConversionOptions& options);
// Any table: the columns named, the first of them the time.
Conversion convertHeaderTable(const DelimitedTable& table, const ConversionOptions& options);

// The AAVSO bands or ZTF filters of a table in the order they first appear; none for others.
std::vector<std::string> bandsOf(const DelimitedTable& table, SurveyFormat format);

// Whether a header names the columns of the AAVSO download or of the ZTF light curve.
bool isAavsoHeader(const DelimitedTable& table);
bool isZtfHeader(const DelimitedTable& table);

} // namespace quelmar
