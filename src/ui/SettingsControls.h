#pragma once
// Controls of the settings dialog that write every change straight into the live option they
// stand for.

#include <QString>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QWidget;

namespace quelmar {

struct LabelFont;
struct Workbench;

QLabel* namedLabel(QWidget* parent, const char* name, const QString& text);
QLineEdit* namedEdit(QWidget* parent, const char* name);
QPushButton* namedButton(QWidget* parent, const char* name, const QString& text);
// A list of `items` choices whose texts are set in the interface's language when it is shown.
QComboBox* choiceBox(QWidget* parent, const char* name, int items);
// A group box whose controls are laid out by the grid it returns.
QGridLayout* namedGroup(QWidget* parent, const char* name, const QString& title);
QSpinBox* optionSpin(QWidget* parent, const char* name, int minimum, int maximum, int& option);
QCheckBox* optionCheck(QWidget* parent, const char* name, const QString& text, bool& option);
// "Font..." button: the font dialog, preset with the option's font and colour, sets the option
// and shows the chosen font and colour on the button itself.
QPushButton* fontButton(QWidget* parent, const char* name, Workbench& workbench, LabelFont& option);

} // namespace quelmar
