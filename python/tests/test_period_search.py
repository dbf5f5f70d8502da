"""quelmar.period_search against quelmar-cli period on the bundled OGLE RR Lyrae star."""
import signal
import threading
import time

import numpy as np
import pytest
import quelmar
from conftest import example

OGLE = example("ogle_lmc_rrlyr_00003.dat")


@pytest.mark.parametrize("method, pmin, pmax", [("lk", 0.6, 0.7), ("gls", 0.3, 1.0)])
def test_the_periodogram_and_peaks_are_those_of_the_command_line(cli, tmp_path, method, pmin, pmax):
    periodogram_file = tmp_path / "ogle.per"
    report = cli("period", OGLE, "--pmin", str(pmin), "--pmax", str(pmax), "--method", method,
                 "--output", str(periodogram_file), "--json")
    time_, values, _ = quelmar.read_observations(OGLE)
    found = quelmar.period_search(time_, values[0], pmin, pmax, method=method)

    lines = ["%.8f %.8f %.8f" % line
             for line in zip(found.frequency, found.statistic, found.period)]
    assert lines == periodogram_file.read_text().splitlines()
    assert (found.method, found.statistic_name, found.points) == (
        report["method"], report["statistic"], report["points"])
    assert "%.8f" % found.best_period == "%.8f" % report["best_period"]
    assert "%.8f" % found.period_error == "%.8f" % report["period_error"]
    assert [("%.8f" % p.period, "%.8f" % p.statistic, p.relation) for p in found.peaks] == [
        ("%.8f" % p["period"], "%.8f" % p["statistic"], p["relation"]) for p in report["peaks"]]


def test_results_are_arrays_over_the_engine_s_own_memory():
    time_, values, _ = quelmar.read_observations(OGLE)
    found = quelmar.period_search(time_, values[0], 0.6, 0.7)
    assert not found.frequency.flags.owndata and not found.frequency.flags.writeable
    assert abs(found.best_period - 0.6564975) < 3 * found.period_error


@pytest.mark.parametrize("args, kwargs, message", [
    ((0.0, 1.0), {}, None),               # the command line refuses --pmin 0 with this text
    ((0.3, 1.0), {"method": "fft"}, None),
    ((0.3, 1.0), {"harmonics": 9, "method": "gls"}, "harmonics"),
    ((0.3, 1.0), {"permutations": 200_000}, "200000 permutations are more than 100,000"),
])
def test_bad_settings_raise_the_command_line_s_message(cli, args, kwargs, message):
    time_, values, _ = quelmar.read_observations(OGLE)
    with pytest.raises(quelmar.Error) as raised:
        quelmar.period_search(time_, values[0], *args, **kwargs)
    if message is None:
        options = ["--pmin", str(args[0]), "--pmax", str(args[1])]
        if "method" in kwargs:
            options += ["--method", kwargs["method"]]
        message = cli("period", OGLE, *options, "--output", "/nonexistent/x.per", fails=True)
        assert str(raised.value) == message
    assert message in str(raised.value)


@pytest.mark.parametrize("time_, values, error", [
    ([1.0, 2.0, 3.0], [5.0, 5.0, 5.0], "all values of column 1 are equal"),
    ([1.0, 2.0], [5.0, 6.0, 7.0], "must be as many"),
    ([1.0, 1.0, 1.0], [5.0, 6.0, 7.0], "the same date"),
])
def test_input_that_leaves_the_statistic_undefined_is_refused(time_, values, error):
    with pytest.raises(ValueError, match=error):
        quelmar.period_search(np.array(time_), np.array(values), 0.1, 1.0)


def test_values_that_are_nan_are_left_out_with_a_warning():
    time_, values, _ = quelmar.read_observations(OGLE)
    v = values[0].copy()
    v[:10] = np.nan
    with pytest.warns(UserWarning, match="10 observations have no value"):
        found = quelmar.period_search(time_, v, 0.6, 0.7)
    assert (found.points, found.left_out) == (350, 10)


@pytest.mark.parametrize("method", ["lk", "pdm"])
def test_an_interrupt_stops_a_long_scan(method):
    rng = np.random.default_rng(1)
    t = np.sort(rng.uniform(0, 1000, 100_000))
    v = np.sin(t / 0.6565 * 2 * np.pi) + rng.normal(0, 0.1, t.size)
    # A shell that starts a job in the background has it ignore Ctrl-C; the test wants Python's
    # own handler whatever ran it.
    handler = signal.signal(signal.SIGINT, signal.default_int_handler)
    threading.Timer(0.5, signal.raise_signal, (signal.SIGINT,)).start()
    start = time.monotonic()
    try:
        with pytest.raises(KeyboardInterrupt):
            quelmar.period_search(t, v, 0.1, 10.0, method=method)  # a million frequencies: minutes
    finally:
        signal.signal(signal.SIGINT, handler)
    assert time.monotonic() - start < 5
