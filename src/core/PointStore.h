#pragma once
// The points of the file the light-curve view shows.
//
// Points and channels are numbered from 1, as in every formula of the program: element 0 of
// TimeValues and of each channel array is unused, and ChannelValues[0] is an empty slot, so
// formulas index the arrays without shifting.
//
// Missing values are a mask beside the values, set when a file is read (MissingValue.h):
// ChannelMissing[k][i] is 1 where channel k has no value at point i. An empty mask of a channel
// means that none of its values is missing. Computations test the mask, never the value.

#include "MissingValue.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quelmar {

inline constexpr int MaxPoints = 1'000'000;
inline constexpr int MaxChannels = 10;

struct PointStore {
    std::vector<double> TimeValues;                 // 1 ... PointCount, ascending after loading
    std::vector<std::vector<double>> ChannelValues; // [k][i], k = 1 ... ChannelCount
    std::vector<std::vector<std::uint8_t>> ChannelMissing; // [k][i]: 1 missing; [k] empty: none
    MissingMarker Marker; // the file's marker, written for a missing value
    int PointCount = 0;
    int ChannelCount = 0;
    std::vector<bool> ChannelVisible; // [k], k = 1 ... ChannelCount
    int ViewFirst = 0;                // 0: unset, the next redraw takes 1
    int ViewLast = 0;                 // 0: unset, the next redraw takes PointCount
    bool PointsEdited = false; // points deleted or smoothed since the store was read or saved
    // The value columns' names the file's record gives ("V", "zg", "PDCSAP"), first column first;
    // empty when it gives none.
    std::vector<std::string> ChannelNames;

    // Channel k's name, "" when the file gives none.
    const std::string& channelName(int k) const {
        static const std::string none;
        const auto index = static_cast<std::size_t>(k - 1);
        return k >= 1 && index < ChannelNames.size() ? ChannelNames[index] : none;
    }

    double time(int i) const { return TimeValues[static_cast<std::size_t>(i)]; }
    double value(int k, int i) const {
        return ChannelValues[static_cast<std::size_t>(k)][static_cast<std::size_t>(i)];
    }
    bool missing(int k, int i) const {
        const auto channel = static_cast<std::size_t>(k);
        return channel < ChannelMissing.size() && !ChannelMissing[channel].empty() &&
               ChannelMissing[channel][static_cast<std::size_t>(i)] != 0;
    }
    // Channel k's mask, made full size (nothing missing) when it was empty.
    std::vector<std::uint8_t>& maskOf(int k) {
        const auto channel = static_cast<std::size_t>(k);
        if (ChannelMissing.size() <= channel) ChannelMissing.resize(channel + 1);
        std::vector<std::uint8_t>& mask = ChannelMissing[channel];
        if (mask.empty()) mask.assign(static_cast<std::size_t>(PointCount) + 1, 0);
        return mask;
    }
    // The value as a file gets it: the marker where it is missing.
    double writtenValue(int k, int i) const {
        return missing(k, i) ? Marker.written() : value(k, i);
    }
};

inline bool channelShown(const PointStore& store, int k) {
    return k >= 1 && static_cast<std::size_t>(k) < store.ChannelVisible.size() &&
           store.ChannelVisible[static_cast<std::size_t>(k)];
}

// The first channel drawn; 1 when none is.
inline int firstShownChannel(const PointStore& store) {
    for (int k = 1; k <= store.ChannelCount; ++k)
        if (channelShown(store, k)) return k;
    return 1;
}

// Values missing in all channels together.
inline long long missingValueCount(const PointStore& store) {
    long long count = 0;
    for (int k = 1; k <= store.ChannelCount; ++k)
        for (int i = 1; i <= store.PointCount; ++i)
            count += store.missing(k, i);
    return count;
}

// Channel k's mask as an array indexed by point number; null when none of its values is missing.
inline const std::uint8_t* missingMaskOf(const PointStore& store, int k) {
    const auto channel = static_cast<std::size_t>(k);
    if (channel >= store.ChannelMissing.size() || store.ChannelMissing[channel].empty())
        return nullptr;
    return store.ChannelMissing[channel].data();
}

} // namespace quelmar
