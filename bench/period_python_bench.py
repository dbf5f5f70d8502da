#!/usr/bin/python3
"""The period scan from Python against the same scan in the C++ benchmark, in one run.

quelmar.period_search on 100,000 points over 1,000 days and 1,000 trial frequencies (the
workload of BM_Engine/100000/1000 in period_bench.cpp: a 0.6565-day sinusoid with noise of
0.05, fmin 1.7320508075 per day, the default step), timed alternately with that benchmark,
which runs the scan three times per round. Prints the medians and the median of the rounds'
ratios; the module is to take at most 1.1 times as long (it adds the conversion of the
arrays; the fits of the peaks wait until they are asked for).

Usage: bench/period_python_bench.py [BUILD_DIR [ROUNDS]]
"""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
build = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else os.path.join(root, "build")
rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 3
sys.path.insert(0, os.path.join(build, "python"))

import numpy as np  # noqa: E402
import quelmar  # noqa: E402

rng = np.random.default_rng(7)
x = np.sort(rng.uniform(0.0, 1000.0, 100_000))
t = 2450000.0 + x
v = 12.0 + 0.4 * np.sin(2 * np.pi * x / 0.6565) + rng.normal(0.0, 0.05, x.size)
fmin, df = 1.7320508075, 0.01 / (t[-1] - t[0])
pmin, pmax = 1 / (fmin + 999.5 * df), 1 / fmin


def cxx_engine_ms():
    # A folder of its own for the periodogram period_bench writes, whose name is fixed: another
    # run of it on the machine would otherwise hold the same file.
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "times.json")
        subprocess.run([os.path.join(build, "bin", "period_bench"),
                        "--benchmark_filter=BM_Engine/100000/1000/",
                        "--benchmark_out=" + out, "--benchmark_out_format=json"],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       env=dict(os.environ, TMPDIR=folder))
        run = json.load(open(out))["benchmarks"][0]
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[run["time_unit"]]
    return run["real_time"] * scale


def python_ms():
    start = time.perf_counter()
    periodogram = quelmar.period_search(t, v, pmin, pmax)
    elapsed = (time.perf_counter() - start) * 1000
    assert len(periodogram) == 1000, len(periodogram)
    return elapsed


ours, theirs = [], []
for _ in range(rounds):
    theirs.append(cxx_engine_ms())
    ours.append(python_ms())
o, c = statistics.median(ours), statistics.median(theirs)
print("quelmar.period_search, 100,000 points x 1,000 frequencies: %.0f ms (median of %d: %s)"
      % (o, rounds, " ".join("%.0f" % m for m in ours)))
print("period_bench BM_Engine/100000/1000:                  %.0f ms (median of %d: %s)"
      % (c, rounds, " ".join("%.0f" % m for m in theirs)))
# Each round's two timings are taken one after the other, under the same load from whatever
# else runs on the machine: the median of the rounds' ratios is steadier than the ratio of
# the medians.
ratio = statistics.median(p / q for p, q in zip(ours, theirs))
print("ratio quelmar.period_search vs BM_Engine/100000/1000: %.3fx the time "
      "(median of the rounds' ratios; of the medians %.3fx)" % (ratio, o / c))
