#pragma once
// The program-wide state of the workbench: created once by the start-up unit and handed by
// reference to every window.

#include "Desktop.h"
#include "OpenDialog.h"
#include "Options.h"
#include "core/AppSettings.h"
#include "core/LanguageTable.h"
#include "core/OwnMessages.h"
#include "core/Version.h"
#include "document/LightCurveDocument.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <exception>

class QWidget;

namespace quelmar {

// The texts of settings.bin are cp1251; the windows show them decoded.
QString fromCp1251(const std::string& text);
std::string toCp1251(const QString& text);

inline const QString ApplicationTitle =
    QStringLiteral("Quelmar %1 ALTUS").arg(QLatin1String(VersionShown));

// The document's announcements as a Qt signal, so that windows observe it with connect.
class DocumentSignals : public QObject {
    Q_OBJECT
public:
    explicit DocumentSignals(LightCurveDocument& document) {
        document.observe([this](unsigned changes) { emit changed(changes); });
    }
signals:
    // A combination of DocumentChange values.
    void changed(unsigned changes);
};

struct Workbench {
    explicit Workbench(Desktop& services) : desktop(services) {}

    // The files, the points and everything derived from them: changed only through its
    // operations, which every window hears of through documentSignals.
    LightCurveDocument document;
    DocumentSignals documentSignals{document};
    LanguageTable language;
    AppSettings settings; // the persisted options, as the settings dialog shows them
    Options options;
    // Copies of two settings check boxes, taken when the main window is first shown and at
    // every OK of the settings dialog.
    bool ShowCurveTools = false;
    bool FullPlateInfo = false;

    OpenDialog openDialog;
    QString ExecutableFolder;
    QString SettingsPath; // settings.bin: beside the executable, or in the user's configuration
    // settings.bin beside an executable whose folder we cannot write: read until the user's
    // own copy exists. Empty when SettingsPath is beside the executable.
    QString ProgramSettingsPath;

    Desktop& desktop;

    // A language file, picture or manual: the working folder's, else the one beside the
    // executable; empty when neither exists.
    QString lookUp(const QString& name) const;
    // The folders lookUp searches, in its order.
    QStringList lookUpFolders() const;

    // The folder of the current data file, where saving starts; the working folder before one.
    QString dataFileFolder() const;

    // The current language's code, as the language file and the manual are named.
    QString languageName() const { return fromCp1251(settings.LanguageName); }

    // A line of the language table as the file gave it.
    QString text(LanguageLine line) const;
    // A message line of the language table, or its built-in fallback when the line is empty.
    QString message(LanguageLine line) const;

    // The language of the interface, which chooses the texts of our own messages.
    InterfaceLanguage interfaceLanguage() const;
    // One of our own messages in the interface's language, %1 … %9 replaced by the arguments.
    QString say(const OwnMessage& message, const QStringList& arguments = {}) const;

    // What a failure says, in the interface's language (see errorText in core/Error.h).
    QString describe(const std::exception& error) const;

    // The data file was rewritten or added to: a view of it is read again, unless it holds
    // edits the user has not saved (they stay on screen until the user reloads or saves).
    void dataFileChanged();

    // A message box with the application's title as caption.
    void inform(QWidget* parent, const QString& text) const;
    void reportError(QWidget* parent, const QString& text) const;
};

} // namespace quelmar
