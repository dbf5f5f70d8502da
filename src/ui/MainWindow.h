#pragma once
// The main window: a thin bar across the top of the screen with the menu, the tool bar and the
// banner. It starts every command of the workbench.

#include <QIcon>
#include <QMainWindow>

#include <optional>

class QLabel;
class QMenu;
class QToolButton;

namespace quelmar {

struct Workbench;
class CurveWindow;
class CalendarDialog;
class ManualWindow;
class SettingsDialog;
class AboutBox;
class PeriodSearchDialog;
class ExtremaWindow;
class RestorationDialog;
class TwoChannelDiagramWindow;
class AddObservationsDialog;
class BarycentricDialog;
class PhaseCurveDialog;
class SurveyConversionDialog;
class OcDiagramWindow;

// The windows the main window's commands show; all are created before it is first shown.
struct ShellWindows {
    CurveWindow* curve = nullptr;
    CalendarDialog* calendar = nullptr;
    ManualWindow* help = nullptr;
    SettingsDialog* options = nullptr;
    AboutBox* about = nullptr;
    PeriodSearchDialog* periodSearch = nullptr;
    ExtremaWindow* extrema = nullptr;
    RestorationDialog* restoration = nullptr;
    TwoChannelDiagramWindow* diagram = nullptr;
    AddObservationsDialog* addObservations = nullptr;
    BarycentricDialog* barycentric = nullptr;
    PhaseCurveDialog* phaseCurve = nullptr;
    SurveyConversionDialog* surveyConversion = nullptr;
    OcDiagramWindow* ocDiagram = nullptr;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Workbench& workbench);

    void setWindows(const ShellWindows& windows);
    // Whether the program was started with arguments; without, the about box greets the user.
    void setStartedWithArguments(bool started) { startedWithArguments_ = started; }

    // A file opened as the data file, as File "Open" does once the file is chosen.
    void openDataPath(const QString& path);
    // The data file the file commands work on from now on.
    void chooseDataFile(const QString& path);
    // Argument 1 of the command line, opened like File "Open" with the start-up message.
    void openCommandLineFile(const QString& path);
    // The menus, items and tool buttons that need a data file; nothing disables them again.
    void enableFileCommands();
    bool fileCommandsEnabled() const;
    // Keeps the window above all others while the settings ask for it.
    void applyTopmost();
    // The picture of the current language at the right end of the tool bar; empty when the
    // file is missing or is no picture.
    void setLanguagePicture(const QString& path);

    // Command handlers, named after the controls that call them.
    void openDataFile();
    void openCurveFile();
    void refreshCurve();
    void flipCurve();
    void toggleCurveLines();
    void saveCurvePoints();
    void saveCurvePicture();
    void addObservations();
    void addObservationsFromFile();
    void convertPlateNumbers();
    void correctToBarycentre();
    void searchPeriod();
    void computePhaseCurve();
    void findExtrema();
    void showOcDiagram();
    void connectRanges();
    void showPreviousRange();
    void showNextRange();
    // The items that step through the ranges, hidden until a ranges file is loaded.
    void showRangeCommands();
    void showPrincipalComponents();
    void restoreSignal();
    void showTwoChannelDiagram();
    void editDataFile();
    void showCalendar();
    void startCalculator();
    void exitProgram();
    void showSettings();
    void showManual();
    // Loads the manual of the current language unless the window already holds it.
    void loadManual();
    void showAbout();

signals:
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void createToolBar();
    QAction* addCommand(QMenu* menu, const char* name, const QString& caption,
                        void (MainWindow::*handler)(), const QKeySequence& shortcut = {});
    QToolButton* addToolButton(const char* name, const QString& hint, const QIcon& icon,
                               void (MainWindow::*handler)());
    void prepareFirstShow();
    QList<QAction*> fileActions() const;
    void setFileCommandsEnabled(bool enabled);
    // Runs the shared open dialog; the chosen path, or empty when cancelled.
    QString chooseFile();
    // Counts the channels of a file; the reason when it cannot be read.
    std::optional<int> readChannelCount(const QString& path, QString* reason) const;
    void showDataFile(const QString& path, int channels);
    void setFileCaption(const QString& path);

    Workbench& workbench_;
    ShellWindows windows_;
    bool startedWithArguments_ = false;
    bool shown_ = false;
    QList<QWidget*> fileCommands_;
    QList<QAction*> fileActions_;
    QList<QAction*> rangeActions_; // hidden until a ranges file is loaded
    QList<QMenu*> fileMenus_;
    QLabel* banner_ = nullptr;
    QLabel* languagePicture_ = nullptr;
};

} // namespace quelmar
