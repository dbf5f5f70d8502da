#pragma once
// Modal dialogs of the workbench: modal to the whole application (while one is open, no other
// window of ours takes keys or clicks), parented to the window that opened them so that a
// window manager keeps them above it, and raised again when the user clicks another window of
// ours, so a dialog never hides behind the light curve and leaves the program looking frozen.

#include <memory>

class QDialog;
class QObject;
class QWidget;

namespace quelmar {

// The window a command was given in: the active window of ours, else the fallback.
QWidget* commandWindow(QWidget* fallback);

// Shows the dialog modally above the opener and returns at once.
void showModal(QDialog& dialog, QWidget* opener);
// Runs the dialog modally above the opener; its result.
int runModal(QDialog& dialog, QWidget* opener);

// Keeps the open modal dialog above the windows it blocks, for as long as the object returned
// lives.
std::unique_ptr<QObject> keepModalDialogsAbove();

} // namespace quelmar
