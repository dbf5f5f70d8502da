#include "ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <numbers>

namespace quelmar {

namespace {

constexpr int Size = 20;

// Two cycles of a wave and, below it, an arrow from one maximum to the next.
QPixmap drawPeriod() {
    QPixmap picture(Size, Size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath wave;
    for (int x = 1; x <= Size - 2; ++x) {
        const double phase = (x - 1) / 9.0 * 2 * std::numbers::pi;
        const QPointF point(x, 7 - 5 * std::cos(phase));
        if (x == 1)
            wave.moveTo(point);
        else
            wave.lineTo(point);
    }
    painter.setPen(QPen(QColor(0, 0, 160), 1.6));
    painter.drawPath(wave);
    painter.setPen(QPen(QColor(160, 0, 0), 1.2));
    painter.drawLine(QPointF(1.5, 16), QPointF(10.5, 16));
    painter.drawLine(QPointF(1.5, 13), QPointF(1.5, 19));
    painter.drawLine(QPointF(10.5, 13), QPointF(10.5, 19));
    return picture;
}

} // namespace

QIcon periodIcon() {
    return QIcon(drawPeriod());
}

QIcon extremumIcon() {
    QPixmap picture(Size, Size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath curve(QPointF(2, 3));
    curve.quadTo(QPointF(10, 29), QPointF(18, 3));
    painter.setPen(QPen(QColor(0, 0, 255), 2));
    painter.drawPath(curve);
    painter.setPen(QPen(QColor(255, 0, 0), 1.5));
    painter.drawLine(QPointF(10, 10), QPointF(10, 19));
    painter.drawLine(QPointF(6, 16), QPointF(14, 16));
    return QIcon(picture);
}

} // namespace quelmar
