#pragma once
// Saving a picture: the light curve (or any picture a window hands over) as a BMP, JPEG, GIF or
// PNG file, at a chosen colour depth and JPEG quality, with a preview of exactly the pixels that
// will be written. The file's extension decides its format; the format list only rewrites the
// extension of the name. The choices stay for the whole run.

#include "plot/ColourDepth.h"

#include <QDialog>
#include <QImage>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace quelmar {

struct Workbench;

class PictureExportDialog : public QDialog {
    Q_OBJECT
public:
    PictureExportDialog(Workbench& workbench, QWidget* parent);

    // Shows the dialog modally above the window that asks, for the picture as it is now; the
    // file field starts as fileName without its extension.
    void exportPicture(QWidget* opener, const QImage& picture, const QString& fileName);

    // What will be written, as the preview shows it.
    const DepthPicture& preview() const { return preview_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void layOut();
    void labelControls();
    void followFormat();
    void takePreview();
    void showQuality(int position);
    void browse();
    void save();

    Workbench& workbench_;
    QImage picture_; // the picture as it was when the dialog was opened
    DepthPicture preview_;

    QGroupBox* previewFrame_ = nullptr;
    QLabel* previewImage_ = nullptr;
    QComboBox* formatBox_ = nullptr;
    QComboBox* depthBox_ = nullptr; // colour depth
    QLabel* qualityLabel_ = nullptr;
    QLabel* qualityValueLabel_ = nullptr;
    QSlider* qualitySlider_ = nullptr;
    QLabel* fileLabel_ = nullptr;
    QLineEdit* fileEdit_ = nullptr;
    QPushButton* browseButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace quelmar
