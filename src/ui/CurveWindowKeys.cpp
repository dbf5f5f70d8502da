// The light-curve window's cursor and view commands, and the key table that calls them.

#include "CurveWindow.h"

#include "CurvePanel.h"
#include "Workbench.h"

#include "core/numbers.h"
#include "plot/CurveNavigation.h"

#include <QKeyEvent>

namespace quelmar {

void CurveWindow::cursorMoved() {
    moveCursorMark(workbench_.view.CursorPoint);
    if (panel_) panel_->showGoToPoint(workbench_.view.CursorPoint);
    showCursorInformation();
}

void CurveWindow::stepForward() {
    const int step = panel_ ? panel_->step() : 1;
    workbench_.view.CursorPoint =
        quelmar::stepForward(workbench_.store, workbench_.view.CursorPoint, step);
    cursorMoved();
}

void CurveWindow::stepBack() {
    const int step = panel_ ? panel_->step() : 1;
    workbench_.view.CursorPoint =
        quelmar::stepBack(workbench_.store, workbench_.view.CursorPoint, step);
    cursorMoved();
}

void CurveWindow::goToViewStart() {
    workbench_.view.CursorPoint = workbench_.store.ViewFirst;
    cursorMoved();
}

void CurveWindow::goToViewEnd() {
    workbench_.view.CursorPoint = workbench_.store.ViewLast;
    cursorMoved();
}

// The point drawn highest in the cursor channel's band, and the one drawn lowest.
void CurveWindow::goToMaximum() {
    const int c = workbench_.view.CursorChannel;
    workbench_.view.CursorPoint =
        workbench_.view.Flipped ? geometry_.ChannelMaxPoint[c] : geometry_.ChannelMinPoint[c];
    cursorMoved();
}

void CurveWindow::goToMinimum() {
    const int c = workbench_.view.CursorChannel;
    workbench_.view.CursorPoint =
        workbench_.view.Flipped ? geometry_.ChannelMinPoint[c] : geometry_.ChannelMaxPoint[c];
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
    workbench_.view.CursorPoint = std::clamp(*typed, 1, std::max(workbench_.store.PointCount, 1));
    cursorMoved();
}

void CurveWindow::flip() {
    workbench_.view.Flipped = !workbench_.view.Flipped;
    redraw();
}

void CurveWindow::toggleLines() {
    workbench_.view.ShowLines = !workbench_.view.ShowLines;
    redraw();
}

void CurveWindow::showWholeCurve() {
    PointStore& store = workbench_.store;
    limitView(store, 1, store.PointCount);
    showRange();
    if (panel_) panel_->showGoToPoint(store.ViewFirst);
    redraw();
}

// Both bounds are read before anything changes, so a text that is not a number leaves the view
// as it was. The redraw then limits the range to the points, which a reload may have changed,
// and puts it in order.
bool CurveWindow::takeTypedRange() {
    if (!panel_) return false;
    const std::optional<int> first = integerOf(panel_->firstText());
    if (!first) return false;
    const std::optional<int> last = integerOf(panel_->lastText());
    if (!last) return false;
    // 0 would mean "unset" to the redraw.
    workbench_.store.ViewFirst = std::max(*first, 1);
    workbench_.store.ViewLast = std::max(*last, 1);
    return true;
}

// The points are read again, so edits that were not saved are lost.
void CurveWindow::reloadTypedRange() {
    if (!takeTypedRange()) return;
    workbench_.files.CurveLoaded = false;
    redraw();
}

void CurveWindow::rangeEdited() {
    if (takeTypedRange()) redraw();
}

void CurveWindow::viewShifted(int direction) {
    PointStore& store = workbench_.store;
    halfShift(store, direction);
    int& cursorPoint = workbench_.view.CursorPoint;
    cursorPoint =
        std::clamp(cursorPoint, store.ViewFirst, std::max(store.ViewFirst, store.ViewLast));
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
    workbench_.view.XZoom *= factor;
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
    ViewState& view = workbench_.view;
    PointStore& store = workbench_.store;
    switch (key) {
    case Qt::Key_Down:
        if (view.CursorChannel < store.ChannelCount) ++view.CursorChannel;
        break;
    case Qt::Key_Up:
        if (view.CursorChannel > 1) --view.CursorChannel;
        break;
    case Qt::Key_Left:
        view.CursorPoint = gapJumpLeft(store, view.CursorPoint);
        break;
    case Qt::Key_Right:
        view.CursorPoint = gapJumpRight(store, view.CursorPoint);
        break;
    case Qt::Key_E:
        selectSeason(store, view.CursorPoint);
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
        centreOn(workbench_.store, workbench_.view.CursorPoint);
        redraw();
        break;
    default:
        break;
    }
}

} // namespace quelmar
