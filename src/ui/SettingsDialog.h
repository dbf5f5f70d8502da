#pragma once
// The settings dialog: every user option of the workbench on two pages. Its controls write
// the live options at every change; OK also keeps the persisted ones in settings.bin.

#include "core/AppSettings.h"

#include <QDialog>

namespace quelmar {

struct Workbench;
class SettingsGeneralPage;
class SettingsGraphPage;

class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit SettingsDialog(Workbench& workbench, QWidget* parent = nullptr);

    // Reads settings.bin into the live settings and the controls. A missing file gives the
    // design values; false when there was no file.
    bool loadSettings();
    // Keeps the previous settings.bin as settings_.bin and writes the current settings;
    // a failure is shown to the user, and so is a backup that could not be made. False when
    // the settings could not be written.
    bool saveSettings();
    // The language choice of the "Мова/Язык/Language" button.
    void chooseLanguage();

    void confirmSettings();
    // The polynomial's first term count, as the best fit chose it.
    void showFirstTermCount(int terms);

signals:
    // The dialog has closed, by OK or otherwise: the view redraws with the new options.
    void optionsClosed();
    // "Show the curve navigation panel" was ticked or cleared.
    void curveToolsToggled(bool shown);
    // OK has saved the settings: the main window's place and the language follow them.
    void settingsConfirmed();

public:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::string settingsToRead() const;

    Workbench& workbench_;
    AppSettings persisted_; // as settings.bin held them when last read
    SettingsGeneralPage* generalPage_;
    SettingsGraphPage* graphPage_;
};

} // namespace quelmar
