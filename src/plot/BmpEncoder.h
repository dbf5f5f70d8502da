#pragma once
// The Windows bitmap file: a 14-byte file header, a 40-byte information header, then the
// palette (palette depths) or the three bit-field masks (16 bits), then the rows from the bottom
// up, each padded to a multiple of 4 bytes. 15 bits is the format's plain 16-bit layout
// (5 bits each of red, green and blue); 16 bits has masks for 5 bits of red, 6 of green and 5 of
// blue.

#include "ColourDepth.h"

#include <string>

namespace quelmar {

std::string encodeBmp(const DepthPicture& picture);

} // namespace quelmar
