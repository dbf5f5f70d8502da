#include "ModalDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>
#include <QWindow>

namespace quelmar {

namespace {

// The dialog stays owned by the window that created it; the window system sees it as the
// opener's, and a window manager keeps it above the opener.
void prepare(QDialog& dialog, QWidget* opener) {
    dialog.setWindowModality(Qt::ApplicationModal);
    QWidget* parent = opener ? opener->window() : nullptr;
    if (!parent || parent == &dialog) return;
    dialog.winId(); // the dialog's window must exist to be given its parent
    if (dialog.windowHandle() && parent->windowHandle())
        dialog.windowHandle()->setTransientParent(parent->windowHandle());
}

// A window of ours that a modal dialog blocks was activated (a click on it, usually): the
// dialog comes back on top.
class ModalKeeper : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate && watched->isWidgetType()) {
            auto* window = static_cast<QWidget*>(watched);
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && window->isWindow() && window != modal && !modal->isAncestorOf(window))
                QTimer::singleShot(0, modal, [modal] {
                    modal->raise();
                    modal->activateWindow();
                });
        }
        return false;
    }
};

} // namespace

QWidget* commandWindow(QWidget* fallback) {
    QWidget* active = QApplication::activeWindow();
    return active && !active->isModal() ? active : fallback;
}

void showModal(QDialog& dialog, QWidget* opener) {
    prepare(dialog, opener);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}

int runModal(QDialog& dialog, QWidget* opener) {
    prepare(dialog, opener);
    return dialog.exec();
}

std::unique_ptr<QObject> keepModalDialogsAbove() {
    auto keeper = std::make_unique<ModalKeeper>();
    qApp->installEventFilter(keeper.get());
    return keeper;
}

} // namespace quelmar
