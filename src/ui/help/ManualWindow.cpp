#include "ManualWindow.h"

#include "RtfReader.h"
#include "core/Error.h"
#include "core/TextFile.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace quelmar {

ManualWindow::ManualWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), Manualbox(new QTextBrowser) {
    setObjectName(QStringLiteral("THelpfrm"));
    setWindowTitle(QStringLiteral("Руководство по эксплуатации"));
    resize(760, 600);

    Manualbox->setObjectName(QStringLiteral("Manualbox"));
    Manualbox->setReadOnly(true);
    Manualbox->setOpenLinks(false);
    Manualbox->setPlainText(initialText());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Manualbox);
}

bool ManualWindow::loadManual(const QString& path, QString* error) {
    try {
        const std::string rtf = readFile(QFile::encodeName(path).toStdString());
        readRtf(rtf, *Manualbox->document());
        Manualbox->moveCursor(QTextCursor::Start);
        loadedPath_ = path;
        return true;
    } catch (const std::exception& e) {
        // The manual of another language must not stay on screen as if it were this one.
        showInitialText();
        if (error) *error = QString::fromStdString(errorText(e, language_));
        return false;
    }
}

void ManualWindow::showInitialText() {
    Manualbox->setPlainText(initialText(language_));
    loadedPath_.clear();
}

void ManualWindow::setLanguage(InterfaceLanguage language) {
    const bool showsInitialText = loadedPath_.isEmpty();
    language_ = language;
    if (showsInitialText) showInitialText();
}

QString ManualWindow::manualFileName(const QString& languageName) {
    return QStringLiteral("manual_") + languageName + QStringLiteral(".rtf");
}

} // namespace quelmar
