#pragma once
// A small copy of a picture for a preview. Plain scaling loses the one-pixel lines a light
// curve is drawn with, or blends them into colours the picture does not have; here each pixel
// of the copy is the darkest pixel of the block of the picture it covers, as a screen shrinks a
// drawing of dark lines on white, so lines and markers stay, in the picture's own colours.

#include <QImage>
#include <QSize>

namespace quelmar {

// The picture shrunk to fit within the box, keeping its proportions; a picture that already
// fits is returned as it is, at 32 bits.
QImage previewOf(const QImage& picture, QSize box);

} // namespace quelmar
