#pragma once
// Linear and quadratic ephemerides fitted to an O−C diagram by weighted least squares
// (weights 1/σ², σ the error of each time; the normal equations as in Press et al., Numerical
// Recipes, 3rd ed., §15.4). With the ephemeris of the diagram T = epoch + period·E:
//   linear     O − C = a + b·E         → epoch + a, period + b
//   quadratic  O − C = a + b·E + c·E²  → T = epoch' + period'·E + Q·E², Q = c,
//              the period changing by dP/dE = 2Q a cycle, dP/dt = 2Q/period' days per day.
// The errors are the square roots of the diagonal of the inverse normal matrix: the formal
// errors of the times given. A list without errors is fitted with equal weights, and its
// errors are then scaled by the residual variance. The reduced χ² is Σ(r/σ)² / (N − terms).

#include "OcDiagram.h"

#include <vector>

namespace quelmar {

enum class EphemerisKind { Linear, Quadratic };

struct EphemerisFit {
    EphemerisKind kind = EphemerisKind::Linear;
    double epoch = 0, epochError = 0;
    double period = 0, periodError = 0;
    double quadratic = 0, quadraticError = 0;       // Q, days per cycle²
    double periodChange = 0, periodChangeError = 0; // dP/dt, days per day
    double chi2Reduced = 0;
    std::vector<double> residuals; // O − C less the fitted curve, in the order of the points
};

inline constexpr double DaysPerCentury = 36525;

// Throws QuelmarError naming path when the points are too few or do not determine the fit.
EphemerisFit fitEphemeris(const std::vector<OcPoint>& points, Ephemeris ephemeris,
                          EphemerisKind kind, const std::string& path);

} // namespace quelmar
