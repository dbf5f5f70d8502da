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
    for (int c = 1; c <= n; ++c)
        for (const int i : pca.LeftOutPoints)
            store.ChannelValues[std::size_t(c)][std::size_t(i)] = 0;
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
