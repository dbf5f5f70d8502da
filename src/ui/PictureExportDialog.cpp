#include "PictureExportDialog.h"

#include "ModalDialogs.h"
#include "SettingsControls.h"
#include "Workbench.h"

#include "core/Error.h"
#include "core/TextFile.h"
#include "core/WritePlan.h"
#include "plot/JpegEncoder.h"
#include "plot/PictureFile.h"
#include "plot/PicturePreview.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace quelmar {

namespace {

// The format list, in its order.
constexpr std::array<PictureFormat, 4> ListedFormats = {PictureFormat::Bmp, PictureFormat::Jpeg,
                                                        PictureFormat::Gif, PictureFormat::Png};
constexpr std::array<const OwnMessage*, 4> FormatTexts = {
    &message::PictureFormatBmp, &message::PictureFormatJpeg, &message::PictureFormatGif,
    &message::PictureFormatPng};
// The depth list, in the order of ColourDepths.
constexpr std::array<const OwnMessage*, 7> DepthTexts = {
    &message::PictureDepth1,  &message::PictureDepth4,  &message::PictureDepth8,
    &message::PictureDepth15, &message::PictureDepth16, &message::PictureDepth24,
    &message::PictureDepth32};

// The preview keeps the proportions of the curve window's picture.
constexpr QSize PreviewSize(207, 157);

// The extension of the format chosen in the list, with its dot; "" when none is chosen.
std::string chosenExtension(const QComboBox* list) {
    const int index = list->currentIndex();
    return index < 0 ? std::string()
                     : pictureExtension(ListedFormats[static_cast<std::size_t>(index)]);
}

QComboBox* listBox(QWidget* parent, const char* name, std::size_t items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    for (std::size_t i = 0; i < items; ++i)
        box->addItem(QString());
    // No item is chosen until the user chooses one; the prompt shows meanwhile.
    box->setCurrentIndex(-1);
    return box;
}

} // namespace

PictureExportDialog::PictureExportDialog(Workbench& workbench, QWidget* parent)
    : QDialog(parent), workbench_(workbench) {
    setObjectName(QStringLiteral("TPictFormat"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
    createControls();
    layOut();
    labelControls();
    connect(formatBox_, &QComboBox::currentIndexChanged, this, &PictureExportDialog::followFormat);
    connect(depthBox_, &QComboBox::currentIndexChanged, this, &PictureExportDialog::takePreview);
    connect(qualitySlider_, &QSlider::valueChanged, this, &PictureExportDialog::showQuality);
    connect(browseButton_, &QPushButton::clicked, this, &PictureExportDialog::browse);
    connect(saveButton_, &QPushButton::clicked, this, &PictureExportDialog::save);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void PictureExportDialog::createControls() {
    previewFrame_ = new QGroupBox(this);
    previewFrame_->setObjectName(QStringLiteral("GroupBox1"));
    previewImage_ = new QLabel(previewFrame_);
    previewImage_->setObjectName(QStringLiteral("Image1"));
    previewImage_->setFixedSize(PreviewSize);
    previewImage_->setAlignment(Qt::AlignCenter);
    formatBox_ = listBox(this, "ComboBox1", ListedFormats.size());
    depthBox_ = listBox(this, "pf", DepthTexts.size());
    qualityLabel_ = namedLabel(this, "Label1", QString());
    qualityValueLabel_ = namedLabel(this, "Label2", QStringLiteral("100%"));
    qualitySlider_ = new QSlider(Qt::Horizontal, this);
    qualitySlider_->setObjectName(QStringLiteral("jpgCompress"));
    qualitySlider_->setRange(0, MaxJpegQuality);
    qualitySlider_->setValue(MaxJpegQuality);
    qualitySlider_->setTickInterval(1);
    qualitySlider_->setTickPosition(QSlider::TicksBelow);
    fileLabel_ = namedLabel(this, "Label3", QString());
    fileEdit_ = new QLineEdit(this);
    fileEdit_->setObjectName(QStringLiteral("Edit1"));
    browseButton_ = namedButton(this, "browseButton", QStringLiteral("..."));
    browseButton_->setFixedWidth(
        browseButton_->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 16);
    saveButton_ = namedButton(this, "Button1", QString());
    saveButton_->setDefault(true);
    cancelButton_ = namedButton(this, "Button2", QString());
}

void PictureExportDialog::layOut() {
    auto* preview = new QVBoxLayout(previewFrame_);
    preview->addWidget(previewImage_, 0, Qt::AlignCenter);

    auto* quality = new QHBoxLayout;
    quality->addWidget(qualityLabel_);
    quality->addStretch();
    quality->addWidget(qualityValueLabel_);

    auto* file = new QHBoxLayout;
    file->addWidget(fileLabel_);
    file->addWidget(fileEdit_, 1);
    file->addWidget(browseButton_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveButton_);
    buttons->addWidget(cancelButton_);

    auto* column = new QVBoxLayout(this);
    column->addWidget(previewFrame_);
    column->addWidget(formatBox_);
    column->addWidget(depthBox_);
    column->addLayout(quality);
    column->addWidget(qualitySlider_);
    column->addLayout(file);
    column->addLayout(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

// The dialog's texts in the interface's language, set again at every showing.
void PictureExportDialog::labelControls() {
    setWindowTitle(workbench_.say(message::PictureDialogTitle));
    previewFrame_->setTitle(workbench_.say(message::PicturePreview));
    for (std::size_t i = 0; i < FormatTexts.size(); ++i)
        formatBox_->setItemText(static_cast<int>(i), workbench_.say(*FormatTexts[i]));
    formatBox_->setPlaceholderText(workbench_.say(message::PictureFormatPrompt));
    for (std::size_t i = 0; i < DepthTexts.size(); ++i)
        depthBox_->setItemText(static_cast<int>(i), workbench_.say(*DepthTexts[i]));
    depthBox_->setPlaceholderText(workbench_.say(message::PictureDepthPrompt));
    qualityLabel_->setText(workbench_.say(message::PictureQuality));
    fileLabel_->setText(workbench_.say(message::PictureFile));
    browseButton_->setToolTip(workbench_.say(message::PictureBrowseHint));
    saveButton_->setText(workbench_.say(message::PictureSave));
    cancelButton_->setText(workbench_.say(message::PictureCancel));
}

void PictureExportDialog::exportPicture(QWidget* opener, const QImage& picture,
                                        const QString& fileName) {
    picture_ = picture;
    fileEdit_->setText(QString::fromStdString(withExtension(fileName.toStdString(), "")));
    // Above the window that asks, so it stays above that window.
    showModal(*this, opener);
}

void PictureExportDialog::showEvent(QShowEvent* event) {
    labelControls();
    followFormat();
    takePreview();
    QDialog::showEvent(event);
}

// The extension of the file name follows the format list; with no format chosen, it goes.
void PictureExportDialog::followFormat() {
    fileEdit_->setText(QString::fromStdString(
        withExtension(fileEdit_->text().toStdString(), chosenExtension(formatBox_))));
}

// The preview is a fresh copy of the picture at the chosen depth, as it will be written.
void PictureExportDialog::takePreview() {
    const int index = depthBox_->currentIndex();
    preview_ = index < 0 ? screenDepthPicture(picture_)
                         : convertToDepth(picture_, ColourDepths[static_cast<std::size_t>(index)]);
    previewImage_->setPixmap(QPixmap::fromImage(previewOf(preview_.image, PreviewSize)));
}

void PictureExportDialog::showQuality(int position) {
    qualityValueLabel_->setText(QString::number(position) + QLatin1Char('%'));
}

void PictureExportDialog::browse() {
    OpenDialog dialog;
    dialog.title = workbench_.say(message::PictureSaveTitle);
    // "Description|pattern" pairs; the chosen format's pair comes first, so it is offered.
    QStringList filter = workbench_.say(message::PictureFilter).split(QLatin1Char('|'));
    const int index = formatBox_->currentIndex();
    if (index > 0 && 2 * index + 1 < filter.size()) {
        const QStringList chosen = filter.mid(2 * index, 2);
        filter.remove(2 * index, 2);
        filter = chosen + filter;
    }
    dialog.filter = filter.join(QLatin1Char('|'));
    dialog.fileName = fileEdit_->text();
    dialog.initialFolder = QFileInfo(fileEdit_->text()).absolutePath();
    dialog.defaultSuffix = QString::fromStdString(chosenExtension(formatBox_)).mid(1);
    dialog.mustExist = false;
    const QString path = workbench_.desktop.chooseSaveFile(this, dialog);
    if (path.isEmpty()) return;
    fileEdit_->setText(path);
    // The list shows the format the chosen name asks for.
    if (const auto format = pictureFormatOfExtension(extensionOf(path.toStdString()))) {
        const auto listed = std::find(ListedFormats.begin(), ListedFormats.end(), *format);
        const QSignalBlocker quiet(formatBox_);
        formatBox_->setCurrentIndex(static_cast<int>(listed - ListedFormats.begin()));
    }
}

void PictureExportDialog::save() {
    if (depthBox_->currentIndex() < 0)
        workbench_.inform(this, workbench_.say(message::SelectColourFormat));
    const std::string path = fileEdit_->text().toStdString();
    const std::string extension = extensionOf(path);
    const std::optional<PictureFormat> format = pictureFormatOfExtension(extension);
    if (!format) {
        workbench_.inform(this, workbench_.say(message::SelectFileFormat));
        // A name without an extension may be mended here; any other leaves the dialog.
        if (!extension.empty()) accept();
        return;
    }
    try {
        workbenchPlan(workbench_.document.files())
            .reads(workbench_.document.files().CurveFileName, message::RoleShownFile)
            .writes(path, message::RolePicture)
            .check();
        savePicture(path, preview_, *format, qualitySlider_->value());
    } catch (const QuelmarError& error) {
        workbench_.reportError(this,
                               workbench_.say(message::CannotCreatePicture,
                                              {fileEdit_->text(), workbench_.describe(error)}));
        return;
    }
    accept();
}

} // namespace quelmar
