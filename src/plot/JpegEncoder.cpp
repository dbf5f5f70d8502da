#include "JpegEncoder.h"

#include "core/Error.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace quelmar {

namespace {

// libjpeg ends the process on an error unless told otherwise: this handler jumps back to the
// encoder with the library's message instead.
struct ErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void jumpOnError(j_common_ptr info) {
    auto* error = reinterpret_cast<ErrorJump*>(info->err);
    info->err->format_message(info, error->message);
    std::longjmp(error->jump, 1);
}

// 32-bit RGB pixels as libjpeg-turbo names their bytes in memory.
constexpr J_COLOR_SPACE Rgb32Layout = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;

// Compresses the rows into a buffer that libjpeg allocates; false with the message on failure.
// Nothing here has a destructor, so the jump out of the library skips none.
bool compress(const QImage& rgb, int quality, unsigned char** buffer, unsigned long* size,
              char* message) {
    jpeg_compress_struct info;
    ErrorJump error;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jumpOnError;
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", error.message);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = static_cast<JDIMENSION>(rgb.width());
    info.image_height = static_cast<JDIMENSION>(rgb.height());
    info.input_components = 4;
    info.in_color_space = Rgb32Layout;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

std::string encodeJpeg(const DepthPicture& picture, int quality) {
    checkDepthPicture(picture);
    if (quality < 0 || quality > MaxJpegQuality)
        throw QuelmarError({message::JpegQualityOutside, {std::to_string(quality)}});
    const QImage rgb = rgb32Of(picture);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = "";
    const bool done = compress(rgb, quality, &buffer, &size, message);
    std::string out;
    if (done) out.assign(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    if (!done) throw QuelmarError({message::JpegCompressionFailed, {std::string(message)}});
    return out;
}

} // namespace quelmar
