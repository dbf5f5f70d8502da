#include "JulianDate.h"

#include <cmath>

namespace quelmar {

double dateToJD(double year, double month, double day, double hour, double minute) {
    using Real = long double;
    auto T = [](Real x) { return std::trunc(x); };
    const Real Y = year, M = month, D = day;
    const Real G = Y > 1585 ? 1 : 0;
    const Real a = -T(7 * (Y + T((M + 9) / 12)) / 4);
    const Real s = M - 9 >= 0 ? 1 : -1;
    const Real v = s * T(std::fabs(M - 9) / 7);
    const Real k = -T(3 * (T(T(Y + v) / 100) + 1) / 4);
    const Real e = T(275 * M / 9);
    const Real jd = 367 * Y + a + e + D + G * k + 1721027 + 2 * G - 0.5L +
                    (static_cast<Real>(hour) + static_cast<Real>(minute) / 60) / 24;
    return static_cast<double>(jd);
}

} // namespace quelmar
