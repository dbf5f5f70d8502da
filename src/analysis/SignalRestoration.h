#pragma once
// Partial restoration of the signal: the channels rebuilt from a chosen set of principal
// components, v(c, i) = mean(c) + Σ_k∈K axis(c, k) · score(k, i). With every component the
// channels come back as they were decomposed (to rounding); with none each is flat at its mean.

#include "PrincipalComponents.h"

#include <string>
#include <vector>

namespace quelmar {

enum class RestorationRefusal {
    None,
    NoDecomposition, // no decomposition has been made
    StoreChanged,    // the view no longer shows the components of the last decomposition
};

RestorationRefusal restorationRefusal(const PrincipalComponents& pca, const PointStore& store);

// Writes the restored channels 1 ... n over the store's channels, which are the component
// series the view took over. keep[k] (k = 1 ... n) chooses the components. A point left out of
// the decomposition has its missing values back as missing; its other channels are restored
// from the scores of its centred values projected on the axes, a missing value counting as
// the channel's mean, so that with every component kept they come back as they were. Only
// when restorationRefusal gives None.
void restoreSignal(const PrincipalComponents& pca, const std::vector<bool>& keep,
                   PointStore& store);

// The report of the decomposition, one text per line: the heading; for each channel its
// loadings on components 1 ... n, each followed by a blank; the header
// "i sigma[i] lambda[i]/summ.lambd"; for each component its number, its singular value and its
// share of the total variance Σ σ². Shares are 0 when there is no variance at all.
std::vector<std::string> decompositionReport(const PrincipalComponents& pca,
                                             const std::string& heading);

} // namespace quelmar
