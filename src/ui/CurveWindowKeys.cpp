// The light-curve window's cursor and view commands, and the key table that calls them.

#include "CurveWindow.h"

#include "CurvePanel.h"
#include "Workbench.h"

#include "core/numbers.h"
#include "document/CurveNavigation.h"

#include <QKeyEvent>

namespace quelmar {

void CurveWindow::cursorMoved() {
    moveCursorMark(workbench_.document.view().CursorPoint);
    if (panel_) panel_->showGoToPoint(workbench_.document.view().CursorPoint);
    showCursorInformation();
}

void CurveWindow::stepForward() {
    const int step = panel_ ? panel_->step() : 1;
    const LightCurveDocument& document = workbench_.document;
    workbench_.document.setCursorPoint(
        quelmar::stepForward(document.points(), document.view().CursorPoint, step));
    cursorMoved();
}

void CurveWindow::stepBack() {
    const int step = panel_ ? panel_->step() : 1;
    const LightCurveDocument& document = workbench_.document;
    workbench_.document.setCursorPoint(
        quelmar::stepBack(document.points(), document.view().CursorPoint, step));
    cursorMoved();
}

void CurveWindow::goToViewStart() {
    workbench_.document.setCursorPoint(workbench_.document.points().ViewFirst);
    cursorMoved();
}

void CurveWindow::goToViewEnd() {
    workbench_.document.setCursorPoint(workbench_.document.points().ViewLast);
    cursorMoved();
}

// The point drawn highest in the cursor channel's band, and the one drawn lowest.
void CurveWindow::goToMaximum() {
    const int c = workbench_.document.view().CursorChannel;
    workbench_.document.setCursorPoint(workbench_.document.view().Flipped
                                           ? geometry_.ChannelMaxPoint[c]
                                           : geometry_.ChannelMinPoint[c]);
    cursorMoved();
}

void CurveWindow::goToMinimum() {
    const int c = workbench_.document.view().CursorChannel;
    workbench_.document.setCursorPoint(workbench_.document.view().Flipped
                                           ? geometry_.ChannelMinPoint[c]
                                           : geometry_.ChannelMaxPoint[c]);
    cursorMoved();
}

std::optional<int> CurveWindow::integerOf(const QString& text) {
    const std::optional<std::int32_t> number = parseInteger(text.trimmed().toStdString());
    if (!number) workbench_.reportError(this, workbench_.say(message::NotAnInteger, {text}));
    return number;
}

void CurveWindow::goToPoint() {
    if (!panel_) return;
    const std::optional<int> typed = integerOf(panel_->goToText());
    if (!typed) return;
    workbench_.document.setCursorPoint(*typed);
    cursorMoved();
}

void CurveWindow::flip() {
    workbench_.document.flip();
    redraw();
}

void CurveWindow::toggleLines() {
    workbench_.document.toggleLines();
    redraw();
}

void CurveWindow::showWholeCurve() {
    const PointStore& store = workbench_.document.points();
    workbench_.document.setView(1, store.PointCount);
    showRange();
    if (panel_) panel_->showGoToPoint(store.ViewFirst);
    redraw();
}

// Both bounds are read before anything changes, so a text that is not a number leaves the view
// as it was. The range is limited to the points, which a reload may have changed, and put in
// order when it is applied.
std::optional<std::pair<int, int>> CurveWindow::typedRange() {
    if (!panel_) return std::nullopt;
    const std::optional<int> first = integerOf(panel_->firstText());
    if (!first) return std::nullopt;
    const std::optional<int> last = integerOf(panel_->lastText());
    if (!last) return std::nullopt;
    // 0 would mean "unset" to the reload.
    return std::pair{std::max(*first, 1), std::max(*last, 1)};
}

// The points are read again, so edits that were not saved are lost.
void CurveWindow::reloadTypedRange() {
    const std::optional<std::pair<int, int>> range = typedRange();
    if (!range) return;
    workbench_.document.requestView(range->first, range->second);
    workbench_.document.curveFileChanged();
    redraw();
}

void CurveWindow::rangeEdited() {
    const std::optional<std::pair<int, int>> range = typedRange();
    if (!range) return;
    workbench_.document.setView(range->first, range->second);
    redraw();
}

void CurveWindow::viewShifted(int direction) {
    LightCurveDocument& document = workbench_.document;
    const PointStore& store = document.points();
    document.shiftViewByHalf(direction);
    document.setCursorPoint(std::clamp(document.view().CursorPoint, store.ViewFirst,
                                       std::max(store.ViewFirst, store.ViewLast)));
    showRange();
    if (panel_) panel_->showGoToPoint(store.ViewFirst);
    redraw();
    moveCursorMark(store.ViewFirst);
    showCursorInformation();
}

void CurveWindow::shiftViewLeft() {
    viewShifted(-1);
}

void CurveWindow::shiftViewRight() {
    viewShifted(+1);
}

void CurveWindow::zoom(double factor) {
    workbench_.document.zoomBy(factor);
    redraw();
}

void CurveWindow::keyPressEvent(QKeyEvent* event) {
    applyKeyTable(event);
    // The zoom characters, whatever key typed them.
    if (event->text() == QLatin1String("+"))
        zoom(2);
    else if (event->text() == QLatin1String("-"))
        zoom(0.5);
}

void CurveWindow::applyKeyTable(const QKeyEvent* event) {
    const int key = event->key();
    // Arrows of the numeric keypad count as the arrows.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::AltModifier)
        applyAltKey(key);
    else if (modifiers == Qt::ShiftModifier)
        applyShiftKey(key);
    else if (modifiers == Qt::ControlModifier)
        applyCtrlKey(key);
    else
        applyPlainKey(key);
    if (key == Qt::Key_Left)
        stepBack();
    else if (key == Qt::Key_Right)
        stepForward();
}

void CurveWindow::applyAltKey(int key) {
    if (key == Qt::Key_Left)
        shiftViewLeft();
    else if (key == Qt::Key_Right)
        shiftViewRight();
}

void CurveWindow::applyShiftKey(int key) {
    if (key == Qt::Key_Left)
        showPreviousRange();
    else if (key == Qt::Key_Right)
        showNextRange();
}

void CurveWindow::applyCtrlKey(int key) {
    LightCurveDocument& document = workbench_.document;
    const ViewState& view = document.view();
    const PointStore& store = document.points();
    switch (key) {
    case Qt::Key_Down:
        if (view.CursorChannel < store.ChannelCount)
            document.setCursorChannel(view.CursorChannel + 1);
        break;
    case Qt::Key_Up:
        if (view.CursorChannel > 1) document.setCursorChannel(view.CursorChannel - 1);
        break;
    case Qt::Key_Left:
        document.setCursorPoint(gapJumpLeft(store, view.CursorPoint));
        break;
    case Qt::Key_Right:
        document.setCursorPoint(gapJumpRight(store, view.CursorPoint));
        break;
    case Qt::Key_E:
        document.selectSeasonAround(view.CursorPoint);
        redraw();
        break;
    case Qt::Key_V:
        smoothCursorPoint(true);
        break;
    default:
        break;
    }
    if (panel_) panel_->showCursorChannel(view.CursorChannel);
    moveCursorMark(view.CursorPoint);
    showCursorInformation();
}

void CurveWindow::applyPlainKey(int key) {
    switch (key) {
    case Qt::Key_D:
        hideCursorChannel();
        break;
    case Qt::Key_V:
        smoothCursorPoint(false);
        break;
    case Qt::Key_F2:
        savePoints();
        break;
    case Qt::Key_Up:
        goToMaximum();
        break;
    case Qt::Key_Down:
        goToMinimum();
        break;
    case Qt::Key_End:
        goToViewEnd();
        break;
    case Qt::Key_Home:
        goToViewStart();
        break;
    case Qt::Key_R:
        reloadTypedRange();
        break;
    case Qt::Key_L:
        toggleLines();
        break;
    case Qt::Key_S:
        savePicture();
        break;
    case Qt::Key_A:
        showWholeCurve();
        break;
    case Qt::Key_Delete:
        deleteCursorPoint();
        break;
    case Qt::Key_E:
        workbench_.document.centreViewOn(workbench_.document.view().CursorPoint);
        redraw();
        break;
    default:
        break;
    }
}

} // namespace quelmar
