#pragma once
// The time scales of a barycentric correction: which scale a data file's dates are on before
// it (refusing a file already barycentric), and the record of both scales after it.

#include "core/TimeScale.h"

#include <optional>
#include <string>

namespace quelmar {

class BarycentricRewrite;

// The scale of a data file's dates before the correction: the scale given (JdUtc or HjdUtc;
// nothing means as recorded, JdUtc for a file without a record), checked against the scale
// recorded for the file. Throws QuelmarError naming the file for dates already barycentric
// (recorded or given), a record that disagrees with the scale given, and HJD dates to be
// corrected by the series (toTdb false), which takes JD dates only.
TimeScale datesScaleToCorrect(const std::string& dataPath, std::optional<TimeScale> given,
                              bool toTdb);

// After the rewrite: the copy keeps the scale the dates had, the data file gets BJD_TDB or
// BJD_UTC.
void recordCorrectedScales(const BarycentricRewrite& rewrite, const std::string& dataPath,
                           TimeScale before, bool toTdb);

} // namespace quelmar
