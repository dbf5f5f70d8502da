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

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QLineEdit* smabox;
    QLineEdit* smbbox;
    QLineEdit* JDBox;
    QLineEdit* pbox1;
    QLineEdit* qbox1;
    QLineEdit* pbox2;
    QLineEdit* qbox2;
    QLineEdit* pbox3;
    QLineEdit* qbox3;
    QLineEdit* comment;
    QLabel* numer;
    QPushButton* OKButt;
    QPushButton* finishbutt;
};

} // namespace quelmar
