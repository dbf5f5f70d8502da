// quelmar.period_search: the period scan in memory, and what --json reports beside it.

#include "Functions.h"
#include "Interruptible.h"
#include "NumpyArrays.h"
#include "analysis/MethodPeriodogram.h"
#include "analysis/PeriodScan.h"
#include "core/Error.h"
#include "core/numbers.h"

#include <pybind11/stl.h>

#include <cmath>

namespace quelmar::python {

namespace {

// A search's periodogram, and what reporting its peaks takes, done when first asked for: the
// fits of the peaks can take longer than the scan, and a caller after the periodogram alone
// does not wait for them.
struct PeriodSearch {
    PeriodSeries series;
    WeightedSeries weighted;
    MethodSettings settings;
    FrequencyGrid grid;
    long long permutations = 0;
    std::uint64_t seed = 1;
    unsigned threads = 0;
    Periodogram periodogram;
    std::optional<PeriodReport> report;

    const PeriodReport& reported() {
        if (!report) {
            std::atomic<bool> cancel{false};
            PeriodReport made = runInterruptibly(
                [&] {
                    return periodReport(periodogram, weighted, series, settings, grid, permutations,
                                        seed, threads, &cancel);
                },
                &cancel);
            // The interpreter's lock is held again: a second thread that asked meanwhile made
            // the same report.
            if (!report) report = std::move(made);
        }
        return *report;
    }
};

struct SearchOptions {
    std::string method;
    int harmonics = 1;
    std::optional<std::vector<double>> durations;
    int bins = 10;
    int covers = 3;
    long long permutations = 0;
    std::uint64_t seed = 1;
    unsigned threads = 0;
    bool force = false;
};

MethodSettings methodSettingsOf(const SearchOptions& options, double shortestPeriod, int points) {
    MethodSettings settings;
    settings.method = periodMethodNamed(options.method);
    settings.harmonics = options.harmonics;
    settings.durations = options.durations ? *options.durations : defaultDurations(shortestPeriod);
    settings.bins = options.bins;
    settings.covers = options.covers;
    checkMethodSettings(settings, shortestPeriod, points);
    if (options.permutations < 0)
        throw QuelmarError({message::PermutationsNotWhole, {std::to_string(options.permutations)}});
    if (options.permutations > MaxPermutations)
        throw QuelmarError({message::TooManyPermutations, {std::to_string(options.permutations)}});
    return settings;
}

// The errors of the observations the series keeps (those with a finite date and value, at most
// MaxPoints), each refused unless it is a positive number.
std::vector<double> errorsKept(const Doubles& time, const Doubles& values, const Doubles& errors,
                               int kept) {
    std::vector<double> out;
    out.reserve(static_cast<std::size_t>(kept));
    const double* t = time.data();
    const double* v = values.data();
    const double* e = errors.data();
    for (py::ssize_t i = 0; i < time.size() && static_cast<int>(out.size()) < kept; ++i) {
        if (!std::isfinite(t[i]) || !std::isfinite(v[i])) continue;
        if (!(e[i] > 0) || !std::isfinite(e[i]))
            throw QuelmarError("errors[" + std::to_string(i) + "] is " + roundTripText(e[i]) +
                               "; only a positive error can weigh an observation");
        out.push_back(e[i]);
    }
    return out;
}

void warn(const std::string& text) {
    if (PyErr_WarnEx(PyExc_UserWarning, text.c_str(), 1) != 0) throw py::error_already_set();
}

PeriodSearch periodSearch(const Doubles& time, const Doubles& values, double pmin, double pmax,
                          double step, const std::optional<Doubles>& errors,
                          const SearchOptions& options) {
    checkOneDimensional(time, "time");
    checkOneDimensional(values, "values");
    checkSameLength(time, "time", values, "values");
    if (errors) {
        checkOneDimensional(*errors, "errors");
        checkSameLength(time, "time", *errors, "errors");
    }
    const PeriodScanSettings settings{.pmin = pmin, .pmax = pmax, .step = step};
    checkPeriodScanSettings(settings);
    PeriodSeries series = periodSeriesOf(numberedFromOne(time), numberedFromOne(values), "values");
    if (const std::string notice = leftOutNotice(series); !notice.empty()) warn(notice);
    const FrequencyGrid grid = frequencyGrid(settings, series.timeSpan);
    if (grid.estimatedCount > LargeScanFrequencies && !options.force)
        throw QuelmarError("the scan would take " + std::to_string(grid.estimatedCount) +
                           " trial frequencies, more than " + std::to_string(LargeScanFrequencies) +
                           "; give force=True to run it all the same");
    PeriodSearch search;
    search.settings =
        methodSettingsOf(options, std::min(settings.pmin, settings.pmax), series.count());
    search.weighted =
        errors ? weightedSeries(series, errorsKept(time, values, *errors, series.count()))
               : weightedSeries(series);
    search.series = std::move(series);
    search.grid = grid;
    search.permutations = options.permutations;
    search.seed = options.seed;
    search.threads = options.threads;
    if (search.settings.method == PeriodMethod::LaflerKinman) {
        ScanProgress progress;
        runInterruptibly(
            [&] {
                return scanPeriods(search.series, grid, search.periodogram, options.threads,
                                   progress);
            },
            &progress.cancel);
    } else {
        ScanProgress progress;
        search.periodogram = runInterruptibly(
            [&] {
                return methodPeriodogram(search.weighted, search.series, search.settings, grid,
                                         options.threads, &progress);
            },
            &progress.cancel);
    }
    return search;
}

py::object relationTo(const PeriodPeak& peak) {
    return peak.relation.empty() ? py::none() : py::cast(peak.relationTo);
}

} // namespace

void addPeriodFunctions(py::module_& m) {
    py::class_<PeriodPeak>(m, "Peak", "A peak of the periodogram, as --json lists it.")
        .def_readonly("frequency", &PeriodPeak::frequency, "of the periodogram line, 1/day")
        .def_readonly("statistic", &PeriodPeak::statistic)
        .def_readonly("period", &PeriodPeak::period, "refined by a harmonic fit, days")
        .def_readonly("period_error", &PeriodPeak::periodError, "the fit's formal error, days")
        .def_readonly("half_width", &PeriodPeak::halfWidth, "of the peak, days")
        .def_readonly("relation", &PeriodPeak::relation,
                      "'3x', '1/2x', '1-day alias', ... or '' when it relates to no other peak")
        .def_property_readonly("relation_to", &relationTo,
                               "the period of the peak it relates to, or None")
        .def("__repr__", [](const PeriodPeak& p) {
            return "Peak(period=" + fixed(p.period, 8) + ", statistic=" + fixed(p.statistic, 8) +
                   (p.relation.empty() ? "" : ", relation='" + p.relation + "'") + ")";
        });

    py::class_<PeriodSearch>(m, "Periodogram",
                             "The statistic at every trial frequency, and the peaks it shows "
                             "(their fits made when first asked for).")
        .def_property_readonly(
            "frequency",
            [](py::object self) {
                return readOnlyView(self.cast<PeriodSearch&>().periodogram.frequencies, self);
            },
            "trial frequencies, 1/day, increasing")
        .def_property_readonly(
            "statistic",
            [](py::object self) {
                return readOnlyView(self.cast<PeriodSearch&>().periodogram.statistics, self);
            },
            "Θ (lk, pdm) or the power (gls, bls) at each frequency")
        .def_property_readonly(
            "period",
            [](const PeriodSearch& s) {
                const std::vector<double>& f = s.periodogram.frequencies;
                py::array_t<double> period(static_cast<py::ssize_t>(f.size()));
                double* p = period.mutable_data();
                for (std::size_t i = 0; i < f.size(); ++i)
                    p[i] = s.periodogram.period(i);
                return period;
            },
            "1 / frequency, days")
        .def_property_readonly(
            "method", [](const PeriodSearch& s) { return periodMethodName(s.settings.method); })
        .def_property_readonly(
            "statistic_name",
            [](const PeriodSearch& s) { return statisticName(s.settings.method); })
        .def_property_readonly(
            "points", [](const PeriodSearch& s) { return s.series.count(); },
            "observations searched")
        .def_property_readonly(
            "left_out", [](const PeriodSearch& s) { return s.series.missing + s.series.ignored; },
            "observations left out: no finite value, or beyond the limit")
        .def_property_readonly(
            "best_period", [](PeriodSearch& s) { return s.reported().peaks.front().period; },
            "the best peak's period, refined by the fit, days")
        .def_property_readonly(
            "period_error", [](PeriodSearch& s) { return s.reported().peaks.front().periodError; },
            "the formal error of best_period, days")
        .def_property_readonly(
            "peaks", [](PeriodSearch& s) { return s.reported().peaks; }, "best first")
        .def_property_readonly(
            "fap",
            [](PeriodSearch& s) -> py::object {
                const PeriodReport& report = s.reported();
                return report.fap ? py::cast(report.fap->probability) : py::none();
            },
            "false-alarm probability of the best peak from the permutations, or None")
        .def_property_readonly(
            "box",
            [](PeriodSearch& s) -> py::object {
                const PeriodReport& report = s.reported();
                if (!report.box) return py::none();
                py::dict box;
                box["duration"] = report.box->duration;
                box["epoch"] = report.box->epoch;
                box["depth"] = report.box->depth;
                return box;
            },
            "bls: the best box (duration, epoch, depth), else None")
        .def("__len__", [](const PeriodSearch& s) { return s.periodogram.frequencies.size(); })
        .def("__repr__", [](const PeriodSearch& s) {
            return "Periodogram(method='" + std::string(periodMethodName(s.settings.method)) +
                   "', frequencies=" + std::to_string(s.periodogram.frequencies.size()) + ")";
        });

    m.def(
        "period_search",
        [](const Doubles& time, const Doubles& values, double pmin, double pmax, double step,
           const std::string& method, const std::optional<Doubles>& errors, int harmonics,
           std::optional<std::vector<double>> durations, int bins, int covers,
           long long permutations, std::uint64_t seed, unsigned threads, bool force) {
            const SearchOptions options{method, harmonics, std::move(durations),
                                        bins,   covers,    permutations,
                                        seed,   threads,   force};
            return periodSearch(time, values, pmin, pmax, step, errors, options);
        },
        py::arg("time"), py::arg("values"), py::arg("pmin"), py::arg("pmax"),
        py::arg("step") = DefaultPeriodStep, py::arg("method") = "lk",
        py::arg("errors") = py::none(), py::kw_only(), py::arg("harmonics") = 1,
        py::arg("durations") = py::none(), py::arg("bins") = 10, py::arg("covers") = 3,
        py::arg("permutations") = 0, py::arg("seed") = 1, py::arg("threads") = 0,
        py::arg("force") = false,
        R"(Searches periods pmin ... pmax (days) in the observations: the statistic at the trial
frequencies 1/pmax, then steps of step / (time span) up to 1/pmin, as `quelmar-cli period`.

method: "lk" (Lafler-Kinman theta), "gls" (generalised Lomb-Scargle power, `harmonics`
terms), "bls" (box least-squares power over `durations`, days), "pdm" (phase-dispersion
theta over `bins` bins and `covers` covers). errors: the errors of the values, weights
1/error^2. permutations: the false-alarm probability of the best peak from this many shuffles
of the values (seeded by `seed`). threads: workers, 0 for every core. Values that are NaN are
left out (a warning says how many). The fits of the
peaks (best_period, period_error, peaks, fap, box) are made when first asked for. Ctrl-C stops
a scan, and the fits.)");
}

} // namespace quelmar::python
