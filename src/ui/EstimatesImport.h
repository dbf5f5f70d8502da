#pragma once
// Adding observations from a file of step estimates: the comparison stars are typed in an
// input box, the file is chosen in the shared open dialog, and a summary tells what was added
// and what was skipped.

class QWidget;

namespace quelmar {

struct Workbench;

// The command: an answer shorter than 2 characters or a cancelled choice stops it.
void importEstimatesFromFile(Workbench& workbench, QWidget* parent);

} // namespace quelmar
