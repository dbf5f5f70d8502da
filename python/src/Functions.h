#pragma once
// The module's functions, registered by group.

#include <pybind11/pybind11.h>

#include <optional>

namespace quelmar::python {

// read_observations, convert.
void addObservationFunctions(pybind11::module_& m);
// period_search and its Periodogram and Peak.
void addPeriodFunctions(pybind11::module_& m);
// phase, barycentric, extremum, minimum, principal_components.
void addCurveFunctions(pybind11::module_& m);

} // namespace quelmar::python
