#include "Arguments.h"
#include "JsonOutput.h"
#include "commands.h"
#include "core/Error.h"
#include "core/ObservationFile.h"
#include "core/TextFile.h"
#include "core/TimeScale.h"
#include "core/WritePlan.h"
#include "core/numbers.h"
#include "document/CurveNavigation.h"
#include "plot/CurveRenderer.h"
#include "plot/JpegEncoder.h"
#include "plot/PictureFile.h"

#include <QGuiApplication>

#include <iostream>
#include <memory>

namespace quelmar::cli {

namespace {

// The light-curve window's client area on the screen the program was laid out for.
constexpr int DefaultWidth = 1274;
constexpr int DefaultHeight = 967;
// A side longer than this would need a picture of hundreds of megabytes.
constexpr int MaxSide = 10000;

struct RenderOptions {
    std::string data, output, size, depth, quality = "100";
    bool json = false;
    MissingMarker missing;
};

QSize pictureSize(const std::string& text) {
    if (text.empty()) return {DefaultWidth, DefaultHeight};
    const auto x = text.find_first_of("xX");
    const auto width = x == std::string::npos ? std::nullopt : parseInteger(text.substr(0, x));
    const auto height = x == std::string::npos ? std::nullopt : parseInteger(text.substr(x + 1));
    if (!width || !height || *width < 1 || *height < 1 || *width > MaxSide || *height > MaxSide)
        throw QuelmarError("--size \"" + text + "\" is not WIDTHxHEIGHT with each side 1 ... " +
                           std::to_string(MaxSide) + " pixels");
    return {*width, *height};
}

// No depth given: the picture as drawn, at 32 bits.
int colourDepth(const std::string& text) {
    if (text.empty()) return 0;
    const auto bits = parseInteger(text);
    if (!bits || !isColourDepth(*bits))
        throw QuelmarError("--depth \"" + text + "\" is not one of 1, 4, 8, 15, 16, 24, 32");
    return *bits;
}

int jpegQuality(const std::string& text) {
    const auto quality = parseInteger(text);
    if (!quality || *quality < 0 || *quality > MaxJpegQuality)
        throw QuelmarError("--quality \"" + text + "\" is not a whole number 0 ... 100");
    return *quality;
}

PictureFormat formatOfName(const std::string& output) {
    const std::string extension = extensionOf(output);
    if (const auto format = pictureFormatOfExtension(extension)) return *format;
    throw QuelmarError(output, "the extension \"" + extension +
                                   "\" names no picture format; give .bmp, .jpg, .jpeg, .gif "
                                   "or .png (in small letters)");
}

PointStore loadCurve(const std::string& path, const MissingMarker& missing) {
    const FileContent file(path);
    LoadResult loaded = parsePointStore(file.text(), countChannels(file.text()), path, missing);
    if (loaded.store.PointCount == 0) throw QuelmarError(path, "holds no observation to draw");
    reportSkippedLines(path, loaded.skipped);
    PointStore store = std::move(loaded.store);
    store.ChannelNames = recordedChannelNames(path, file.text()); // the legend, as the window's
    limitView(store, 1, store.PointCount);
    return store;
}

void render(const RenderOptions& opt) {
    const QSize size = pictureSize(opt.size);
    const int depth = colourDepth(opt.depth);
    const int quality = jpegQuality(opt.quality);
    WritePlan()
        .reads(opt.data, message::RoleDataFile)
        .writes(opt.output, message::RolePicture)
        .check();
    const PictureFormat format = formatOfName(opt.output);
    const PointStore store = loadCurve(opt.data, opt.missing);

    // Fonts need a GUI application; no display is needed for drawing into an image.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "quelmar-cli";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);

    QImage image(size, QImage::Format_RGB32);
    drawCurve(image, store, ViewState{}, AppSettings{}, PlotOptions{});
    const DepthPicture picture =
        depth == 0 ? screenDepthPicture(image) : convertToDepth(image, depth);
    savePicture(opt.output, picture, format, quality);
    if (opt.json) {
        std::cout << JsonObject()
                         .text("wrote", opt.output)
                         .count("width", size.width())
                         .count("height", size.height())
                         .count("bits_per_pixel", picture.bitsPerPixel)
                         .count("points", store.PointCount)
                         .str()
                  << '\n';
        return;
    }
    std::cout << "wrote " << opt.output << ": " << size.width() << " x " << size.height() << ", "
              << picture.bitsPerPixel << " bits per pixel, " << store.PointCount << " points\n";
}

} // namespace

void addRenderCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("render", RenderDescription);
    auto opt = std::make_shared<RenderOptions>();
    addDataFile(*cmd, opt->data, "observation file", "FILE");
    addMissingOption(*cmd, opt->missing);
    cmd->add_option("--output", opt->output, "picture file; an existing one is replaced")
        ->required();
    cmd->add_option("--size", opt->size, "picture size WIDTHxHEIGHT in pixels (default 1274x967)");
    cmd->add_option("--depth", opt->depth,
                    "bits per pixel: 1, 4, 8 (palettes of 2, 16, 256 colours), 15, 16, 24 or 32 "
                    "(default: the picture as drawn, 32)");
    cmd->add_option("--quality", opt->quality, "JPEG quality 0 ... 100 (default 100)");
    addJsonFlag(*cmd, opt->json);
    cmd->callback([opt] { render(*opt); });
}

} // namespace quelmar::cli
