#pragma once
// Sines and cosines of a handful of angles at once, for series of periodic terms evaluated at
// many times: the angles of one time go through the same steps side by side, which the compiler
// turns into vector instructions.

#include <array>

namespace quelmar {

inline constexpr int AngleLanes = 16;
using Angles = std::array<double, AngleLanes>;

// sin and cos of every angle (radians), within 2.3e-16 of the exact value for angles up to about
// 800,000 radians, and the same on every processor; when an angle is larger or not finite, all
// of them get std::sin and std::cos.
void sinesAndCosines(const Angles& angle, Angles& sin, Angles& cos);

} // namespace quelmar
