#pragma once
// The font dialog of a label: the platform's choice of face, style and size, and beside it the
// colour the label is written in.

#include "Desktop.h"

#include <QDialog>

class QFontDialog;
class QPushButton;

namespace quelmar {

class LabelFontDialog : public QDialog {
    Q_OBJECT
public:
    LabelFontDialog(const LabelFont& initial, const FontDialogTexts& texts, QWidget* parent);

    LabelFont chosen() const;

private:
    void chooseColour();
    void showColour();

    QFontDialog* fonts_;
    QPushButton* colourButton_;
    QColor colour_;
};

} // namespace quelmar
