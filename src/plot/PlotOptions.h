#pragma once
// What the light-curve drawing reads from the settings dialog, with the design values. The window
// layer fills it from the live options before each redraw. Which channels are drawn is not here:
// the settings list is copied into the point store's ChannelVisible before drawing.

#include "Canvas.h"
#include "core/AppSettings.h"
#include "core/PointStore.h"

#include <QRgb>
#include <QString>
#include <array>

namespace quelmar {

// Fill colours of the point markers of channels 1 ... 10 (element 0 unused).
inline constexpr std::array<QRgb, MaxChannels + 1> ChannelColours = {
    0,
    qRgb(0, 255, 255),   // aqua
    qRgb(0, 0, 255),     // blue
    qRgb(0, 128, 0),     // green
    qRgb(255, 0, 0),     // red
    qRgb(128, 0, 128),   // purple
    qRgb(192, 192, 192), // silver
    qRgb(255, 255, 0),   // yellow
    qRgb(128, 128, 128), // grey
    qRgb(0, 0, 0),       // black
    qRgb(255, 0, 255),   // fuchsia
};

inline constexpr QRgb FrameColour = qRgb(0, 0, 255);
inline constexpr QRgb JoiningLineColour = qRgb(0, 128, 0);
inline constexpr QRgb BandEdgeColour = qRgb(255, 255, 0);
inline constexpr QRgb BackgroundColour = qRgb(255, 255, 255);
inline constexpr QRgb OutlineColour = qRgb(0, 0, 0); // marker outlines and centre dots

// The axis-label fonts start as the platform's face at size 8, black.
LabelFont defaultAxisFont();

struct PlotOptions {
    int PointSize = design::PointSize;                              // dcirspin
    PointShape Shape = design::Shape;                               // RadioButton2 / 3 / 4
    QString PointSymbol = QString::fromLatin1(design::PointSymbol); // charEdit
    int XAxisDecimals = design::AxisDecimals;                       // SpinXax
    int YAxisDecimals = design::AxisDecimals;                       // SpinYax
    LabelFont XAxisFont = defaultAxisFont();                        // ColorXaxBtn
    LabelFont YAxisFont = defaultAxisFont();                        // ColorYaxBtn
    int MajorTicks = design::MajorTicks;                            // SpinXL
    int MinorTicks = design::MinorTicks;                            // SpinXS
    bool ShowGrid = design::ShowGrid; // setkach: grid lines instead of tick marks
};

} // namespace quelmar
