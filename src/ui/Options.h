#pragma once
// The options that are not kept in settings.bin: each start takes these design values, and the
// settings dialog writes every change of its controls here at once, so every command reads the
// current value.

#include "plot/Canvas.h"

namespace quelmar {

// Labels start in the platform's face at size 8, black.
inline LabelFont designLabelFont() {
    LabelFont label;
    label.font.setPointSize(8);
    return label;
}

struct Options {
    // Polynomial fit of extrema
    int PolynomialFirstTerms = 3;   // Spinpolynom, 1 ... 11
    int PolynomialLastTerms = 6;    // Spinpolynom2, 1 ... 11
    int PolynomialDecimals = 4;     // spinpolynomzn: decimals of the listed results
    bool BestTermCount = false;     // RadioButton1 "Maximum precision"

    // Axis labels of the light curve
    int XAxisDecimals = 4;          // SpinXax
    int YAxisDecimals = 4;          // SpinYax
    LabelFont XAxisFont = designLabelFont(); // ColorXaxBtn
    LabelFont YAxisFont = designLabelFont(); // ColorYaxBtn

    // Information about the cursor point, shown by the control panel
    int CursorXDecimals = 8;        // SpinX
    int CursorYDecimals = 4;        // SpinY
    int CursorInverseXDecimals = 8; // Spin1X
    int CursorNumberDecimals = 0;   // SpinNum, fixed
    LabelFont CursorXFont = designLabelFont();        // ColorXBtn
    LabelFont CursorYFont = designLabelFont();        // ColorYBtn
    LabelFont CursorInverseXFont = designLabelFont(); // Color1xBtn
    LabelFont CursorNumberFont = designLabelFont();   // ColorNumBtn

    // Tick marks (or grid lines) of the axes, 1 ... 200
    int MajorTicks = 4;             // SpinXL
    int MinorTicks = 8;             // SpinXS
};

} // namespace quelmar
