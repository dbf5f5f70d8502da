// Saved pictures are read back by Qt's own readers, which share no code with our encoders.

#include "plot/PictureFile.h"
#include "CurveFixtures.h"
#include "core/Error.h"
#include "plot/BmpEncoder.h"
#include "plot/GifEncoder.h"
#include "plot/JpegEncoder.h"
#include "plot/PicturePreview.h"
#include "support/TempDir.h"

#include <QBuffer>
#include <QSet>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using namespace quelmar;
using namespace quelmar::test;

namespace {

// A small light curve; its odd width pads the rows of every depth but 32 bits.
constexpr int Width = 301;
constexpr int Height = 201;

QImage curvePicture() {
    QImage image = surface(Width, Height);
    const PointStore store =
        makeStore({1, 2, 3, 5, 8}, {{10.1, 10.4, 10.2, 10.9, 10.3}, {0.3, 0.5, 0.2, 0.4, 0.1}});
    drawCurve(image, store, {}, {}, {});
    return image;
}

std::uint32_t le32(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

QImage decode(const std::string& bytes, const char* format) {
    return QImage::fromData(QByteArray::fromStdString(bytes), format);
}

// Largest difference of one colour component between two pictures of one size.
int largestDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    return largest;
}

} // namespace

TEST(ColourDepth, PalettesAndTheCurveColours) {
    EXPECT_EQ(depthPalette(1).size(), 2);
    EXPECT_EQ(depthPalette(4).size(), 16);
    const QList<QRgb>& full = depthPalette(8);
    ASSERT_EQ(full.size(), 256);
    EXPECT_EQ(QSet<QRgb>(full.begin(), full.end()).size(), 256) << "every entry is a colour";

    // Every colour the curve draws with survives 16 colours; at 2 it becomes black or white.
    const QImage picture = curvePicture();
    const QImage sixteen = rgb32Of(convertToDepth(picture, 4));
    EXPECT_EQ(largestDifference(sixteen, picture), 0);
    const QImage two = rgb32Of(convertToDepth(picture, 1));
    EXPECT_EQ(countPixels(two,
                          [&](int x, int y, QRgb c) {
                              const QRgb was = at(picture, x, y);
                              const QRgb nearest = was == Blue || was == Black ? Black : White;
                              return c != nearest && (was == Blue || was == Black || was == White);
                          }),
              0);
    EXPECT_EQ(countPixels(two, [](int, int, QRgb c) { return c != Black && c != White; }), 0);
    EXPECT_THROW(convertToDepth(picture, 12), QuelmarError);
}

TEST(BmpFile, HeadersOfEveryDepthAndPixelsReadBack) {
    const QImage picture = curvePicture();
    struct Expected {
        int bits;
        std::uint32_t bitCount, compression, coloursUsed, tableBytes;
        int tolerance; // 15 and 16 bits keep 5 or 6 bits of each component
    };
    for (const Expected e : {Expected{1, 1, 0, 2, 8, 0},
                             {4, 4, 0, 16, 64, 0},
                             {8, 8, 0, 256, 1024, 0},
                             {15, 16, 0, 0, 0, 8},
                             {16, 16, 3, 0, 12, 8},
                             {24, 24, 0, 0, 0, 0},
                             {32, 32, 0, 0, 0, 0}}) {
        SCOPED_TRACE(e.bits);
        const DepthPicture converted = convertToDepth(picture, e.bits);
        const std::string bmp = encodeBmp(converted);
        const std::uint32_t rowBytes = (Width * e.bitCount + 31) / 32 * 4;
        ASSERT_EQ(bmp.size(), 54 + e.tableBytes + rowBytes * Height);
        EXPECT_EQ(bmp.substr(0, 2), "BM");
        EXPECT_EQ(le32(bmp, 2), bmp.size());
        EXPECT_EQ(le32(bmp, 10), 54 + e.tableBytes);
        EXPECT_EQ(le32(bmp, 18), std::uint32_t{Width});
        EXPECT_EQ(le32(bmp, 22), std::uint32_t{Height})
            << "positive height: rows from the bottom up";
        EXPECT_EQ(static_cast<unsigned char>(bmp[28]), e.bitCount);
        EXPECT_EQ(le32(bmp, 30), e.compression);
        EXPECT_EQ(le32(bmp, 46), e.coloursUsed);
        if (e.bits == 16) {
            EXPECT_EQ(le32(bmp, 54), 0xf800u);
        }

        const QImage read = decode(bmp, "BMP");
        ASSERT_EQ(read.size(), picture.size());
        EXPECT_LE(largestDifference(read, rgb32Of(converted)), e.tolerance);
    }
}

TEST(JpegFile, QualityAndTheLibrarysErrorsComeBack) {
    const DepthPicture picture = screenDepthPicture(curvePicture());
    const std::string best = encodeJpeg(picture, 100);
    const std::string poor = encodeJpeg(picture, 35);
    EXPECT_LT(poor.size(), best.size());
    const QImage read = decode(poor, "JPEG");
    ASSERT_EQ(read.size(), picture.image.size());
    EXPECT_NO_THROW(encodeJpeg(convertToDepth(picture.image, 1), 0));
    EXPECT_THROW(encodeJpeg(picture, 101), QuelmarError);
    // Beyond the format's 65,500 pixels the library fails; the program must not end with it.
    const QImage wide(70000, 1, QImage::Format_RGB32);
    EXPECT_THROW(encodeJpeg(screenDepthPicture(wide), 75), QuelmarError);
}

TEST(GifFile, CurveColoursAreKeptAndPalettesChosen) {
    const QImage picture = curvePicture();
    const std::string gif = encodeGif(screenDepthPicture(picture));
    EXPECT_EQ(gif.substr(0, 6), "GIF89a");
    EXPECT_EQ(largestDifference(decode(gif, "GIF"), picture), 0) << "a curve has few colours";

    for (const int bits : {1, 4, 8}) {
        const DepthPicture converted = convertToDepth(picture, bits);
        const std::string paletted = encodeGif(converted);
        // The screen descriptor's packed byte holds the global table's size as bits - 1.
        EXPECT_EQ((static_cast<unsigned char>(paletted[10]) & 7) + 1, bits);
        EXPECT_EQ(largestDifference(decode(paletted, "GIF"), rgb32Of(converted)), 0);
    }

    // A picture of 65,536 colours is reduced to 256, close to the original on the whole.
    QImage gradient(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            gradient.setPixel(x, y, qRgb(x, y, (x + y) / 2));
    const std::string reducedGif = encodeGif(screenDepthPicture(gradient));
    EXPECT_EQ(static_cast<unsigned char>(reducedGif[10]) & 7, 7);
    const QImage reduced = decode(reducedGif, "GIF");
    long long difference = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const QRgb p = reduced.pixel(x, y), q = gradient.pixel(x, y);
            difference += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                          std::abs(qBlue(p) - qBlue(q));
        }
    EXPECT_LT(difference / (256 * 256 * 3), 10) << "mean difference of a component";
}

TEST(PictureFile, ExtensionsAndSaving) {
    EXPECT_EQ(pictureFormatOfExtension(".jpeg"), PictureFormat::Jpeg);
    EXPECT_EQ(pictureFormatOfExtension(".png"), PictureFormat::Png);
    EXPECT_EQ(pictureFormatOfExtension(".JPG"), std::nullopt);
    EXPECT_EQ(pictureFormatOfExtension(""), std::nullopt);

    TempDir dir;
    const QImage picture = curvePicture();
    const std::string png = dir.file("star.png");
    savePicture(png, screenDepthPicture(picture), PictureFormat::Png, 100);
    const QImage read(QString::fromStdString(png));
    EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), picture) << "PNG is lossless";

    // A picture that cannot be encoded leaves the older file whole and no temporary beside it.
    EXPECT_THROW(savePicture(png, DepthPicture{}, PictureFormat::Bmp, 100), QuelmarError);
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), picture.size());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    try {
        savePicture(dir.file("no folder/star.bmp"), screenDepthPicture(picture), PictureFormat::Bmp,
                    100);
        FAIL() << "a missing folder is an error";
    } catch (const QuelmarError& error) {
        EXPECT_NE(std::string(error.what()).find("no folder/star.bmp"), std::string::npos);
    }
}

TEST(PicturePreview, ThinLinesSurviveShrinkingInTheirOwnColours) {
    QImage picture(600, 400, QImage::Format_RGB32);
    picture.fill(White);
    for (int x = 0; x < 600; ++x)
        picture.setPixel(x, 201, Blue);
    picture.setPixel(301, 7, Black);
    const QImage preview = previewOf(picture, QSize(100, 100));
    ASSERT_EQ(preview.size(), QSize(100, 66));
    EXPECT_EQ(countPixels(preview, [](int, int, QRgb c) { return c == Blue; }), 100);
    EXPECT_EQ(countPixels(preview, [](int, int, QRgb c) { return c == Black; }), 1);
    EXPECT_EQ(countPixels(preview, [](int, int, QRgb c) { return c != White; }), 101);
    EXPECT_EQ(previewOf(picture, QSize(800, 800)).size(), picture.size());
}
