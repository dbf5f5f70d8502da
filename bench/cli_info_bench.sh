#!/usr/bin/env bash
# `quelmar-cli info` on 1,000,000 lines x 10 channels against a plain ifstream >> program
# (plain_info), each timed as a whole process from start to exit, alternately, in one run.
# Prints the median times and their ratio. Usage: bench/cli_info_bench.sh [BIN_DIR [RUNS]]
set -euo pipefail
bin="${1:-$(cd "$(dirname "$0")/.." && pwd)/build/bin}"
runs="${2:-7}"
data="${TMPDIR:-/tmp}/quelmar-cli-info-bench.dat"

if [[ ! -s "$data" ]]; then
    awk 'BEGIN { srand(42); for (i = 0; i < 1000000; i++) {
        line = sprintf("%.5f", 2451545 + i * 0.01 + rand() * 1e-3)
        for (k = 0; k < 10; k++) line = line sprintf(" %.4f", 8 + 6 * rand())
        printf "%s obs\r\n", line } }' >"$data"
fi

# Milliseconds one whole process takes.
elapsed() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'; }

"$bin/quelmar-cli" info "$data" >/dev/null # the file into the page cache, for both alike
ours=() plain=()
for ((r = 0; r < runs; r++)); do
    ours+=("$(elapsed "$bin/quelmar-cli" info "$data")")
    plain+=("$(elapsed "$bin/plain_info" "$data")")
done
o=$(printf '%s\n' "${ours[@]}" | median)
p=$(printf '%s\n' "${plain[@]}" | median)
echo "quelmar-cli info: ${o} ms (median of $runs processes)"
echo "plain_info:       ${p} ms (median of $runs processes)"
awk -v o="$o" -v p="$p" 'BEGIN { printf "ratio quelmar-cli info vs plain ifstream program: %.1fx faster\n", p / o }'
