#pragma once
// The results of the polynomial fits of extrema, kept for the whole run: for every channel and
// term count the moment and value of the extremum with their standard errors, and the fitted
// curve over the range it was fitted to. A fit overwrites only the entries of the channels and
// term counts it fits; the others keep what earlier fits wrote.

#include "MatrixInverse.h"
#include "core/PointStore.h"

#include <array>
#include <string>
#include <vector>

namespace quelmar {

// The fitted polynomial at the points first ... last of one fit.
struct FitCurve {
    int run = 0;   // the fit run that made it; 0: there is no curve
    int first = 0; // the range fitted, point numbers
    int last = 0;
    std::vector<double> values; // [i - first]

    bool exists() const { return run != 0; }
    bool covers(int i) const { return exists() && i >= first && i <= last; }
    double at(int i) const { return values[static_cast<std::size_t>(i - first)]; }

    // Point p was deleted and the points after it moved down by one. The curve keeps its value
    // at every point that remains, so drawing and subtracting it stay exact: a range that held
    // p loses it, a range after p moves down with its points.
    void removePoint(int p) {
        if (!exists() || p > last) return;
        if (p < first) {
            --first;
            --last;
            return;
        }
        values.erase(values.begin() + (p - first));
        if (--last < first) *this = {};
    }
};

template <typename T>
using ChannelTermTable = std::array<std::array<T, MaxTermCount + 1>, MaxChannels + 1>;

struct ExtremumTables {
    // [channel 1 ... 10][term count 1 ... 11], zero at start.
    ChannelTermTable<double> ExtremumMoment{};      // time of the extremum
    ChannelTermTable<double> ExtremumMomentError{}; // its standard error; 1000: not estimable
    ChannelTermTable<double> ExtremumValue{};       // the fitted value there
    ChannelTermTable<double> ExtremumValueError{};  // its standard error
    ChannelTermTable<FitCurve> FitCurves;
    int LastRun = 0; // the number of the latest fit run
    // Points were deleted since the file was read: the curves are numbered as the edited points
    // are, not as the file is.
    bool PointsDeleted = false;
    // The file the points were last read from: the curves were fitted to its points.
    std::string PointsFile;

    // Starts a fit run: the channels fitted together (one command) share its number.
    int beginRun() { return ++LastRun; }
    // The fitted curves follow the deletion of point p; the extrema, made from the points as
    // they were, stay as the results window lists them.
    void removePoint(int p) {
        for (auto& curves : FitCurves)
            for (FitCurve& curve : curves)
                curve.removePoint(p);
        PointsDeleted = true;
    }
    // The points were read from a file. The curves are forgotten (the extrema stay listed) when
    // they no longer fit the points they were made from: another file's points (another star, or
    // its phase curve), or the same file's after a deletion renumbered the points they were
    // fitted to. Read again unedited, the file's points are the ones fitted.
    void pointsRead(const std::string& file) {
        if (PointsDeleted || file != PointsFile)
            for (auto& curves : FitCurves)
                curves.fill(FitCurve{});
        PointsDeleted = false;
        PointsFile = file;
    }
};

// The moment error that says the moment could not be estimated.
inline constexpr double MomentErrorUnknown = 1000;

} // namespace quelmar
