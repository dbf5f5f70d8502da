#include "OcDiagramFile.h"

#include "core/Error.h"
#include "core/TextFile.h"

namespace quelmar {

std::string ocFileName(const std::string& list) {
    return derivedFileName(list, "_oc.dat");
}

std::optional<std::vector<EphemerisKind>> ephemerisFits(std::string_view word) {
    if (word == "none") return std::vector<EphemerisKind>{};
    if (word == "linear") return std::vector{EphemerisKind::Linear};
    if (word == "quadratic") return std::vector{EphemerisKind::Linear, EphemerisKind::Quadratic};
    return std::nullopt;
}

OcDiagramResult readOcDiagram(const OcRequest& request, WritePlan plan) {
    OcDiagramResult diagram;
    diagram.output = request.output.empty() ? ocFileName(request.list) : request.output;
    // An output over the list is refused before the list is read, whatever the list holds.
    plan.reads(request.list, message::RoleExtremumTimes)
        .writes(diagram.output, message::RoleOcFile)
        .check();
    const FileContent file(request.list);
    const ExtremumTimeList list =
        readExtremumTimes(file.text(), request.list, request.errorColumn, request.missing);
    diagram.missing = list.missing;
    diagram.firstMissingLine = list.firstMissingLine;
    diagram.points = countCycles(list.times, request.ephemeris, request.list);
    return diagram;
}

void fitOcDiagram(OcDiagramResult& diagram, const OcRequest& request) {
    diagram.fits.clear();
    for (EphemerisKind kind : request.fits)
        diagram.fits.push_back(fitEphemeris(diagram.points, request.ephemeris, kind, request.list));
}

void writeOcDiagram(const OcDiagramResult& diagram) {
    writeFileAtomically(diagram.output, ocFileText(diagram.points));
}

} // namespace quelmar
