#include "LabelFontDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace quelmar {

namespace {

constexpr int SwatchSize = 16;

} // namespace

LabelFontDialog::LabelFontDialog(const LabelFont& initial, const FontDialogTexts& texts,
                                 QWidget* parent)
    : QDialog(parent), colour_(initial.colour) {
    setObjectName(QStringLiteral("LabelFontDialog"));
    setWindowTitle(texts.title);
    // The font dialog is embedded as a page of this one, which has the buttons.
    fonts_ = new QFontDialog(initial.font, this);
    fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts_->setWindowFlags(Qt::Widget);
    colourButton_ = new QPushButton(texts.colour, this);
    colourButton_->setObjectName(QStringLiteral("colourButton"));
    colourButton_->setAutoDefault(false);
    connect(colourButton_, &QPushButton::clicked, this, &LabelFontDialog::chooseColour);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    if (!texts.ok.isEmpty()) buttons->button(QDialogButtonBox::Ok)->setText(texts.ok);
    if (!texts.cancel.isEmpty()) buttons->button(QDialogButtonBox::Cancel)->setText(texts.cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(colourButton_);
    row->addStretch();
    row->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fonts_);
    layout->addLayout(row);
    showColour();
}

LabelFont LabelFontDialog::chosen() const {
    return {fonts_->currentFont(), colour_.rgb()};
}

void LabelFontDialog::chooseColour() {
    // The button's caption, without the dots that say it opens a dialog.
    QString title = colourButton_->text();
    while (title.endsWith(QLatin1Char('.')) || title.endsWith(QChar(0x2026)))
        title.chop(1);
    const QColor colour = QColorDialog::getColor(colour_, this, title);
    if (!colour.isValid()) return;
    colour_ = colour;
    showColour();
}

void LabelFontDialog::showColour() {
    QPixmap swatch(SwatchSize, SwatchSize);
    swatch.fill(colour_);
    colourButton_->setIcon(swatch);
}

} // namespace quelmar
