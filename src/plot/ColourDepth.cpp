#include "ColourDepth.h"

#include "core/Error.h"

#include <algorithm>
#include <array>
#include <limits>

namespace quelmar {

namespace {

QList<QRgb> vgaColours() {
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

QList<QRgb> colours256() {
    QList<QRgb> palette = vgaColours();
    const auto add = [&palette](QRgb colour) {
        if (!palette.contains(colour)) palette.append(colour);
    };
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                add(qRgb(r * 51, g * 51, b * 51));
    // 32 greys, 8 levels apart and none of them in the cube, fill the rest.
    for (int level = 2; level < 256; level += 8)
        add(qRgb(level, level, level));
    return palette;
}

// Nearest palette colour by squared distance in RGB, the first of equals winning. A curve
// picture holds few colours in long runs, so the last answer and a small cache of earlier ones
// save almost every search.
class NearestColour {
public:
    explicit NearestColour(const QList<QRgb>& palette) : palette_(palette) { keys_.fill(NoKey); }

    uchar operator()(QRgb colour) {
        colour &= 0xffffff;
        if (colour == lastColour_) return lastIndex_;
        const std::size_t slot = (colour * 2654435761u) >> 20 & (CacheSize - 1);
        if (keys_[slot] != colour) {
            keys_[slot] = colour;
            indices_[slot] = search(colour);
        }
        lastColour_ = colour;
        lastIndex_ = indices_[slot];
        return lastIndex_;
    }

private:
    static constexpr std::size_t CacheSize = 4096;
    static constexpr QRgb NoKey = 0xffffffff; // no colour masked to 24 bits equals it

    uchar search(QRgb colour) const {
        int best = 0;
        int bestDistance = std::numeric_limits<int>::max();
        for (int i = 0; i < palette_.size(); ++i) {
            const QRgb p = palette_[i];
            const int dr = qRed(p) - qRed(colour);
            const int dg = qGreen(p) - qGreen(colour);
            const int db = qBlue(p) - qBlue(colour);
            const int distance = dr * dr + dg * dg + db * db;
            if (distance < bestDistance) bestDistance = distance, best = i;
        }
        return static_cast<uchar>(best);
    }

    const QList<QRgb>& palette_;
    std::array<QRgb, CacheSize> keys_;
    std::array<uchar, CacheSize> indices_{};
    QRgb lastColour_ = NoKey;
    uchar lastIndex_ = 0;
};

// Colour -> palette index, by open addressing in a table never more than a quarter full.
class ColourIndex {
public:
    ColourIndex() { keys_.fill(NoKey); }

    // The index of the colour, a new one when it is new; nothing when all 256 are taken.
    std::optional<uchar> find(QRgb colour, QList<QRgb>& palette) {
        std::size_t slot = (colour * 2654435761u) >> 22 & (Slots - 1);
        while (keys_[slot] != colour && keys_[slot] != NoKey)
            slot = (slot + 1) & (Slots - 1);
        if (keys_[slot] == NoKey) {
            if (palette.size() == 256) return std::nullopt;
            keys_[slot] = colour;
            values_[slot] = static_cast<uchar>(palette.size());
            palette.append(colour | 0xff000000);
        }
        return values_[slot];
    }

private:
    static constexpr std::size_t Slots = 1024;
    static constexpr QRgb NoKey = 0xffffffff;
    std::array<QRgb, Slots> keys_;
    std::array<uchar, Slots> values_{};
};

DepthPicture toPalette(const QImage& rgb, int bitsPerPixel) {
    const QList<QRgb>& palette = depthPalette(bitsPerPixel);
    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    indexed.setColorTable(palette);
    NearestColour nearest(palette);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* to = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x)
            to[x] = nearest(from[x]);
    }
    return {indexed, bitsPerPixel};
}

QImage rgb32(const QImage& image) {
    return image.format() == QImage::Format_RGB32 ? image
                                                  : image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

bool isColourDepth(int bitsPerPixel) {
    return std::ranges::find(ColourDepths, bitsPerPixel) != std::end(ColourDepths);
}

const QList<QRgb>& depthPalette(int bitsPerPixel) {
    static const QList<QRgb> two = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    static const QList<QRgb> sixteen = vgaColours();
    static const QList<QRgb> full = colours256();
    switch (bitsPerPixel) {
    case 1:
        return two;
    case 4:
        return sixteen;
    case 8:
        return full;
    default:
        throw QuelmarError({message::DepthWithoutPalette, {std::to_string(bitsPerPixel)}});
    }
}

DepthPicture screenDepthPicture(const QImage& image) {
    return {rgb32(image), 32};
}

DepthPicture convertToDepth(const QImage& image, int bitsPerPixel) {
    const QImage rgb = rgb32(image);
    switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
        return toPalette(rgb, bitsPerPixel);
    case 15:
        return {rgb.convertToFormat(QImage::Format_RGB555), 15};
    case 16:
        return {rgb.convertToFormat(QImage::Format_RGB16), 16};
    case 24:
    case 32:
        return {rgb, bitsPerPixel};
    default:
        throw QuelmarError({message::NoSuchColourDepth, {std::to_string(bitsPerPixel)}});
    }
}

void checkDepthPicture(const DepthPicture& picture) {
    const QImage& image = picture.image;
    if (image.isNull()) throw QuelmarError(message::NoPictureToSave);
    const int bits = picture.bitsPerPixel;
    const bool formed = [&] {
        switch (bits) {
        case 1:
        case 4:
        case 8:
            return image.format() == QImage::Format_Indexed8 && image.colorCount() == 1 << bits;
        case 15:
            return image.format() == QImage::Format_RGB555;
        case 16:
            return image.format() == QImage::Format_RGB16;
        case 24:
        case 32:
            return image.format() == QImage::Format_RGB32;
        default:
            return false;
        }
    }();
    if (!formed) throw QuelmarError({message::PictureNotInItsDepth, {std::to_string(bits)}});
}

std::optional<QImage> exactlyIndexed(const QImage& image) {
    const QImage rgb = rgb32(image);
    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    QList<QRgb> palette;
    ColourIndex index;
    QRgb last = 0xffffffff;
    uchar lastIndex = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* to = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb colour = from[x] & 0xffffff;
            if (colour != last) {
                const std::optional<uchar> found = index.find(colour, palette);
                if (!found) return std::nullopt;
                last = colour;
                lastIndex = *found;
            }
            to[x] = lastIndex;
        }
    }
    indexed.setColorTable(palette);
    return indexed;
}

QImage rgb32Of(const DepthPicture& picture) {
    return rgb32(picture.image);
}

} // namespace quelmar
