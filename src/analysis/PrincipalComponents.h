#pragma once
// Principal components of the channels of the point store: each channel's mean is taken away
// and the centred data matrix (points × channels) is decomposed by singular values, without
// scaling by the standard deviations, so the components describe the covariances. Component k
// is the time series of the scores along axis k; the view shows it as channel k.
//
// A point that misses a value in any channel (the store's mask) is left out of the means and
// the matrix; its component values are missing, so the series keep the point numbering, and
// its values are kept for the restoration. A score of 0 is a score like any other.

#include "SingularValueDecomposition.h"
#include "core/PointStore.h"

#include <string>
#include <vector>

namespace quelmar {

struct PrincipalComponents {
    // The store the decomposition was made of; the restoration refuses any other.
    int PointCount = 0;
    int ChannelCount = 0;           // n, the number of components; 0 before the first decomposition
    std::vector<int> LeftOutPoints; // points with a missing value, ascending
    // [c][j]: channel c of point LeftOutPoints[j] as the store held it, and whether it is missing.
    std::vector<std::vector<double>> LeftOutValues;
    std::vector<std::vector<std::uint8_t>> LeftOutMissing;
    MissingMarker Marker; // the marker of the store decomposed, for the values written back

    SmallVector PcaMeans{};                     // [c]: mean of channel c over the points decomposed
    SmallMatrix PcaAxes{};                      // [c][k]: loading of channel c on component k
    SmallVector SingularValues{};               // [k], in the order the decomposition leaves them
    int PcaStatus = 0;                          // 0, or the singular value that did not converge
    std::vector<std::vector<double>> PcaScores; // [k][i], i = 1 ... PointCount

    // The hand-over to the view: the component series, until the view takes them over as its
    // channels, and whether the view now shows them.
    std::vector<std::vector<double>> ComponentValues; // [k][i], i = 1 ... PointCount
    std::vector<std::uint8_t> ComponentMissing;       // [i]: 1 at the points left out; empty: none
    bool ComponentsPending = false;
    bool ComponentsShown = false;
};

enum class PcaOutcome {
    Done,
    NoPoints,        // the store holds no point
    NoChannels,      // the file has times only
    NoCompletePoint, // every point misses a value in some channel
    NotFinite,       // values too large for any arithmetic to hold
};

// Why a decomposition was not made, in words, for the outcomes other than Done; the marker is
// the one the values were read with.
std::string pcaRefusalText(PcaOutcome outcome, const MissingMarker& marker);

// Decomposes the channels 1 ... ChannelCount of the store's points 1 ... PointCount and keeps
// the result in pca, with the component series waiting for the view (ComponentsPending). When
// the outcome is not Done, pca is left as it was.
PcaOutcome computePrincipalComponents(const PointStore& store, PrincipalComponents& pca);

// At the start of the view's redraw: pending components become the store's channels 1 ... n
// (the arrays themselves, no copies), missing at the points left out; the channel arrays they
// replace are released.
void takeOverComponents(PrincipalComponents& pca, PointStore& store);

// The view reloaded its file: its channels are the file's again, no longer the components.
void forgetShownComponents(PrincipalComponents& pca);

} // namespace quelmar
