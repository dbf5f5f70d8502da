#include "LinkLabel.h"

#include <QMouseEvent>

namespace quelmar {

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    setTextColour(Qt::blue);
}

void LinkLabel::setUnderlined(bool underlined) {
    if (underlined == isUnderlined()) return;
    QFont f = font();
    f.setUnderline(underlined);
    setFont(f);
}

void LinkLabel::mouseMoveEvent(QMouseEvent* event) {
    setUnderlined(true);
    event->accept(); // passed on, the dialog would take the underline away again
}

// Wherever the mouse goes from here (another control, another window) the link is left.
void LinkLabel::leaveEvent(QEvent* event) {
    setUnderlined(false);
    QLabel::leaveEvent(event);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    setTextColour(Qt::red);
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    setTextColour(Qt::blue);
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void LinkLabel::setTextColour(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

} // namespace quelmar
