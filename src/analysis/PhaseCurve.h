#pragma once
// The phase curve: every observation of a data file folded by an epoch and a period into a
// phase 0 ≤ φ < 1, written as a file whose lines begin with the phase:
//   phase (5 decimals), the data line's rest as it stood after the date, the date (4 decimals).
// The same curve can be had in memory, one PhasedObservation for each line the file would hold.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quelmar {

// The phase file proposed for a data file: star.dat gives star_ph.dat, for the working folder.
std::string phaseFileName(const std::string& dataFileName);

// The fractional part of (t − epoch) / period, brought into [0, 1).
double phaseOf(double t, double epoch, double period);

// Refuses an epoch that is not a finite number and a period that is not a positive one.
void checkPhaseElements(double epoch, double period);

// Hands the phase file's text for a data file's text to write(piece), piece by piece in file
// order, and returns the number of its lines; path names the file in messages. Blank lines hold
// no observation and give no line; a line that does not begin with a number is refused before
// the piece that would hold it is handed over.
long long writePhaseCurveText(std::string_view data, const std::string& path, double epoch,
                              double period, const std::function<void(std::string_view)>& write);

struct PhasedObservation {
    double phase = 0; // 0 ≤ φ < 1, unrounded (the file writes one just below 1 as 0.00000)
    double date = 0;
    std::vector<double> values; // the numbers after the date, up to the first token that is not
    std::string rest;           // the data line after the date, byte for byte, as the file has it
};

// The phase curve of a data file's text in memory, in file order; refuses what
// writePhaseCurveText refuses, with the same messages.
std::vector<PhasedObservation> phaseCurve(std::string_view data, const std::string& path,
                                          double epoch, double period);

// Writes the phase file of a data file and returns the number of its lines. The output must not
// be the data file itself; it is replaced only when complete. The scale recorded for the data
// file's dates is recorded for the phase file (the dates its lines carry), or an older record
// removed. Throws QuelmarError naming the file.
long long writePhaseCurve(const std::string& dataPath, const std::string& outputPath, double epoch,
                          double period);

// The date that begins the first line of a data file, with 4 decimals, proposed as the epoch;
// empty when that line does not begin with a number or the file is empty.
std::string firstDateText(const std::string& dataPath);

} // namespace quelmar
