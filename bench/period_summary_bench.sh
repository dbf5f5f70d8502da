#!/usr/bin/env bash
# A catalogue of 1,000 light curves of 300 points each, searched over 0.3-1.0 d with step 0.05:
# one `quelmar-cli period ... --summary` run against the same files run as separate commands
# under GNU parallel on all cores, timed alternately in one run. Then the same catalogue split
# into shards by GNU parallel: their summaries merged must equal the single run's.
# Prints the median times, their ratio and the comparison.
# Usage: bench/period_summary_bench.sh [BIN_DIR [RUNS]]
set -euo pipefail
bin="$(cd "${1:-$(cd "$(dirname "$0")/.." && pwd)/build/bin}" && pwd)"
runs="${2:-3}"
work="$(mktemp -d "${TMPDIR:-/tmp}/quelmar-summary-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT
cd "$work"
export LC_ALL=C

mkdir stars
awk 'BEGIN { srand(7); for (f = 0; f < 1000; f++) {
    period = 0.3 + 0.7 * rand(); name = sprintf("stars/star%04d.dat", f)
    for (i = 0; i < 300; i++) {
        t = 2458000 + i * 0.33 + 0.1 * rand()
        printf "%.5f %.4f\r\n", t, 12 + 0.5 * sin(6.2831853 * t / period) + 0.02 * rand() > name
    }
    close(name) } }'

search=(--pmin 0.3 --pmax 1.0 --step 0.05)
cli="$bin/quelmar-cli"

elapsed() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}
median() { sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'; }

one_run() { (mkdir -p one && cd one && "$cli" period ../stars/*.dat "${search[@]}" --summary ../single.csv); }
separate() {
    (mkdir -p sep && cd sep && parallel --will-cite "$cli" period {} "${search[@]}" ::: ../stars/*.dat)
}

ours=() theirs=()
for ((r = 0; r < runs; r++)); do
    ours+=("$(elapsed one_run)")
    theirs+=("$(elapsed separate)")
done
o=$(printf '%s\n' "${ours[@]}" | median)
p=$(printf '%s\n' "${theirs[@]}" | median)
echo "one --summary run:              ${o} ms (median of $runs)"
echo "separate commands, GNU parallel: ${p} ms (median of $runs, $(nproc) jobs at once)"
awk -v o="$o" -v p="$p" 'BEGIN { printf "ratio one run vs GNU parallel: %.2fx faster\n", p / o }'

mkdir -p shards && cd shards
parallel --will-cite "$cli" period ../stars/*.dat "${search[@]}" --shard {}/4 --summary s{}.csv \
    ::: 1 2 3 4 >/dev/null
{ head -n 1 s1.csv; tail -q -n +2 s*.csv | sort; } >merged.csv
if cmp -s merged.csv ../single.csv; then
    echo "sharded summaries merged: equal to the single run ($(($(wc -l <../single.csv) - 1)) files)"
else
    echo "sharded summaries merged: DIFFER from the single run"
    exit 1
fi
