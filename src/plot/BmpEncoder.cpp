#include "BmpEncoder.h"

#include "core/Error.h"

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
    case 24: // BGR888 is the file's byte order
        std::memcpy(row, line, static_cast<std::size_t>(width) * 3);
        break;
    case 32:
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = reinterpret_cast<const QRgb*>(line)[x];
            row[4 * x] = static_cast<char>(qBlue(pixel));
            row[4 * x + 1] = static_cast<char>(qGreen(pixel));
            row[4 * x + 2] = static_cast<char>(qRed(pixel));
            row[4 * x + 3] = 0;
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
    if (fileSize > 0xffffffffu) throw QuelmarError("the picture is too large for a bitmap file");

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

    const std::size_t pixelsStart = out.size();
    out.resize(static_cast<std::size_t>(fileSize), '\0');
    for (std::uint32_t r = 0; r < height; ++r) {
        const int y = static_cast<int>(height - 1 - r);
        writeRow(picture, y, out.data() + pixelsStart + std::size_t{r} * rowSize);
    }
    return out;
}

} // namespace quelmar
