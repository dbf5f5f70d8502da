#pragma once
// Labelling the windows from the language table: one data table of rows saying which entry
// labels which control (a caption, or a tool button's hint), the window and the control named
// by their object names.

#include <QList>
#include <QStringList>

#include "core/OwnMessages.h"

class QWidget;

namespace quelmar {

class LanguageTable;
enum class InterfaceLanguage;

// Writes every row's entry into its control, empty entries included, so a short language
// file blanks the controls of the lines it lacks. Rows whose window is not given are skipped.
void applyLanguageRows(const LanguageTable& language, const QList<QWidget*>& windows);

// Writes the texts of our own that no language line holds (a design text such as "Шаг :" or a
// hint) in the interface's language, from a second table of the same kind.
void applyOwnTexts(InterfaceLanguage language, const QList<QWidget*>& windows);

// "window.component" of each row, of either table, whose control the given windows do not have.
QStringList unresolvedLanguageRows(const QList<QWidget*>& windows);

} // namespace quelmar
