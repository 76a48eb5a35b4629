#!/usr/bin/env bash
# A sweep against one batch of the same number of runs: `mirvok-cli sweep` of
# P points x N iterations against `mirvok-cli batch` of P x N iterations, on
# the same threads. The sweep varies values that leave the cost of a run as
# it is (gamma1 and delta1 change only what the model does with trains of
# the same statistics); with --keep-records it writes the records a batch
# writes. Target: the sweep within 1.15x of the batch. Build an
# optimised mirvok-cli first (see cli_bench.sh).
# Usage: bench/sweep_bench.sh [path/to/mirvok-cli] [rounds] [threads]
# Each round runs the batch and then the sweep, so both meet the same load
# on a shared machine. Prints per case the best wall time of each, the
# median of the rounds' wall-time ratios, and the ratio of their CPU times
# (user and system over all rounds), which load on other cores hardly moves.
set -euo pipefail
cli=${1:-build/bin/mirvok-cli}
rounds=${2:-5}
threads=${3:-2}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Wall and CPU seconds of one mirvok-cli command line.
timed() {
    rm -rf "$work/s"
    # shellcheck disable=SC2068
    /usr/bin/time -f "%e %U %S" -o "$work/time" "$cli" $@ --seed 1 --threads "$threads" \
        --quiet > /dev/null 2>&1
    awk '{ print $1, $2 + $3 }' "$work/time"
}

compare() {
    local name=$1 batch=$2 sweep=$3 ratios=() bw=999999 sw=999999 bc=0 sc=0
    for ((r = 0; r < rounds; r++)); do
        read -r wall cpu <<< "$(timed "$batch")"
        bw=$(awk -v a="$wall" -v b="$bw" 'BEGIN { print (a < b ? a : b) }')
        bc=$(awk -v a="$cpu" -v b="$bc" 'BEGIN { print a + b }')
        read -r swall scpu <<< "$(timed "$sweep")"
        sw=$(awk -v a="$swall" -v b="$sw" 'BEGIN { print (a < b ? a : b) }')
        sc=$(awk -v a="$scpu" -v b="$sc" 'BEGIN { print a + b }')
        ratios+=("$(awk -v a="$swall" -v b="$wall" 'BEGIN { printf "%.3f", a / b }')")
    done
    median=$(printf '%s\n' "${ratios[@]}" | sort -n | sed -n "$(((rounds + 1) / 2))p")
    echo "$name: batch best ${bw} s, sweep best ${sw} s; sweep/batch wall median ${median}," \
        "CPU $(awk -v a="$sc" -v b="$bc" 'BEGIN { printf "%.3f", a / b }')"
}

compare "100 points x 1000 vs 100000" "batch --iterations 100000 --output $work/b.csv" \
    "sweep --vary gamma1=0.005:0.0149:0.0001 --iterations 1000 --out $work/s"
compare "100 points x 1000 keeping records vs 100000" \
    "batch --iterations 100000 --output $work/b.csv" \
    "sweep --vary gamma1=0.005:0.0149:0.0001 --iterations 1000 --keep-records --out $work/s"
compare "5 x 5 points x 1000 vs 25000" "batch --iterations 25000 --output $work/b.csv" \
    "sweep --vary gamma1=0.005:0.013:0.002 --vary delta1=0.3:0.5:0.05 --iterations 1000 --out $work/s"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
