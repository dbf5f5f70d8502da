#pragma once
// The platform services the windows use: message boxes, the file and font dialogs and the
// starting of other programs. Every message box of the workbench goes through here, so a test
// can record them (and answer the dialogs) instead of blocking on them.

#include "core/OwnMessages.h"
#include "plot/Canvas.h"

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace quelmar {

struct OpenDialog;

enum class MessageKind { Information, Error };

// The texts of a label's font dialog, in the interface's language.
struct FontDialogTexts {
    QString title;
    QString colour; // the button that chooses the colour
    QString ok = {};
    QString cancel = {};
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // The language of the message boxes' buttons.
    void setLanguage(InterfaceLanguage language) { language_ = language; }

    // Texts are shown as they stand, never read as markup.
    virtual void showMessage(QWidget* parent, MessageKind kind, const QString& caption,
                             const QString& text);
    // A message of no window's, above all windows.
    virtual void showMessageAboveAll(MessageKind kind, const QString& caption, const QString& text);
    // A Yes/No question above all windows; true only for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& caption, const QString& text);
    // A line of text typed into an input box (object name InputBox); empty when cancelled.
    virtual QString askText(QWidget* parent, const QString& caption, const QString& prompt);
    // The chosen file's full path, or an empty string when the dialog was cancelled.
    virtual QString chooseOpenFile(QWidget* parent, const OpenDialog& dialog);
    // A save dialog ("Save", a new name may be typed); the chosen path, or empty when
    // cancelled. It does not ask about overwriting: the commands ask in their own words.
    virtual QString chooseSaveFile(QWidget* parent, const OpenDialog& dialog);
    // A label's face, size and colour; nothing when the dialog was cancelled.
    virtual std::optional<LabelFont> chooseFont(QWidget* parent, const LabelFont& initial,
                                                const FontDialogTexts& texts);
    // Starts a program that outlives us; false when it could not be started.
    virtual bool startProgram(const QString& program, const QStringList& arguments);
    // The full path of a program found on PATH, empty when there is none.
    virtual QString findProgram(const QString& name);

private:
    QString buttonText(const OwnMessage& text) const;

    InterfaceLanguage language_ = InterfaceLanguage::English;
};

} // namespace quelmar
