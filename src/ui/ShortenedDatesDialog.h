#pragma once
// The question asked when a data file holds dates below 99999: they may be Julian dates
// shortened by 2400000, and the user gives the number to add to every date (0 for none).

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quelmar {

struct Workbench;

class ShortenedDatesDialog : public QDialog {
    Q_OBJECT
public:
    explicit ShortenedDatesDialog(Workbench& workbench, QWidget* parent = nullptr);

    // Asks, modally above the opener; the offset given, or the previous one when the dialog is
    // closed otherwise.
    double askOffset(QWidget* opener);
    double JdOffset = 0;

private:
    void takeOffset();

    Workbench& workbench_;
    QLabel* questionLabel_;
    QLabel* exampleLabel_;
    QLabel* answerLabel_;
    QLineEdit* epochEdit_;
    QPushButton* okButton_;
};

} // namespace quelmar
