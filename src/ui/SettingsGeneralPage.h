#pragma once
// The settings dialog's page "General": the plate catalogue and the text editor with their
// browse buttons, the missing-value marker of data files, two check boxes, the polynomial fit
// and the language button.

#include "core/LanguageTable.h"
#include "core/OwnMessages.h"

#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace quelmar {

struct AppSettings;
class MissingMarker;
struct Workbench;

class SettingsGeneralPage : public QWidget {
    Q_OBJECT
public:
    SettingsGeneralPage(Workbench& workbench, QWidget* parent);

    // Sets the persisted controls of this page from settings.
    void showSettings(const AppSettings& settings);

    struct RefusedPath {
        QString typed; // the path that settings.bin cannot hold
        QString kept;  // the path put back in its place
        const OwnMessage* why;
    };
    // Puts back the path of `saved` in place of each one that settings.bin cannot hold: one
    // with a character that the file's code page lacks, which would be saved with "?" in its
    // place, or with a line break, which would split it over the lines of the next settings.
    std::vector<RefusedPath> refusePathsTheFileCannotHold(const AppSettings& saved);
    // Puts back the marker of `saved` when the box holds neither a number nor "none".
    std::optional<RefusedPath> refuseUnreadableMarker(const AppSettings& saved);

    void browsePlateCatalogue();
    void browseEditor();
    // The language choice: the first two letters of the chosen file's name become the
    // language, which takes effect at the dialog's next OK.
    void chooseLanguageFile();
    // The polynomial's first term count, as the best fit chose it.
    void showFirstTermCount(int terms);

private:
    QWidget* createPolynomialGroup();
    QString shownMarker(const MissingMarker& marker) const;
    // Runs a copy of the shared open dialog with another filter, folder and name.
    QString chooseWithFilter(const QString& filter, const QString& initialFolder,
                             const QString& fileName);
    // Whether the file can become the language: a readable "xx.lng" that the program finds by
    // that name; a refusal is shown.
    bool isLanguageFile(const QString& path);

    Workbench& workbench_;
    QLineEdit* plateCatalogueEdit_;
    QLineEdit* editorPathEdit_;
    QLineEdit* missingMarkerEdit_;
    QCheckBox* fullPlateInfoCheck_;
    QCheckBox* alwaysOnTopCheck_;
    QCheckBox* barycentricTdbCheck_;
    QSpinBox* firstTermsSpin_ = nullptr;
};

} // namespace quelmar
