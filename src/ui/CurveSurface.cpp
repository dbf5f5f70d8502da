#include "CurveSurface.h"

#include "core/OwnMessages.h"

#include <QMouseEvent>
#include <QPainter>

namespace quelmar {

CurveSurface::CurveSurface(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("GrfObj"));
    setToolTip(QString::fromUtf8(designText(message::CurvePictureHint)));
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
    // The picture covers every pixel, so nothing underneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CurveSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), picture_, event->rect());
}

void CurveSurface::report(MouseEvent kind, const QMouseEvent* event) {
    if (mouseHandler_) mouseHandler_(kind, event->position().toPoint());
}

void CurveSurface::mousePressEvent(QMouseEvent* event) {
    report(MouseEvent::Press, event);
}

void CurveSurface::mouseReleaseEvent(QMouseEvent* event) {
    report(MouseEvent::Release, event);
}

void CurveSurface::mouseMoveEvent(QMouseEvent* event) {
    report(MouseEvent::Move, event);
}

} // namespace quelmar
