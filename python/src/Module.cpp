// The Python module quelmar: the workbench's engine for notebooks and pipelines, on numpy
// arrays. Errors of the engine are quelmar.Error (a ValueError) with the command line's text.

#include "Functions.h"
#include "core/Error.h"

namespace py = pybind11;

PYBIND11_MODULE(quelmar, m) {
    m.doc() = "The Quelmar variable-star workbench's engine: observation files, survey light "
              "curves, period search, phases, barycentric dates, extrema and minima, principal "
              "components.";
    m.attr("__version__") = QUELMAR_VERSION;
    py::register_exception<quelmar::QuelmarError>(m, "Error", PyExc_ValueError);
    quelmar::python::addObservationFunctions(m);
    quelmar::python::addPeriodFunctions(m);
    quelmar::python::addCurveFunctions(m);
}
