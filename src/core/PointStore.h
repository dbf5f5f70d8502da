#pragma once
// The points of the file the light-curve view shows.
//
// Points and channels are numbered from 1, as in every formula of the program: element 0 of
// TimeValues and of each channel array is unused, and ChannelValues[0] is an empty slot, so
// formulas index the arrays without shifting.

#include <string>
#include <vector>

namespace quelmar {

inline constexpr int MaxPoints = 1'000'000;
inline constexpr int MaxChannels = 10;

struct PointStore {
    std::vector<double> TimeValues;                 // 1 ... PointCount, ascending after loading
    std::vector<std::vector<double>> ChannelValues; // [k][i], k = 1 ... ChannelCount
    int PointCount = 0;
    int ChannelCount = 0;
    std::vector<bool> ChannelVisible;               // [k], k = 1 ... ChannelCount
    int ViewFirst = 0;                              // 0: unset, the next redraw takes 1
    int ViewLast = 0;                               // 0: unset, the next redraw takes PointCount
    bool PointsEdited = false; // points deleted or smoothed since the store was read or saved

    double time(int i) const { return TimeValues[static_cast<std::size_t>(i)]; }
    double value(int k, int i) const {
        return ChannelValues[static_cast<std::size_t>(k)][static_cast<std::size_t>(i)];
    }
};

} // namespace quelmar
