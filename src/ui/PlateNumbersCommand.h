#pragma once
// Plate numbers to Julian dates: after the user confirms, the data file's plate numbers are
// replaced by the exposure dates of the plate catalogue named in the settings, the file as it
// was is kept in a working copy, and the light curve is drawn again from the converted file.

class QWidget;

namespace quelmar {

struct Workbench;
class CurveWindow;

void convertPlateNumbersToDates(Workbench& workbench, CurveWindow& curve, QWidget* parent);

} // namespace quelmar
