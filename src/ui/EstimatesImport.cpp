#include "EstimatesImport.h"

#include "CommandBoundary.h"
#include "Workbench.h"

#include "core/StepEstimates.h"
#include "core/cp1251.h"

namespace quelmar {

void importEstimatesFromFile(Workbench& workbench, QWidget* parent) {
    const QString answer =
        workbench.desktop.askText(parent, workbench.message(LanguageLine::ComparisonStarsCaption),
                                  workbench.message(LanguageLine::ComparisonStarsPrompt));
    if (answer.size() < 2) return;
    if (!fitsCp1251(answer.toStdString())) {
        workbench.inform(parent, workbench.say(message::TextOutsideCodePage, {answer}));
        return;
    }
    std::string badEntry;
    const std::optional<ComparisonStars> stars = ComparisonStars::parse(toCp1251(answer), badEntry);
    if (!stars || stars->empty()) {
        workbench.inform(parent, workbench.say(message::ComparisonStarInvalid,
                                               {fromCp1251(stars ? toCp1251(answer) : badEntry)}));
        return;
    }
    const QString source = workbench.desktop.chooseOpenFile(parent, workbench.openDialog);
    if (source.isEmpty()) return;
    workbench.openDialog.fileName = source;
    ImportReport report;
    const std::string& data = workbench.document.files().DataFileName;
    if (runCommand(workbench, parent, QString::fromStdString(data),
                   [&] { report = importEstimates(data, source.toStdString(), *stars); }))
        workbench.inform(
            parent, QString::fromStdString(importSummary(report, workbench.interfaceLanguage())));
}

} // namespace quelmar
