#include "CurveWindow.h"

#include "CommandBoundary.h"
#include "CurvePanel.h"
#include "CurveSurface.h"
#include "PictureExportDialog.h"
#include "WindowPlacement.h"
#include "Workbench.h"

#include "core/ObservationFile.h"
#include "core/numbers.h"
#include "document/CurveNavigation.h"
#include "plot/CurveRenderer.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QScreen>

#include <algorithm>

namespace quelmar {

namespace {

// The cursor mark: a small red bar beside the cursor point.
constexpr QSize CursorMarkSize(3, 13);

} // namespace

CurveWindow::CurveWindow(Workbench& workbench, QWidget* mainWindow)
    : workbench_(workbench), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("TCurfrm"));
    setWindowTitle(QString::fromUtf8(designText(message::CurveCaption)));
    setFocusPolicy(Qt::StrongFocus);
    surface_ = new CurveSurface(this);
    surface_->setMouseHandler([this](CurveSurface::MouseEvent kind, QPoint position) {
        switch (kind) {
        case CurveSurface::MouseEvent::Press:
            mousePressed(position);
            break;
        case CurveSurface::MouseEvent::Release:
            mouseReleased(position);
            break;
        case CurveSurface::MouseEvent::Move:
            mouseMoved(position);
            break;
        }
    });
    cursorMark_ = new QLabel(QStringLiteral(" "), this);
    cursorMark_->setObjectName(QStringLiteral("cursor"));
    cursorMark_->setFixedSize(CursorMarkSize);
    cursorMark_->setAutoFillBackground(true);
    QPalette red = cursorMark_->palette();
    red.setColor(QPalette::Window, Qt::red);
    cursorMark_->setPalette(red);
    // The mark lies over the picture, but the mouse belongs to the picture.
    cursorMark_->setAttribute(Qt::WA_TransparentForMouseEvents);
    // A file shown that changed on disk is read again at once when it is on screen.
    connect(&workbench_.documentSignals, &DocumentSignals::changed, this, [this](unsigned what) {
        if ((what & CurveStale) && isVisible()) redraw();
    });
}

const QImage& CurveWindow::picture() const {
    return surface_->picture();
}

// The picture of the last redraw has the size of the visible drawing; the cursor mark lies
// above it and is not saved.
void CurveWindow::savePicture() {
    if (pictureExport_)
        pictureExport_->exportPicture(
            this, picture(), QString::fromStdString(workbench_.document.files().CurveFileName));
}

void CurveWindow::showLaidOut() {
    // Below the main window, across the screen, title bars and borders included; the main
    // window's frame stands in for this one's until the window manager has framed it.
    placeFrame(*this,
               [this] {
                   const QRect main = mainWindow_->frameGeometry();
                   const QScreen* screen =
                       mainWindow_->screen() ? mainWindow_->screen() : this->screen();
                   const QRect area = screen ? screen->availableGeometry() : QRect();
                   const int top = main.bottom() + 1;
                   return QRect(area.left(), top, area.width(), area.bottom() + 1 - top);
               },
               {mainWindow_});
    show();
    layOut();
    // The ranges named on the command line are read again at every showing.
    const QString ranges = QString::fromStdString(workbench_.document.files().RangesFileName);
    if (!ranges.isEmpty() && QFileInfo::exists(ranges)) loadRanges(ranges);
}

void CurveWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isVisible()) layOut();
}

void CurveWindow::layOut() {
    if (isMinimized()) return;
    surface_->setGeometry(rect());
    redraw();
    if (workbench_.ShowCurveTools) showControlPanel();
    showCursorInformation();
}

void CurveWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !workbench_.ShowCurveTools) return;
    if (isMinimized())
        closeControlPanel();
    else
        showControlPanel();
}

void CurveWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (workbench_.ShowCurveTools) closeControlPanel();
}

void CurveWindow::followCurveTools() {
    if (workbench_.ShowCurveTools && isVisible() && !isMinimized())
        showControlPanel();
    else
        closeControlPanel();
}

void CurveWindow::showControlPanel() {
    if (panel_ && !panel_->isVisible()) panel_->show();
}

void CurveWindow::closeControlPanel() {
    if (panel_) panel_->close();
}

void CurveWindow::redraw() {
    LightCurveDocument& document = workbench_.document;
    // Principal components waiting for the view become its channels.
    document.showPendingComponents();
    if (!document.files().CurveLoaded) loadCurveFile();
    const PointStore& store = document.points();
    showRange();
    if (panel_) panel_->setStepMaximum(store.PointCount);
    showCaption();

    QImage& image = surface_->picture();
    const QSize size = surface_->size();
    if (size.isEmpty()) {
        geometry_ = measureCurve(store, workbench_.document.view(), size.width(), size.height());
    } else {
        if (image.size() != size) image = QImage(size, QImage::Format_RGB32);
        geometry_ = drawCurve(image, store, workbench_.document.view(), workbench_.settings,
                              workbench_.options.Plot);
    }
    surface_->update();
    moveCursorMark(workbench_.document.view().CursorPoint);
    showCursorInformation();
    emit redrawn();
}

void CurveWindow::showCaption() {
    const QString scale = curveScale_ == TimeScale::Unknown
                              ? workbench_.say(message::ScaleUnknown)
                              : QString::fromUtf8(timeScaleName(curveScale_));
    setWindowTitle(
        workbench_.say(message::CurveScaleCaption,
                       {QString::fromStdString(workbench_.document.files().CurveFileName), scale}));
}

void CurveWindow::optionsChanged() {
    redraw();
    workbench_.document.setCursorPoint(workbench_.document.points().ViewFirst);
    moveCursorMark(workbench_.document.view().CursorPoint);
    showCursorInformation();
}

std::optional<PointStore> CurveWindow::readPoints(const std::string& path, int channels) {
    std::optional<PointStore> points;
    runCommand(workbench_, this, QString::fromStdString(path), [&] {
        LoadResult loaded = loadPointStore(path, channels, workbench_.settings.Missing);
        const SkippedLines& skipped = loaded.skipped;
        if (skipped.count > 0)
            workbench_.inform(
                this, workbench_.say(message::SkippedLines,
                                     {QString::fromStdString(path), QString::number(skipped.count),
                                      QString::number(skipped.firstLine)}));
        points = std::move(loaded.store);
    });
    return points;
}

bool CurveWindow::openCurveFile(const std::string& path, int channels) {
    std::optional<PointStore> points = readPoints(path, channels);
    if (!points) return false;
    close();
    curveScale_ = recordedTimeScale(path);
    // A file just opened is shown whole, the cursor on a channel that is drawn.
    workbench_.document.open(path, channels, std::move(*points));
    showLaidOut();
    return true;
}

void CurveWindow::loadCurveFile() {
    LightCurveDocument& document = workbench_.document;
    const DataFileState& files = document.files();
    std::optional<PointStore> points = readPoints(files.CurveFileName, files.ChannelCount);
    curveScale_ = recordedTimeScale(files.CurveFileName);
    // A file that fails is reported once, not at every resize (the document counts it loaded,
    // empty); the graph's Refresh tries it again. The view is the caller's: a reload with a
    // typed range keeps it.
    document.load(points ? std::move(*points) : PointStore{}, false);
}

void CurveWindow::showRange() {
    if (panel_)
        panel_->showRange(workbench_.document.points().ViewFirst,
                          workbench_.document.points().ViewLast);
}

void CurveWindow::moveCursorMark(int p) {
    const std::optional<QPoint> mark = cursorMarkPosition(
        workbench_.document.points(), geometry_, workbench_.document.view().CursorChannel, p);
    cursorMark_->setVisible(mark.has_value());
    if (mark) cursorMark_->move(*mark);
}

void CurveWindow::drawOverPicture(const std::function<void(QImage&, const CurveGeometry&)>& draw) {
    QImage& picture = surface_->picture();
    if (picture.isNull()) return;
    draw(picture, geometry_);
    surface_->update();
}

void CurveWindow::placeCursorMark(QPoint topLeft) {
    cursorMark_->move(topLeft);
    cursorMark_->show();
}

void CurveWindow::showCursorInformation() {
    if (!panel_) return;
    const PointStore& store = workbench_.document.points();
    const Options& options = workbench_.options;
    const int p = workbench_.document.view().CursorPoint;
    const int c = workbench_.document.view().CursorChannel;
    PointInformation information;
    information.number = workbench_.say(message::PointOfPoints,
                                        {QString::number(p), QString::number(store.PointCount)});
    if (p >= 1 && p <= store.PointCount) {
        const double t = store.time(p);
        information.x =
            QStringLiteral("X: ") + QString::fromStdString(fixed(t, options.CursorXDecimals));
        if (c >= 1 && c <= store.ChannelCount)
            information.y =
                QStringLiteral("Y: ") +
                QString::fromStdString(fixed(store.value(c, p), options.CursorYDecimals));
        if (t != 0)
            information.inverseX =
                QStringLiteral("1/X: ") +
                QString::fromStdString(fixed(1 / t, options.CursorInverseXDecimals));
    }
    panel_->showPointInformation(information);
}

} // namespace quelmar
