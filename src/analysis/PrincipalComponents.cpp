#include "PrincipalComponents.h"

#include "core/LargeArrays.h"

#include <algorithm>
#include <cmath>

namespace quelmar {

namespace {

// The points decomposed: those with a value in every channel, ascending.
std::vector<int> completePoints(const PointStore& store, int n, std::vector<int>& leftOut) {
    std::vector<int> rows;
    rows.reserve(std::size_t(store.PointCount));
    for (int i = 1; i <= store.PointCount; ++i) {
        bool complete = true;
        for (int k = 1; k <= n && complete; ++k)
            complete = !store.missing(k, i);
        (complete ? rows : leftOut).push_back(i);
    }
    return rows;
}

// The values of the points left out, for the restoration to give back.
void keepLeftOutValues(const PointStore& store, PrincipalComponents& pca) {
    const int n = pca.ChannelCount;
    pca.LeftOutValues.assign(std::size_t(n) + 1, {});
    pca.LeftOutMissing.assign(std::size_t(n) + 1, {});
    for (int c = 1; c <= n; ++c)
        for (const int i : pca.LeftOutPoints) {
            pca.LeftOutValues[std::size_t(c)].push_back(store.value(c, i));
            pca.LeftOutMissing[std::size_t(c)].push_back(store.missing(c, i));
        }
    pca.Marker = store.Marker;
}

// The mean of a column, summed in point order. A sum beyond the largest number is formed again
// from values scaled down by a power of two, so finite values always have a finite mean.
double meanOf(const std::vector<double>& column, int m) {
    double sum = 0;
    for (int r = 1; r <= m; ++r)
        sum += column[std::size_t(r)];
    if (std::isfinite(sum)) return sum / m;
    constexpr int shift = 24; // more than log2 of the most points
    sum = 0;
    for (int r = 1; r <= m; ++r)
        sum += std::ldexp(column[std::size_t(r)], -shift);
    return std::ldexp(sum / m, shift);
}

// The centred matrix: row r is point rows[r − 1], column k channel k less its mean.
ColumnMatrix centredMatrix(const PointStore& store, int n, const std::vector<int>& rows,
                           SmallVector& means) {
    const int m = int(rows.size());
    ColumnMatrix A(m, n);
    for (int k = 1; k <= A.cols; ++k) {
        std::vector<double>& a = A.column[std::size_t(k)];
        const double* v = store.ChannelValues[std::size_t(k)].data();
        for (int r = 1; r <= m; ++r)
            a[std::size_t(r)] = v[rows[std::size_t(r - 1)]];
        means[k] = meanOf(a, m);
        for (int r = 1; r <= m; ++r)
            a[std::size_t(r)] -= means[k];
    }
    return A;
}

// The iteration squares its values: beyond about 1e±150 the squares overflow or vanish. Such a
// matrix is decomposed scaled by a power of two, which is exact; the exponent to scale back by
// is returned, 0 for every ordinary matrix, which is decomposed as it stands.
int scaleIntoRange(ColumnMatrix& A) {
    double largest = 0;
    for (int k = 1; k <= A.cols; ++k)
        for (int r = 1; r <= A.rows; ++r)
            largest = std::max(largest, std::abs(A(r, k)));
    constexpr double high = 0x1p500;
    constexpr double low = 0x1p-500;
    if (!(largest > high) && !(largest > 0 && largest < low)) return 0;
    const int exponent = std::ilogb(largest);
    for (int k = 1; k <= A.cols; ++k)
        for (int r = 1; r <= A.rows; ++r)
            A(r, k) = std::ldexp(A(r, k), -exponent);
    return exponent;
}

bool allFinite(const std::vector<double>& values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// Scores of the points decomposed, spread over the point numbers; the points left out get 0,
// and the mask says they are missing.
std::vector<std::vector<double>> scoresByPoint(ColumnMatrix&& U, const std::vector<int>& rows,
                                               int pointCount, int exponent) {
    std::vector<std::vector<double>> scores(std::size_t(U.cols) + 1);
    const bool everyPoint = int(rows.size()) == pointCount;
    for (int k = 1; k <= U.cols; ++k) {
        std::vector<double>& u = U.column[std::size_t(k)];
        if (exponent != 0)
            for (double& v : u)
                v = std::ldexp(v, exponent);
        if (everyPoint) {
            scores[std::size_t(k)] = std::move(u);
            continue;
        }
        std::vector<double>& series = scores[std::size_t(k)];
        resizeLarge(series, std::size_t(pointCount) + 1);
        std::fill(series.begin(), series.end(), 0.0);
        for (std::size_t r = 1; r <= rows.size(); ++r)
            series[std::size_t(rows[r - 1])] = u[r];
    }
    return scores;
}

} // namespace

PcaOutcome computePrincipalComponents(const PointStore& store, PrincipalComponents& pca) {
    if (store.PointCount < 1) return PcaOutcome::NoPoints;
    if (store.ChannelCount < 1) return PcaOutcome::NoChannels;
    const int n = std::min(store.ChannelCount, MaxColumns);
    PrincipalComponents result;
    result.PointCount = store.PointCount;
    result.ChannelCount = n;
    const std::vector<int> rows = completePoints(store, n, result.LeftOutPoints);
    if (rows.empty()) return PcaOutcome::NoCompletePoint;
    keepLeftOutValues(store, result);

    ColumnMatrix A = centredMatrix(store, n, rows, result.PcaMeans);
    const int exponent = scaleIntoRange(A);
    SvdResult svd = singularValueDecomposition(A);
    A = {};
    for (int k = 1; k <= n; ++k) {
        result.SingularValues[k] = std::ldexp(svd.w[k], exponent);
        for (int c = 1; c <= n; ++c)
            result.PcaAxes[c][k] = svd.V[c][k];
    }
    result.PcaStatus = svd.status;
    result.PcaScores = scoresByPoint(std::move(svd.U), rows, store.PointCount, exponent);

    bool finite = true;
    for (int k = 1; k <= n; ++k) {
        finite = finite && std::isfinite(result.PcaMeans[k]) &&
                 std::isfinite(result.SingularValues[k]) &&
                 allFinite(result.PcaScores[std::size_t(k)]);
        for (int c = 1; c <= n; ++c)
            finite = finite && std::isfinite(result.PcaAxes[c][k]);
    }
    if (!finite) return PcaOutcome::NotFinite;

    result.ComponentValues.resize(std::size_t(n) + 1);
    for (int k = 1; k <= n; ++k) {
        const std::vector<double>& scores = result.PcaScores[std::size_t(k)];
        std::vector<double>& series = result.ComponentValues[std::size_t(k)];
        resizeLarge(series, scores.size());
        std::copy(scores.begin(), scores.end(), series.begin());
    }
    if (!result.LeftOutPoints.empty()) {
        result.ComponentMissing.assign(std::size_t(store.PointCount) + 1, 0);
        for (const int i : result.LeftOutPoints)
            result.ComponentMissing[std::size_t(i)] = 1;
    }
    result.ComponentsPending = true;
    pca = std::move(result);
    return PcaOutcome::Done;
}

void takeOverComponents(PrincipalComponents& pca, PointStore& store) {
    if (!pca.ComponentsPending) return;
    pca.ComponentsPending = false;
    const bool sameStore =
        store.PointCount == pca.PointCount && store.ChannelCount == pca.ChannelCount;
    if (sameStore) {
        store.ChannelMissing.assign(std::size_t(pca.ChannelCount) + 1, pca.ComponentMissing);
        store.ChannelMissing[0].clear();
        for (int k = 1; k <= pca.ChannelCount; ++k)
            store.ChannelValues[std::size_t(k)] = std::move(pca.ComponentValues[std::size_t(k)]);
        pca.ComponentsShown = true;
    }
    pca.ComponentValues.clear();
    pca.ComponentValues.shrink_to_fit();
    pca.ComponentMissing = {};
}

void forgetShownComponents(PrincipalComponents& pca) {
    pca.ComponentsPending = false;
    pca.ComponentsShown = false;
    pca.ComponentValues.clear();
    pca.ComponentValues.shrink_to_fit();
    pca.ComponentMissing = {};
}

std::string pcaRefusalText(PcaOutcome outcome, const MissingMarker& marker) {
    switch (outcome) {
    case PcaOutcome::NoPoints:
        return "the file holds no observation to decompose";
    case PcaOutcome::NoChannels:
        return "the file has no value column to decompose";
    case PcaOutcome::NoCompletePoint:
        if (marker.isNone()) return "no observation has a value in every column";
        return "no observation has a value in every column (" + missingMarkerText(marker) +
               " is a missing value; --missing none reads every number as a value)";
    case PcaOutcome::NotFinite:
        return "the values are too large to decompose";
    case PcaOutcome::Done:
        break;
    }
    return {};
}

} // namespace quelmar
