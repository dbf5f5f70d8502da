#pragma once
// The principal-components command: decomposes the channels the light curve holds and hands
// the component series to it, so that channel k of the view shows component k.

class QWidget;

namespace quelmar {

struct Workbench;
class CurveWindow;

void showPrincipalComponents(Workbench& workbench, CurveWindow& curve, QWidget* parent);

} // namespace quelmar
