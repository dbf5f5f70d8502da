#pragma once
// Adding observations by hand: the comparison stars' magnitudes, the Julian date, up to three
// step estimates "A p v q B" and a comment. "Next" appends the observation to the data file
// and stays for the next one, counting them; "Done" appends it and closes.

#include "core/StepEstimates.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quelmar {

struct Workbench;

class AddObservationsDialog : public QDialog {
    Q_OBJECT
public:
    explicit AddObservationsDialog(Workbench& workbench, QWidget* parent = nullptr);

    void addAndContinue();
    void addAndFinish();

private:
    void createControls();
    void layOut();
    // Appends the observation typed; false when a box is refused or the file cannot be
    // written (the reason shown, nothing written).
    bool appendObservation();
    TypedObservation typedObservation() const;
    QLineEdit* boxOf(ObservationBox box) const;
    QString boxName(ObservationBox box) const;

    Workbench& workbench_;
    // Observations added with "Next" in this run; never reset.
    int entryCount_ = 0;

    QLabel* instructionsLabel_;
    QLabel* instructionsEndLabel_;
    QLabel* julianDateLabel_;
    QLabel* estimatesLabel_;
    QLabel* commentLabel_;
    QLabel* magnitudesLabel_;
    QLabel* starALabel_;
    QLabel* starBLabel_;
    QLineEdit* magnitudeAEdit_;
    QLineEdit* magnitudeBEdit_;
    QLineEdit* julianDateEdit_;
    QLineEdit* estimate1PEdit_;
    QLineEdit* estimate1QEdit_;
    QLineEdit* estimate2PEdit_;
    QLineEdit* estimate2QEdit_;
    QLineEdit* estimate3PEdit_;
    QLineEdit* estimate3QEdit_;
    QLineEdit* commentEdit_;
    QLabel* entryCountLabel_;
    QPushButton* nextButton_;
    QPushButton* doneButton_;
};

} // namespace quelmar
