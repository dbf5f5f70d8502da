#include "TwoChannelDiagramWindow.h"

#include "CurveSurface.h"
#include "CurveWindow.h"
#include "Workbench.h"

#include "plot/CurveHitTest.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

#include <algorithm>

namespace quelmar {

namespace {

// The window's place and size once it has appeared: its left edge, and its outer size.
constexpr int DiagramLeft = 200;
constexpr int DiagramSize = 500;
// A cell's marker: a small red bar whose top-left corner sits on the point.
constexpr QSize MarkerSize(3, 13);

QLabel* newMarker(QWidget* parent) {
    auto* marker = new QLabel(QStringLiteral(" "), parent);
    marker->setFixedSize(MarkerSize);
    marker->setAutoFillBackground(true);
    QPalette red = marker->palette();
    red.setColor(QPalette::Window, Qt::red);
    marker->setPalette(red);
    marker->setAttribute(Qt::WA_TransparentForMouseEvents);
    marker->move(-10, -10);
    marker->hide();
    return marker;
}

} // namespace

TwoChannelDiagramWindow::TwoChannelDiagramWindow(Workbench& workbench, CurveWindow& curve,
                                                 QWidget* parent)
    : QWidget(parent, Qt::Window), workbench_(workbench), curve_(curve) {
    setObjectName(QStringLiteral("TCCF"));
    setWindowTitle(QStringLiteral("CCF"));
    setFocusPolicy(Qt::StrongFocus);
    surface_ = new CurveSurface(this);
    surface_->setObjectName(QStringLiteral("CCG"));
    surface_->setToolTip(QString());
    surface_->setMouseHandler([this](CurveSurface::MouseEvent kind, QPoint position) {
        if (kind == CurveSurface::MouseEvent::Move) mouseMoved(position);
    });
    for (int cell = 0; cell < MaxChannels * MaxChannels; ++cell)
        markers_.push_back(newMarker(this));
    placeDelay_ = new QTimer(this);
    placeDelay_->setObjectName(QStringLiteral("Timer1"));
    placeDelay_->setSingleShot(true);
    placeDelay_->setInterval(10);
    connect(placeDelay_, &QTimer::timeout, this, &TwoChannelDiagramWindow::placeAndRenew);
    resize(DiagramSize, DiagramSize);
    // Drawn from the points and the light curve's geometry, so renewed after every redraw.
    connect(&curve_, &CurveWindow::redrawn, this, [this] {
        if (isVisible()) renew();
    });
}

const QImage& TwoChannelDiagramWindow::picture() const {
    return surface_->picture();
}

void TwoChannelDiagramWindow::showDiagram() {
    if (!isVisible()) placeWindow();
    show();
    raise();
    activateWindow();
}

void TwoChannelDiagramWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    placeDelay_->start();
}

void TwoChannelDiagramWindow::placeAndRenew() {
    const QSize before = size();
    placeWindow();
    // A new size has drawn the diagram already.
    if (size() == before) renew();
}

// The frame, title bar included, is made 500 pixels square with its left edge at 200. Until the
// window manager has framed the window its frame is not known: it is placed before it appears,
// below the main window, and sized by the main window's frame, which the same manager drew.
void TwoChannelDiagramWindow::placeWindow() {
    const bool framed = frameGeometry() != geometry();
    const QWidget* main = parentWidget();
    QSize frame = frameGeometry().size() - size();
    if (!framed && main) frame = main->frameGeometry().size() - main->size();
    if (framed || !isVisible()) {
        const int belowMain = main ? main->frameGeometry().bottom() + 1 : 0;
        move(DiagramLeft, isVisible() ? frameGeometry().top() : belowMain);
    }
    resize(DiagramSize - frame.width(), DiagramSize - frame.height());
}

void TwoChannelDiagramWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    surface_->setGeometry(rect());
    if (isVisible()) renew();
}

void TwoChannelDiagramWindow::renew() {
    QImage& image = surface_->picture();
    if (image.size() != surface_->size()) image = QImage(surface_->size(), QImage::Format_RGB32);
    hideMarkers();
    if (image.isNull()) return;
    layout_ = drawDiagram(image, workbench_.document.points(), curve_.curveGeometry(),
                          workbench_.settings, workbench_.options.Plot,
                          workbench_.say(message::DiagramNoChannelShown));
    setWindowTitle(shownCaption());
    // The design's caption stays as the picture's hint, for whoever asks by resting the mouse.
    surface_->setToolTip(diagramCaption(layout_));
    surface_->update();
    moveMarkers(workbench_.document.view().CursorPoint);
}

void TwoChannelDiagramWindow::moveMarkers(int p) {
    for (std::size_t n = 0; n < markers_.size(); ++n) {
        const std::optional<QPoint> at =
            n < layout_.cells.size()
                ? markerPosition(layout_.cells[n], workbench_.document.points(), p)
                : std::nullopt;
        markers_[n]->setVisible(at.has_value());
        if (at) markers_[n]->move(surface_->mapTo(this, *at));
    }
}

void TwoChannelDiagramWindow::hideMarkers() {
    for (QLabel* marker : markers_)
        marker->hide();
}

void TwoChannelDiagramWindow::mouseMoved(QPoint position) {
    const DiagramHit hit =
        diagramHit(layout_, workbench_.document.points(), position.x(), position.y());
    setWindowTitle(mouseCaptionInWords(hit));
    if (!hit.point) return;
    const int p = *hit.point;
    surface_->setToolTip(pointHint(p, workbench_.document.points().value(hit.xChannel, p),
                                   workbench_.document.points().value(hit.yChannel, p)) +
                         QLatin1Char('\n') + mouseCaption(position.x(), position.y(), hit));
    curve_.pickPoint(p);
    moveMarkers(p);
}

QString TwoChannelDiagramWindow::channelLabel(int k) const {
    const std::string& name = workbench_.document.points().channelName(k);
    return name.empty() ? workbench_.say(message::DiagramChannel, {QString::number(k)})
                        : QString::fromStdString(name);
}

// The channels shown, by name where the file names them, else by number.
QString TwoChannelDiagramWindow::shownCaption() const {
    QStringList shown;
    const PointStore& store = workbench_.document.points();
    for (int k = 1; k <= store.ChannelCount; ++k) {
        if (!channelShown(store, k)) continue;
        const std::string& name = store.channelName(k);
        shown << (name.empty() ? QString::number(k) : QString::fromStdString(name));
    }
    if (shown.isEmpty()) return workbench_.say(message::DiagramCaptionEmpty);
    return workbench_.say(message::DiagramCaption, {shown.join(QStringLiteral(", "))});
}

// The cell under the mouse and the point there, in words; the channels' caption elsewhere.
QString TwoChannelDiagramWindow::mouseCaptionInWords(const DiagramHit& hit) const {
    if (hit.xChannel == 0 || hit.yChannel == 0) return shownCaption();
    const QString across = channelLabel(hit.xChannel);
    const QString down = channelLabel(hit.yChannel);
    if (!hit.point) return workbench_.say(message::DiagramCell, {across, down});
    const PointStore& store = workbench_.document.points();
    const int decimals = std::max(workbench_.options.Plot.YAxisDecimals, 0);
    const auto value = [&](int k) {
        return QString::number(store.value(k, *hit.point), 'f', decimals);
    };
    return workbench_.say(message::DiagramPoint, {QString::number(*hit.point), across,
                                                  value(hit.xChannel), down, value(hit.yChannel)});
}

void TwoChannelDiagramWindow::keyPressEvent(QKeyEvent* event) {
    curve_.applyKeyTable(event);
    moveMarkers(workbench_.document.view().CursorPoint);
}

void TwoChannelDiagramWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    hideMarkers();
}

} // namespace quelmar
