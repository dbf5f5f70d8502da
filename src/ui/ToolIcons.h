#pragma once
// The icons of the tool buttons that no standard icon fits, drawn here.

#include <QIcon>

namespace quelmar {

// A light curve with one period of it marked.
QIcon periodIcon();
// A light curve through a minimum, its time marked.
QIcon extremumIcon();
// A cloud of points with its two principal axes.
QIcon componentsIcon();
// A cell of the diagram: the points of one channel against another, lying along a line.
QIcon twoChannelDiagramIcon();
// A noisy curve and, over it, the smooth signal kept.
QIcon restorationIcon();

} // namespace quelmar
