#pragma once
// The light-curve window: the view of the point store under the main window. Its redraw
// loads the store from the curve file whenever the file has changed, draws the curve into a
// picture of the client area's size and shows it; a red mark points at the cursor point.
// The keys, the mouse and the control panel move the cursor and the view and edit points.

#include "core/PointStore.h"
#include "core/TimeScale.h"
#include "plot/CurveGeometry.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;

namespace quelmar {

struct Workbench;
class CurveSurface;
class CurvePanel;
class ExtremaWindow;
class PictureExportDialog;

class CurveWindow : public QWidget {
    Q_OBJECT
public:
    CurveWindow(Workbench& workbench, QWidget* mainWindow);

    void setControlPanel(CurvePanel* panel) { panel_ = panel; }
    // The window whose fit runs at every step through the ranges.
    void setExtremaWindow(ExtremaWindow* extrema) { extrema_ = extrema; }
    void setPictureExport(PictureExportDialog* dialog) { pictureExport_ = dialog; }

    // The redraw: reloads the point store first when it does not hold the curve file.
    void redraw();
    // The caption: the file shown and the time scale recorded for its dates.
    void showCaption();
    // Opens another file in the view: its points are read first, and a file that cannot be
    // read or is refused is reported and leaves the view, its caption and the panel as they
    // were. True when the file is shown.
    bool openCurveFile(const std::string& path, int channels);
    // Before a command reads the view's points from a file again: true when no point edits
    // would be lost, or when the user chose to lose them.
    bool mayDiscardEdits(QWidget* parent);
    // Shows the window across the screen below the main window and redraws it.
    void showLaidOut();
    // Redraws with the options of the settings dialog and puts the cursor on the view's first
    // point.
    void optionsChanged();
    // Puts the cursor mark on point p of the cursor channel; the cursor itself stays.
    void moveCursorMark(int p);
    // Shows or closes the control panel with the window, as the settings now ask.
    void followCurveTools();
    // Shows the information of the cursor point in the control panel.
    void showCursorInformation();
    // Makes p the cursor point, as a pick in the two-channel diagram does: its number in the
    // panel, the mark on it and its information.
    void pickPoint(int p);
    // The picture of the last redraw.
    const QImage& picture() const;
    // Where the last redraw put things.
    const CurveGeometry& curveGeometry() const { return geometry_; }
    // Draws over the picture of the last redraw, at its scales, until the next redraw.
    void drawOverPicture(const std::function<void(QImage&, const CurveGeometry&)>& draw);
    // Puts the cursor mark's top-left corner at a pixel of the picture.
    void placeCursorMark(QPoint topLeft);

    // Ranges: loads a ranges file (the user is told when it cannot), and steps through it,
    // showing each range and fitting the cursor channel over it.
    bool loadRanges(const QString& path);
    void showNextRange();
    void showPreviousRange();

    // Cursor commands.
    void stepForward();
    void stepBack();
    void goToViewStart();
    void goToViewEnd();
    void goToMaximum();
    void goToMinimum();
    void goToPoint(); // leaving the panel's Edit3

    // View commands.
    void flip();
    void toggleLines();
    void showWholeCurve();
    void reloadTypedRange(); // reload with the range typed in the panel
    void rangeEdited();      // leaving the panel's Edit2
    void shiftViewLeft();
    void shiftViewRight();
    void zoom(double factor);

    // Editing commands.
    void hideCursorChannel();
    void smoothCursorPoint(bool everyChannel);
    void deleteCursorPoint();
    void savePoints();
    // Opens the picture dialog for the picture as drawn now, the cursor mark not in it.
    void savePicture();

    // The key table of the window, which the control panel shares.
    void applyKeyTable(const QKeyEvent* event);

signals:
    // A ranges file has been loaded: the commands that step through it appear.
    void rangesLoaded();
    // A point was deleted from the store.
    void pointDeleted();
    // The picture was drawn again from the document, its geometry with it.
    void redrawn();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void loadCurveFile();
    // The points of the file, any lines skipped told; nothing when it is refused (reported).
    std::optional<PointStore> readPoints(const std::string& path, int channels);
    void layOut();
    void showControlPanel();
    void closeControlPanel();
    void showRange();
    // Ends a cursor command: the mark at the cursor, its number in Edit3, its information.
    void cursorMoved();
    void viewShifted(int direction);
    std::optional<std::pair<int, int>> typedRange();
    std::optional<int> integerOf(const QString& text);
    void applyAltKey(int key);
    void applyShiftKey(int key);
    void showCurrentRangeAndFit();
    void applyCtrlKey(int key);
    void applyPlainKey(int key);

    void mousePressed(QPoint position);
    void mouseReleased(QPoint position);
    void mouseMoved(QPoint position);

    Workbench& workbench_;
    QWidget* mainWindow_;
    CurvePanel* panel_ = nullptr;
    ExtremaWindow* extrema_ = nullptr;
    PictureExportDialog* pictureExport_ = nullptr;
    CurveSurface* surface_;
    QLabel* cursorMark_;
    CurveGeometry geometry_;
    // The time scale recorded for the file shown, read when it is loaded; in the caption.
    TimeScale curveScale_ = TimeScale::Unknown;
    int SelectAnchor = 0; // the point hit by the latest mouse press that hit one
};

} // namespace quelmar
