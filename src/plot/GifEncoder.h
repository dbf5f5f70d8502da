#pragma once
// GIF89a through giflib: one LZW-compressed image with a global colour table.
//
// A picture of a palette depth keeps its palette of 2, 16 or 256 colours. A deeper picture that
// holds at most 256 colours, as a light curve does, keeps every colour exactly; one with more is
// reduced to 256 by giflib's median-cut quantisation.

#include "ColourDepth.h"

#include <string>

namespace quelmar {

std::string encodeGif(const DepthPicture& picture);

} // namespace quelmar
