#include "WindowPlacement.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <algorithm>

namespace quelmar {

namespace {

const QString PlacerName = QStringLiteral("framePlacer");

// A window that is framed after being placed (or whose neighbour is) gets a move or a resize
// event; a window manager never needs more than a few of them.
constexpr int MostPlacements = 8;

// Places a window again as frames become known; ends itself when they all are.
class FramePlacer : public QObject {
public:
    FramePlacer(QWidget& window, std::function<QRect()> frameOf, const QList<QWidget*>& neighbours)
        : QObject(&window), window_(window), frameOf_(std::move(frameOf)) {
        setObjectName(PlacerName);
        window.installEventFilter(this);
        for (QWidget* neighbour : neighbours) {
            neighbours_ << neighbour;
            neighbour->installEventFilter(this);
        }
    }
    ~FramePlacer() override {
        for (const QPointer<QWidget>& neighbour : std::as_const(neighbours_))
            if (neighbour) neighbour->removeEventFilter(this);
    }

    void place() {
        QMargins margins = frameMargins(window_);
        for (const QPointer<QWidget>& neighbour : std::as_const(neighbours_))
            if (margins.isNull() && neighbour) margins = frameMargins(*neighbour);
        const QRect frame = frameOf_();
        window_.resize(std::max(1, frame.width() - margins.left() - margins.right()),
                       std::max(1, frame.height() - margins.top() - margins.bottom()));
        window_.move(frame.topLeft()); // a top-level window's position is its frame's
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::Move && type != QEvent::Resize && type != QEvent::Show) return false;
        if (placing_) return false;
        placing_ = true;
        if (window_.isVisible() && window_.frameGeometry() != frameOf_()) place();
        placing_ = false;
        if (++placements_ >= MostPlacements || allFramed()) deleteLater();
        return false;
    }

private:
    bool allFramed() const {
        if (frameMargins(window_).isNull()) return false;
        return std::all_of(neighbours_.begin(), neighbours_.end(), [](const QPointer<QWidget>& n) {
            return !n || !frameMargins(*n).isNull();
        });
    }

    QWidget& window_;
    std::function<QRect()> frameOf_;
    QList<QPointer<QWidget>> neighbours_;
    bool placing_ = false;
    int placements_ = 0;
};

} // namespace

QMargins frameMargins(const QWidget& window) {
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

void placeFrame(QWidget& window, std::function<QRect()> frameOf,
                const QList<QWidget*>& neighbours) {
    for (QObject* old : window.findChildren<QObject*>(PlacerName, Qt::FindDirectChildrenOnly))
        delete old;
    auto* placer = new FramePlacer(window, std::move(frameOf), neighbours);
    placer->place();
}

} // namespace quelmar
