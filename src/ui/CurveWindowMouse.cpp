// The mouse on the light-curve picture: a press picks the anchor of a drag, a release more than
// three points away from it shows the points between them, and a resting mouse picks the channel
// and the point under it.

#include "CurveWindow.h"

#include "CurvePanel.h"
#include "CurveSurface.h"
#include "Workbench.h"

#include "plot/CurveHitTest.h"
#include "plot/CurveNavigation.h"

#include <cstdlib>

namespace quelmar {

namespace {

// How far from a marker's centre a press or a release still hits it, across and down.
constexpr int ClickReach = 2;
// A drag zooms only onto a span of more than this many points.
constexpr int SmallestDrag = 3;

} // namespace

void CurveWindow::mousePressed(QPoint position) {
    const std::vector<int> hits =
        pointsNear(workbench_.store, geometry_, workbench_.view.CursorChannel, position.x(),
                   position.y(), ClickReach);
    for (const int i : hits) {
        SelectAnchor = i;
        moveCursorMark(i);
        showCursorInformation();
    }
}

// The points are all tested against the picture shown when the button was released, and the
// view changes at most once.
void CurveWindow::mouseReleased(QPoint position) {
    const std::vector<int> hits =
        pointsNear(workbench_.store, geometry_, workbench_.view.CursorChannel, position.x(),
                   position.y(), ClickReach);
    bool zoomed = false;
    for (const int i : hits) {
        if (!zoomed && SelectAnchor != 0 && std::abs(i - SelectAnchor) > SmallestDrag) {
            zoomed = true;
            limitView(workbench_.store, std::min(i, SelectAnchor), std::max(i, SelectAnchor));
            showRange();
            redraw();
            moveCursorMark(workbench_.store.ViewFirst);
            showCursorInformation();
        }
        moveCursorMark(i);
        showCursorInformation();
    }
}

void CurveWindow::mouseMoved(QPoint position) {
    const std::optional<ChannelPoint> under =
        pointUnderMouse(workbench_.store, geometry_, position.x(), position.y());
    if (!under) return;
    const int k = under->channel;
    const int i = under->point;
    workbench_.view.CursorChannel = k;
    surface_->setToolTip(pointHint(i, workbench_.store.time(i), workbench_.store.value(k, i)));
    pickPoint(i);
    if (panel_) panel_->showCursorChannel(k);
}

void CurveWindow::pickPoint(int p) {
    workbench_.view.CursorPoint = p;
    if (panel_) panel_->showGoToPoint(p);
    moveCursorMark(p);
    showCursorInformation();
}

} // namespace quelmar
