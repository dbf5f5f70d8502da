#pragma once
// The phase-curve dialog: the phase file, the epoch and the period. OK folds the data file's
// observations by them, writes the phase file and has the light curve show it.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quelmar {

struct Workbench;

// Folds the current data file by the epoch and the period into the phase file at `output`, which
// must be no file the workbench reads. False, the failure shown over parent, when it is refused.
bool writeWorkbenchPhaseCurve(const Workbench& workbench, QWidget* parent, const QString& output,
                              double epoch, double period);

class PhaseCurveDialog : public QDialog {
    Q_OBJECT
public:
    explicit PhaseCurveDialog(Workbench& workbench, QWidget* parent = nullptr);

    void browsePhaseFile();
    void computePhaseCurve();

signals:
    // The phase file was written: the light curve shows it, its first two numbers after the
    // phase as its channels.
    void phaseCurveWritten(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void proposeFields();
    // The epoch and period typed, or nothing when a field is refused (the reason shown).
    bool readElements(double& epoch, double& period);

    Workbench& workbench_;
    QLabel* phaseFileLabel_;
    QLabel* epochLabel_;
    QLabel* periodLabel_;
    QLineEdit* phaseFileEdit_;
    QLineEdit* epochEdit_;
    QLineEdit* periodEdit_;
    QPushButton* browseButton_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

} // namespace quelmar
