#pragma once
// Picture files: the format a file name's extension asks for, and writing a picture in it.
// Extensions are compared exactly, case and all: ".bmp", ".jpg" or ".jpeg", ".gif", ".png".

#include "ColourDepth.h"

#include <optional>
#include <string>

namespace quelmar {

enum class PictureFormat { Bmp, Jpeg, Gif, Png };

// The extension a format gives a file name.
std::string pictureExtension(PictureFormat format);
// The format of an extension with its dot (as extensionOf gives it); nothing for any other.
std::optional<PictureFormat> pictureFormatOfExtension(const std::string& extension);

// The file's bytes; the quality, 0 ... 100, is used by JPEG only.
std::string encodePicture(const DepthPicture& picture, PictureFormat format, int jpegQuality);
// Encodes the picture and writes it beside the target under a temporary name, renamed to the
// target only when whole: a failure leaves no broken picture and an older file unchanged.
// Throws QuelmarError naming the file.
void savePicture(const std::string& path, const DepthPicture& picture, PictureFormat format,
                 int jpegQuality);

} // namespace quelmar
