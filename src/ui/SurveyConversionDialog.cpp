#include "SurveyConversionDialog.h"

#include "CommandBoundary.h"
#include "ModalDialogs.h"
#include "Workbench.h"

#include "core/numbers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quelmar {

namespace {

const OwnMessage& formatMessage(SurveyFormat format) {
    switch (format) {
    case SurveyFormat::LightCurveFits:
        return message::FormatFits;
    case SurveyFormat::AavsoCsv:
        return message::FormatAavso;
    case SurveyFormat::ZtfCsv:
        return message::FormatZtf;
    default:
        return message::FormatTable;
    }
}

QString joined(const std::vector<std::string>& names) {
    QStringList list;
    for (const std::string& name : names)
        list << QString::fromStdString(name);
    return list.join(QStringLiteral(", "));
}

} // namespace

SurveyConversionDialog::SurveyConversionDialog(Workbench& workbench, QWidget* parent)
    : QDialog(parent), workbench_(workbench) {
    setObjectName(QStringLiteral("SurveyConversionDialog"));
    setWindowModality(Qt::ApplicationModal);
    createControls();
}

void SurveyConversionDialog::createControls() {
    intro_ = new QLabel(this);
    intro_->setObjectName(QStringLiteral("intro"));
    intro_->setWordWrap(true);
    band_ = new QComboBox(this);
    band_->setObjectName(QStringLiteral("band"));
    flux_ = new QComboBox(this);
    flux_->setObjectName(QStringLiteral("flux"));
    flux_->addItems({QStringLiteral("PDCSAP_FLUX"), QStringLiteral("SAP_FLUX")});
    magnitude_ = new QCheckBox(this);
    magnitude_->setObjectName(QStringLiteral("magnitude"));
    zeroPoint_ = new QLineEdit(this);
    zeroPoint_->setObjectName(QStringLiteral("zeroPoint"));
    time_ = new QComboBox(this);
    time_->setObjectName(QStringLiteral("time"));
    time_->addItems({QStringLiteral("hjd (HJD)"), QStringLiteral("mjd + 2400000.5")});
    columns_ = new QLineEdit(this);
    columns_->setObjectName(QStringLiteral("columns"));
    header_ = new QLabel(this);
    header_->setWordWrap(true);
    output_ = new QLineEdit(this);
    output_->setObjectName(QStringLiteral("output"));
    output_->setMinimumWidth(360);
    browse_ = new QPushButton(QStringLiteral("..."), this);
    browse_->setObjectName(QStringLiteral("browse"));
    convert_ = new QPushButton(this);
    convert_->setObjectName(QStringLiteral("convert"));
    convert_->setDefault(true);
    cancel_ = new QPushButton(this);
    cancel_->setObjectName(QStringLiteral("cancel"));
    bandLabel_ = new QLabel(this);
    fluxLabel_ = new QLabel(this);
    timeLabel_ = new QLabel(this);
    columnsLabel_ = new QLabel(this);
    outputLabel_ = new QLabel(this);

    auto* form = new QFormLayout;
    form->addRow(bandLabel_, band_);
    form->addRow(fluxLabel_, flux_);
    form->addRow(magnitude_, zeroPoint_);
    form->addRow(timeLabel_, time_);
    form->addRow(columnsLabel_, columns_);
    form->addRow(nullptr, header_);
    auto* outputRow = new QHBoxLayout;
    outputRow->addWidget(output_);
    outputRow->addWidget(browse_);
    form->addRow(outputLabel_, outputRow);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(convert_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro_);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(magnitude_, &QCheckBox::toggled, zeroPoint_, &QLineEdit::setEnabled);
    connect(browse_, &QPushButton::clicked, this, &SurveyConversionDialog::browse);
    connect(convert_, &QPushButton::clicked, this, &SurveyConversionDialog::convert);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void SurveyConversionDialog::labelControls() {
    setWindowTitle(workbench_.say(message::ConversionTitle));
    const bool ztf = outline_.format == SurveyFormat::ZtfCsv;
    bandLabel_->setText(workbench_.say(ztf ? message::ConversionFilter : message::ConversionBand));
    fluxLabel_->setText(workbench_.say(message::ConversionFlux));
    magnitude_->setText(workbench_.say(message::ConversionMagnitudes));
    zeroPoint_->setPlaceholderText(workbench_.say(message::ConversionZeroPointHint));
    timeLabel_->setText(workbench_.say(message::ConversionTime));
    columnsLabel_->setText(workbench_.say(message::ConversionColumns));
    header_->setText(workbench_.say(message::ConversionHeader, {joined(outline_.header)}));
    outputLabel_->setText(workbench_.say(message::ConversionOutput));
    convert_->setText(workbench_.say(message::ConversionConvert));
    cancel_->setText(workbench_.say(message::ConversionCancel));
    intro_->setText(
        workbench_.say(message::ConversionIntro, {QFileInfo(source_).fileName(),
                                                  workbench_.say(formatMessage(outline_.format))}));
}

void SurveyConversionDialog::showChoicesOf(const SurveyFileOutline& outline) {
    const bool fits = outline.format == SurveyFormat::LightCurveFits;
    const bool bands =
        outline.format == SurveyFormat::AavsoCsv || outline.format == SurveyFormat::ZtfCsv;
    const bool table = outline.format == SurveyFormat::HeaderTable;
    band_->clear();
    for (const std::string& band : outline.bands)
        band_->addItem(QString::fromStdString(band));
    for (QWidget* w : {static_cast<QWidget*>(bandLabel_), static_cast<QWidget*>(band_)})
        w->setVisible(bands);
    for (QWidget* w : {static_cast<QWidget*>(fluxLabel_), static_cast<QWidget*>(flux_),
                       static_cast<QWidget*>(magnitude_), static_cast<QWidget*>(zeroPoint_)})
        w->setVisible(fits);
    zeroPoint_->setEnabled(magnitude_->isChecked());
    timeLabel_->setVisible(outline.format == SurveyFormat::ZtfCsv);
    time_->setVisible(outline.format == SurveyFormat::ZtfCsv);
    for (QWidget* w : {static_cast<QWidget*>(columnsLabel_), static_cast<QWidget*>(columns_),
                       static_cast<QWidget*>(header_)})
        w->setVisible(table);
    if (table && columns_->text().isEmpty() && outline.header.size() >= 2)
        columns_->setText(QString::fromStdString(outline.header[0] + "," + outline.header[1]));
}

bool SurveyConversionDialog::offer(const QString& path) {
    try {
        outline_ = outlineSurveyFile(path.toStdString());
    } catch (const std::exception&) {
        return false; // the ordinary opening says what is wrong with the file
    }
    if (outline_.format == SurveyFormat::ObservationFile) return false;
    source_ = path;
    showChoicesOf(outline_);
    labelControls();
    output_->setText(QString::fromStdString(convertedFileName(path.toStdString())));
    adjustSize();
    showModal(*this, commandWindow(parentWidget()));
    return true;
}

ConversionOptions SurveyConversionDialog::chosenOptions(bool& valid) {
    ConversionOptions options;
    valid = true;
    options.band = band_->currentText().toStdString();
    options.flux = flux_->currentIndex() == 1 ? FluxColumn::Sap : FluxColumn::Pdcsap;
    options.magnitude = magnitude_->isChecked();
    const QString zeroPoint = zeroPoint_->text().trimmed();
    if (options.magnitude && !zeroPoint.isEmpty()) {
        options.zeroPoint = numberInText(zeroPoint.toStdString());
        if (!options.zeroPoint) {
            workbench_.reportError(this,
                                   workbench_.say(message::ConversionBadZeroPoint, {zeroPoint}));
            valid = false;
        }
    }
    options.time =
        time_->currentIndex() == 1 ? SurveyTime::ModifiedJulianDate : SurveyTime::Archive;
    if (outline_.format == SurveyFormat::HeaderTable)
        for (const QString& name : columns_->text().split(QLatin1Char(','), Qt::SkipEmptyParts))
            options.columns.push_back(name.trimmed().toStdString());
    return options;
}

void SurveyConversionDialog::browse() {
    OpenDialog dialog = workbench_.openDialog;
    dialog.fileName = output_->text();
    dialog.initialFolder = QFileInfo(source_).absolutePath();
    dialog.mustExist = false;
    const QString chosen = workbench_.desktop.chooseSaveFile(this, dialog);
    if (!chosen.isEmpty()) output_->setText(chosen);
}

void SurveyConversionDialog::convert() {
    bool valid = false;
    const ConversionOptions options = chosenOptions(valid);
    if (!valid) return;
    const QString output = output_->text().trimmed();
    if (output.isEmpty()) {
        workbench_.reportError(this, workbench_.message(LanguageLine::NotAllDataEntered));
        return;
    }
    if (QFileInfo::exists(output) &&
        !workbench_.desktop.askYesNo(this, windowTitle(),
                                     workbench_.say(message::ConversionReplace, {output})))
        return;
    Conversion conversion;
    const bool done = runCommand(workbench_, this, source_, [&] {
        conversion = convertSurveyFile(source_.toStdString(), options);
        writeConversion(conversion, source_.toStdString(), output.toStdString());
    });
    if (!done) return; // the dialog stays, the choices as they were
    accept();
    const LeftOutRows& left = conversion.leftOut;
    if (left.total() > 0) {
        // Only the reasons that left a row out are named.
        const std::pair<const OwnMessage*, long long> reasons[] = {
            {&message::LeftOutFlagged, left.flagged},
            {&message::LeftOutNotANumber, left.notANumber},
            {&message::LeftOutNotPositive, left.notPositive},
            {&message::LeftOutFainterThan, left.fainterThan},
            {&message::LeftOutOtherBand, left.otherBand},
            {&message::LeftOutTooManyFields, left.tooManyFields}};
        QStringList counts;
        for (const auto& [reason, rows] : reasons)
            if (rows > 0) counts << workbench_.say(*reason, {QString::number(rows)});
        QString text =
            workbench_.say(message::ConversionLeftOut, {QString::number(conversion.observations),
                                                        output, counts.join(QStringLiteral(", "))});
        if (left.firstUnreadableLine > 0)
            text += QLatin1Char(' ') + workbench_.say(message::ConversionFirstUnreadable,
                                                      {QString::number(left.firstUnreadableLine)});
        workbench_.inform(parentWidget(), text);
    }
    emit converted(output);
}

} // namespace quelmar
