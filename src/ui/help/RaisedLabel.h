#pragma once
// A label in raised 3D lettering: a light copy of the text one pixel up and left and a dark
// copy one pixel down and right lie under the text itself.

#include <QLabel>

namespace quelmar {

class RaisedLabel : public QLabel {
    Q_OBJECT
public:
    explicit RaisedLabel(const QString& text, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static QColor highlightColour() { return Qt::white; }
    static QColor shadowColour() { return {64, 64, 64}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace quelmar
