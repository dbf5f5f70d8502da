#pragma once
// Small point stores and picture queries for the light-curve tests.

#include "plot/CurveRenderer.h"

#include <QImage>
#include <functional>
#include <vector>

namespace quelmar::test {

inline constexpr QRgb Aqua = qRgb(0, 255, 255);
inline constexpr QRgb Blue = qRgb(0, 0, 255);
inline constexpr QRgb Green = qRgb(0, 128, 0);
inline constexpr QRgb Yellow = qRgb(255, 255, 0);
inline constexpr QRgb Black = qRgb(0, 0, 0);
inline constexpr QRgb White = qRgb(255, 255, 255);

// The window size of the figures.
inline constexpr int W = 1274;
inline constexpr int H = 967;

// A store of the given times and channels (each as long as the times), all channels shown.
inline PointStore makeStore(const std::vector<double>& times,
                            const std::vector<std::vector<double>>& channels) {
    PointStore s;
    s.PointCount = static_cast<int>(times.size());
    s.ChannelCount = static_cast<int>(channels.size());
    s.TimeValues = {0.0};
    s.TimeValues.insert(s.TimeValues.end(), times.begin(), times.end());
    s.ChannelValues.assign(1, {});
    for (const auto& c : channels) {
        s.ChannelValues.push_back({0.0});
        s.ChannelValues.back().insert(s.ChannelValues.back().end(), c.begin(), c.end());
    }
    s.ChannelVisible.assign(channels.size() + 1, true);
    s.ChannelVisible[0] = false;
    return s;
}

inline QImage surface(int width = W, int height = H) {
    return QImage(width, height, QImage::Format_RGB32);
}

// The marker centre of point i of channel k.
inline QPoint centre(const PointStore& s, const CurveGeometry& g, int k, int i) {
    const ChannelPlacement p(s, g, k);
    return QPoint(static_cast<int>(*p.x(i)), static_cast<int>(*p.y(i)));
}

inline QRgb at(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xff000000u;
}

inline int countPixels(const QImage& image, const std::function<bool(int, int, QRgb)>& match) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += match(x, y, at(image, x, y));
    return n;
}

inline int countColour(const QImage& image, QRgb colour) {
    return countPixels(image, [&](int, int, QRgb c) { return c == colour; });
}

// Columns x in first ... last whose pixel in row y has the colour.
inline int columnsWith(const QImage& image, int y, int first, int last, QRgb colour) {
    int n = 0;
    for (int x = first; x <= last; ++x)
        n += at(image, x, y) == colour;
    return n;
}

} // namespace quelmar::test
