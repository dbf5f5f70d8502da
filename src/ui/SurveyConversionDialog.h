#pragma once
// Opening a light curve as a space or survey archive served it (TESS or Kepler FITS, AAVSO or
// ZTF CSV, a table with a header line): the dialog says what the file is, offers the choices
// its format has (band or filter, flux column, magnitudes, time, columns) and writes the
// observation file beside it, never over it; the workbench then opens that file.

#include "survey/SurveyConversion.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quelmar {

struct Workbench;

class SurveyConversionDialog : public QDialog {
    Q_OBJECT
public:
    SurveyConversionDialog(Workbench& workbench, QWidget* parent);

    // Shows the dialog, above the main window that owns it, when the file is one to convert,
    // and says whether it did. An observation file, or one that cannot be read, is left to the
    // ordinary opening.
    bool offer(const QString& path);

signals:
    // The observation file written, to be opened as the data file.
    void converted(const QString& path);

private:
    void createControls();
    void labelControls();
    void showChoicesOf(const SurveyFileOutline& outline);
    ConversionOptions chosenOptions(bool& valid);
    void browse();
    void convert();

    Workbench& workbench_;
    QString source_;
    SurveyFileOutline outline_;

    QLabel* intro_ = nullptr;
    QLabel* bandLabel_ = nullptr;
    QComboBox* band_ = nullptr;
    QLabel* fluxLabel_ = nullptr;
    QComboBox* flux_ = nullptr;
    QCheckBox* magnitude_ = nullptr;
    QLineEdit* zeroPoint_ = nullptr;
    QLabel* timeLabel_ = nullptr;
    QComboBox* time_ = nullptr;
    QLabel* columnsLabel_ = nullptr;
    QLineEdit* columns_ = nullptr;
    QLabel* header_ = nullptr;
    QLabel* outputLabel_ = nullptr;
    QLineEdit* output_ = nullptr;
    QPushButton* browse_ = nullptr;
    QPushButton* convert_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace quelmar
