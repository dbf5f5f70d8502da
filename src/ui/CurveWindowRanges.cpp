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
        quelmar::loadRanges(workbench_.ranges, path.toStdString());
    } catch (const QuelmarError& error) {
        workbench_.reportError(
            this, workbench_.say(message::RangesNotRead, {workbench_.describe(error)}));
        return false;
    }
    emit rangesLoaded();
    return true;
}

void CurveWindow::showNextRange() {
    if (nextRange(workbench_.ranges) == RangeStep::WrappedToFirst)
        workbench_.inform(this, workbench_.message(LanguageLine::LastRangeShown));
    showCurrentRangeAndFit();
}

void CurveWindow::showPreviousRange() {
    if (previousRange(workbench_.ranges) == RangeStep::AtFirst) {
        workbench_.inform(this, workbench_.message(LanguageLine::FirstRangeShown));
        return;
    }
    showCurrentRangeAndFit();
}

void CurveWindow::showCurrentRangeAndFit() {
    PointStore& store = workbench_.store;
    showCurrentRange(workbench_.ranges, store);
    redraw();
    // The cursor goes where its mark is put, to the range's first point: the point information
    // and the steps of the arrow keys then belong to the range shown.
    workbench_.view.CursorPoint = store.ViewFirst;
    moveCursorMark(store.ViewFirst);
    showCursorInformation();
    if (extrema_) extrema_->fitChannel(workbench_.view.CursorChannel);
}

} // namespace quelmar
