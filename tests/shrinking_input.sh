#!/usr/bin/env bash
# Each subcommand that reads a data file, started TRIES times on a file of 1,000,000 lines that
# another program empties at once (0 to 45 ms later, varied over the tries): none may
# end on a signal (an exit status of 128 or more). Prints one line per subcommand and exits 1
# when any try ended on a signal. Usage: tests/shrinking_input.sh [BIN_DIR [TRIES]]
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cli="$(cd "${1:-$root/build/bin}" && pwd)/quelmar-cli"
tries="${2:-50}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

awk 'BEGIN { for (i = 0; i < 1000000; i++)
    printf "%.5f %.3f %.3f\r\n", 2451545 + i * 0.01, 12 + (i % 97) / 97, 0.01 }' >curve.dat
awk '{ p[n++] = $1 } END { for (i = 0; i < 1000000; i++) printf "%s 12.34\r\n", p[i % n] }' \
    "$root/data/7cam.dat" >plates.dat

commands=(
    "info curve.dat"
    "period curve.dat --pmin 0.5 --pmax 0.5001 --step 1 --output out.per"
    "phase curve.dat --epoch 2451545 --period 0.5 --output out.phs"
    "barycentric curve.dat --ra 1 2 3 --dec 4 5 6"
    "pca curve.dat"
    "extrema curve.dat"
    "render curve.dat --output out.png"
    "plates plates.dat --catalogue $root/data/7cam.dat"
)
failed=0
for command in "${commands[@]}"; do
    read -r -a words <<<"$command"
    source="${words[1]}"
    signals=0 errors=0
    for ((t = 0; t < tries; t++)); do
        cp "$source" w.dat
        words[1]=w.dat
        "$cli" "${words[@]}" >/dev/null 2>stderr.txt &
        sleep "$(printf 0.%03d $((t % 10 * 5)))"
        : >w.dat
        wait $!
        status=$?
        ((status >= 128)) && signals=$((signals + 1))
        ((status == 1)) && errors=$((errors + 1))
        ((status > 1 && status < 128)) && { cat stderr.txt; exit 2; }
        rm -f w.dat w.dat.bar w.tmp
    done
    echo "${words[0]}: $signals of $tries tries ended on a signal ($errors reported an error)"
    ((signals > 0)) && failed=1
done
exit "$failed"
