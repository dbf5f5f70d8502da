#include "SinesAndCosines.h"

#include <cmath>
#include <cstdint>

namespace quelmar {

namespace {

// π/2 in three parts of 33 bits, so that n · part is exact for the quadrants n reduced here.
constexpr double HalfPi1 = 1.57079632673412561417e+00;
constexpr double HalfPi2 = 6.07710050630396597660e-11;
constexpr double HalfPi3 = 2.02226624871116645580e-21;
constexpr double TwoOverPi = 6.36619772367581382433e-01;
// Below 2^19 quadrants the reduction in three parts keeps the remainder exact to about 1e-25.
constexpr double ReducedUpTo = 524288 * 1.5707963267948966;
// Adding and subtracting 1.5 · 2^52 rounds a double to the nearest integer.
constexpr double RoundingShift = 6755399441055744.0;

// Minimax polynomials on [−π/4, π/4].
constexpr double S1 = -1.66666666666666324348e-01, S2 = 8.33333333332248946124e-03,
                 S3 = -1.98412698298579493134e-04, S4 = 2.75573137070700676789e-06,
                 S5 = -2.50507602534068634195e-08, S6 = 1.58969099521155010221e-10;
constexpr double C1 = 4.16666666666666019037e-02, C2 = -1.38888888888741095749e-03,
                 C3 = 2.48015872894767294178e-05, C4 = -2.75573143513906633035e-07,
                 C5 = 2.08757232129817482790e-09, C6 = -1.13596475577881948265e-11;

} // namespace

namespace {

// Reduced to [−π/4, π/4] by quadrants and evaluated, every lane alike so that the loop is
// vectorised.
inline void reducedSinesAndCosines(const Angles& angle, Angles& sin, Angles& cos) {
    for (int i = 0; i < AngleLanes; ++i) {
        const double x = angle[i];
        const double n = (x * TwoOverPi + RoundingShift) - RoundingShift;
        const auto quadrant = static_cast<std::int32_t>(n);
        const double r = ((x - n * HalfPi1) - n * HalfPi2) - n * HalfPi3;
        const double z = r * r;
        const double sinR = r + r * z * (S1 + z * (S2 + z * (S3 + z * (S4 + z * (S5 + z * S6)))));
        const double cosR =
            1.0 - 0.5 * z + z * z * (C1 + z * (C2 + z * (C3 + z * (C4 + z * (C5 + z * C6)))));
        const double s = (quadrant & 1) ? cosR : sinR;
        const double c = (quadrant & 1) ? sinR : cosR;
        sin[i] = (quadrant & 2) ? -s : s;
        cos[i] = ((quadrant + 1) & 2) ? -c : c;
    }
}

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
// Four lanes at a time on processors that have them. Without fused multiply-add (the library's
// flags) both versions round alike. Chosen at the first call rather than by the loader, which
// sanitizers do not allow.
__attribute__((target("arch=x86-64-v3"))) void wideSinesAndCosines(const Angles& angle, Angles& sin,
                                                                   Angles& cos) {
    reducedSinesAndCosines(angle, sin, cos);
}

void reducedOnThisProcessor(const Angles& angle, Angles& sin, Angles& cos) {
    static const bool wide = __builtin_cpu_supports("x86-64-v3");
    if (wide)
        wideSinesAndCosines(angle, sin, cos);
    else
        reducedSinesAndCosines(angle, sin, cos);
}
#else
void reducedOnThisProcessor(const Angles& angle, Angles& sin, Angles& cos) {
    reducedSinesAndCosines(angle, sin, cos);
}
#endif

} // namespace

void sinesAndCosines(const Angles& angle, Angles& sin, Angles& cos) {
    for (const double x : angle) {
        if (std::fabs(x) < ReducedUpTo) continue;
        for (int i = 0; i < AngleLanes; ++i) {
            sin[i] = std::sin(angle[i]);
            cos[i] = std::cos(angle[i]);
        }
        return;
    }
    reducedOnThisProcessor(angle, sin, cos);
}

} // namespace quelmar
