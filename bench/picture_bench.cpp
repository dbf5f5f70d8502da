// Saving the 1274 x 967 picture of a five-band light curve: the conversion to each colour depth
// and the encoding in each format, paired in the same run with QImage::save of the same picture
// to BMP and to JPEG. Our 24-bit BMP is set against Qt's, which writes 24 bits too; our JPEG at
// quality 75 against Qt's at 75, both from the picture as drawn.

#include "RatioReporter.h"
#include "core/ObservationFile.h"
#include "document/CurveNavigation.h"
#include "plot/CurveRenderer.h"
#include "plot/PictureFile.h"

#include <QBuffer>
#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

using namespace quelmar;

constexpr double EncodingTargetMs = 50;
constexpr int Quality = 75;
const char* const CurveFile = QUELMAR_EXAMPLES_DIR "/sdss_rrlyr_3565718_ugriz.dat";

const QImage& curvePicture() {
    static const QImage picture = [] {
        LoadResult loaded = loadPointStore(CurveFile, 5);
        limitView(loaded.store, 1, loaded.store.PointCount);
        QImage image(1274, 967, QImage::Format_RGB32);
        drawCurve(image, loaded.store, {}, {}, {});
        return image;
    }();
    return picture;
}

const char* formatName(PictureFormat format) {
    switch (format) {
    case PictureFormat::Bmp:
        return "bmp";
    case PictureFormat::Jpeg:
        return "jpeg";
    case PictureFormat::Gif:
        return "gif";
    case PictureFormat::Png:
        return "png";
    }
    return "";
}

std::string saveName(PictureFormat format, int bits) {
    return std::string("BM_Save/") + formatName(format) + "/" + std::to_string(bits);
}

// What the dialog does from a depth chosen to the bytes of the file.
void registerSave(PictureFormat format, int bits) {
    benchmark::RegisterBenchmark(
        saveName(format, bits).c_str(),
        [=](benchmark::State& state) {
            for (auto _ : state) {
                const DepthPicture picture = convertToDepth(curvePicture(), bits);
                benchmark::DoNotOptimize(encodePicture(picture, format, Quality));
            }
        })
        ->Unit(benchmark::kMillisecond)
        ->MinTime(0.2);
}

void BM_QtSave(benchmark::State& state, const char* format) {
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        curvePicture().save(&buffer, format, Quality);
        benchmark::DoNotOptimize(buffer.data().size());
    }
}

BENCHMARK_CAPTURE(BM_QtSave, bmp, "BMP")->Unit(benchmark::kMillisecond)->MinTime(0.2);
BENCHMARK_CAPTURE(BM_QtSave, jpeg, "JPEG")->Unit(benchmark::kMillisecond)->MinTime(0.2);

double timeOf(const std::vector<std::pair<std::string, double>>& times, const std::string& name) {
    // A run's name may carry its settings after the registered name ("/min_time:0.200").
    for (const auto& [n, ms] : times)
        if (n == name || n.rfind(name + "/", 0) == 0) return ms;
    return -1;
}

constexpr PictureFormat Formats[] = {PictureFormat::Bmp, PictureFormat::Jpeg, PictureFormat::Gif,
                                     PictureFormat::Png};

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    curvePicture();
    for (const PictureFormat format : Formats)
        for (const int bits : ColourDepths)
            registerSave(format, bits);

    const auto times = quelmar::bench::runWithRatios(
        argc, argv, {{"BM_Save/bmp/24", "BM_QtSave/bmp"}, {"BM_Save/jpeg/32", "BM_QtSave/jpeg"}});

    bool met = true;
    double slowest = 0;
    std::string slowestName;
    for (const PictureFormat format : Formats)
        for (const int bits : ColourDepths) {
            const double ms = timeOf(times, saveName(format, bits));
            if (ms < 0) continue;
            if (ms > slowest) slowest = ms, slowestName = saveName(format, bits);
            if (ms > EncodingTargetMs) {
                std::printf("%s: %.1f ms (target: <= %.0f ms): MISSED\n",
                            saveName(format, bits).c_str(), ms, EncodingTargetMs);
                met = false;
            }
        }
    if (slowest > 0)
        std::printf("slowest conversion and encoding: %s, %.1f ms (target: <= %.0f ms each)\n",
                    slowestName.c_str(), slowest, EncodingTargetMs);
    for (const auto& [ours, qt] : {std::pair{"BM_Save/bmp/24", "BM_QtSave/bmp"},
                                   std::pair{"BM_Save/jpeg/32", "BM_QtSave/jpeg"}}) {
        const double oursMs = timeOf(times, ours);
        const double qtMs = timeOf(times, qt);
        if (oursMs < 0 || qtMs < 0) continue;
        const bool ok = oursMs <= qtMs;
        std::printf("%s against %s: %.1f ms against %.1f ms (target: no slower): %s\n", ours, qt,
                    oursMs, qtMs, ok ? "met" : "MISSED");
        met = met && ok;
    }
    return met ? 0 : 1;
}
