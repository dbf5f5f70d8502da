#pragma once
// The command that starts the external text editor from the text of the settings, which may
// name a program with its options ("kate -n", "gedit --new-window").

#include <QStringList>

namespace quelmar {

// The program and its arguments. A text that names an existing file is the program whole,
// blanks and all; any other text is split into words as a POSIX shell splits them, without
// running one: blanks separate words, '…' keeps its text as it stands, "…" keeps its text but
// for \ before " \ $ ` and a line end, and \ outside quotes keeps the next character. Empty
// when there are no words or a quote is left open.
QStringList editorCommand(const QString& setting);

} // namespace quelmar
