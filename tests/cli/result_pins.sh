#!/usr/bin/env bash
# Pins the result files of a handful of batches to their SHA-256 sums, so
# that any change of a draw, a decision or a number text shows up here. The
# sums live in result_pins.sha256 beside this script; the files are made
# again on every run, with the given mirvok-cli (the sanitized test build and
# the optimised build both run it).
# Usage: result_pins.sh MIRVOK_CLI [--print]
#   --print writes the sums of the current program instead of checking them.
set -euo pipefail
cli=$(realpath "$1")
mode=${2:-check}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# name, then the batch's options. Two threads, so the ordered hand-over of
# records is part of what is pinned.
cases=(
    "defaults|--seed 1"
    "cv1|--seed 2 --cv 1"
    "cv05_model|--seed 3 --cv 0.5 --v1-start 0.3 --gamma1 0.012 --delta1 0.4 --v2-start 0.7 --gamma2 0.005 --delta2 0.25 --epsilon 0.01 --range 4 --c0 0.4 --ign 100"
    "quantify|--seed 4 --quantify"
    "quantify_c01|--seed 5 --quantify --c01"
    "segments|--seed 6 --segment 600:20:0.02 --segment 1400:10:0.5 --segment 1999:30:1"
    "cv3_isi5|--seed 7 --cv 3 --isi 5 --time 3000 --boundary-tol 0.05"
)

for entry in "${cases[@]}"; do
    name=${entry%%|*}
    # shellcheck disable=SC2086
    "$cli" batch --quiet --threads 2 --iterations 1000 ${entry#*|} --output "$name.csv" > /dev/null
done
# A replay of the default batch's output trains pins the replay path too.
"$cli" replay --quiet --threads 2 defaults.csv --output replay.csv > /dev/null

sums=$(sha256sum -- *.csv)
if [ "$mode" = "--print" ]; then
    echo "$sums"
    exit 0
fi
if ! diff <(sort -k2 "$here/result_pins.sha256") <(echo "$sums" | sort -k2); then
    echo "FAIL: a result file differs from its pinned sum (see the diff above)"
    exit 1
fi
echo "result pins: $(echo "$sums" | wc -l) files as pinned"
