#pragma once
// numpy arrays in and out of the engine. Arrays handed out own the engine's vectors (moved into
// a capsule), so a result is never copied; arrays taken in are read where they lie when they
// are already contiguous doubles, and copied once into the engine's own layout otherwise.

#include "core/PointStore.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quelmar::python {

namespace py = pybind11;

// A one-dimensional array of doubles, contiguous: the argument as it is, or converted.
using Doubles = py::array_t<double, py::array::c_style | py::array::forcecast>;

// Refuses an array that is not one-dimensional, naming the argument.
void checkOneDimensional(const py::array& array, const char* name);
// Refuses arrays of different lengths.
void checkSameLength(const py::array& a, const char* aName, const py::array& b, const char* bName);

// The array's values from element 1 on, element 0 unused: the layout of the engine's series.
std::vector<double> numberedFromOne(const Doubles& array);

// The elements from `first` on of a vector, as an array that owns the vector.
py::array_t<double> ownedArray(std::vector<double>&& values, std::size_t first = 0);

// A vector that `owner` keeps, as a read-only array that keeps `owner` alive.
py::array_t<double> readOnlyView(const std::vector<double>& values, py::handle owner);

// A store of the observations given: times ascending (the points sorted by time, equal times
// kept in the order given), one channel per row of `values`, NaN marking a missing value.
PointStore pointStoreOf(const Doubles& time, const std::vector<Doubles>& channels);

// The store's channels as a (channels, points) array, NaN where a value is missing, and the mask
// of the missing values, True where missing.
py::array_t<double> channelValues(const PointStore& store);
py::array_t<bool> channelMask(const PointStore& store);

} // namespace quelmar::python
