#!/usr/bin/python3
"""The period of an RR Lyrae star from Python, step by step as in a notebook.

Reads the bundled OGLE-III light curve of OGLE-LMC-RRLYR-00003 (published period
0.6564975 d), searches periods of 0.2-1.2 days by the Lafler-Kinman statistic, lists the
peaks, folds the curve on the best period and plots the periodogram and the phase curve with
matplotlib when it is installed (Debian: python3-matplotlib); without it the plot is skipped.

Run from the repository after building:  PYTHONPATH=build/python examples/python/ogle_rr_lyrae.py
"""
import os
import sys

import numpy as np
import quelmar

here = os.path.dirname(os.path.abspath(__file__))
star = os.path.join(here, "..", "ogle_lmc_rrlyr_00003.dat")

# %% The observations: time (HJD - 2450000), then one row per value column (I, its error).
time, values, mask = quelmar.read_observations(star)
magnitude, error = values
print(f"{time.size} observations, HJD {time[0]:.2f} ... {time[-1]:.2f}")

# %% The period search, weighted by the errors for the fits of the peaks.
periodogram = quelmar.period_search(time, magnitude, 0.2, 1.2, errors=error)
print(f"{len(periodogram)} trial frequencies; best period "
      f"{periodogram.best_period:.7f} +- {periodogram.period_error:.7f} d")
for peak in periodogram.peaks:
    print(f"  {peak.period:.7f} d  theta {peak.statistic:.4f}  {peak.relation}")

# %% The phase curve on the best period, from the epoch of maximum light (the brightest point).
epoch = time[np.argmin(magnitude)]
phase = quelmar.phase(time, epoch, periodogram.best_period)

# %% The plot.
try:
    import matplotlib
    if not os.environ.get("DISPLAY"):
        matplotlib.use("Agg")
    import matplotlib.pyplot as plt
except ImportError:
    print("matplotlib is not installed (Debian: python3-matplotlib): no plot")
    sys.exit(0)
figure, (top, bottom) = plt.subplots(2, 1, figsize=(8, 7))
top.plot(periodogram.period, periodogram.statistic, lw=0.5)
top.set_xlabel("period (d)")
top.set_ylabel("Θ")
bottom.errorbar(np.concatenate([phase, phase + 1]), np.concatenate([magnitude, magnitude]),
                yerr=np.concatenate([error, error]), fmt=".", ms=3, lw=0.5)
bottom.invert_yaxis()
bottom.set_xlabel(f"phase (P = {periodogram.best_period:.7f} d)")
bottom.set_ylabel("I (mag)")
figure.tight_layout()
if matplotlib.get_backend().lower() == "agg":
    figure.savefig("ogle_rr_lyrae.png", dpi=120)
    print("plot written to ogle_rr_lyrae.png")
else:
    plt.show()
