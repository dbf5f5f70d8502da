#pragma once
// The control panel of the light curve: a small tool window above the others with the point
// information of the cursor and buttons for the commands of the curve window. The keys typed
// into it act as in the curve window.

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace quelmar {

struct Workbench;
class CurveWindow;

// The four lines of the point information.
struct PointInformation {
    QString number;   // LPoint
    QString x;        // LX
    QString y;        // LY
    QString inverseX; // L1x
};

class CurvePanel : public QWidget {
    Q_OBJECT
public:
    CurvePanel(Workbench& workbench, CurveWindow& curve);

    void showPointInformation(const PointInformation& information);
    // The view's range in Edit1 and Edit2.
    void showRange(int first, int last);
    void showGoToPoint(int p);
    // The step box reaches up to the number of points.
    void setStepMaximum(int pointCount);
    void showCursorChannel(int channel);
    // The buttons that step through the ranges, hidden until a ranges file is loaded.
    void showRangeCommands();

    int step() const;
    QString firstText() const;
    QString lastText() const;
    QString goToText() const;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* addButton(const char* name, const QString& caption, void (CurveWindow::*command)(),
                           const QString& hint = {});
    QLabel* addLabel(const char* name, const QString& caption);
    QLineEdit* addEdit(const char* name, const QString& text);
    void createControls();

    Workbench& workbench_;
    CurveWindow& curve_;
    QLabel* pointNumberLabel_;
    QLabel* xLabel_;
    QLabel* yLabel_;
    QLabel* inverseXLabel_;
    QSpinBox* stepEdit_;
    QLineEdit* firstPointEdit_;
    QLineEdit* lastPointEdit_;
    QLineEdit* goToPointEdit_;
    std::array<QWidget*, 3> rangeCommands_{};
};

} // namespace quelmar
