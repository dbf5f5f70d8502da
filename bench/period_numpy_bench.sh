#!/usr/bin/env bash
# `quelmar-cli period` against a plain numpy script of the same statistic (a stable argsort of
# the phases per trial frequency, then the sums), both timed as whole processes, alternately,
# in one run: 100,000 points over 1,000 days, 200 trial frequencies at the default step.
# The numpy side runs only where numpy is installed (Debian: python3-numpy); it says so
# otherwise. Prints the median times, their ratio, and whether the periodograms agree.
# Usage: bench/period_numpy_bench.sh [BIN_DIR [RUNS]]
set -euo pipefail
bin="$(cd "${1:-$(cd "$(dirname "$0")/.." && pwd)/build/bin}" && pwd)"
runs="${2:-3}"
work="$(mktemp -d "${TMPDIR:-/tmp}/quelmar-numpy-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT
cd "$work"
export LC_ALL=C

awk 'BEGIN { srand(7); for (i = 0; i < 100000; i++) printf "%.6f\n", 1000 * rand() }' | sort -n |
    awk 'BEGIN { srand(8) } {
        printf "%.6f %.4f\r\n", 2450000 + $1, 12 + 0.4 * sin(6.2831853 * $1 / 0.6565) + 0.05 * rand() }' \
    > star.dat
# fmin = 1.5 per day and 200 steps of 0.01 / T above it.
read -r pmin pmax < <(awk '{ if (NR == 1) a = $1; b = $1 } END {
    df = 0.01 / (b - a); printf "%.10f %.10f\n", 1 / (1.5 + 199.5 * df), 1 / 1.5 }' star.dat)

python=""
for p in python3 /usr/bin/python3; do
    if command -v "$p" >/dev/null && "$p" -c 'import numpy' 2>/dev/null; then python="$p"; break; fi
done

cat > plain.py <<'PY'
import sys
import numpy as np
data = np.loadtxt(sys.argv[1], usecols=(0, 1))
t, v = data[:, 0], data[:, 1]
pmin, pmax, s = float(sys.argv[2]), float(sys.argv[3]), 0.01
fmin, fmax, df = 1 / pmax, 1 / pmin, s / (t.max() - t.min())
S = np.sum((v - v.mean()) ** 2)
offset = t - t[0]
lines = []
f = fmin
while f <= fmax:
    x = offset * f
    phase = x - np.trunc(x)
    phase[phase < 0] += 1
    w = v[np.argsort(phase, kind="stable")]
    theta = ((w[-1] - w[0]) ** 2 + np.sum(np.diff(w) ** 2)) / S
    lines.append("%.8f %.8f %.8f\r\n" % (f, theta, 1 / f))
    f += df
open(sys.argv[4], "w", newline="").write("".join(lines))
PY

elapsed() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}
median() { sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'; }

ours=() theirs=()
for ((r = 0; r < runs; r++)); do
    ours+=("$(elapsed "$bin/quelmar-cli" period star.dat --pmin "$pmin" --pmax "$pmax" --output ours.per)")
    [ -n "$python" ] && theirs+=("$(elapsed "$python" plain.py star.dat "$pmin" "$pmax" plain.per)")
done
o=$(printf '%s\n' "${ours[@]}" | median)
echo "quelmar-cli period:  ${o} ms (median of $runs: ${ours[*]})"
if [ -z "$python" ]; then
    echo "numpy is not installed (Debian: python3-numpy): no baseline measured"
    exit 0
fi
p=$(printf '%s\n' "${theirs[@]}" | median)
echo "numpy argsort script: ${p} ms (median of $runs: ${theirs[*]})"
awk -v o="$o" -v p="$p" 'BEGIN { printf "ratio quelmar-cli period vs numpy: %.1fx faster\n", p / o }'
if cmp -s ours.per plain.per; then echo "periodograms: identical"
else echo "periodograms: $(diff ours.per plain.per | grep -c '^<') of $(wc -l < ours.per) lines differ (numpy sums in its own order)"; fi
