// quelmar.phase, barycentric, extremum, minimum and principal_components: the analyses of one
// light curve held in arrays.

#include "Functions.h"
#include "NumpyArrays.h"
#include "analysis/BarycentricCorrection.h"
#include "analysis/ExtremumLines.h"
#include "analysis/MinimumTiming.h"
#include "analysis/PhaseCurve.h"
#include "analysis/PolynomialFit.h"
#include "analysis/PrincipalComponents.h"
#include "analysis/SymmetricPolynomial.h"
#include "analysis/TimeScales.h"
#include "core/Error.h"
#include "core/OwnMessages.h"
#include "core/numbers.h"

#include <pybind11/stl.h>

#include <memory>

namespace quelmar::python {

namespace {

using Terms = std::pair<int, int>;

void warnOf(const std::string& text) {
    if (PyErr_WarnEx(PyExc_UserWarning, text.c_str(), 1) != 0) throw py::error_already_set();
}

std::string termsText(const Terms& terms) {
    return "(" + std::to_string(terms.first) + ", " + std::to_string(terms.second) + ")";
}

py::array_t<double> phases(const Doubles& time, double epoch, double period) {
    checkOneDimensional(time, "time");
    checkPhaseElements(epoch, period);
    py::array_t<double> out(time.size());
    const double* t = time.data();
    double* phase = out.mutable_data();
    {
        const py::gil_scoped_release released;
        for (py::ssize_t i = 0; i < time.size(); ++i)
            phase[i] = phaseOf(t[i], epoch, period);
    }
    return out;
}

std::optional<Observatory> siteOf(const std::optional<std::vector<double>>& observatory) {
    if (!observatory) return std::nullopt;
    if (observatory->size() != 3)
        throw py::value_error("observatory is (longitude east, latitude, height): 3 numbers");
    const Observatory site{(*observatory)[0], (*observatory)[1], (*observatory)[2]};
    checkObservatory(site);
    return site;
}

py::array_t<double> barycentricDates(const Doubles& time, double ra, double dec,
                                     const std::string& scale,
                                     const std::optional<std::vector<double>>& observatory,
                                     const std::optional<std::vector<double>>& properMotion) {
    checkOneDimensional(time, "time");
    if (scale != "tdb" && scale != "series")
        throw QuelmarError("scale \"" + scale + "\" is not tdb or series");
    const StarPosition position{ra, dec};
    checkStarPosition(position);
    if (scale == "series" && (observatory || properMotion))
        throw QuelmarError("observatory and proper_motion are for scale \"tdb\"");
    if (properMotion && properMotion->size() != 2)
        throw py::value_error(
            "proper_motion is (mu_alpha cos delta, mu_delta) in mas/yr: 2 numbers");
    const std::optional<Observatory> site = siteOf(observatory);
    const double* t = time.data();
    for (py::ssize_t i = 0; i < time.size(); ++i)
        if (!(t[i] >= ShortenedDateLimit))
            throw QuelmarError("time[" + std::to_string(i) + "] is " + roundTripText(t[i]) +
                               ", not a Julian date above 99999: add the offset shortened dates "
                               "need (2400000 or another) first");
    py::array_t<double> out(time.size());
    double* corrected = out.mutable_data();
    long long extrapolated = 0;
    {
        const py::gil_scoped_release released;
        if (scale == "series") {
            for (py::ssize_t i = 0; i < time.size(); ++i)
                corrected[i] = t[i] + barycentricCorrection(t[i], position);
        } else {
            const PreciseStar star{position, properMotion ? (*properMotion)[0] : 0,
                                   properMotion ? (*properMotion)[1] : 0};
            PreciseTimes times(site);
            for (py::ssize_t i = 0; i < time.size(); ++i) {
                corrected[i] = times.bjdTdbFromUtc(t[i], star);
                extrapolated += utcExtrapolated(t[i]);
            }
        }
    }
    if (extrapolated > 0)
        warnOf(ownText(message::UtcExtrapolated, InterfaceLanguage::English,
                       {std::to_string(extrapolated)}));
    return out;
}

py::dict extremumFits(const Doubles& time, const Doubles& values, const Terms& terms) {
    checkOneDimensional(values, "values");
    if (terms.first < design::MinTerms || terms.second > MaxTermCount || terms.first > terms.second)
        throw QuelmarError(
            "terms " + termsText(terms) + " is not a range (A, B) of term counts with " +
            std::to_string(design::MinTerms) + " <= A <= B <= " + std::to_string(MaxTermCount));
    const PointStore store = pointStoreOf(time, {values});
    if (store.PointCount == 0) throw QuelmarError("values: holds no observations");
    auto tables = std::make_unique<ExtremumTables>();
    const ChannelFit fit = [&] {
        const py::gil_scoped_release released;
        return fitExtremum(store, 1, 1, store.PointCount, {terms.first, terms.second}, 1, *tables);
    }();
    if (fit.refusal != FitRefusal::None)
        throw QuelmarError(fitRefusalText(fit, InterfaceLanguage::English));
    py::list fits;
    for (const TermFit& term : fit.terms) {
        const int m = term.terms;
        py::dict one;
        one["terms"] = m;
        if (term.note != ExtremumNote::Singular) {
            one["moment"] = tables->ExtremumMoment[1][m];
            one["moment_error"] = tables->ExtremumMomentError[1][m];
            one["value"] = tables->ExtremumValue[1][m];
            one["value_error"] = tables->ExtremumValueError[1][m];
        }
        one["note"] = extremumNoteName(term.note);
        fits.append(one);
    }
    py::dict out;
    out["fits"] = fits;
    out["best_terms"] = bestTermCount(*tables, fit, {terms.first, terms.second});
    out["points"] = fit.points;
    out["left_out"] = fit.leftOut;
    return out;
}

TermRange timingTerms(TimingMethod method, const std::optional<Terms>& terms) {
    if (!terms)
        return method == TimingMethod::Symmetric ? TermRange{SymmetricTerms, SymmetricTerms}
                                                 : TermRange{};
    const int most = method == TimingMethod::Symmetric ? SymmetricMostTerms : MaxTermCount;
    if (terms->first < 2 || terms->second > most || terms->first > terms->second)
        throw QuelmarError("terms " + termsText(*terms) + " is not a range (A, B) with " +
                           "2 <= A <= B <= " + std::to_string(most));
    return {terms->first, terms->second};
}

py::dict minimumTiming(const Doubles& time, const Doubles& values, const std::string& name,
                       const std::optional<Terms>& terms) {
    checkOneDimensional(values, "values");
    const std::optional<TimingMethod> method = methodNamed(name);
    if (!method) throw QuelmarError("method \"" + name + "\" is not kvw, symmetric or polynomial");
    const TermRange range = timingTerms(*method, terms);
    const PointStore store = pointStoreOf(time, {values});
    if (store.PointCount == 0) throw QuelmarError("values: holds no observations");
    const MinimumTiming timing = [&] {
        const py::gil_scoped_release released;
        return timeExtremum(store, 1, 1, store.PointCount, *method, range);
    }();
    if (!timing.timed()) throw QuelmarError(*timing.refusal);
    py::dict out;
    out["moment"] = timing.moment;
    out["moment_error"] = timing.momentError;
    out["value"] = timing.value;
    out["value_error"] = timing.valueError;
    out["method"] = methodWord(timing.method);
    out["points"] = timing.points;
    if (timing.terms > 0) out["terms"] = timing.terms;
    return out;
}

py::dict
principalComponents(const py::array_t<double, py::array::c_style | py::array::forcecast>& values) {
    if (values.ndim() != 2)
        throw py::value_error("values must be of shape (channels, points), not of " +
                              std::to_string(values.ndim()) + " dimensions");
    const auto channels = static_cast<std::size_t>(values.shape(0));
    const auto points = static_cast<std::size_t>(values.shape(1));
    Doubles numbers(static_cast<py::ssize_t>(points));
    for (std::size_t i = 0; i < points; ++i)
        numbers.mutable_data()[i] = static_cast<double>(i + 1);
    std::vector<Doubles> rows;
    for (std::size_t c = 0; c < channels; ++c)
        rows.push_back(Doubles({static_cast<py::ssize_t>(points)}, {sizeof(double)},
                               values.data() + c * points, values));
    const PointStore store = pointStoreOf(numbers, rows);
    PrincipalComponents pca;
    const PcaOutcome outcome = [&] {
        const py::gil_scoped_release released;
        return computePrincipalComponents(store, pca);
    }();
    if (outcome != PcaOutcome::Done)
        throw QuelmarError("values: " + pcaRefusalText(outcome, MissingMarker::none()));
    if (pca.PcaStatus != 0)
        warnOf("singular value " + std::to_string(pca.PcaStatus) +
               " did not converge in 30 sweeps; the results are shown as they stand");
    const auto n = static_cast<std::size_t>(pca.ChannelCount);
    py::array_t<double> components({n, points});
    py::array_t<double> axes({n, n});
    py::array_t<double> sigma(static_cast<py::ssize_t>(n));
    py::array_t<double> means(static_cast<py::ssize_t>(n));
    for (std::size_t k = 1; k <= n; ++k) {
        const std::vector<double>& scores = pca.ComponentValues[k];
        for (std::size_t i = 1; i <= points; ++i)
            components.mutable_at(k - 1, i - 1) =
                !pca.ComponentMissing.empty() && pca.ComponentMissing[i] ? std::nan("") : scores[i];
        for (std::size_t c = 1; c <= n; ++c)
            axes.mutable_at(c - 1, k - 1) = pca.PcaAxes[c][k];
        sigma.mutable_at(k - 1) = pca.SingularValues[k];
        means.mutable_at(k - 1) = pca.PcaMeans[k];
    }
    py::list leftOut;
    for (const int i : pca.LeftOutPoints)
        leftOut.append(i - 1);
    py::dict out;
    out["components"] = components;
    out["axes"] = axes;
    out["singular_values"] = sigma;
    out["means"] = means;
    out["left_out"] = leftOut;
    return out;
}

} // namespace

void addCurveFunctions(py::module_& m) {
    m.def("phase", &phases, py::arg("time"), py::arg("epoch"), py::arg("period"),
          "The phase 0 <= phase < 1 of each date: the fractional part of (time - epoch) / "
          "period.");
    m.def("barycentric", &barycentricDates, py::arg("time"), py::arg("ra"), py::arg("dec"),
          py::arg("scale") = "tdb", py::kw_only(), py::arg("observatory") = py::none(),
          py::arg("proper_motion") = py::none(),
          R"(The dates (JD, UTC) corrected to the barycentre of the Solar System for a star at
right ascension ra (hours) and declination dec (degrees). scale "tdb": BJD_TDB through ERFA,
at the centre of the Earth or at observatory (longitude east deg, latitude deg, height m), the
star moving by proper_motion (mas/yr); "series": the workbench's short series, BJD_UTC.)");
    m.def("extremum", &extremumFits, py::arg("time"), py::arg("values"),
          py::arg("terms") = Terms{design::PolynomialFirstTerms, design::PolynomialLastTerms},
          R"(Moment and value of the extremum, with their errors, from polynomials of terms[0]
... terms[1] terms fitted to all the points (NaN values left out). Returns a dict: fits (one
dict per term count: terms, moment, moment_error, value, value_error, note), best_terms (the
smallest moment error), points, left_out.)");
    m.def("minimum", &minimumTiming, py::arg("time"), py::arg("values"), py::arg("method") = "kvw",
          py::arg("terms") = py::none(),
          R"(The time of the extremum the points hold by "kvw" (Kwee-van Woerden), "symmetric"
or "polynomial" (terms (A, B): the term counts fitted). Returns a dict: moment, moment_error,
value, value_error, method, points, terms.)");
    m.def("principal_components", &principalComponents, py::arg("values"),
          R"(Principal components of the channels, values of shape (channels, points); a point
with a NaN in any channel is left out. Returns a dict: components (channels, points; NaN at
the points left out), axes [channel, component], singular_values, means, left_out.)");
}

} // namespace quelmar::python
