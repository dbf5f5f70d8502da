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
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &PictureExportDialog::followFormat);
    connect(pf, &QComboBox::currentIndexChanged, this, &PictureExportDialog::takePreview);
    connect(jpgCompress, &QSlider::valueChanged, this, &PictureExportDialog::showQuality);
    connect(browseButton, &QPushButton::clicked, this, &PictureExportDialog::browse);
    connect(Button1, &QPushButton::clicked, this, &PictureExportDialog::save);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void PictureExportDialog::createControls() {
    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Image1 = new QLabel(GroupBox1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(PreviewSize);
    Image1->setAlignment(Qt::AlignCenter);
    ComboBox1 = listBox(this, "ComboBox1", ListedFormats.size());
    pf = listBox(this, "pf", DepthTexts.size());
    Label1 = namedLabel(this, "Label1", QString());
    Label2 = namedLabel(this, "Label2", QStringLiteral("100%"));
    jpgCompress = new QSlider(Qt::Horizontal, this);
    jpgCompress->setObjectName(QStringLiteral("jpgCompress"));
    jpgCompress->setRange(0, MaxJpegQuality);
    jpgCompress->setValue(MaxJpegQuality);
    jpgCompress->setTickInterval(1);
    jpgCompress->setTickPosition(QSlider::TicksBelow);
    Label3 = namedLabel(this, "Label3", QString());
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    browseButton = namedButton(this, "browseButton", QStringLiteral("..."));
    browseButton->setFixedWidth(
        browseButton->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 16);
    Button1 = namedButton(this, "Button1", QString());
    Button1->setDefault(true);
    Button2 = namedButton(this, "Button2", QString());
}

void PictureExportDialog::layOut() {
    auto* preview = new QVBoxLayout(GroupBox1);
    preview->addWidget(Image1, 0, Qt::AlignCenter);

    auto* quality = new QHBoxLayout;
    quality->addWidget(Label1);
    quality->addStretch();
    quality->addWidget(Label2);

    auto* file = new QHBoxLayout;
    file->addWidget(Label3);
    file->addWidget(Edit1, 1);
    file->addWidget(browseButton);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);

    auto* column = new QVBoxLayout(this);
    column->addWidget(GroupBox1);
    column->addWidget(ComboBox1);
    column->addWidget(pf);
    column->addLayout(quality);
    column->addWidget(jpgCompress);
    column->addLayout(file);
    column->addLayout(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

// The dialog's texts in the interface's language, set again at every showing.
void PictureExportDialog::labelControls() {
    setWindowTitle(workbench_.say(message::PictureDialogTitle));
    GroupBox1->setTitle(workbench_.say(message::PicturePreview));
    for (std::size_t i = 0; i < FormatTexts.size(); ++i)
        ComboBox1->setItemText(static_cast<int>(i), workbench_.say(*FormatTexts[i]));
    ComboBox1->setPlaceholderText(workbench_.say(message::PictureFormatPrompt));
    for (std::size_t i = 0; i < DepthTexts.size(); ++i)
        pf->setItemText(static_cast<int>(i), workbench_.say(*DepthTexts[i]));
    pf->setPlaceholderText(workbench_.say(message::PictureDepthPrompt));
    Label1->setText(workbench_.say(message::PictureQuality));
    Label3->setText(workbench_.say(message::PictureFile));
    browseButton->setToolTip(workbench_.say(message::PictureBrowseHint));
    Button1->setText(workbench_.say(message::PictureSave));
    Button2->setText(workbench_.say(message::PictureCancel));
}

void PictureExportDialog::exportPicture(QWidget* opener, const QImage& picture,
                                        const QString& fileName) {
    picture_ = picture;
    Edit1->setText(QString::fromStdString(withExtension(fileName.toStdString(), "")));
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
    Edit1->setText(QString::fromStdString(
        withExtension(Edit1->text().toStdString(), chosenExtension(ComboBox1))));
}

// The preview is a fresh copy of the picture at the chosen depth, as it will be written.
void PictureExportDialog::takePreview() {
    const int index = pf->currentIndex();
    preview_ = index < 0 ? screenDepthPicture(picture_)
                         : convertToDepth(picture_, ColourDepths[static_cast<std::size_t>(index)]);
    Image1->setPixmap(QPixmap::fromImage(previewOf(preview_.image, PreviewSize)));
}

void PictureExportDialog::showQuality(int position) {
    Label2->setText(QString::number(position) + QLatin1Char('%'));
}

void PictureExportDialog::browse() {
    OpenDialog dialog;
    dialog.title = workbench_.say(message::PictureSaveTitle);
    // "Description|pattern" pairs; the chosen format's pair comes first, so it is offered.
    QStringList filter = workbench_.say(message::PictureFilter).split(QLatin1Char('|'));
    const int index = ComboBox1->currentIndex();
    if (index > 0 && 2 * index + 1 < filter.size()) {
        const QStringList chosen = filter.mid(2 * index, 2);
        filter.remove(2 * index, 2);
        filter = chosen + filter;
    }
    dialog.filter = filter.join(QLatin1Char('|'));
    dialog.fileName = Edit1->text();
    dialog.initialFolder = QFileInfo(Edit1->text()).absolutePath();
    dialog.defaultSuffix = QString::fromStdString(chosenExtension(ComboBox1)).mid(1);
    dialog.mustExist = false;
    const QString path = workbench_.desktop.chooseSaveFile(this, dialog);
    if (path.isEmpty()) return;
    Edit1->setText(path);
    // The list shows the format the chosen name asks for.
    if (const auto format = pictureFormatOfExtension(extensionOf(path.toStdString()))) {
        const auto listed = std::find(ListedFormats.begin(), ListedFormats.end(), *format);
        const QSignalBlocker quiet(ComboBox1);
        ComboBox1->setCurrentIndex(static_cast<int>(listed - ListedFormats.begin()));
    }
}

void PictureExportDialog::save() {
    if (pf->currentIndex() < 0)
        workbench_.inform(this, workbench_.say(message::SelectColourFormat));
    const std::string path = Edit1->text().toStdString();
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
        savePicture(path, preview_, *format, jpgCompress->value());
    } catch (const QuelmarError& error) {
        workbench_.reportError(this, workbench_.say(message::CannotCreatePicture,
                                                    {Edit1->text(), workbench_.describe(error)}));
        return;
    }
    accept();
}

} // namespace quelmar
