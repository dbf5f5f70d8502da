#pragma once
// Pieces the survey readers share: the lines of the observation file they build, and numbers
// written as the sources gave them.

#include "SurveyConversion.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace quelmar {

// Adds one observation line: the time, the values, then the free text (UTF-8, turned into
// the files' code page; line ends inside it become blanks), CR LF.
void appendObservation(Conversion& conversion, std::string_view time,
                       std::initializer_list<std::string_view> values,
                       std::string_view freeText = {});

// The shortest fixed-point text that reads back as the value: a flux kept as it was stored
// (with an exponent when the fixed-point text would be too long to read back).
std::string storedValueText(double value, bool singlePrecision);

// A magnitude with 5 decimals. A magnitude that would be written as 0 is written as ±0.00001,
// since a value of 0 marks a missing one and the observation would be lost.
std::string magnitudeText(double magnitude);

} // namespace quelmar
