#include "ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <array>
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

// Small squares, as the diagram marks its points, along a rising line.
void drawCloud(QPainter& painter, double spread) {
    static constexpr std::array<std::pair<double, double>, 9> Offsets{{{-1, 1},
                                                                       {1, -1},
                                                                       {0.5, 1},
                                                                       {-0.5, -1},
                                                                       {1, 0.5},
                                                                       {-1, -0.5},
                                                                       {0, 0},
                                                                       {0.8, 0},
                                                                       {-0.8, 0}}};
    painter.setPen(QPen(QColor(0, 0, 0), 1));
    painter.setBrush(QColor(0, 160, 160));
    for (std::size_t n = 0; n < Offsets.size(); ++n) {
        const double along = 3 + 14.0 * static_cast<double>(n) / (Offsets.size() - 1);
        const QPointF at(along + spread * Offsets[n].first,
                         Size - along + spread * Offsets[n].second);
        painter.drawRect(QRectF(at.x() - 1.5, at.y() - 1.5, 3, 3));
    }
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

QIcon componentsIcon() {
    QPixmap picture(Size, Size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    drawCloud(painter, 2.5);
    painter.setPen(QPen(QColor(200, 0, 0), 1.6));
    painter.drawLine(QPointF(1.5, Size - 1.5), QPointF(Size - 1.5, 1.5));
    painter.setPen(QPen(QColor(0, 0, 200), 1.6));
    painter.drawLine(QPointF(6, 6), QPointF(14, 14));
    return QIcon(picture);
}

QIcon twoChannelDiagramIcon() {
    QPixmap picture(Size, Size);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(QPen(QColor(0, 0, 160), 1));
    painter.drawRect(0, 0, Size - 1, Size - 1);
    drawCloud(painter, 1);
    return QIcon(picture);
}

QIcon restorationIcon() {
    QPixmap picture(Size, Size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath noisy, smooth;
    for (int x = 1; x <= Size - 1; ++x) {
        const double signal = 10 - 6 * std::sin((x - 1) / 18.0 * 2 * std::numbers::pi);
        const QPointF jagged(x, signal + ((x / 2) % 2 ? 3.5 : -3.5));
        const QPointF clean(x, signal);
        if (x == 1) {
            noisy.moveTo(jagged);
            smooth.moveTo(clean);
        } else {
            noisy.lineTo(jagged);
            smooth.lineTo(clean);
        }
    }
    painter.setPen(QPen(QColor(110, 110, 110), 1.2));
    painter.drawPath(noisy);
    painter.setPen(QPen(QColor(0, 0, 200), 2));
    painter.drawPath(smooth);
    return QIcon(picture);
}

} // namespace quelmar
