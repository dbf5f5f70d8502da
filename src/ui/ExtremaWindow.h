#pragma once
// The results of the polynomial fits of extrema: a small window above the others listing, one
// line per term count, the moment and value of the extremum with their errors, and the timings
// of the range by Kwee–van Woerden and the symmetric polynomial. It draws a
// line's fit over the light curve, saves lines to extrema.txt in the working folder and
// subtracts a fit from the points in memory. The fits themselves are run here too, for the
// command "Extrema" and for every step through the ranges.

#include "analysis/ExtremumLines.h"

#include <QWidget>

#include <optional>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace quelmar {

struct Workbench;
class CurveWindow;

class ExtremaWindow : public QWidget {
    Q_OBJECT
public:
    ExtremaWindow(Workbench& workbench, CurveWindow& curve, QWidget* mainWindow);

    // The command "Extrema": redraws the light curve, fits every shown channel over the view
    // and lists the lines of the last one.
    void findExtrema();
    // Fits one channel over the view, as each step through the ranges does.
    void fitChannel(int c);

    const std::vector<ExtremumLine>& lines() const { return lines_; }

signals:
    // The best term count has become the first term count of the fits.
    void firstTermCountChosen(int terms);

protected:
    bool event(QEvent* event) override;

private:
    void createControls();
    void fitChannels(const std::vector<int>& channels);
    void showLines(std::vector<ExtremumLine> lines);
    void chooseBestTermCount(const ChannelFit& fit);
    void enableLineCommands();
    std::optional<ExtremumLine> selectedLine() const;
    // Draws the fits of a line's term count and run for every shown channel that has one;
    // the cursor mark goes to the extremum of the line's channel.
    void drawFitsOf(const ExtremumLine& line);

    void drawSelectedFit();
    void drawAllFits();
    void checkExtremaFile() const;
    void saveSelectedLine();
    void saveAllLines();
    void clearLines();
    void subtractSelectedFit();
    // The lines listed are of the file shown: when another file is read they are cleared.
    void pointsChanged();

    Workbench& workbench_;
    CurveWindow& curve_;
    std::vector<ExtremumLine> lines_;
    std::string listedFile_; // the file whose points the listed lines were fitted to
    QLabel* listedSource_;   // which channel of which file the lines are of
    QListWidget* resultsList_;
    QLabel* leftOut_;
    QPushButton* saveButton_;
    QPushButton* subtractButton_;
};

} // namespace quelmar
