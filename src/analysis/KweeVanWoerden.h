#pragma once
// The time of a minimum by the method of Kwee & van Woerden (1956, Bull. Astron. Inst.
// Netherlands 12, 327), with its classical error.
//
// The curve is reflected about a trial time T: at offsets d_k on either side its values are
// interpolated linearly between the observations, and S(T) = Σ (y(T + d_k) − y(T − d_k))² over
// the same n pairs measures how far the two branches differ. S is found at T1 − Δt/2, T1 and
// T1 + Δt/2, where Δt is the mean spacing of the observations; the parabola aT² + bT + c through
// the three gives the moment T0 = −b/2a and its error σ² = (4ac − b²) / (4a²(Z − 1)), with Z = N/4
// independent pairs for the N observations the reflection spans. T1 lies on the half-spacing
// lattice from the first observation, and the offsets are whole or half spacings, so that for
// evenly spaced observations every value reflected is an observed one. T1 starts at the rough
// minimum and moves to T0 until T0 lies within Δt/2 of it. The value at T0 and its error are
// those of a symmetric polynomial through T0 (SymmetricPolynomial.h).

#include "MinimumTiming.h"

namespace quelmar {

// Fewest points with a value that the timing takes.
inline constexpr int KweeVanWoerdenMinimumPoints = 7;

MinimumTiming kweeVanWoerden(const TimingSeries& series);

} // namespace quelmar
