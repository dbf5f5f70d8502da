#include "CaptionFit.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace quelmar {

namespace {

// A window manager's title bar: a window icon on one side, the minimise, maximise and close
// buttons on the other. The caption is centred on the window, so the wider side counts twice.
constexpr int TitleBarButtonsWidth = 2 * 68;

// Extra width given to a window whose layout fixes its size, as side margins around the layout.
constexpr const char* CaptionPaddingProperty = "quelmarCaptionPadding";

bool isFramedWindow(const QWidget& widget) {
    const Qt::WindowType type = widget.windowType();
    return widget.isWindow() && (type == Qt::Window || type == Qt::Dialog || type == Qt::Tool);
}

bool hasFixedWidth(const QWidget& window) {
    const QLayout* layout = window.layout();
    return window.minimumWidth() == window.maximumWidth() ||
           (layout && layout->sizeConstraint() == QLayout::SetFixedSize);
}

// A layout that fixes the window's size to its own sets the size again whenever it is laid out:
// the window is widened by side margins, which the layout counts as its own.
void padFixedLayout(QWidget& window, QLayout& layout, int needed) {
    const int padding = window.property(CaptionPaddingProperty).toInt();
    const QMargins margins = window.contentsMargins();
    const int bare = layout.totalSizeHint().width() - padding;
    const int extra = std::max(0, needed - bare);
    if (extra == padding) return;
    window.setContentsMargins(margins.left() - padding / 2 + extra / 2, margins.top(),
                              margins.right() - (padding - padding / 2) + (extra - extra / 2),
                              margins.bottom());
    window.setProperty(CaptionPaddingProperty, extra);
    layout.activate();
}

class CaptionFitter : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool shown = event->type() == QEvent::Show;
        const bool retitled = event->type() == QEvent::WindowTitleChange;
        if ((shown || retitled) && watched->isWidgetType()) {
            auto* window = static_cast<QWidget*>(watched);
            // A window the user can widen grows only as it is shown: its caption may follow
            // the mouse, and the window should not.
            if (isFramedWindow(*window) &&
                (shown || (window->isVisible() && hasFixedWidth(*window))))
                fitCaption(*window);
        }
        return false;
    }
};

} // namespace

int captionFrameWidth(const QWidget& window) {
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(window.windowTitle()) + TitleBarButtonsWidth;
}

void fitCaption(QWidget& window) {
    int needed = captionFrameWidth(window);
    if (const QScreen* screen = window.screen())
        needed = std::min(needed, screen->availableGeometry().width());
    if (QLayout* layout = window.layout();
        layout && layout->sizeConstraint() == QLayout::SetFixedSize)
        return padFixedLayout(window, *layout, needed);
    if (window.width() >= needed) return;
    if (window.minimumWidth() == window.maximumWidth())
        window.setFixedWidth(needed);
    else
        window.resize(needed, window.height());
}

std::unique_ptr<QObject> fitCaptionsOfWindows() {
    auto fitter = std::make_unique<CaptionFitter>();
    qApp->installEventFilter(fitter.get());
    return fitter;
}

} // namespace quelmar
