#include "SignalRestoration.h"

#include "core/numbers.h"

#include <algorithm>

namespace quelmar {

RestorationRefusal restorationRefusal(const PrincipalComponents& pca, const PointStore& store) {
    if (pca.ChannelCount == 0) return RestorationRefusal::NoDecomposition;
    if (!pca.ComponentsShown || store.PointCount != pca.PointCount ||
        store.ChannelCount != pca.ChannelCount)
        return RestorationRefusal::StoreChanged;
    return RestorationRefusal::None;
}

namespace {

// The channels of the points left out, rebuilt from the components kept (restoreSignal).
void restoreLeftOutPoints(const PrincipalComponents& pca, const std::vector<int>& kept,
                          PointStore& store) {
    const int n = pca.ChannelCount;
    std::vector<double> centred(std::size_t(n) + 1);
    for (std::size_t j = 0; j < pca.LeftOutPoints.size(); ++j) {
        const auto i = std::size_t(pca.LeftOutPoints[j]);
        for (int c = 1; c <= n; ++c)
            centred[std::size_t(c)] = pca.LeftOutMissing[std::size_t(c)][j]
                                          ? 0.0
                                          : pca.LeftOutValues[std::size_t(c)][j] - pca.PcaMeans[c];
        for (int c = 1; c <= n; ++c) {
            double& v = store.ChannelValues[std::size_t(c)][i];
            if (pca.LeftOutMissing[std::size_t(c)][j]) {
                v = pca.LeftOutValues[std::size_t(c)][j];
                continue;
            }
            v = pca.PcaMeans[c];
            for (const int k : kept) {
                double score = 0;
                for (int d = 1; d <= n; ++d)
                    score += pca.PcaAxes[d][k] * centred[std::size_t(d)];
                v += pca.PcaAxes[c][k] * score;
            }
        }
    }
}

// Missing after the restoration: the values that were missing before the decomposition.
void markOriginalMissing(const PrincipalComponents& pca, PointStore& store) {
    store.ChannelMissing.assign(std::size_t(pca.ChannelCount) + 1, {});
    for (int c = 1; c <= pca.ChannelCount; ++c)
        for (std::size_t j = 0; j < pca.LeftOutPoints.size(); ++j)
            if (pca.LeftOutMissing[std::size_t(c)][j])
                store.maskOf(c)[std::size_t(pca.LeftOutPoints[j])] = 1;
    store.Marker = pca.Marker;
}

} // namespace

void restoreSignal(const PrincipalComponents& pca, const std::vector<bool>& keep,
                   PointStore& store) {
    if (restorationRefusal(pca, store) != RestorationRefusal::None) return;
    const int n = pca.ChannelCount;
    std::vector<int> kept;
    for (int k = 1; k <= n; ++k)
        if (std::size_t(k) < keep.size() && keep[std::size_t(k)]) kept.push_back(k);
    // Block after block of points, so the scores read for one channel are still in the cache
    // for the next; each value is summed over the components in ascending order.
    constexpr int Block = 512;
    for (int from = 1; from <= pca.PointCount; from += Block) {
        const int count = std::min(Block, pca.PointCount + 1 - from);
        for (int c = 1; c <= n; ++c) {
            double* v = store.ChannelValues[std::size_t(c)].data() + from;
            std::fill(v, v + count, pca.PcaMeans[c]);
            for (const int k : kept) {
                const double axis = pca.PcaAxes[c][k];
                const double* score = pca.PcaScores[std::size_t(k)].data() + from;
                for (int t = 0; t < count; ++t)
                    v[t] += axis * score[t];
            }
        }
    }
    restoreLeftOutPoints(pca, kept, store);
    markOriginalMissing(pca, store);
}

std::vector<std::string> decompositionReport(const PrincipalComponents& pca,
                                             const std::string& heading) {
    const int n = pca.ChannelCount;
    std::vector<std::string> lines{heading};
    for (int c = 1; c <= n; ++c) {
        std::string line;
        for (int k = 1; k <= n; ++k)
            line += fixed(pca.PcaAxes[c][k], 4) + ' ';
        lines.push_back(line);
    }
    lines.emplace_back("i sigma[i] lambda[i]/summ.lambd");
    double total = 0;
    for (int k = 1; k <= n; ++k)
        total += pca.SingularValues[k] * pca.SingularValues[k];
    for (int k = 1; k <= n; ++k) {
        const double lambda = pca.SingularValues[k] * pca.SingularValues[k];
        const double share = total > 0 ? lambda / total : 0;
        lines.push_back(std::to_string(k) + ' ' + fixed(pca.SingularValues[k], 4) + ' ' +
                        fixed(share, 4));
    }
    return lines;
}

} // namespace quelmar
