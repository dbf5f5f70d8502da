#pragma once
// A label that acts as a link: hand cursor, blue text, underlined while the mouse moves over
// it and no longer once it has left, red while a mouse button is held on it, blue again on
// release.

#include <QLabel>

namespace quelmar {

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

    void setUnderlined(bool underlined);
    bool isUnderlined() const { return font().underline(); }
    QColor textColour() const { return palette().color(QPalette::WindowText); }

signals:
    // A left-button release over the label, as a click on a link.
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setTextColour(const QColor& colour);
};

} // namespace quelmar
