#pragma once
// The peak list: a small window above the others listing the peaks of a periodogram, best
// first, each with its period refined by a harmonic fit to the data file's observations, the
// fit's error, the statistic and its relation to another peak ("3x of …", an alias). Choosing a
// peak puts the light curve's cursor on its point of the periodogram; Fold writes the data
// file's phase curve by its period and the date of the lowest point (of the best box, after a
// box search) and has the view show it.
// The list opens after a period search and whenever a ".per" file is shown; when the view
// turns to a file that is neither the periodogram nor its phase curve, it is emptied and closed.

#include "analysis/PeriodPeaks.h"

#include <QString>
#include <QWidget>

#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace quelmar {

struct Workbench;
class CurveWindow;

class PeakListWindow : public QWidget {
    Q_OBJECT
public:
    PeakListWindow(Workbench& workbench, CurveWindow& curve, QWidget* mainWindow);

    // Lists the peaks of the periodogram file, fitted to this value column of the data file,
    // and shows the window. A search says which column its periodogram was computed from.
    // The statistic of a file from disk is read from its curve; that of a search is known.
    void listPeriodogram(const QString& path, int column);
    void periodogramSearched(const QString& path, int column, const MethodSettings& method);

    // Writes the rows in the interface's language.
    void showPeaks();
    const std::vector<PeriodPeak>& peaks() const { return peaks_; }
    // The phase curve of the chosen peak's period.
    void foldChosenPeak();

signals:
    // The phase file was written: the light curve shows it, as a phase curve of the dialog.
    void phaseCurveWritten(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createControls();
    void filesChanged();
    void clearPeaks();
    void choosePeak();
    int chosenRow() const;
    QString relationText(const PeriodPeak& peak) const;

    Workbench& workbench_;
    CurveWindow& curve_;
    std::vector<PeriodPeak> peaks_;
    QString periodogram_; // the file the peaks are of, absolute; empty when none is listed
    int column_ = 1;      // the data file's value column they were fitted to
    QString sourceText_;  // what the source label says, kept to be shown again in either language
    QString phaseFile_;   // the phase curve the last Fold wrote
    QString searched_;    // the periodogram of the last search and its column
    int searchedColumn_ = 1;
    MethodSettings searchedMethod_;
    QLabel* sourceLabel_;
    QTableWidget* peakTable_;
    QPushButton* foldButton_;
    QPushButton* closeButton_;
};

} // namespace quelmar
