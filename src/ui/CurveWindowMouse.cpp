// The mouse on the light-curve picture: a press picks the anchor of a drag, a release more than
// three points away from it shows the points between them, and a resting mouse picks the channel
// and the point under it.

#include "CurveWindow.h"

#include "CurvePanel.h"
#include "CurveSurface.h"
#include "Workbench.h"

#include "document/CurveNavigation.h"
#include "plot/CurveHitTest.h"

#include <cstdlib>

namespace quelmar {

namespace {

// How far from a marker's centre a press or a release still hits it, across and down.
constexpr int ClickReach = 2;
// A drag zooms only onto a span of more than this many points.
constexpr int SmallestDrag = 3;

} // namespace

void CurveWindow::mousePressed(QPoint position) {
    const std::vector<int> hits = pointsNear(workbench_.document.points(), geometry_,
                                             workbench_.document.view().CursorChannel, position.x(),
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
    const std::vector<int> hits = pointsNear(workbench_.document.points(), geometry_,
                                             workbench_.document.view().CursorChannel, position.x(),
                                             position.y(), ClickReach);
    bool zoomed = false;
    for (const int i : hits) {
        if (!zoomed && SelectAnchor != 0 && std::abs(i - SelectAnchor) > SmallestDrag) {
            zoomed = true;
            workbench_.document.setView(std::min(i, SelectAnchor), std::max(i, SelectAnchor));
            showRange();
            redraw();
            moveCursorMark(workbench_.document.points().ViewFirst);
            showCursorInformation();
        }
        moveCursorMark(i);
        showCursorInformation();
    }
}

void CurveWindow::mouseMoved(QPoint position) {
    const std::optional<ChannelPoint> under =
        pointUnderMouse(workbench_.document.points(), geometry_, position.x(), position.y());
    if (!under) return;
    const int k = under->channel;
    const int i = under->point;
    workbench_.document.setCursorChannel(k);
    surface_->setToolTip(pointHint(i, workbench_.document.points().time(i),
                                   workbench_.document.points().value(k, i)));
    pickPoint(i);
    if (panel_) panel_->showCursorChannel(k);
}

void CurveWindow::pickPoint(int p) {
    workbench_.document.setCursorPoint(p);
    if (panel_) panel_->showGoToPoint(p);
    moveCursorMark(p);
    showCursorInformation();
}

} // namespace quelmar
