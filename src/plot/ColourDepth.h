#pragma once
// A picture at one of the colour depths a saved picture can have: 1, 4 and 8 bits per pixel with
// a palette of 2, 16 and 256 colours, and 15, 16, 24 and 32 bits of direct colour.
//
// The palette depths map every pixel to the nearest palette colour (by distance in RGB), without
// dithering: a curve picture is made of flat colours, and dither would fray its markers and
// letters. The palettes are fixed:
//   2 colours   black and white;
//   16 colours  the sixteen standard colours of a VGA display, which hold every colour the light
//               curve draws with, so a curve keeps its colours;
//   256 colours the sixteen, a 6 x 6 x 6 colour cube and greys.

#include <QImage>
#include <QList>

#include <optional>

namespace quelmar {

// The depths, in the order of the dialog's list.
inline constexpr int ColourDepths[] = {1, 4, 8, 15, 16, 24, 32};

bool isColourDepth(int bitsPerPixel);
// Depths 1, 4 and 8: their pictures store palette indices.
inline bool hasPalette(int bitsPerPixel) {
    return bitsPerPixel <= 8;
}

struct DepthPicture {
    // Indexed8 with a colour table of exactly 2, 16 or 256 entries for the palette depths;
    // RGB555 and RGB16 for 15 and 16 bits; RGB32 for 24 and 32 bits, since an RGB32 pixel holds
    // 24 bits of colour and nothing else, its fourth byte being left out when a file is written.
    QImage image;
    int bitsPerPixel = 32;
};

// The fixed palette of a palette depth.
const QList<QRgb>& depthPalette(int bitsPerPixel);

// The picture as it is, at 32 bits, whatever the format of the image.
DepthPicture screenDepthPicture(const QImage& image);
// The picture converted to a depth of ColourDepths.
DepthPicture convertToDepth(const QImage& image, int bitsPerPixel);

// The image with a palette of exactly its own colours, in the order they first appear, when it
// holds at most 256 of them: the lossless palette form of a light curve's picture.
std::optional<QImage> exactlyIndexed(const QImage& image);

// Refuses an empty picture, and one whose image is not in the form its depth stores.
void checkDepthPicture(const DepthPicture& picture);

// The picture's pixels as 32-bit RGB, the form the encoders without palettes read.
QImage rgb32Of(const DepthPicture& picture);

} // namespace quelmar
