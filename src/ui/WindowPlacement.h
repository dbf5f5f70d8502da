#pragma once
// Placing top-level windows by their frames. Under a window manager the title bar and the
// borders belong to the window too: a window placed by its client area has its title bar above
// the screen or its right border past the screen's edge. A frame's size is known only once the
// window manager has framed the window, so until then the frame of a neighbouring window stands
// in, and the window is placed again as the frames become known.

#include <QList>
#include <QMargins>
#include <QRect>

#include <functional>

class QWidget;

namespace quelmar {

// The frame's margins around the client area; empty while the window has no frame (not yet
// shown, or no window manager).
QMargins frameMargins(const QWidget& window);

// Places the window so that its frame fills the rectangle frameOf gives, now and each time its
// own frame or that of one of the neighbours becomes known, until all of them are.
void placeFrame(QWidget& window, std::function<QRect()> frameOf,
                const QList<QWidget*>& neighbours = {});

} // namespace quelmar
