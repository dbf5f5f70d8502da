#include "Workbench.h"

#include "core/Error.h"
#include "core/TextFile.h"
#include "core/cp1251.h"

#include <QDir>
#include <QFileInfo>

namespace quelmar {

QString fromCp1251(const std::string& text) {
    return QString::fromStdString(cp1251ToUtf8(text));
}

std::string toCp1251(const QString& text) {
    return utf8ToCp1251(text.toStdString());
}

QStringList Workbench::lookUpFolders() const {
    QStringList folders{QDir::currentPath()};
    if (!ExecutableFolder.isEmpty() && QDir(ExecutableFolder) != QDir::current())
        folders << ExecutableFolder;
    return folders;
}

QString Workbench::lookUp(const QString& name) const {
    for (const QString& folder : lookUpFolders()) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo(path).isFile()) return path;
    }
    return {};
}

QString Workbench::dataFileFolder() const {
    if (document.files().DataFileName.empty()) return QDir::currentPath();
    return QFileInfo(QString::fromStdString(document.files().DataFileName)).absolutePath();
}

QString Workbench::text(LanguageLine line) const {
    return QString::fromStdString(language.entry(line));
}

QString Workbench::message(LanguageLine line) const {
    return QString::fromStdString(language.message(line));
}

InterfaceLanguage Workbench::interfaceLanguage() const {
    return interfaceLanguageOf(settings.LanguageName);
}

QString Workbench::say(const OwnMessage& message, const QStringList& arguments) const {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(arguments.size()));
    for (const QString& argument : arguments)
        texts.push_back(argument.toStdString());
    return QString::fromStdString(ownText(message, interfaceLanguage(), texts));
}

QString Workbench::describe(const std::exception& error) const {
    return QString::fromStdString(errorText(error, interfaceLanguage()));
}

void Workbench::inform(QWidget* parent, const QString& text) const {
    desktop.showMessage(parent, MessageKind::Information, ApplicationTitle, text);
}

void Workbench::reportError(QWidget* parent, const QString& text) const {
    desktop.showMessage(parent, MessageKind::Error, ApplicationTitle, text);
}

void Workbench::dataFileChanged() {
    const DataFileState& files = document.files();
    if (files.CurveFileName.empty() || document.points().PointsEdited ||
        !sameFile(files.CurveFileName, files.DataFileName))
        return;
    document.curveFileChanged();
}

} // namespace quelmar
