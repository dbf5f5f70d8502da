#pragma once
// Partial restoration of the signal: the dialog shows the last decomposition (each channel's
// loadings, each component's singular value and share of the variance) and a list of the
// components to keep; OK rebuilds the channels the light curve shows from the ticked ones.

#include <QDialog>
#include <QStringList>

#include <vector>

class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace quelmar {

struct Workbench;
class CurveWindow;

class RestorationDialog : public QDialog {
    Q_OBJECT
public:
    RestorationDialog(Workbench& workbench, CurveWindow& curve, QWidget* parent);

    // The command: refused with a message unless the light curve shows the components of the
    // last decomposition; otherwise shows the dialog modally with every component ticked.
    void showDecomposition();

private:
    void fill();
    void fitReport(const QStringList& report);
    void restoreTicked();
    // Tells the user why the restoration cannot be made now; false when it can.
    bool refused();

    Workbench& workbench_;
    CurveWindow& curve_;
    QPlainTextEdit* decompositionText_;
    QListWidget* componentsList_;
    QPushButton* restoreButton_;
    QPushButton* cancelButton_;
};

} // namespace quelmar
