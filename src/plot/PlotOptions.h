#pragma once
// What the light-curve drawing reads. The points' size, shape and symbol and the choice of grid
// or tick marks are kept in settings.bin and read from AppSettings; the axes' labels and
// divisions are live options, which the settings dialog writes into the PlotOptions the window
// layer keeps among its options. Which channels are drawn is not here: the settings list is
// copied into the point store's ChannelVisible before drawing.

#include "Canvas.h"
#include "core/AppSettings.h"
#include "core/PointStore.h"
#include "core/cp1251.h"

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

// Labels start in the platform's face at the design size, black.
inline LabelFont designLabelFont() {
    LabelFont label;
    label.font.setPointSize(design::LabelFontPointSize);
    return label;
}

struct PlotOptions {
    int XAxisDecimals = design::AxisDecimals; // SpinXax
    int YAxisDecimals = design::AxisDecimals; // SpinYax
    LabelFont XAxisFont = designLabelFont();  // ColorXaxBtn
    LabelFont YAxisFont = designLabelFont();  // ColorYaxBtn: also the points' symbol
    int MajorTicks = design::MajorTicks;      // SpinXL
    int MinorTicks = design::MinorTicks;      // SpinXS
};

// The points' symbol as drawn: settings.bin keeps its text in cp1251.
inline QString pointSymbolText(const AppSettings& settings) {
    return QString::fromStdString(cp1251ToUtf8(settings.PointSymbol));
}

} // namespace quelmar
