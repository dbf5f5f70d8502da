#pragma once
// The options that are not kept in settings.bin: each start takes these design values, and the
// settings dialog writes every change of its controls here at once, so every command reads the
// current value.

#include "core/DesignDefaults.h"
#include "plot/Canvas.h"

namespace quelmar {

// Labels start in the platform's face at the design size, black.
inline LabelFont designLabelFont() {
    LabelFont label;
    label.font.setPointSize(design::LabelFontPointSize);
    return label;
}

struct Options {
    // Polynomial fit of extrema
    int PolynomialFirstTerms = design::PolynomialFirstTerms; // Spinpolynom
    int PolynomialLastTerms = design::PolynomialLastTerms;   // Spinpolynom2
    int PolynomialDecimals = design::PolynomialDecimals;     // spinpolynomzn: of the listed results
    bool BestTermCount = design::BestTermCount;              // RadioButton1 "Maximum precision"

    // Axis labels of the light curve
    int XAxisDecimals = design::AxisDecimals; // SpinXax
    int YAxisDecimals = design::AxisDecimals; // SpinYax
    LabelFont XAxisFont = designLabelFont();  // ColorXaxBtn
    LabelFont YAxisFont = designLabelFont();  // ColorYaxBtn

    // Information about the cursor point, shown by the control panel
    int CursorXDecimals = design::CursorXDecimals;               // SpinX
    int CursorYDecimals = design::CursorYDecimals;               // SpinY
    int CursorInverseXDecimals = design::CursorInverseXDecimals; // Spin1X
    int CursorNumberDecimals = design::CursorNumberDecimals;     // SpinNum, fixed
    LabelFont CursorXFont = designLabelFont();                   // ColorXBtn
    LabelFont CursorYFont = designLabelFont();                   // ColorYBtn
    LabelFont CursorInverseXFont = designLabelFont();            // Color1xBtn
    LabelFont CursorNumberFont = designLabelFont();              // ColorNumBtn

    // Tick marks (or grid lines) of the axes, 1 ... 200
    int MajorTicks = design::MajorTicks; // SpinXL
    int MinorTicks = design::MinorTicks; // SpinXS
};

} // namespace quelmar
