#pragma once
// The design values of every option, in one place: what a first start shows, what "Restore all
// defaults" brings back, and the limits of the settings' spin boxes. The settings file, the live
// options, the light curve's drawing, the settings dialog, the polynomial fit and the command
// line all take them from here.

namespace quelmar {

enum class PointShape : char { Circle = '2', Square = '3', Symbol = '4' };

namespace design {

// Kept in settings.bin.
inline constexpr const char* PlateCatalogue = "7cam.dat";
inline constexpr const char* EditorPath = "[Select path -->]";
inline constexpr int PointSize = 4;
inline constexpr int MinPointSize = 1;
inline constexpr int MaxPointSize = 100;
inline constexpr const char* PointSymbol = "+";
inline constexpr PointShape Shape = PointShape::Circle;
inline constexpr bool ShowCurveTools = false;
inline constexpr bool FullPlateInfo = false;
inline constexpr bool AskBeforeDelete = true;
inline constexpr bool AlwaysOnTop = false;
inline constexpr bool ShowGrid = false;
// The value that marks a missing one in a data file (line 6 of settings.bin).
inline constexpr double MissingValueMarker = 0;

// Polynomial fit of extrema: term counts, decimals of the listed results.
inline constexpr int PolynomialFirstTerms = 3;
inline constexpr int PolynomialLastTerms = 6;
inline constexpr int MinTerms = 1;
inline constexpr int MaxTerms = 11;
inline constexpr int PolynomialDecimals = 4;
inline constexpr bool BestTermCount = false;

// Labels: decimals of the axes and of the cursor point's information, and their font's size.
inline constexpr int AxisDecimals = 4;
inline constexpr int CursorXDecimals = 8;
inline constexpr int CursorYDecimals = 4;
inline constexpr int CursorInverseXDecimals = 8;
inline constexpr int CursorNumberDecimals = 0;
inline constexpr int MaxDecimals = 15;
inline constexpr int LabelFontPointSize = 8;

// Tick marks (or grid lines) of the axes.
inline constexpr int MajorTicks = 4;
inline constexpr int MinorTicks = 8;
inline constexpr int MinTicks = 1;
inline constexpr int MaxTicks = 200;

} // namespace design

} // namespace quelmar
