#include "StartUp.h"

#include "AddObservationsDialog.h"
#include "BarycentricDialog.h"
#include "CalendarDialog.h"
#include "CaptionFit.h"
#include "CommandBoundary.h"
#include "CurvePanel.h"
#include "CurveWindow.h"
#include "ExtremaWindow.h"
#include "LanguageApply.h"
#include "MainWindow.h"
#include "ModalDialogs.h"
#include "OcDiagramWindow.h"
#include "PeakListWindow.h"
#include "PeriodProgressWindow.h"
#include "PeriodSearchDialog.h"
#include "PhaseCurveDialog.h"
#include "PictureExportDialog.h"
#include "RestorationDialog.h"
#include "SettingsDialog.h"
#include "ShortenedDatesDialog.h"
#include "SurveyConversionDialog.h"
#include "TwoChannelDiagramWindow.h"
#include "core/SystemReason.h"
#include "core/WorkingFiles.h"
#include "help/AboutBox.h"
#include "help/ManualWindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

// The window layer is a static library: its resources are registered by hand.
static void initResources() {
    Q_INIT_RESOURCE(quelmar);
}

namespace quelmar {

namespace {

QString languageOf(const QLocale& locale) {
    return locale.language() == QLocale::Russian ? QStringLiteral("ru") : QStringLiteral("en");
}

QIcon applicationIcon() {
    initResources();
    return QIcon(QStringLiteral(":/quelmar.png"));
}

} // namespace

StartUpContext StartUpContext::fromApplication() {
    StartUpContext startUp;
    startUp.arguments = QCoreApplication::arguments().mid(1);
    const QString folder = QCoreApplication::applicationDirPath();
    startUp.placeSettings(folder, QFileInfo(folder).isWritable(),
                          QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    return startUp;
}

void StartUpContext::placeSettings(const QString& folder, bool folderWritable,
                                   const QString& configFolder) {
    const QString name = QStringLiteral("settings.bin");
    executableFolder = folder;
    settingsPath = QDir(folderWritable ? folder : configFolder).filePath(name);
    programSettingsPath = folderWritable ? QString() : QDir(folder).filePath(name);
}

StartUp::StartUp(const StartUpContext& startUp, Desktop& desktop) : workbench_(desktop) {
    workbench_.ExecutableFolder = startUp.executableFolder;
    workbench_.SettingsPath = startUp.settingsPath;
    workbench_.ProgramSettingsPath = startUp.programSettingsPath;
    if (auto* application = dynamic_cast<WorkbenchApplication*>(QCoreApplication::instance()))
        application->watch(&workbench_);
    createWindows();
    loadSettings(startUp);
    applyLanguage();
    mainWindow_->setStartedWithArguments(!startUp.arguments.isEmpty());
    openCommandLine(startUp.arguments);
}

StartUp::~StartUp() {
    if (auto* application = dynamic_cast<WorkbenchApplication*>(QCoreApplication::instance()))
        application->watch(nullptr);
}

void StartUp::createWindows() {
    QApplication::setWindowIcon(applicationIcon());
    modalKeeper_ = keepModalDialogsAbove();
    captionFitter_ = fitCaptionsOfWindows();
    mainWindow_ = std::make_unique<MainWindow>(workbench_);
    curveWindow_ = std::make_unique<CurveWindow>(workbench_, mainWindow_.get());
    addObservations_ = new AddObservationsDialog(workbench_, mainWindow_.get());
    calendar_ = new CalendarDialog(mainWindow_.get());
    shortenedDates_ = new ShortenedDatesDialog(workbench_, mainWindow_.get());
    barycentric_ = new BarycentricDialog(workbench_, *shortenedDates_, mainWindow_.get());
    phaseCurve_ = new PhaseCurveDialog(workbench_, mainWindow_.get());
    periodSearch_ = new PeriodSearchDialog(workbench_, mainWindow_.get());
    manual_ = std::make_unique<ManualWindow>();
    options_ = new SettingsDialog(workbench_, mainWindow_.get());
    periodProgress_ = new PeriodProgressWindow(workbench_, mainWindow_.get());
    periodSearch_->setProgressWindow(periodProgress_);
    controlPanel_ = std::make_unique<CurvePanel>(workbench_, *curveWindow_);
    curveWindow_->setControlPanel(controlPanel_.get());
    extrema_ = new ExtremaWindow(workbench_, *curveWindow_, mainWindow_.get());
    curveWindow_->setExtremaWindow(extrema_);
    peakList_ = new PeakListWindow(workbench_, *curveWindow_, mainWindow_.get());
    QObject::connect(periodSearch_, &PeriodSearchDialog::periodogramWritten, peakList_,
                     &PeakListWindow::periodogramSearched);
    // A fold of the list is shown as a phase curve of the dialog is.
    QObject::connect(peakList_, &PeakListWindow::phaseCurveWritten, phaseCurve_,
                     &PhaseCurveDialog::phaseCurveWritten);
    diagram_ = new TwoChannelDiagramWindow(workbench_, *curveWindow_, mainWindow_.get());
    restoration_ = new RestorationDialog(workbench_, *curveWindow_, mainWindow_.get());
    pictureExport_ = new PictureExportDialog(workbench_, mainWindow_.get());
    curveWindow_->setPictureExport(pictureExport_);
    about_ = new AboutBox(applicationIcon(), mainWindow_.get());
    about_->setMessageShower([this](const QString& caption, const QString& text) {
        workbench_.desktop.showMessageAboveAll(MessageKind::Error, caption, text);
    });
    surveyConversion_ = new SurveyConversionDialog(workbench_, mainWindow_.get());
    ocDiagram_ = new OcDiagramWindow(workbench_, *curveWindow_, mainWindow_.get());
    mainWindow_->setWindows({curveWindow_.get(), calendar_, manual_.get(), options_, about_,
                             periodSearch_, extrema_, restoration_, diagram_, addObservations_,
                             barycentric_, phaseCurve_, surveyConversion_, ocDiagram_});
    QObject::connect(surveyConversion_, &SurveyConversionDialog::converted, mainWindow_.get(),
                     &MainWindow::openDataPath);

    QObject::connect(mainWindow_.get(), &MainWindow::closed, qApp, &QCoreApplication::quit);
    QObject::connect(curveWindow_.get(), &CurveWindow::rangesLoaded, mainWindow_.get(), [this] {
        mainWindow_->showRangeCommands();
        controlPanel_->showRangeCommands();
    });
    // The settings dialog shows the first term count the best fit chose.
    QObject::connect(extrema_, &ExtremaWindow::firstTermCountChosen, options_,
                     &SettingsDialog::showFirstTermCount);
    QObject::connect(curveWindow_.get(), &CurveWindow::pointDeleted, diagram_,
                     &TwoChannelDiagramWindow::renew);
    QObject::connect(options_, &SettingsDialog::optionsClosed, options_, [this] {
        if (!workbench_.document.files().CurveFileName.empty()) curveWindow_->optionsChanged();
    });
    QObject::connect(options_, &SettingsDialog::curveToolsToggled, options_, [this](bool shown) {
        workbench_.ShowCurveTools = shown;
        curveWindow_->followCurveTools();
    });
    QObject::connect(options_, &SettingsDialog::settingsConfirmed, options_, [this] {
        mainWindow_->applyTopmost();
        applyLanguage();
        // The language's captions of the light-curve window and of the panel's point number
        // stand only until a file is shown.
        if (const std::string& shown = workbench_.document.files().CurveFileName; !shown.empty()) {
            curveWindow_->showCaption();
            curveWindow_->showCursorInformation();
        }
    });
}

void StartUp::loadSettings(const StartUpContext& startUp) {
    const bool hadFile = options_->loadSettings();
    // A first start speaks the language of the system rather than asking for one.
    if (!hadFile && workbench_.settings.LanguageName.empty())
        workbench_.settings.LanguageName = languageOf(startUp.systemLocale).toStdString();
}

QList<QWidget*> StartUp::labelledWindows() const {
    return {mainWindow_.get(),
            curveWindow_.get(),
            calendar_,
            manual_.get(),
            options_,
            controlPanel_.get(),
            about_,
            periodSearch_,
            periodProgress_,
            extrema_,
            restoration_,
            diagram_,
            addObservations_,
            shortenedDates_,
            barycentric_,
            phaseCurve_,
            peakList_};
}

void StartUp::applyOwnTexts() {
    const InterfaceLanguage language = workbench_.interfaceLanguage();
    quelmar::applyOwnTexts(language, labelledWindows());
    workbench_.desktop.setLanguage(language);
    about_->setLanguage(language);
    ocDiagram_->labelControls();
    manual_->setLanguage(language);
    peakList_->showPeaks();
    // Month and day names in the interface's language, not the system's.
    calendar_->setLocale(
        QLocale(language == InterfaceLanguage::Russian ? QLocale::Russian : QLocale::English));
}

void StartUp::applyLanguage() {
    applyOwnTexts();
    const QString language = workbench_.languageName();
    const QString path = language.isEmpty() ? QString() : workbench_.lookUp(language + ".lng");
    if (path.isEmpty()) {
        workbench_.desktop.showMessage(mainWindow_.get(), MessageKind::Error,
                                       workbench_.say(message::MissingLanguageCaption),
                                       workbench_.say(message::MissingLanguage));
        options_->chooseLanguage();
        return;
    }
    if (!runCommand(workbench_, mainWindow_.get(), path,
                    [&] { workbench_.language.load(path.toStdString()); }))
        return;
    applyLanguageRows(workbench_.language, labelledWindows());
    about_->setDescription(workbench_.text(LanguageLine::AboutDescription1),
                           workbench_.text(LanguageLine::AboutDescription2),
                           workbench_.text(LanguageLine::AboutDescription3));
    workbench_.openDialog.title = workbench_.text(LanguageLine::OpenDialogTitle);
    workbench_.openDialog.filter = withSurveyFiles(workbench_.text(LanguageLine::OpenDialogFilter),
                                                   workbench_.say(message::SurveyFilesFilter));
    mainWindow_->setLanguagePicture(workbench_.lookUp(language + ".jpg"));
    if (manual_->isVisible()) mainWindow_->loadManual();
}

void StartUp::openCommandLine(const QStringList& arguments) {
    // The light-curve window reads the ranges of argument 2 whenever it is shown.
    if (arguments.size() >= 2) workbench_.document.setRangesFileName(arguments[1].toStdString());
    if (arguments.size() >= 1) mainWindow_->openCommandLineFile(arguments[0]);
    if (arguments.size() >= 2) {
        if (!QFileInfo::exists(arguments[1]))
            workbench_.reportError(mainWindow_.get(),
                                   workbench_.text(LanguageLine::CommandLineRangesMissing) +
                                       QLatin1Char('\n') + arguments[1]);
    }
}

void StartUp::show() {
    if (!mainWindow_->isVisible()) mainWindow_->show();
}

int runWorkbench(int argc, char** argv) {
    reportFileSizeLimitAsFailure();
    WorkbenchApplication application(argc, argv);
    // After the application is made, so that a handler Qt installed would be seen and kept.
    removeWorkingFilesOnSignals();
    QApplication::setApplicationName(QStringLiteral("quelmar"));
    Desktop desktop;
    StartUp workbench(StartUpContext::fromApplication(), desktop);
    workbench.show();
    return QApplication::exec();
}

} // namespace quelmar
