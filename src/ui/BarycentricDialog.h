#pragma once
// The barycentric-correction dialog: the star's name, looked up in the star catalogue when the
// name box is left, and its coordinates in six boxes. "Calculate" corrects every date of the
// data file, keeping the file as it was in a ".bar" copy, and adds a star typed under a new
// name to the catalogue. The scale box chooses the design's series (BJD_UTC) or ERFA
// (BJD_TDB); the dates box says what the file's dates are, and a file already barycentric is
// refused.

#include "analysis/StarCatalogue.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quelmar {

struct Workbench;
class ShortenedDatesDialog;

class BarycentricDialog : public QDialog {
    Q_OBJECT
public:
    BarycentricDialog(Workbench& workbench, ShortenedDatesDialog& question, QWidget* parent);

    // The name box was left: fills the coordinates of a listed star, or warns that the star
    // will be added.
    void lookUpStar();
    void correctDates();

    // The name last looked up is not in the catalogue: the next correction adds it.
    bool NewStarPending = false;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void layOut();
    void loadCatalogue();
    void showOwnTexts();
    void showRecordedScale();
    void showPosition(const StarPosition& position);
    // The star the six boxes give; nothing when a box is refused or a coordinate is missing
    // (the reason shown).
    std::optional<StarPosition> typedPosition();
    void addPendingStar(const StarPosition& position);

    Workbench& workbench_;
    ShortenedDatesDialog& question_;
    CatalogueLocation catalogue_;
    StarCatalogue stars_;

    QLabel* introLabel_;
    QLabel* coordinatesLabel_;
    QLabel* raAxisLabel_;
    QLabel* raHoursLabel_;
    QLabel* raMinutesLabel_;
    QLabel* raSecondsLabel_;
    QLabel* decAxisLabel_;
    QLabel* decDegreesLabel_;
    QLabel* decMinutesLabel_;
    QLabel* decSecondsLabel_;
    QComboBox* starNameBox_;
    QLabel* scaleLabel_;
    QComboBox* scaleBox_;
    QLabel* datesLabel_;
    QComboBox* datesBox_;
    QLineEdit* raHours_;
    QLineEdit* raMinutes_;
    QLineEdit* raSeconds_;
    QLineEdit* decDegrees_;
    QLineEdit* decMinutes_;
    QLineEdit* decSeconds_;
    QPushButton* calculateButton_;
    QPushButton* cancelButton_;
};

} // namespace quelmar
