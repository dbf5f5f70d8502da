#pragma once
// The options that are not kept in settings.bin: each start takes these design values, and the
// settings dialog writes every change of its controls here at once, so every command reads the
// current value.

#include "analysis/PolynomialFit.h"
#include "core/DesignDefaults.h"
#include "plot/PlotOptions.h"

namespace quelmar {

struct Options {
    // Polynomial fit of extrema
    TermRange PolynomialTerms;                           // Spinpolynom, Spinpolynom2
    int PolynomialDecimals = design::PolynomialDecimals; // spinpolynomzn: of the listed results
    bool BestTermCount = design::BestTermCount;          // RadioButton1 "Maximum precision"

    // The axes' labels and tick marks (or grid lines) of the light curve, as its drawing reads
    // them.
    PlotOptions Plot;

    // Information about the cursor point, shown by the control panel
    int CursorXDecimals = design::CursorXDecimals;               // SpinX
    int CursorYDecimals = design::CursorYDecimals;               // SpinY
    int CursorInverseXDecimals = design::CursorInverseXDecimals; // Spin1X
    int CursorNumberDecimals = design::CursorNumberDecimals;     // SpinNum, fixed
    LabelFont CursorXFont = designLabelFont();                   // ColorXBtn
    LabelFont CursorYFont = designLabelFont();                   // ColorYBtn
    LabelFont CursorInverseXFont = designLabelFont();            // Color1xBtn
    LabelFont CursorNumberFont = designLabelFont();              // ColorNumBtn
};

} // namespace quelmar
