#pragma once
// JPEG through libjpeg. Only the quality is set, 0 ... 100 with 100 the best; the library takes
// a quality of 0 as 1. A picture of any depth is compressed from its colours as 24-bit RGB.

#include "ColourDepth.h"

#include <string>

namespace quelmar {

inline constexpr int MaxJpegQuality = 100;

std::string encodeJpeg(const DepthPicture& picture, int quality);

} // namespace quelmar
