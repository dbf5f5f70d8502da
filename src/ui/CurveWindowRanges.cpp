// The light-curve window's ranges: loading a ranges file and stepping through its entries,
// each shown and fitted in turn.

#include "CurveWindow.h"

#include "CurvePanel.h"
#include "ExtremaWindow.h"
#include "Workbench.h"

#include "core/Error.h"

namespace quelmar {

bool CurveWindow::loadRanges(const QString& path) {
    try {
        workbench_.document.loadRanges(path.toStdString());
    } catch (const QuelmarError& error) {
        workbench_.reportError(
            this, workbench_.say(message::RangesNotRead, {workbench_.describe(error)}));
        return false;
    }
    emit rangesLoaded();
    return true;
}

void CurveWindow::showNextRange() {
    if (workbench_.document.nextRange() == RangeStep::WrappedToFirst)
        workbench_.inform(this, workbench_.message(LanguageLine::LastRangeShown));
    showCurrentRangeAndFit();
}

void CurveWindow::showPreviousRange() {
    if (workbench_.document.previousRange() == RangeStep::AtFirst) {
        workbench_.inform(this, workbench_.message(LanguageLine::FirstRangeShown));
        return;
    }
    showCurrentRangeAndFit();
}

void CurveWindow::showCurrentRangeAndFit() {
    const PointStore& store = workbench_.document.points();
    // The cursor goes where its mark is put, to the range's first point: the point information
    // and the steps of the arrow keys then belong to the range shown.
    workbench_.document.showCurrentRange();
    redraw();
    moveCursorMark(store.ViewFirst);
    showCursorInformation();
    if (extrema_) extrema_->fitChannel(workbench_.document.view().CursorChannel);
}

} // namespace quelmar
