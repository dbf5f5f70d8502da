#include "RaisedLabel.h"

#include <QPainter>

namespace quelmar {

namespace {
constexpr QSize offsetRoom(2, 2); // room for the two offset copies
} // namespace

RaisedLabel::RaisedLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

QSize RaisedLabel::sizeHint() const {
    return QLabel::sizeHint() + offsetRoom;
}

QSize RaisedLabel::minimumSizeHint() const {
    return QLabel::minimumSizeHint() + offsetRoom;
}

void RaisedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const QRect area = contentsRect().adjusted(1, 1, -1, -1);
    painter.setPen(highlightColour());
    painter.drawText(area.translated(-1, -1), static_cast<int>(alignment()), text());
    painter.setPen(shadowColour());
    painter.drawText(area.translated(1, 1), static_cast<int>(alignment()), text());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(area, static_cast<int>(alignment()), text());
}

} // namespace quelmar
