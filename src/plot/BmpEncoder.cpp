#include "BmpEncoder.h"

#include "core/Error.h"

#include <algorithm>
#include <cstring>

namespace quelmar {

namespace {

constexpr std::uint32_t FileHeaderSize = 14;
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t BiRgb = 0;
constexpr std::uint32_t BiBitfields = 3;
constexpr std::uint32_t PixelsPerMetre = 3780; // 96 pixels per inch, a screen's

void put16(std::string& out, std::uint16_t v) {
    out += static_cast<char>(v & 0xff);
    out += static_cast<char>(v >> 8);
}

void put32(std::string& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>(v >> shift & 0xff);
}

std::uint32_t fileBitCount(int bitsPerPixel) {
    return bitsPerPixel == 15 ? 16 : static_cast<std::uint32_t>(bitsPerPixel);
}

// Packs the palette indices of one row, the leftmost pixel in the highest bits of a byte.
void packIndices(const uchar* indices, int width, int bits, char* row) {
    const int perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    for (int x = 0; x < width; x += perByte) {
        unsigned byte = 0;
        for (int j = 0; j < perByte; ++j) {
            byte <<= bits;
            if (x + j < width) byte |= indices[x + j] & mask;
        }
        row[x / perByte] = static_cast<char>(byte);
    }
}

// In memory an RGB32 pixel is the bytes B, G, R, 0xff on a little-endian machine, and a 24-bit
// bitmap row is B, G, R per pixel: the same bytes with every fourth left out, packed here four
// pixels to three words at a time.
void dropFourthBytes(const quint32* from, int width, char* to) {
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "RGB32 pixels are read as their bytes");
    int x = 0;
    for (; x + 4 <= width; x += 4, to += 12) {
        const quint32 p0 = from[x], p1 = from[x + 1], p2 = from[x + 2], p3 = from[x + 3];
        const quint32 w0 = (p0 & 0xffffff) | p1 << 24;
        const quint32 w1 = (p1 >> 8 & 0xffff) | p2 << 16;
        const quint32 w2 = (p2 >> 16 & 0xff) | p3 << 8;
        std::memcpy(to, &w0, 4);
        std::memcpy(to + 4, &w1, 4);
        std::memcpy(to + 8, &w2, 4);
    }
    for (; x < width; ++x, to += 3)
        std::memcpy(to, &from[x], 3);
}

// A 24-bit picture's rows, bottom-up, each with its padding: each row is packed into a buffer
// that stays in the cache and appended, so the file's memory is written once.
void append24BitRows(const QImage& rgb32, std::uint32_t rowSize, std::string& out) {
    std::string row(rowSize, '\0');
    for (int y = rgb32.height() - 1; y >= 0; --y) {
        dropFourthBytes(reinterpret_cast<const quint32*>(rgb32.constScanLine(y)), rgb32.width(),
                        row.data());
        out += row;
    }
}

// Row y of the picture as the file stores it; bytes beyond the pixels are left as they are.
void writeRow(const DepthPicture& picture, int y, char* row) {
    const QImage& image = picture.image;
    const uchar* line = image.constScanLine(y);
    const int width = image.width();
    switch (picture.bitsPerPixel) {
    case 1:
    case 4:
        packIndices(line, width, picture.bitsPerPixel, row);
        break;
    case 8:
        std::memcpy(row, line, static_cast<std::size_t>(width));
        break;
    case 15:
    case 16:
        // RGB555 and RGB16 hold 16-bit pixels in the machine's order; the file's is little-endian.
        for (int x = 0; x < width; ++x) {
            const auto pixel = reinterpret_cast<const quint16*>(line)[x];
            row[2 * x] = static_cast<char>(pixel & 0xff);
            row[2 * x + 1] = static_cast<char>(pixel >> 8);
        }
        break;
    case 32: // B, G, R and a fourth byte of 0: the RGB32 pixel with its top byte cleared
        for (int x = 0; x < width; ++x) {
            const quint32 pixel = reinterpret_cast<const quint32*>(line)[x] & 0xffffff;
            std::memcpy(row + 4 * x, &pixel, 4);
        }
        break;
    }
}

} // namespace

std::string encodeBmp(const DepthPicture& picture) {
    checkDepthPicture(picture);
    const QImage& image = picture.image;
    const int bits = picture.bitsPerPixel;
    const std::uint32_t bitCount = fileBitCount(bits);
    const std::uint32_t width = static_cast<std::uint32_t>(image.width());
    const std::uint32_t height = static_cast<std::uint32_t>(image.height());
    const std::uint32_t rowSize = (width * bitCount + 31) / 32 * 4;
    const std::uint32_t paletteSize = hasPalette(bits) ? (1u << bits) : 0;
    const std::uint32_t tableBytes = bits == 16 ? 12 : paletteSize * 4;
    const std::uint32_t pixelOffset = FileHeaderSize + InfoHeaderSize + tableBytes;
    const std::uint64_t fileSize = pixelOffset + std::uint64_t{rowSize} * height;
    if (fileSize > 0xffffffffu) throw QuelmarError(message::BitmapTooLarge);

    std::string out;
    out.reserve(static_cast<std::size_t>(fileSize));
    out += "BM";
    put32(out, static_cast<std::uint32_t>(fileSize));
    put32(out, 0); // reserved
    put32(out, pixelOffset);

    put32(out, InfoHeaderSize);
    put32(out, width);
    put32(out, height); // positive: the rows run from the bottom up
    put16(out, 1);      // planes
    put16(out, static_cast<std::uint16_t>(bitCount));
    put32(out, bits == 16 ? BiBitfields : BiRgb);
    put32(out, rowSize * height);
    put32(out, PixelsPerMetre);
    put32(out, PixelsPerMetre);
    put32(out, paletteSize); // colours used
    put32(out, 0);           // colours important: all

    if (bits == 16) {
        put32(out, 0xf800);
        put32(out, 0x07e0);
        put32(out, 0x001f);
    }
    if (paletteSize > 0) {
        const QList<QRgb> colours = image.colorTable();
        for (std::uint32_t i = 0; i < paletteSize; ++i) {
            const QRgb c = i < static_cast<std::uint32_t>(colours.size()) ? colours[i] : 0;
            out += static_cast<char>(qBlue(c));
            out += static_cast<char>(qGreen(c));
            out += static_cast<char>(qRed(c));
            out += '\0';
        }
    }

    if (bits == 24) {
        append24BitRows(image, rowSize, out);
        return out;
    }
    const std::size_t pixelsStart = out.size();
    out.resize(static_cast<std::size_t>(fileSize), '\0');
    for (std::uint32_t r = 0; r < height; ++r) {
        const int y = static_cast<int>(height - 1 - r);
        writeRow(picture, y, out.data() + pixelsStart + std::size_t{r} * rowSize);
    }
    return out;
}

} // namespace quelmar
