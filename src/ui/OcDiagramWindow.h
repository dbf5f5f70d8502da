#pragma once
// The O−C window: a list of times of extremum, an ephemeris and the fits to make. Compute
// counts the cycles, fits the ephemerides, writes the O−C file as the command line's oc does
// and has the light curve show it; the results stay in the window.

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quelmar {

struct Workbench;
class CurveWindow;
struct OcDiagramResult;

class OcDiagramWindow : public QWidget {
    Q_OBJECT
public:
    OcDiagramWindow(Workbench& workbench, CurveWindow& curve, QWidget* parent);

    // Shows the window in front, the list proposed for the current data file.
    void showWindow();
    void browseList();
    void compute();
    // The window's texts in the interface's language.
    void labelControls();

    // The list proposed for a data file: extrema.txt beside it, else the one the workbench
    // saves in the working folder, else the data file itself.
    static QString proposedList(const QString& dataFile);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The field is selected for the user to correct, after its message.
    void refuseField(QWidget* field, const QString& reason);
    void showResults(const OcDiagramResult& diagram);

    Workbench& workbench_;
    CurveWindow& curve_;
    QString listProposedFor_; // the data file the list field was last proposed for
    QLabel* listLabel_;
    QLabel* epochLabel_;
    QLabel* periodLabel_;
    QLabel* fitLabel_;
    QLineEdit* listEdit_;
    QLineEdit* epochEdit_;
    QLineEdit* periodEdit_;
    QComboBox* fitBox_;
    QPushButton* browseButton_;
    QPushButton* computeButton_;
    QPlainTextEdit* resultsText_;
};

} // namespace quelmar
