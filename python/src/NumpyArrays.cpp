#include "NumpyArrays.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

namespace quelmar::python {

void checkOneDimensional(const py::array& array, const char* name) {
    if (array.ndim() != 1)
        throw py::value_error(std::string(name) + " must be one-dimensional, not of " +
                              std::to_string(array.ndim()) + " dimensions");
}

void checkSameLength(const py::array& a, const char* aName, const py::array& b, const char* bName) {
    if (a.size() != b.size())
        throw py::value_error(std::string(aName) + " has " + std::to_string(a.size()) +
                              " elements and " + bName + " " + std::to_string(b.size()) +
                              "; they must be as many");
}

std::vector<double> numberedFromOne(const Doubles& array) {
    std::vector<double> values(static_cast<std::size_t>(array.size()) + 1, 0.0);
    if (array.size() > 0)
        std::memcpy(values.data() + 1, array.data(),
                    static_cast<std::size_t>(array.size()) * sizeof(double));
    return values;
}

py::array_t<double> ownedArray(std::vector<double>&& values, std::size_t first) {
    auto* owned = new std::vector<double>(std::move(values));
    py::capsule owner(owned, [](void* p) { delete static_cast<std::vector<double>*>(p); });
    const std::size_t size = owned->size() > first ? owned->size() - first : 0;
    return py::array_t<double>({static_cast<py::ssize_t>(size)}, {sizeof(double)},
                               owned->data() + std::min(first, owned->size()), owner);
}

py::array_t<double> readOnlyView(const std::vector<double>& values, py::handle owner) {
    py::array_t<double> view(static_cast<py::ssize_t>(values.size()), values.data(), owner);
    view.attr("setflags")(py::arg("write") = false);
    return view;
}

PointStore pointStoreOf(const Doubles& time, const std::vector<Doubles>& channels) {
    checkOneDimensional(time, "time");
    const auto n = static_cast<std::size_t>(time.size());
    for (const Doubles& channel : channels)
        checkSameLength(time, "time", channel, "values");
    if (n > static_cast<std::size_t>(MaxPoints))
        throw py::value_error("time has " + std::to_string(n) + " observations, more than " +
                              std::to_string(MaxPoints) + ", the most a light curve holds");
    if (channels.size() > static_cast<std::size_t>(MaxChannels))
        throw py::value_error("values has " + std::to_string(channels.size()) +
                              " channels, more than " + std::to_string(MaxChannels) +
                              ", the most a light curve holds");
    const double* t = time.data();
    for (std::size_t i = 0; i < n; ++i)
        if (!std::isfinite(t[i]))
            throw py::value_error("time[" + std::to_string(i) + "] is not a finite number");
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [t](std::size_t a, std::size_t b) { return t[a] < t[b]; });

    PointStore store;
    store.Marker = MissingMarker::none();
    store.PointCount = static_cast<int>(n);
    store.ChannelCount = static_cast<int>(channels.size());
    store.TimeValues.assign(n + 1, 0.0);
    store.ChannelValues.resize(channels.size() + 1);
    store.ChannelMissing.resize(channels.size() + 1);
    store.ChannelVisible.assign(channels.size() + 1, true);
    for (std::size_t i = 0; i < n; ++i)
        store.TimeValues[i + 1] = t[order[i]];
    for (std::size_t k = 1; k <= channels.size(); ++k) {
        const double* v = channels[k - 1].data();
        std::vector<double>& values = store.ChannelValues[k];
        values.assign(n + 1, 0.0);
        for (std::size_t i = 0; i < n; ++i) {
            const double value = v[order[i]];
            if (std::isnan(value))
                store.maskOf(static_cast<int>(k))[i + 1] = 1;
            else
                values[i + 1] = value;
        }
    }
    store.ViewFirst = 1;
    store.ViewLast = store.PointCount;
    return store;
}

py::array_t<double> channelValues(const PointStore& store) {
    const auto channels = static_cast<std::size_t>(store.ChannelCount);
    const auto n = static_cast<std::size_t>(store.PointCount);
    py::array_t<double> values({channels, n});
    double* out = values.mutable_data();
    for (std::size_t k = 1; k <= channels; ++k) {
        const std::uint8_t* mask = missingMaskOf(store, static_cast<int>(k));
        const double* in = store.ChannelValues[k].data();
        for (std::size_t i = 1; i <= n; ++i)
            *out++ = mask && mask[i] ? std::nan("") : in[i];
    }
    return values;
}

py::array_t<bool> channelMask(const PointStore& store) {
    const auto channels = static_cast<std::size_t>(store.ChannelCount);
    const auto n = static_cast<std::size_t>(store.PointCount);
    py::array_t<bool> mask({channels, n});
    bool* out = mask.mutable_data();
    for (std::size_t k = 1; k <= channels; ++k) {
        const std::uint8_t* missing = missingMaskOf(store, static_cast<int>(k));
        for (std::size_t i = 1; i <= n; ++i)
            *out++ = missing && missing[i];
    }
    return mask;
}

} // namespace quelmar::python
