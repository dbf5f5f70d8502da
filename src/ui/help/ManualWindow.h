#pragma once
// The manual viewer: the user's manual of the current language, a rich-text file, in one
// read-only box. The window is created once and shown (not modally) by the Help command.

#include "core/OwnMessages.h"

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace quelmar {

class ManualWindow : public QWidget {
    Q_OBJECT
public:
    explicit ManualWindow(QWidget* parent = nullptr);

    // Shows the manual at path. When it cannot be read the box shows the initial text again
    // and error (if given) receives a message naming the file, for the application's error box.
    bool loadManual(const QString& path, QString* error);
    // The file on screen; empty when the box shows the initial text.
    QString loadedPath() const { return loadedPath_; }
    void showInitialText();
    // The language of the initial text and of the messages.
    void setLanguage(InterfaceLanguage language);

    QTextBrowser* manualBox() const { return manualText_; }

    static QString initialText(InterfaceLanguage language = InterfaceLanguage::English) {
        return QString::fromStdString(ownText(message::ManualInitialText, language));
    }
    // The manual's file name for a language code: "manual_" + code + ".rtf".
    static QString manualFileName(const QString& languageName);

private:
    QTextBrowser* manualText_;
    QString loadedPath_;
    InterfaceLanguage language_ = InterfaceLanguage::English;
};

} // namespace quelmar
