#pragma once
// The start-up unit: creates the state and every window once, in a fixed order, reads the
// settings, applies the language and opens the files named on the command line.

#include "Workbench.h"

#include <QLocale>
#include <QStringList>

#include <memory>

namespace quelmar {

class AboutBox;
class CurveWindow;
class PeriodProgressWindow;
class ManualWindow;
class SettingsDialog;
class PeriodSearchDialog;
class MainWindow;
class CalendarDialog;
class CurvePanel;
class ExtremaWindow;
class RestorationDialog;
class TwoChannelDiagramWindow;
class PictureExportDialog;
class AddObservationsDialog;
class ShortenedDatesDialog;
class BarycentricDialog;
class PhaseCurveDialog;
class SurveyConversionDialog;
class OcDiagramWindow;
class PeakListWindow;

struct StartUpContext {
    QStringList arguments; // the command line without the program's name
    QString executableFolder;
    QString settingsPath;        // settings.bin, read and written
    QString programSettingsPath; // read while settingsPath does not exist; empty for none
    QLocale systemLocale = QLocale::system();

    // What the program itself uses: settings.bin beside the executable, or in the user's
    // configuration folder when the executable's folder is not writable.
    static StartUpContext fromApplication();
    // The settings files for an executable's folder: beside it when it is writable; otherwise
    // the user's copy in configFolder, read in preference to the one beside the executable.
    void placeSettings(const QString& executableFolder, bool folderWritable,
                       const QString& configFolder);
};

class StartUp {
public:
    StartUp(const StartUpContext& startUp, Desktop& desktop);
    ~StartUp();
    StartUp(const StartUp&) = delete;
    StartUp& operator=(const StartUp&) = delete;

    // Shows the main window unless the command line has already done so.
    void show();

    // Reads the language file of the current language into the table and every window.
    void applyLanguage();
    // The windows whose texts the language sets.
    QList<QWidget*> labelledWindows() const;

    Workbench& workbench() { return workbench_; }
    MainWindow& mainWindow() { return *mainWindow_; }
    CurveWindow& curveWindow() { return *curveWindow_; }
    CalendarDialog& calendar() { return *calendar_; }
    ManualWindow& manual() { return *manual_; }
    SettingsDialog& options() { return *options_; }
    CurvePanel& controlPanel() { return *controlPanel_; }
    AboutBox& about() { return *about_; }
    PeriodSearchDialog& periodSearch() { return *periodSearch_; }
    AddObservationsDialog& addObservations() { return *addObservations_; }
    ShortenedDatesDialog& shortenedDates() { return *shortenedDates_; }
    BarycentricDialog& barycentric() { return *barycentric_; }
    PhaseCurveDialog& phaseCurve() { return *phaseCurve_; }
    PeriodProgressWindow& periodProgress() { return *periodProgress_; }
    ExtremaWindow& extrema() { return *extrema_; }
    TwoChannelDiagramWindow& diagram() { return *diagram_; }
    RestorationDialog& restoration() { return *restoration_; }
    PictureExportDialog& pictureExport() { return *pictureExport_; }
    SurveyConversionDialog& surveyConversion() { return *surveyConversion_; }
    OcDiagramWindow& ocDiagram() { return *ocDiagram_; }
    PeakListWindow& peakList() { return *peakList_; }

private:
    void createWindows();
    void loadSettings(const StartUpContext& startUp);
    void openCommandLine(const QStringList& arguments);
    // The texts of our own, in the language the settings name.
    void applyOwnTexts();

    Workbench workbench_;
    std::unique_ptr<QObject> modalKeeper_;
    std::unique_ptr<QObject> captionFitter_;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<CurveWindow> curveWindow_;
    std::unique_ptr<ManualWindow> manual_;
    std::unique_ptr<CurvePanel> controlPanel_;
    // Dialogs owned by the main window.
    CalendarDialog* calendar_ = nullptr;
    SettingsDialog* options_ = nullptr;
    PeriodSearchDialog* periodSearch_ = nullptr;
    AddObservationsDialog* addObservations_ = nullptr;
    ShortenedDatesDialog* shortenedDates_ = nullptr;
    BarycentricDialog* barycentric_ = nullptr;
    PhaseCurveDialog* phaseCurve_ = nullptr;
    PeriodProgressWindow* periodProgress_ = nullptr;
    ExtremaWindow* extrema_ = nullptr;
    TwoChannelDiagramWindow* diagram_ = nullptr;
    RestorationDialog* restoration_ = nullptr;
    AboutBox* about_ = nullptr;
    SurveyConversionDialog* surveyConversion_ = nullptr;
    OcDiagramWindow* ocDiagram_ = nullptr;
    PeakListWindow* peakList_ = nullptr;
    // Owned by the window it was last opened from.
    PictureExportDialog* pictureExport_ = nullptr;
};

// The program: the application, the start-up and the message loop.
int runWorkbench(int argc, char** argv);

} // namespace quelmar
