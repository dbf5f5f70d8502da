#pragma once
// Visual estimates by the step method: the variable V lies p steps from comparison star A and q
// steps from star B ("A p V q B"), so its magnitude is m = mA + (mB − mA) · p / (p + q).
// Observations are added to a data file as lines "JD magnitude comment" (2 decimals).

#include "OwnMessages.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quelmar {

// The step formula; nothing when p + q = 0.
std::optional<double> stepMagnitude(double magnitudeA, double magnitudeB, double p, double q);

// One observation as typed in the dialog: the comparison magnitudes, the date and up to three
// estimates, the first required and the others used only when both their boxes are filled.
struct TypedEstimate {
    std::string p, q;
};
struct TypedObservation {
    std::string magnitudeA, magnitudeB, julianDate;
    std::array<TypedEstimate, 3> estimates;
    std::string comment; // cp1251
};

// Which box of the dialog a refusal is about, so the window can name it and put the focus in it.
enum class ObservationBox { MagnitudeA, MagnitudeB, JulianDate, P1, Q1, P2, Q2, P3, Q3 };

struct ObservationRefusal {
    enum Kind { Empty, NotANumber, ZeroSteps } kind;
    ObservationBox box; // for ZeroSteps, the p box of the estimate
};

// The data-file line of a typed observation (the date with 4 decimals, the mean of the
// estimates with 2, the comment when there is one, CR LF), or why it cannot be written: a
// required box empty, a box that does not hold a number, an estimate with p + q = 0.
struct ObservationLineOrRefusal {
    std::string line;
    std::optional<ObservationRefusal> refusal;
};
ObservationLineOrRefusal typedObservationLine(const TypedObservation& typed);

// The magnitudes of the comparison stars of an import, by key; keys are single characters
// compared without regard to case.
class ComparisonStars {
public:
    // Reads "a9.34 b10.11 c11.28": entries separated by blanks, each a key and a magnitude; a
    // later entry with the same key replaces the earlier one. Nothing, with the entry in
    // badEntry, when an entry is not a key followed by a magnitude.
    static std::optional<ComparisonStars> parse(std::string_view text, std::string& badEntry);

    std::optional<double> magnitude(char key) const;
    bool empty() const;

private:
    std::array<std::optional<double>, 256> magnitudes_{};
};

// Why a source line of an import was passed over.
enum class SkipReason { NoDate, NoEstimate, ZeroSteps, UnknownKey, NoComment };

struct ImportReport {
    long long added = 0;
    long long skipped = 0;
    long long firstSkippedLine = 0; // source line number, 0 when none was skipped
    SkipReason firstSkippedReason = SkipReason::NoDate;
    char firstSkippedKey = 0; // the key, for UnknownKey
    long long endLine = 0;    // a line holding only a date ended the import there; 0: none
};

// The data-file lines for a source file of estimates, one per usable source line, in its
// order. A source line is "JD estimate comment", the estimate either letters ("a2v3b": keys
// of A and B around the steps p and q, single digits) or numbers ("2 3": p and q, the stars
// being those of keys A and B). A line holding only a date ends the import.
std::string importedLines(std::string_view source, const ComparisonStars& stars,
                          ImportReport& report);

// Reads the source file, adds its lines to the data file (nothing when none is usable) and
// reports. Throws QuelmarError naming the file that cannot be read or added to.
ImportReport importEstimates(const std::string& dataPath, const std::string& sourcePath,
                             const ComparisonStars& stars);

// "N lines added, M skipped", the first line skipped with its reason, and the line that ended
// the import, in the language given.
std::string importSummary(const ImportReport& report, InterfaceLanguage language);

} // namespace quelmar
