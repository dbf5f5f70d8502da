// Editing the points of the light curve (hiding a channel, smoothing, deleting) and saving the
// edited points to a file. Edits live in the point store until they are saved.

#include "CurveWindow.h"

#include "CommandBoundary.h"
#include "Workbench.h"

#include "core/TextFile.h"
#include "core/WritePlan.h"
#include "document/CurveEditing.h"

#include <QFileInfo>

namespace quelmar {

void CurveWindow::hideCursorChannel() {
    workbench_.document.setChannelVisible(workbench_.document.view().CursorChannel, false);
    redraw();
}

// Needs two neighbours on each side; near the ends of the curve nothing changes.
void CurveWindow::smoothCursorPoint(bool everyChannel) {
    LightCurveDocument& document = workbench_.document;
    const int p = document.view().CursorPoint;
    const bool smoothed = everyChannel ? document.smoothPointEveryChannel(p)
                                       : document.smoothPoint(document.view().CursorChannel, p);
    if (!smoothed) {
        workbench_.inform(this, workbench_.say(message::NotSmoothed, {QString::number(p)}));
        return;
    }
    redraw();
}

void CurveWindow::deleteCursorPoint() {
    const int p = workbench_.document.view().CursorPoint;
    if (p < 1 || p > workbench_.document.points().PointCount) return;
    if (workbench_.settings.AskBeforeDelete &&
        !workbench_.desktop.askYesNo(this, workbench_.say(message::DeleteCaption),
                                     workbench_.say(message::DeleteQuestion, {QString::number(p)})))
        return;
    workbench_.document.deletePoint(p);
    redraw();
    emit pointDeleted();
}

void CurveWindow::savePoints() {
    if (workbench_.document.files().CurveFileName.empty()) {
        workbench_.inform(this, workbench_.say(message::NothingToSave));
        return;
    }
    OpenDialog dialog = workbench_.openDialog;
    dialog.mustExist = false;
    dialog.title = workbench_.say(message::SaveDialogTitle);
    dialog.initialFolder = workbench_.dataFileFolder();
    const QString path = workbench_.desktop.chooseSaveFile(this, dialog);
    if (path.isEmpty()) return;
    workbench_.openDialog.fileName = path;
    if (QFileInfo::exists(path) &&
        !workbench_.desktop.askYesNo(this, workbench_.say(message::SaveCaption),
                                     workbench_.say(message::ReplaceQuestion, {path})))
        return;
    // Written beside the target and renamed over it: a failure leaves the old file whole.
    const bool saved = runCommand(workbench_, this, path, [&] {
        // Replacing the file shown, or the data file, is what saving edits is for.
        WritePlan plan;
        if (!workbench_.document.files().RangesFileName.empty())
            plan.reads(workbench_.document.files().RangesFileName, message::RoleRangesFile);
        plan.writes(path.toStdString(), message::RoleOutput).check();
        writeFileAtomically(path.toStdString(), pointsText(workbench_.document.points()));
    });
    if (saved) workbench_.document.pointsSaved();
}

bool CurveWindow::mayDiscardEdits(QWidget* parent) {
    if (!workbench_.document.points().PointsEdited) return true;
    return workbench_.desktop.askYesNo(
        parent, workbench_.say(message::SaveCaption),
        workbench_.say(message::DiscardEditsQuestion,
                       {QString::fromStdString(workbench_.document.files().CurveFileName)}));
}

} // namespace quelmar
