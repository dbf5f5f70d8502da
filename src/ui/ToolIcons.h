#pragma once
// The icons of the tool buttons that no standard icon fits, drawn here.

#include <QIcon>

namespace quelmar {

// A light curve with one period of it marked.
QIcon periodIcon();
// A light curve through a minimum, its time marked.
QIcon extremumIcon();

} // namespace quelmar
