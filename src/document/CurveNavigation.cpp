#include "CurveNavigation.h"

#include "core/numbers.h"

#include <algorithm>
#include <utility>

namespace quelmar {

namespace {

// The mean of the gaps between neighbours ending at points from ... to, those that exist.
double meanGap(const PointStore& store, int from, int to) {
    from = std::max(from, 2);
    to = std::min(to, store.PointCount);
    if (to < from) return 0;
    double sum = 0;
    for (int j = from; j <= to; ++j)
        sum += store.time(j) - store.time(j - 1);
    return sum / (to - from + 1);
}

struct Walk {
    int stop = 0;
    bool wideGap = false; // stopped beside a wide gap rather than at the view's bound
};

// A cursor left behind by a longer curve walks from the last point.
int pointWithin(const PointStore& store, int cursor) {
    return std::clamp(cursor, 1, std::max(store.PointCount, 1));
}

Walk walkLeft(const PointStore& store, int p) {
    p = pointWithin(store, p);
    const double g = meanGap(store, p - 2, p);
    double d = 0;
    while (3 * g >= d && p > store.ViewFirst) {
        --p;
        d = store.time(p + 1) - store.time(p);
    }
    return {p, 3 * g < d};
}

Walk walkRight(const PointStore& store, int p) {
    p = pointWithin(store, p);
    const double g = meanGap(store, p + 1, p + 3);
    double d = 0;
    while (3 * g >= d && p < store.ViewLast) {
        ++p;
        d = store.time(p) - store.time(p - 1);
    }
    return {p, 3 * g < d};
}

} // namespace

void limitView(PointStore& store, int first, int last) {
    if (store.PointCount <= 0) {
        store.ViewFirst = store.ViewLast = 0;
        return;
    }
    first = std::clamp(first, 1, store.PointCount);
    last = std::clamp(last, 1, store.PointCount);
    if (last < first) std::swap(first, last);
    store.ViewFirst = first;
    store.ViewLast = last;
}

int stepForward(const PointStore& store, int cursor, int step) {
    return cursor < store.ViewLast - step ? cursor + step : store.ViewFirst;
}

int stepBack(const PointStore& store, int cursor, int step) {
    return store.ViewFirst + step < cursor ? cursor - step : store.ViewLast;
}

int gapJumpLeft(const PointStore& store, int cursor) {
    if (store.PointCount <= 0) return cursor;
    return walkLeft(store, cursor).stop;
}

int gapJumpRight(const PointStore& store, int cursor) {
    if (store.PointCount <= 0) return cursor;
    return walkRight(store, cursor).stop;
}

void selectSeason(PointStore& store, int cursor) {
    if (store.PointCount <= 0) return;
    const Walk left = walkLeft(store, cursor);
    const Walk right = walkRight(store, cursor);
    limitView(store, left.wideGap ? left.stop + 1 : left.stop,
              right.wideGap ? right.stop - 1 : right.stop);
}

void halfShift(PointStore& store, int direction) {
    const int h = (store.ViewLast - store.ViewFirst) / 2 * direction;
    limitView(store, store.ViewFirst + h, store.ViewLast + h);
}

void centreOn(PointStore& store, int cursor) {
    const auto shift =
        static_cast<int>(-Nearest((store.ViewFirst + store.ViewLast) * 0.5 - cursor));
    limitView(store, store.ViewFirst + shift, store.ViewLast + shift);
}

int pointNearestX(const PointStore& store, double x) {
    if (store.PointCount < 1) return 0;
    const auto first = store.TimeValues.begin() + 1;
    const auto last = first + store.PointCount;
    const auto after = std::lower_bound(first, last, x);
    if (after == last) return store.PointCount;
    const int i = static_cast<int>(after - store.TimeValues.begin());
    return i > 1 && x - store.time(i - 1) <= store.time(i) - x ? i - 1 : i;
}

} // namespace quelmar
