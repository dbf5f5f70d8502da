#include "PlateNumbersCommand.h"

#include "CommandBoundary.h"
#include "CurveWindow.h"
#include "Workbench.h"

#include "core/PlateCatalogue.h"
#include "core/TextFile.h"

namespace quelmar {

void convertPlateNumbersToDates(Workbench& workbench, CurveWindow& curve, QWidget* parent) {
    const std::string data = workbench.document.files().DataFileName;
    if (data.empty()) return;
    if (!workbench.desktop.askYesNo(parent, ApplicationTitle,
                                    workbench.message(LanguageLine::ConvertPlatesQuestion)))
        return;
    // Only a view of the converted file is read again, and not over edits the user keeps.
    const bool showsData = !workbench.document.files().CurveFileName.empty() &&
                           sameFile(workbench.document.files().CurveFileName, data);
    if (showsData && !curve.mayDiscardEdits(parent)) return;
    PlateConversion report;
    // The settings file keeps the path in cp1251.
    const std::string catalogue = fromCp1251(workbench.settings.PlateCatalogue).toStdString();
    if (!runCommand(workbench, parent, QString::fromStdString(data), [&] {
            report = convertPlateNumbers(data, catalogue, workbench.FullPlateInfo);
        }))
        return;
    QString summary =
        workbench.say(message::PlatesConverted, {QString::number(report.converted),
                                                 QString::fromStdString(report.workingCopy)});
    if (report.unmatched > 0)
        summary += QLatin1Char('\n') + workbench.say(message::PlatesUnmatched,
                                                     {QString::number(report.unmatched),
                                                      QString::number(report.firstUnmatchedLine)});
    workbench.inform(parent, summary);
    if (!showsData) return;
    workbench.document.curveFileChanged();
}

} // namespace quelmar
