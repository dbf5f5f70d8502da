#include "PicturePreview.h"

#include <algorithm>

namespace quelmar {

namespace {

int brightness(QRgb c) {
    return qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114;
}

} // namespace

QImage previewOf(const QImage& picture, QSize box) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    if (rgb.isNull() || box.isEmpty()) return {};
    const QSize size = rgb.size().scaled(box, Qt::KeepAspectRatio).boundedTo(rgb.size());
    if (size == rgb.size()) return rgb;
    const int width = std::max(1, size.width());
    const int height = std::max(1, size.height());
    const long long w = rgb.width(), h = rgb.height();
    QImage preview(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const int top = static_cast<int>(y * h / height);
        const int bottom = std::max(top + 1, static_cast<int>((y + 1) * h / height));
        auto* out = reinterpret_cast<QRgb*>(preview.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int left = static_cast<int>(x * w / width);
            const int right = std::max(left + 1, static_cast<int>((x + 1) * w / width));
            QRgb darkest = rgb.pixel(left, top);
            for (int sy = top; sy < bottom; ++sy) {
                const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(sy));
                for (int sx = left; sx < right; ++sx)
                    if (brightness(line[sx]) < brightness(darkest)) darkest = line[sx];
            }
            out[x] = darkest;
        }
    }
    return preview;
}

} // namespace quelmar
