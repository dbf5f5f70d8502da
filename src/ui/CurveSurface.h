#pragma once
// The drawing surface of the light-curve window and of the two-channel diagram: it shows the
// picture of the last redraw as it is, and reports the mouse to the window.

#include <QImage>
#include <QWidget>

#include <functional>

namespace quelmar {

class CurveSurface : public QWidget {
    Q_OBJECT
public:
    explicit CurveSurface(QWidget* parent);

    QImage& picture() { return picture_; }
    const QImage& picture() const { return picture_; }

    enum class MouseEvent { Press, Release, Move };
    void setMouseHandler(std::function<void(MouseEvent, QPoint)> handler) {
        mouseHandler_ = std::move(handler);
    }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void report(MouseEvent kind, const QMouseEvent* event);

    QImage picture_;
    std::function<void(MouseEvent, QPoint)> mouseHandler_;
};

} // namespace quelmar
