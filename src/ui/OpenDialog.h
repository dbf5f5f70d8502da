#pragma once
// The open dialog that every file choice of the workbench shares: its title, filter, starting
// folder and last file name persist from one choice to the next.

#include <QString>
#include <QStringList>

namespace quelmar {

struct OpenDialog {
    QString title = QStringLiteral("Открыть");
    // "Description|pattern; pattern|Description|pattern…", as the language file gives it.
    QString filter = designFilter();
    QString initialFolder;
    QString fileName;
    QString defaultSuffix = QStringLiteral("dat");
    // Saving runs the same dialog, where a new name may be typed.
    bool mustExist = true;

    static QString designFilter();
};

// The filter text as the file dialog's name filters: "Data files (*.dat)|*.dat" becomes
// "Data files (*.dat)". A pattern "*.*" becomes "*", so files without an extension (programs,
// for one) are offered too. An empty text gives no filters: every file is offered.
QStringList nameFiltersOf(const QString& filter);

// The filter with the survey light curves that File "Open" converts: their own entry before the
// last one (all files), and their patterns in the first entry when it lists the data files.
QString withSurveyFiles(const QString& filter, const QString& surveyDescription);

} // namespace quelmar
