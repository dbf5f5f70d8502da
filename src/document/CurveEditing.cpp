#include "CurveEditing.h"

#include "CurveNavigation.h"
#include "core/numbers.h"

namespace quelmar {

namespace {

constexpr int SavedDecimals = 4;

void appendNumber(std::string& text, double v) {
    appendFixedForFile(text, v, decimalsToKeep(v, SavedDecimals));
}

} // namespace

void deletePoint(PointStore& store, int p) {
    if (p < 1 || p > store.PointCount) return;
    store.TimeValues.erase(store.TimeValues.begin() + p);
    for (int k = 1; k <= store.ChannelCount; ++k) {
        std::vector<double>& values = store.ChannelValues[static_cast<std::size_t>(k)];
        values.erase(values.begin() + p);
        if (static_cast<std::size_t>(k) < store.ChannelMissing.size()) {
            std::vector<std::uint8_t>& mask = store.ChannelMissing[static_cast<std::size_t>(k)];
            if (!mask.empty()) mask.erase(mask.begin() + p);
        }
    }
    --store.PointCount;
    limitView(store, store.ViewFirst, store.ViewLast);
}

bool canSmooth(const PointStore& store, int p) {
    return p >= 3 && p <= store.PointCount - 2;
}

void smoothPoint(PointStore& store, int k, int p) {
    if (!canSmooth(store, p) || k < 1 || k > store.ChannelCount) return;
    for (const int neighbour : {p - 2, p - 1, p + 1, p + 2})
        if (store.missing(k, neighbour)) return;
    double* v = store.ChannelValues[static_cast<std::size_t>(k)].data();
    v[p] = (9 * (v[p - 1] + v[p + 1]) - (v[p - 2] + v[p + 2])) / 16;
    if (store.missing(k, p)) store.maskOf(k)[static_cast<std::size_t>(p)] = 0;
}

std::string pointsText(const PointStore& store) {
    std::string text;
    for (int i = 1; i <= store.PointCount; ++i) {
        appendNumber(text, store.time(i));
        for (int k = 1; k <= store.ChannelCount; ++k) {
            if (store.ChannelCount >= 2 && !channelShown(store, k)) continue;
            text += ' ';
            appendNumber(text, store.writtenValue(k, i));
        }
        text += "\r\n";
    }
    return text;
}

} // namespace quelmar
