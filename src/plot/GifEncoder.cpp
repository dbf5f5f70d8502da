#include "GifEncoder.h"

#include "core/Error.h"

#include <gif_lib.h>

#include <memory>
#include <optional>
#include <vector>

namespace quelmar {

namespace {

constexpr int MaxGifSide = 0xffff;

// Palette indices, row after row, and the colours they index.
struct IndexedPixels {
    std::vector<GifByteType> indices;
    std::vector<GifColorType> colours;
};

GifColorType gifColour(QRgb c) {
    return {static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
            static_cast<GifByteType>(qBlue(c))};
}

IndexedPixels fromPalette(const QImage& image) {
    IndexedPixels out;
    for (const QRgb c : image.colorTable())
        out.colours.push_back(gifColour(c));
    const auto width = static_cast<std::size_t>(image.width());
    out.indices.resize(width * static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y)
        std::copy_n(image.constScanLine(y), width, out.indices.begin() + width * y);
    return out;
}

IndexedPixels medianCut(const QImage& rgb) {
    const auto count = static_cast<std::size_t>(rgb.width()) * rgb.height();
    std::vector<GifByteType> red(count), green(count), blue(count);
    std::size_t n = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x, ++n) {
            red[n] = static_cast<GifByteType>(qRed(line[x]));
            green[n] = static_cast<GifByteType>(qGreen(line[x]));
            blue[n] = static_cast<GifByteType>(qBlue(line[x]));
        }
    }
    IndexedPixels out;
    out.indices.resize(count);
    out.colours.resize(256);
    int colourCount = 256;
    if (GifQuantizeBuffer(static_cast<unsigned>(rgb.width()), static_cast<unsigned>(rgb.height()),
                          &colourCount, red.data(), green.data(), blue.data(), out.indices.data(),
                          out.colours.data()) == GIF_ERROR)
        throw QuelmarError(message::GifColoursNotReduced);
    out.colours.resize(static_cast<std::size_t>(colourCount));
    return out;
}

int appendBytes(GifFileType* gif, const GifByteType* bytes, int length) {
    static_cast<std::string*>(gif->UserData)
        ->append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(length));
    return length;
}

struct GifCloser {
    void operator()(GifFileType* gif) const { EGifCloseFile(gif, nullptr); }
};

[[noreturn]] void fail(int error) {
    const char* reason = GifErrorString(error);
    throw QuelmarError(
        {message::GifEncodingFailed,
         {reason ? MessageText(reason) : MessageText(message::UnknownEncodingError)}});
}

} // namespace

std::string encodeGif(const DepthPicture& picture) {
    checkDepthPicture(picture);
    if (picture.image.width() > MaxGifSide || picture.image.height() > MaxGifSide)
        throw QuelmarError(message::GifTooLarge);
    IndexedPixels pixels;
    if (hasPalette(picture.bitsPerPixel)) {
        pixels = fromPalette(picture.image);
    } else {
        const QImage rgb = rgb32Of(picture);
        const std::optional<QImage> exact = exactlyIndexed(rgb);
        pixels = exact ? fromPalette(*exact) : medianCut(rgb);
    }
    // A GIF colour table has a power of 2 entries, at least 2.
    const int tableBits = std::max(1, GifBitSize(static_cast<int>(pixels.colours.size())));
    pixels.colours.resize(std::size_t{1} << tableBits, GifColorType{0, 0, 0});
    const std::unique_ptr<ColorMapObject, decltype(&GifFreeMapObject)> colourMap(
        GifMakeMapObject(1 << tableBits, pixels.colours.data()), GifFreeMapObject);
    if (!colourMap) fail(E_GIF_ERR_NOT_ENOUGH_MEM);

    std::string out;
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&out, appendBytes, &error));
    if (!gif) fail(error);
    EGifSetGifVersion(gif.get(), true);
    const int width = picture.image.width();
    const int height = picture.image.height();
    if (EGifPutScreenDesc(gif.get(), width, height, tableBits, 0, colourMap.get()) == GIF_ERROR ||
        EGifPutImageDesc(gif.get(), 0, 0, width, height, false, nullptr) == GIF_ERROR)
        fail(gif->Error);
    for (int y = 0; y < height; ++y)
        if (EGifPutLine(gif.get(), pixels.indices.data() + static_cast<std::size_t>(width) * y,
                        width) == GIF_ERROR)
            fail(gif->Error);
    error = 0;
    if (EGifCloseFile(gif.release(), &error) == GIF_ERROR) fail(error);
    return out;
}

} // namespace quelmar
