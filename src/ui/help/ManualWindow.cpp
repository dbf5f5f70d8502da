#include "ManualWindow.h"

#include "RtfReader.h"
#include "core/Error.h"
#include "core/TextFile.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace quelmar {

ManualWindow::ManualWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), manualText_(new QTextBrowser) {
    setObjectName(QStringLiteral("THelpfrm"));
    setWindowTitle(QStringLiteral("Руководство по эксплуатации"));
    resize(760, 600);

    manualText_->setObjectName(QStringLiteral("Manualbox"));
    manualText_->setReadOnly(true);
    manualText_->setOpenLinks(false);
    manualText_->setPlainText(initialText());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(manualText_);
}

bool ManualWindow::loadManual(const QString& path, QString* error) {
    try {
        const std::string rtf = readFile(QFile::encodeName(path).toStdString());
        readRtf(rtf, *manualText_->document());
        manualText_->moveCursor(QTextCursor::Start);
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
    manualText_->setPlainText(initialText(language_));
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
