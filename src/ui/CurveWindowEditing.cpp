// Editing the points of the light curve (hiding a channel, smoothing, deleting) and saving the
// edited points to a file. Edits live in the point store until they are saved.

#include "CurveWindow.h"

#include "CommandBoundary.h"
#include "Workbench.h"

#include "core/TextFile.h"
#include "core/WritePlan.h"
#include "plot/CurveEditing.h"

#include <QFileInfo>

namespace quelmar {

void CurveWindow::hideCursorChannel() {
    std::vector<bool>& visible = workbench_.store.ChannelVisible;
    const auto c = static_cast<std::size_t>(workbench_.view.CursorChannel);
    if (c < visible.size()) visible[c] = false;
    redraw();
}

// Needs two neighbours on each side; near the ends of the curve nothing changes.
void CurveWindow::smoothCursorPoint(bool everyChannel) {
    PointStore& store = workbench_.store;
    const int p = workbench_.view.CursorPoint;
    if (!canSmooth(store, p)) {
        workbench_.inform(this, workbench_.say(message::NotSmoothed, {QString::number(p)}));
        return;
    }
    if (everyChannel)
        for (int k = 1; k <= store.ChannelCount; ++k)
            smoothPoint(store, k, p);
    else
        smoothPoint(store, workbench_.view.CursorChannel, p);
    store.PointsEdited = true;
    redraw();
}

void CurveWindow::deleteCursorPoint() {
    const int p = workbench_.view.CursorPoint;
    if (p < 1 || p > workbench_.store.PointCount) return;
    if (workbench_.settings.AskBeforeDelete &&
        !workbench_.desktop.askYesNo(this, workbench_.say(message::DeleteCaption),
                                     workbench_.say(message::DeleteQuestion, {QString::number(p)})))
        return;
    deletePoint(workbench_.store, p);
    workbench_.store.PointsEdited = true;
    workbench_.extrema.removePoint(p);
    redraw();
    emit pointDeleted();
}

void CurveWindow::savePoints() {
    if (workbench_.files.CurveFileName.empty()) {
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
        if (!workbench_.files.RangesFileName.empty())
            plan.reads(workbench_.files.RangesFileName, message::RoleRangesFile);
        plan.writes(path.toStdString(), message::RoleOutput).check();
        writeFileAtomically(path.toStdString(), pointsText(workbench_.store));
    });
    if (saved) workbench_.store.PointsEdited = false;
}

bool CurveWindow::mayDiscardEdits(QWidget* parent) {
    if (!workbench_.store.PointsEdited) return true;
    return workbench_.desktop.askYesNo(
        parent, workbench_.say(message::SaveCaption),
        workbench_.say(message::DiscardEditsQuestion,
                       {QString::fromStdString(workbench_.files.CurveFileName)}));
}

} // namespace quelmar
