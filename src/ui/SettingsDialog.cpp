#include "SettingsDialog.h"

#include "CommandBoundary.h"
#include "SettingsGeneralPage.h"
#include "SettingsGraphPage.h"
#include "Workbench.h"

#include "core/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quelmar {

SettingsDialog::SettingsDialog(Workbench& workbench, QWidget* parent)
    : QDialog(parent), workbench_(workbench) {
    setObjectName(QStringLiteral("TOptform"));
    setWindowTitle(QStringLiteral("Настройки"));
    auto* pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl1"));
    generalPage_ = new SettingsGeneralPage(workbench, pages);
    graphPage_ = new SettingsGraphPage(workbench, pages);
    pages->addTab(generalPage_, QStringLiteral("Общие"));
    pages->addTab(graphPage_, QStringLiteral("График"));
    connect(graphPage_, &SettingsGraphPage::curveToolsToggled, this,
            &SettingsDialog::curveToolsToggled);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKbtn"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &SettingsDialog::confirmSettings);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addWidget(ok, 0, Qt::AlignRight);
}

// The user's own settings.bin once it exists; until then the one beside the program, which a
// lab or a package may provide in a folder the user cannot write.
std::string SettingsDialog::settingsToRead() const {
    const std::string own = workbench_.SettingsPath.toStdString();
    const std::string program = workbench_.ProgramSettingsPath.toStdString();
    return program.empty() || fileExists(own) ? own : program;
}

bool SettingsDialog::loadSettings() {
    const std::string path = settingsToRead();
    if (!runCommand(workbench_, this, QString::fromStdString(path),
                    [&] { workbench_.settings = quelmar::loadSettings(path); }))
        workbench_.settings = AppSettings{};
    persisted_ = workbench_.settings;
    generalPage_->showSettings(workbench_.settings);
    graphPage_->showSettings(workbench_.settings);
    return fileExists(path);
}

bool SettingsDialog::saveSettings() {
    return runCommand(workbench_, this, workbench_.SettingsPath, [this] {
        QDir().mkpath(QFileInfo(workbench_.SettingsPath).path());
        const std::optional<MessageText> backupProblem =
            quelmar::saveSettings(workbench_.SettingsPath.toStdString(), workbench_.settings);
        if (backupProblem)
            workbench_.reportError(this, workbench_.say(message::SettingsBackupNotMade,
                                                        {QString::fromStdString(backupProblem->in(
                                                            workbench_.interfaceLanguage()))}));
    });
}

void SettingsDialog::chooseLanguage() {
    generalPage_->chooseLanguageFile();
}

void SettingsDialog::showEvent(QShowEvent* event) {
    graphPage_->showChannels(workbench_.document.points());
    QDialog::showEvent(event);
}

void SettingsDialog::done(int result) {
    QDialog::done(result);
    emit optionsClosed();
}

void SettingsDialog::confirmSettings() {
    // A path the file cannot hold and a marker that is no number are refused; every other setting
    // is saved as shown.
    for (const auto& path : generalPage_->refusePathsTheFileCannotHold(persisted_))
        workbench_.reportError(this, workbench_.say(*path.why, {path.typed, path.kept}));
    if (const auto marker = generalPage_->refuseUnreadableMarker(persisted_))
        workbench_.reportError(this, workbench_.say(*marker->why, {marker->typed, marker->kept}));
    workbench_.ShowCurveTools = workbench_.settings.ShowCurveTools;
    workbench_.FullPlateInfo = workbench_.settings.FullPlateInfo;
    accept();
    const bool saved = saveSettings();
    emit settingsConfirmed();
    // Settings that could not be written stay as the controls show them, not as the old file.
    if (!saved) return;
    // The file keeps the symbol's first character; the box keeps all that was typed.
    const std::string symbol = workbench_.settings.PointSymbol;
    loadSettings();
    if (workbench_.settings.PointSymbol == symbol.substr(0, 1)) {
        workbench_.settings.PointSymbol = symbol;
        graphPage_->showSettings(workbench_.settings);
    }
}

void SettingsDialog::showFirstTermCount(int terms) {
    generalPage_->showFirstTermCount(terms);
}

} // namespace quelmar
