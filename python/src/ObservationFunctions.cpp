// quelmar.read_observations and quelmar.convert: observation files and the survey archives'
// light curves read into arrays.

#include "Functions.h"
#include "NumpyArrays.h"
#include "core/Error.h"
#include "core/ObservationFile.h"
#include "core/TextFile.h"
#include "survey/SurveyConversion.h"

#include <pybind11/stl.h>

namespace quelmar::python {

namespace {

MissingMarker markerOf(const std::optional<double>& missing) {
    return missing ? MissingMarker(*missing) : MissingMarker::none();
}

LoadResult readObservationFile(const std::string& path, MissingMarker marker) {
    const FileContent file(path);
    return parsePointStore(file.text(), countChannels(file.text(), path), path, marker);
}

// (time, values, mask): time ascending, values and mask one row per channel.
py::tuple observationArrays(PointStore&& store) {
    py::array_t<double> values = channelValues(store);
    py::array_t<bool> mask = channelMask(store);
    return py::make_tuple(ownedArray(std::move(store.TimeValues), 1), values, mask);
}

ConversionOptions conversionOptions(const std::string& band, const std::string& flux,
                                    bool magnitude, std::optional<double> zeroPoint,
                                    std::vector<std::string> columns, const std::string& time) {
    if (flux != "pdcsap" && flux != "sap")
        throw QuelmarError("flux \"" + flux + "\" is not pdcsap or sap");
    if (time != "hjd" && time != "mjd")
        throw QuelmarError("time \"" + time + "\" is not hjd or mjd");
    ConversionOptions options;
    options.band = band;
    options.flux = flux == "sap" ? FluxColumn::Sap : FluxColumn::Pdcsap;
    options.magnitude = magnitude || zeroPoint.has_value();
    options.zeroPoint = zeroPoint;
    options.columns = std::move(columns);
    options.time = time == "mjd" ? SurveyTime::ModifiedJulianDate : SurveyTime::Archive;
    return options;
}

py::dict conversionResult(const Conversion& c, const std::string& source) {
    LoadResult loaded = parsePointStore(c.text, c.valueColumns, source, MissingMarker::none());
    py::dict out;
    out["format"] = surveyFormatName(c.format);
    out["observations"] = c.observations;
    out["left_out"] = c.leftOut.total();
    out["left_out_summary"] = leftOutSummary(c.leftOut);
    out["time_system"] = c.timeSystem;
    out["columns"] = c.columnsWritten;
    out["bands"] = c.bands;
    out["zero_point"] = c.zeroPoint ? py::cast(*c.zeroPoint) : py::none();
    out["values"] = channelValues(loaded.store);
    out["time"] = ownedArray(std::move(loaded.store.TimeValues), 1);
    return out;
}

} // namespace

void addObservationFunctions(py::module_& m) {
    m.def(
        "read_observations",
        [](const std::string& path, std::optional<double> missing) {
            LoadResult loaded = [&] {
                const py::gil_scoped_release released;
                return readObservationFile(path, markerOf(missing));
            }();
            return observationArrays(std::move(loaded.store));
        },
        py::arg("path"), py::arg("missing") = 0.0,
        R"(Reads an observation file: returns (time, values, mask), time ascending, values and
mask of shape (channels, points). A value equal to `missing` (None: no value is missing),
absent or not a number is NaN in values and True in mask.)");

    m.def(
        "convert",
        [](const std::string& path, const std::string& band, const std::string& flux,
           bool magnitude, std::optional<double> zeroPoint, std::vector<std::string> columns,
           const std::string& time, std::optional<std::string> output) {
            const ConversionOptions options =
                conversionOptions(band, flux, magnitude, zeroPoint, std::move(columns), time);
            const Conversion conversion = [&] {
                const py::gil_scoped_release released;
                Conversion c = convertSurveyFile(path, options);
                if (output) writeConversion(c, path, *output);
                return c;
            }();
            return conversionResult(conversion, path);
        },
        py::arg("path"), py::kw_only(), py::arg("band") = "", py::arg("flux") = "pdcsap",
        py::arg("magnitude") = false, py::arg("zero_point") = py::none(),
        py::arg("columns") = std::vector<std::string>{}, py::arg("time") = "hjd",
        py::arg("output") = py::none(),
        R"(Converts a light curve of the archives (TESS/Kepler FITS, AAVSO CSV, ZTF CSV, a table
with a header read by `columns`: the time, then the values) as `quelmar-cli convert` does.
Returns a dict: time, values (channels, points), format, observations, left_out and
left_out_summary, time_system, columns, bands, zero_point. With `output`, also writes the
observation file there.)");
}

} // namespace quelmar::python
