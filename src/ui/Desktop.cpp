#include "Desktop.h"

#include "LabelFontDialog.h"
#include "ModalDialogs.h"
#include "OpenDialog.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

namespace quelmar {

namespace {

QMessageBox::Icon iconOf(MessageKind kind) {
    return kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::Information;
}

} // namespace

QString Desktop::buttonText(const OwnMessage& text) const {
    return QString::fromStdString(ownText(text, language_));
}

void Desktop::showMessage(QWidget* parent, MessageKind kind, const QString& caption,
                          const QString& text) {
    QMessageBox box(iconOf(kind), caption, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setText(buttonText(message::OkButton));
    runModal(box, parent);
}

void Desktop::showMessageAboveAll(MessageKind kind, const QString& caption, const QString& text) {
    QMessageBox box(iconOf(kind), caption, text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setText(buttonText(message::OkButton));
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    runModal(box, nullptr);
}

bool Desktop::askYesNo(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Yes)->setText(buttonText(message::YesButton));
    box.button(QMessageBox::No)->setText(buttonText(message::NoButton));
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    return runModal(box, parent) == QMessageBox::Yes;
}

QString Desktop::askText(QWidget* parent, const QString& caption, const QString& prompt) {
    QInputDialog box(parent);
    box.setObjectName(QStringLiteral("InputBox"));
    box.setWindowTitle(caption);
    box.setLabelText(prompt);
    box.setInputMode(QInputDialog::TextInput);
    box.setOkButtonText(buttonText(message::OkButton));
    box.setCancelButtonText(buttonText(message::CancelButton));
    return runModal(box, parent) == QDialog::Accepted ? box.textValue() : QString();
}

QString Desktop::chooseOpenFile(QWidget* parent, const OpenDialog& dialog) {
    QFileDialog files(parent, dialog.title, dialog.initialFolder);
    files.setFileMode(dialog.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    files.setAcceptMode(QFileDialog::AcceptOpen);
    files.setDefaultSuffix(dialog.defaultSuffix);
    files.setNameFilters(nameFiltersOf(dialog.filter));
    if (!dialog.fileName.isEmpty()) files.selectFile(dialog.fileName);
    if (runModal(files, parent) != QDialog::Accepted || files.selectedFiles().isEmpty()) return {};
    return files.selectedFiles().constFirst();
}

QString Desktop::chooseSaveFile(QWidget* parent, const OpenDialog& dialog) {
    QFileDialog files(parent, dialog.title, dialog.initialFolder);
    files.setFileMode(QFileDialog::AnyFile);
    files.setAcceptMode(QFileDialog::AcceptSave);
    files.setOption(QFileDialog::DontConfirmOverwrite);
    files.setDefaultSuffix(dialog.defaultSuffix);
    files.setNameFilters(nameFiltersOf(dialog.filter));
    if (!dialog.fileName.isEmpty()) files.selectFile(dialog.fileName);
    if (runModal(files, parent) != QDialog::Accepted || files.selectedFiles().isEmpty()) return {};
    return files.selectedFiles().constFirst();
}

std::optional<LabelFont> Desktop::chooseFont(QWidget* parent, const LabelFont& initial,
                                             const FontDialogTexts& texts) {
    FontDialogTexts withButtons = texts;
    withButtons.ok = buttonText(message::OkButton);
    withButtons.cancel = buttonText(message::CancelButton);
    LabelFontDialog dialog(initial, withButtons, parent);
    if (runModal(dialog, parent) != QDialog::Accepted) return std::nullopt;
    return dialog.chosen();
}

bool Desktop::startProgram(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

QString Desktop::findProgram(const QString& name) {
    return QStandardPaths::findExecutable(name);
}

} // namespace quelmar
