#pragma once
// The light-curve window: the view of the point store under the main window. Its redraw
// loads the store from the curve file whenever the file has changed.

#include <QWidget>

namespace quelmar {

struct Workbench;

class TCurfrm : public QWidget {
    Q_OBJECT
public:
    TCurfrm(Workbench& workbench, QWidget* mainWindow);

    // The redraw: reloads the point store first when it does not hold the curve file.
    void renewclick();
    // Shows the window across the screen below the main window and redraws it.
    void showLaidOut();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void loadCurveFile();

    Workbench& workbench_;
    QWidget* mainWindow_;
};

} // namespace quelmar
