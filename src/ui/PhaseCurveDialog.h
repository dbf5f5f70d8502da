#pragma once
// The phase-curve dialog: the phase file, the epoch and the period. OK folds the data file's
// observations by them, writes the phase file and has the light curve show it.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quelmar {

struct Workbench;

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
    QLabel* Label4;
    QLabel* Label2;
    QLabel* Label3;
    QLineEdit* fned;
    QLineEdit* eped;
    QLineEdit* pered;
    QPushButton* Button1;
    QPushButton* OKbtn;
    QPushButton* Canbtn;
};

} // namespace quelmar
