#include "MainWindow.h"

#include "AddObservationsDialog.h"
#include "BarycentricDialog.h"
#include "CalendarDialog.h"
#include "CommandBoundary.h"
#include "ComponentsCommand.h"
#include "CurveWindow.h"
#include "EditorCommand.h"
#include "EstimatesImport.h"
#include "ExtremaWindow.h"
#include "ModalDialogs.h"
#include "OcDiagramWindow.h"
#include "PeriodSearchDialog.h"
#include "PhaseCurveDialog.h"
#include "PlateNumbersCommand.h"
#include "RestorationDialog.h"
#include "SettingsDialog.h"
#include "SurveyConversionDialog.h"
#include "ToolIcons.h"
#include "TwoChannelDiagramWindow.h"
#include "WindowPlacement.h"
#include "Workbench.h"
#include "help/AboutBox.h"
#include "help/ManualWindow.h"

#include "core/ObservationFile.h"
#include "core/TextFile.h"
#include "core/Version.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace quelmar {

namespace {

// The banner: the product, its version and edition with a blank between all letters.
const QString BannerText =
    QStringLiteral("Q u e l m a r   v .  %1   A L T U S").arg(QLatin1String(VersionSpaced));
const QString DesignCaption = QStringLiteral("Quelmar v.%1 ALTUS").arg(VersionMajor);

// Calculators of the usual desktops, the first one installed is started.
const QStringList Calculators = {
    QStringLiteral("gnome-calculator"),
    QStringLiteral("kcalc"),
    QStringLiteral("qalculate-qt"),
    QStringLiteral("qalculate-gtk"),
    QStringLiteral("galculator"),
    QStringLiteral("mate-calc"),
    QStringLiteral("xfce4-calculator"),
    QStringLiteral("speedcrunch"),
    QStringLiteral("xcalc"),
};

} // namespace

MainWindow::MainWindow(Workbench& workbench) : workbench_(workbench) {
    setObjectName(QStringLiteral("TQMRMainwin"));
    setWindowTitle(DesignCaption);
    // A bar of fixed height: the system menu and the minimise button, no maximising.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    createMenus();
    createToolBar();
    setCentralWidget(new QWidget(this));
    centralWidget()->setFixedHeight(0);
    setFileCommandsEnabled(false);
}

QAction* MainWindow::addCommand(QMenu* menu, const char* name, const QString& caption,
                                void (MainWindow::*handler)(), const QKeySequence& shortcut) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    // The commands' keys act in every window of the workbench, unless a dialog is modal.
    action->setShortcutContext(Qt::ApplicationShortcut);
    addAction(action);
    connect(action, &QAction::triggered, this, handler);
    menu->addAction(action);
    return action;
}

void MainWindow::createMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Файл"));
    file->setObjectName(QStringLiteral("File1"));
    addCommand(file, "FileOpenItem", QStringLiteral("Открыть"), &MainWindow::openDataFile,
               QKeySequence(Qt::CTRL | Qt::Key_O));
    addCommand(file, "N6", QStringLiteral("Сохранить"), &MainWindow::saveCurvePoints,
               QKeySequence(Qt::CTRL | Qt::Key_S));
    QMenu* run = file->addMenu(QStringLiteral("Запустить"));
    run->setObjectName(QStringLiteral("N1"));
    fileActions_ << addCommand(run, "launch", QStringLiteral("Текстовый редактор"),
                               &MainWindow::editDataFile, QKeySequence(Qt::CTRL | Qt::Key_F));
    addCommand(run, "calendbutt", QStringLiteral("Календарь"), &MainWindow::showCalendar);
    addCommand(run, "Calc", QStringLiteral("Калькулятор"), &MainWindow::startCalculator);
    addCommand(file, "FileExitItem", QStringLiteral("Выход"), &MainWindow::exitProgram);

    QMenu* data = menuBar()->addMenu(QStringLiteral("Данные"));
    data->setObjectName(QStringLiteral("data1"));
    fileMenus_ << data;
    addCommand(data, "Dataadd", QStringLiteral("Добавить"), &MainWindow::addObservations,
               QKeySequence(Qt::CTRL | Qt::Key_D));
    addCommand(data, "Dataaddfile", QStringLiteral("Добавить из файла"),
               &MainWindow::addObservationsFromFile, QKeySequence(Qt::CTRL | Qt::Key_J));
    addCommand(data, "njdbutt", QStringLiteral("Преобразовать номера пластин в JD"),
               &MainWindow::convertPlateNumbers, QKeySequence(Qt::CTRL | Qt::Key_N));
    addCommand(data, "countbarbut", QStringLiteral("Расчитать барицентрическую поправку"),
               &MainWindow::correctToBarycentre, QKeySequence(Qt::CTRL | Qt::Key_B));
    addCommand(data, "perbut1", QStringLiteral("Расчитать период"), &MainWindow::searchPeriod,
               QKeySequence(Qt::CTRL | Qt::Key_P));
    addCommand(data, "phasbutt", QStringLiteral("Расчитать фазовую кривую"),
               &MainWindow::computePhaseCurve, QKeySequence(Qt::CTRL | Qt::Key_A));
    addCommand(data, "N5", QStringLiteral("Моменты экстремумов"), &MainWindow::findExtrema,
               QKeySequence(Qt::CTRL | Qt::Key_M));
    addCommand(data, "N_OC", QString::fromUtf8(designText(message::OcCaption)),
               &MainWindow::showOcDiagram);
    addCommand(data, "N7", QStringLiteral("Главные компоненты"),
               &MainWindow::showPrincipalComponents);
    addCommand(data, "N8", QStringLiteral("Частичное восстановление сигнала"),
               &MainWindow::restoreSignal);

    QMenu* graph = menuBar()->addMenu(QStringLiteral("График"));
    graph->setObjectName(QStringLiteral("graph1"));
    fileMenus_ << graph;
    addCommand(graph, "Grf1", QStringLiteral("Открыть..."), &MainWindow::openCurveFile,
               QKeySequence(Qt::CTRL | Qt::Key_G));
    addCommand(graph, "grfrenew", QStringLiteral("Обновить"), &MainWindow::refreshCurve);
    addCommand(graph, "grfperev", QStringLiteral("Перевернуть"), &MainWindow::flipCurve,
               QKeySequence(Qt::CTRL | Qt::Key_R));
    addCommand(graph, "grflines", QStringLiteral("Линии"), &MainWindow::toggleCurveLines,
               QKeySequence(Qt::CTRL | Qt::Key_L));
    addCommand(graph, "colcol1", QStringLiteral("Двуканальные диаграммы"),
               &MainWindow::showTwoChannelDiagram);
    // Ctrl+S is File "Save"'s: this item shows no key it does not answer to.
    addCommand(graph, "grfsave", QStringLiteral("Сохранить..."), &MainWindow::saveCurvePicture);
    addCommand(graph, "connranges", QStringLiteral("Подключить файл диапазонов"),
               &MainWindow::connectRanges);
    rangeActions_ = {
        addCommand(graph, "N4", QStringLiteral("Предыдущий диапазон"),
                   &MainWindow::showPreviousRange),
        addCommand(graph, "N2", QStringLiteral("Следующий диапазон"), &MainWindow::showNextRange)};
    for (QAction* command : rangeActions_)
        command->setVisible(false);

    auto* settings = new QAction(QStringLiteral("Настройки"), this);
    settings->setObjectName(QStringLiteral("Optbutt"));
    connect(settings, &QAction::triggered, this, &MainWindow::showSettings);
    menuBar()->addAction(settings);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    addCommand(help, "helpbutt", QStringLiteral("Справка"), &MainWindow::showManual,
               QKeySequence(Qt::Key_F1));
    addCommand(help, "HelpAboutItem", QStringLiteral("О программе..."), &MainWindow::showAbout);
}

QToolButton* MainWindow::addToolButton(const char* name, const QString& hint, const QIcon& icon,
                                       void (MainWindow::*handler)()) {
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setIcon(icon);
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this, handler);
    findChild<QToolBar*>()->addWidget(button);
    return button;
}

void MainWindow::createToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("ToolBar1"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->setIconSize(QSize(20, 20));

    const auto icon = [this](QStyle::StandardPixmap standard) {
        return style()->standardIcon(standard);
    };
    addToolButton("ToolButton1", QStringLiteral("Открыть существующий файл данных"),
                  icon(QStyle::SP_DialogOpenButton), &MainWindow::openDataFile);
    fileCommands_ << addToolButton("ToolButton3", QStringLiteral("Просмотреть график"),
                                   icon(QStyle::SP_FileDialogContentsView),
                                   &MainWindow::openCurveFile);
    fileCommands_ << addToolButton("ToolButton4", QStringLiteral("Редактировать файл"),
                                   icon(QStyle::SP_FileDialogDetailedView),
                                   &MainWindow::editDataFile);
    fileCommands_ << addToolButton("ToolButton11", QStringLiteral("Save to file"),
                                   icon(QStyle::SP_DialogSaveButton), &MainWindow::saveCurvePoints);
    fileCommands_ << addToolButton("ToolButton6", QStringLiteral("Барицентрическая поправка"),
                                   icon(QStyle::SP_ComputerIcon), &MainWindow::correctToBarycentre);
    fileCommands_ << addToolButton("ToolButton7", QStringLiteral("Период изменения блеска"),
                                   periodIcon(), &MainWindow::searchPeriod);
    fileCommands_ << addToolButton("ToolButton8", QStringLiteral("Фазовая кривая"),
                                   icon(QStyle::SP_MediaSeekForward),
                                   &MainWindow::computePhaseCurve);
    fileCommands_ << addToolButton("ToolButton5", QStringLiteral("Экстремумы"), extremumIcon(),
                                   &MainWindow::findExtrema);
    fileCommands_ << addToolButton("ToolButton9", QStringLiteral("Главные компоненты"),
                                   componentsIcon(), &MainWindow::showPrincipalComponents);
    fileCommands_ << addToolButton("ToolButton10", QStringLiteral("Двуканальные диаграммы"),
                                   twoChannelDiagramIcon(), &MainWindow::showTwoChannelDiagram);
    fileCommands_ << addToolButton("ToolButton12",
                                   QStringLiteral("Частичное восстановление сигнала"),
                                   restorationIcon(), &MainWindow::restoreSignal);

    auto* spacer = new QWidget(bar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(spacer);

    banner_ = new QLabel(BannerText, bar);
    banner_->setObjectName(QStringLiteral("Label1"));
    banner_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    banner_->setStyleSheet(QStringLiteral("QLabel { color: blue; font-weight: bold; }"));
    bar->addWidget(banner_);

    languagePicture_ = new QLabel(bar);
    languagePicture_->setObjectName(QStringLiteral("Image1"));
    languagePicture_->setContentsMargins(8, 0, 4, 0);
    bar->addWidget(languagePicture_);
}

QList<QAction*> MainWindow::fileActions() const {
    QList<QAction*> actions = fileActions_;
    // The items are disabled with their menu, since their shortcuts act from the main window.
    for (QMenu* menu : fileMenus_)
        actions << menu->menuAction() << menu->actions();
    return actions;
}

void MainWindow::setFileCommandsEnabled(bool enabled) {
    for (QWidget* command : std::as_const(fileCommands_))
        command->setEnabled(enabled);
    for (QAction* command : fileActions())
        command->setEnabled(enabled);
}

void MainWindow::enableFileCommands() {
    setFileCommandsEnabled(true);
}

bool MainWindow::fileCommandsEnabled() const {
    const QList<QAction*> actions = fileActions();
    // A hidden action never reports itself enabled.
    return std::all_of(fileCommands_.begin(), fileCommands_.end(),
                       [](const QWidget* command) { return command->isEnabled(); }) &&
           std::all_of(actions.begin(), actions.end(), [](const QAction* command) {
               return command->isEnabled() || !command->isVisible();
           });
}

void MainWindow::applyTopmost() {
    const bool onTop = workbench_.settings.AlwaysOnTop;
    if (onTop == windowFlags().testFlag(Qt::WindowStaysOnTopHint)) return;
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (visible) show(); // changing the flags hides the window
}

void MainWindow::setLanguagePicture(const QString& path) {
    QPixmap picture;
    if (!path.isEmpty()) picture.load(path);
    if (!picture.isNull()) {
        const int height = languagePicture_->parentWidget()->height() > 8
                               ? languagePicture_->parentWidget()->height() - 6
                               : 24;
        picture = picture.scaledToHeight(height, Qt::SmoothTransformation);
    }
    languagePicture_->setPixmap(picture);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_) return;
    shown_ = true;
    prepareFirstShow();
}

void MainWindow::prepareFirstShow() {
    workbench_.openDialog.initialFolder = workbench_.ExecutableFolder;
    workbench_.ShowCurveTools = workbench_.settings.ShowCurveTools;
    workbench_.FullPlateInfo = workbench_.settings.FullPlateInfo;
    applyTopmost();
    setFixedHeight(sizeHint().height());
    // Across the top of the screen, title bar and borders included.
    placeFrame(*this, [this] {
        const QRect area = screen() ? screen()->availableGeometry() : QRect();
        const QMargins margins = frameMargins(*this);
        return QRect(area.topLeft(),
                     QSize(area.width(), height() + margins.top() + margins.bottom()));
    });
    if (!startedWithArguments_ && windows_.about) showModal(*windows_.about, this);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) emit closed();
}

QString MainWindow::chooseFile() {
    const QString path = workbench_.desktop.chooseOpenFile(this, workbench_.openDialog);
    if (!path.isEmpty()) workbench_.openDialog.fileName = path;
    return path;
}

std::optional<int> MainWindow::readChannelCount(const QString& path, QString* reason) const {
    try {
        const FileContent file(path.toStdString());
        return countChannels(file.text(), path.toStdString());
    } catch (const std::exception& failure) {
        *reason = failureText(workbench_, failure, path);
        return std::nullopt;
    }
}

void MainWindow::setFileCaption(const QString& path) {
    setWindowTitle(QStringLiteral("Quelmar ALTUS - ") + QFileInfo(path).fileName());
}

void MainWindow::showDataFile(const QString& path, int channels) {
    workbench_.document.chooseDataFile(path.toStdString(), channels);
    windows_.curve->openCurveFile(path.toStdString(), channels);
}

void MainWindow::openDataFile() {
    const QString path = chooseFile();
    if (path.isEmpty() || !windows_.curve->mayDiscardEdits(this)) return;
    // A survey light curve is converted first; the dialog opens the file it writes.
    if (windows_.surveyConversion && windows_.surveyConversion->offer(path)) return;
    openDataPath(path);
}

// The column count of the last file read stands until the file's own is known.
void MainWindow::chooseDataFile(const QString& path) {
    workbench_.document.chooseDataFile(path.toStdString(),
                                       workbench_.document.files().DataChannelCount);
}

void MainWindow::openDataPath(const QString& path) {
    chooseDataFile(path);
    enableFileCommands();
    setFileCaption(path);
    QString reason;
    const std::optional<int> channels = readChannelCount(path, &reason);
    if (!channels) {
        workbench_.reportError(this,
                               workbench_.say(message::FileReadError) + QLatin1Char('\n') + reason);
        return;
    }
    showDataFile(path, *channels);
}

void MainWindow::openCommandLineFile(const QString& path) {
    chooseDataFile(path);
    const QString failure = workbench_.text(LanguageLine::CommandLineDataMissing);
    if (!QFileInfo::exists(path)) {
        workbench_.reportError(this, failure + QLatin1Char('\n') + path);
        return;
    }
    enableFileCommands();
    setFileCaption(path);
    workbench_.openDialog.fileName = path;
    show();
    QString reason;
    const std::optional<int> channels = readChannelCount(path, &reason);
    if (!channels) {
        workbench_.reportError(this, failure + QLatin1Char('\n') + reason);
        return;
    }
    showDataFile(path, *channels);
}

void MainWindow::openCurveFile() {
    const QString path = chooseFile();
    if (path.isEmpty() || !windows_.curve->mayDiscardEdits(this)) return;
    QString reason;
    const std::optional<int> channels = readChannelCount(path, &reason);
    // A file that cannot be read ends the command: the view keeps what it showed.
    if (!channels) {
        workbench_.reportError(this, workbench_.say(message::CannotOpenFile) + QLatin1Char('\n') +
                                         reason);
        return;
    }
    windows_.curve->openCurveFile(path.toStdString(), *channels);
}

void MainWindow::refreshCurve() {
    if (workbench_.document.files().CurveFileName.empty()) return;
    workbench_.document.curveFileChanged();
    // A light-curve window the user closed comes back.
    if (windows_.curve->isVisible())
        windows_.curve->redraw();
    else
        windows_.curve->showLaidOut();
}

void MainWindow::flipCurve() {
    windows_.curve->flip();
}

void MainWindow::toggleCurveLines() {
    windows_.curve->toggleLines();
}

void MainWindow::saveCurvePoints() {
    windows_.curve->savePoints();
}

void MainWindow::saveCurvePicture() {
    windows_.curve->savePicture();
}

void MainWindow::setWindows(const ShellWindows& windows) {
    windows_ = windows;
    // The phase curve becomes the file the light curve shows; the data commands keep the data
    // file. Its channels are the data file's value columns: the date at the end of its lines is
    // not one (a single magnitude would be squeezed into a thin band beside years of dates).
    // A data file of more columns than the view can hold shows the first ones.
    if (windows_.phaseCurve)
        connect(windows_.phaseCurve, &PhaseCurveDialog::phaseCurveWritten, this,
                [this](const QString& path) {
                    windows_.curve->openCurveFile(
                        path.toStdString(),
                        std::clamp(workbench_.document.files().DataChannelCount, 1, MaxChannels));
                });
}

void MainWindow::addObservations() {
    if (!workbench_.document.files().DataFileName.empty())
        runModal(*windows_.addObservations, commandWindow(this));
}

void MainWindow::addObservationsFromFile() {
    importEstimatesFromFile(workbench_, this);
}

void MainWindow::convertPlateNumbers() {
    convertPlateNumbersToDates(workbench_, *windows_.curve, this);
}

void MainWindow::correctToBarycentre() {
    runModal(*windows_.barycentric, commandWindow(this));
}

void MainWindow::searchPeriod() {
    runModal(*windows_.periodSearch, commandWindow(this));
}

void MainWindow::computePhaseCurve() {
    runModal(*windows_.phaseCurve, commandWindow(this));
}

void MainWindow::findExtrema() {
    windows_.extrema->findExtrema();
}

void MainWindow::showOcDiagram() {
    windows_.ocDiagram->showWindow();
}

void MainWindow::connectRanges() {
    const QString file = chooseFile();
    if (!file.isEmpty()) windows_.curve->loadRanges(file);
}

void MainWindow::showPreviousRange() {
    windows_.curve->showPreviousRange();
}

void MainWindow::showNextRange() {
    windows_.curve->showNextRange();
}

void MainWindow::showRangeCommands() {
    for (QAction* command : rangeActions_)
        command->setVisible(true);
}
void MainWindow::showPrincipalComponents() {
    quelmar::showPrincipalComponents(workbench_, *windows_.curve, this);
}

void MainWindow::restoreSignal() {
    windows_.restoration->showDecomposition();
}

void MainWindow::showTwoChannelDiagram() {
    windows_.diagram->showDiagram();
}

void MainWindow::editDataFile() {
    const QString file = chooseFile();
    if (file.isEmpty()) return;
    const QString editor = fromCp1251(workbench_.settings.EditorPath);
    const QString commandLine = editor + QStringLiteral(" \"") + file + QLatin1Char('"');
    const QStringList command = editorCommand(editor);
    if (command.isEmpty() ||
        !workbench_.desktop.startProgram(command.first(), command.mid(1) << file))
        workbench_.reportError(this, workbench_.say(message::EditorNotStarted, {commandLine}));
}

void MainWindow::showCalendar() {
    windows_.calendar->showNow();
}

void MainWindow::startCalculator() {
    for (const QString& name : Calculators) {
        const QString program = workbench_.desktop.findProgram(name);
        if (program.isEmpty()) continue;
        if (!workbench_.desktop.startProgram(program, {}))
            workbench_.reportError(this, workbench_.say(message::CalculatorNotStarted, {program}));
        return;
    }
    workbench_.inform(
        this, workbench_.say(message::NoCalculator, {Calculators.join(QStringLiteral(", "))}));
}

void MainWindow::exitProgram() {
    close();
}

void MainWindow::showSettings() {
    showModal(*windows_.options, commandWindow(this));
}

void MainWindow::showManual() {
    loadManual();
    windows_.help->show();
    windows_.help->raise();
    windows_.help->activateWindow();
}

// The manual on screen stays, with the reader's place, while it is the current language's.
void MainWindow::loadManual() {
    const QString name = ManualWindow::manualFileName(workbench_.languageName());
    const QString path = workbench_.lookUp(name);
    if (!path.isEmpty() && path == windows_.help->loadedPath()) return;
    QString error;
    if (path.isEmpty()) {
        windows_.help->showInitialText();
        workbench_.reportError(
            this, workbench_.say(message::ManualNotFound,
                                 {name, workbench_.lookUpFolders().join(QLatin1Char('\n'))}));
    } else if (!windows_.help->loadManual(path, &error)) {
        workbench_.reportError(this, error);
    }
}

void MainWindow::showAbout() {
    showModal(*windows_.about, commandWindow(this));
}

} // namespace quelmar
