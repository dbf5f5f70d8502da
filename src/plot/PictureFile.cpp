#include "PictureFile.h"

#include "BmpEncoder.h"
#include "GifEncoder.h"
#include "JpegEncoder.h"
#include "core/Error.h"
#include "core/TextFile.h"

#include <QBuffer>
#include <QImageWriter>

namespace quelmar {

namespace {

// PNG is lossless at every depth. A deeper picture of at most 256 colours, a light curve's, is
// stored with a palette of its colours: the same pixels in a smaller file, written faster.
std::string encodePng(const DepthPicture& picture) {
    checkDepthPicture(picture);
    std::optional<QImage> exact;
    if (!hasPalette(picture.bitsPerPixel)) exact = exactlyIndexed(picture.image);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(exact ? *exact : picture.image))
        throw QuelmarError({message::PngEncodingFailed, {writer.errorString().toStdString()}});
    return buffer.data().toStdString();
}

} // namespace

std::string pictureExtension(PictureFormat format) {
    switch (format) {
    case PictureFormat::Bmp:
        return ".bmp";
    case PictureFormat::Jpeg:
        return ".jpg";
    case PictureFormat::Gif:
        return ".gif";
    case PictureFormat::Png:
        return ".png";
    }
    return "";
}

std::optional<PictureFormat> pictureFormatOfExtension(const std::string& extension) {
    if (extension == ".bmp") return PictureFormat::Bmp;
    if (extension == ".jpg" || extension == ".jpeg") return PictureFormat::Jpeg;
    if (extension == ".gif") return PictureFormat::Gif;
    if (extension == ".png") return PictureFormat::Png;
    return std::nullopt;
}

std::string encodePicture(const DepthPicture& picture, PictureFormat format, int jpegQuality) {
    switch (format) {
    case PictureFormat::Bmp:
        return encodeBmp(picture);
    case PictureFormat::Jpeg:
        return encodeJpeg(picture, jpegQuality);
    case PictureFormat::Gif:
        return encodeGif(picture);
    case PictureFormat::Png:
        return encodePng(picture);
    }
    return {};
}

void savePicture(const std::string& path, const DepthPicture& picture, PictureFormat format,
                 int jpegQuality) {
    std::string bytes;
    try {
        bytes = encodePicture(picture, format, jpegQuality);
    } catch (const QuelmarError& error) {
        throw QuelmarError(path, error.message());
    }
    writeFileAtomically(path, bytes);
}

} // namespace quelmar
