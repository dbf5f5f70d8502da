#pragma once
// The O−C diagram of a list file as every command computes it, from the list to the O−C file:
// the files are checked first (the O−C file is never the list, nor another file the command
// reads), then the list is read, its cycles counted and the ephemerides fitted, and only then is
// the O−C file written. The command line and the workbench's window both go this way.

#include "EphemerisFit.h"
#include "ExtremumTimes.h"
#include "OcDiagram.h"
#include "core/WritePlan.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quelmar {

struct OcRequest {
    std::string list;
    std::string output; // "" for ocFileName(list)
    Ephemeris ephemeris;
    std::vector<EphemerisKind> fits;
    int errorColumn = 0; // as readExtremumTimes counts it
    MissingMarker missing;
};

struct OcDiagramResult {
    std::string output;
    long long missing = 0;          // lines of the list left out, their time or error missing
    long long firstMissingLine = 0; // the first of them, from 1
    std::vector<OcPoint> points;
    std::vector<EphemerisFit> fits; // in the order the request asks for them
};

// The O−C file proposed for a list: extrema.txt gives extrema_oc.dat, for the working folder.
std::string ocFileName(const std::string& list);

// The fits a word asks for: none, linear, or quadratic (the linear and then the quadratic
// ephemeris, so that the two can be compared); nothing for any other word.
std::optional<std::vector<EphemerisKind>> ephemerisFits(std::string_view word);

// Checks the files with plan, the list and the O−C file added to it, then reads the list and
// counts its cycles. Throws QuelmarError naming the file, and the line where there is one.
OcDiagramResult readOcDiagram(const OcRequest& request, WritePlan plan = {});
// Fits the ephemerides the request asks for; throws QuelmarError naming the list when its times
// do not determine one.
void fitOcDiagram(OcDiagramResult& diagram, const OcRequest& request);
// Writes the O−C file; it is replaced only when complete.
void writeOcDiagram(const OcDiagramResult& diagram);

} // namespace quelmar
