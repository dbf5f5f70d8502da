#pragma once
// Windows as wide as their captions. A window manager cuts a caption that is wider than the
// title bar leaves room for; the design's window sizes were made for other fonts, so a window
// whose caption would be cut grows to it when it is shown, and a window of fixed width also
// whenever its caption changes.

#include <memory>

class QObject;
class QWidget;

namespace quelmar {

// The width the window's frame needs for its caption whole: the caption in the title bar's
// font (the application's in bold stands in, as the window manager's is not known) and room
// for the title bar's buttons.
int captionFrameWidth(const QWidget& window);

// Widens the window to its caption, never beyond its screen.
void fitCaption(QWidget& window);

// Keeps every window of the application as wide as its caption, for as long as the object
// returned lives.
std::unique_ptr<QObject> fitCaptionsOfWindows();

} // namespace quelmar
