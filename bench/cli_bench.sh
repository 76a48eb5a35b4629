#!/usr/bin/env bash
# Throughput and peak memory of `mirvok-cli batch` at the default settings,
# on 1 and on 2 threads unless told other thread counts. Build an optimised
# mirvok-cli first, for example:
#   cmake -S . -B build/cli-release -DCMAKE_BUILD_TYPE=RelWithDebInfo \
#         -DMIRVOK_UI=OFF -DMIRVOK_TESTS=OFF
#   cmake --build build/cli-release --target mirvok-cli
# Usage: bench/cli_bench.sh [path/to/mirvok-cli] [iterations] [repeats] [thread counts]
#   e.g. bench/cli_bench.sh build/bin/mirvok-cli 40000 3 "1 2 64 256": more
#   threads than cores should cost no more than one thread per core.
# Prints, per thread count, the best of the repeats (the machine may be
# shared) and the median, in runs per second of wall time; the runs per
# second of CPU time (user and system), which shows the cost of the threads
# themselves even on a busy machine; and the largest peak memory.
set -euo pipefail
cli=${1:-build/cli-release/bin/mirvok-cli}
iterations=${2:-10000}
repeats=${3:-5}
thread_counts=${4:-1 2}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for threads in $thread_counts; do
    rates=()
    peak=0
    cpu=0
    for ((r = 0; r < repeats; r++)); do
        start=$(date +%s.%N)
        /usr/bin/time -f "%M %U %S" -o "$work/time" "$cli" batch --iterations "$iterations" \
            --seed 1 --threads "$threads" --quiet --output "$work/out.csv" > /dev/null
        seconds=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { print b - a }')
        read -r kbytes user sys < "$work/time"
        cpu=$(awk -v u="$user" -v s="$sys" -v c="$cpu" 'BEGIN { print c + u + s }')
        rates+=("$(awk -v n="$iterations" -v s="$seconds" \
            'BEGIN { printf "%.0f", n / (s > 0 ? s : 0.01) }')")
        ((kbytes > peak)) && peak=$kbytes
    done
    sorted=$(printf '%s\n' "${rates[@]}" | sort -n)
    best=$(tail -n 1 <<< "$sorted")
    median=$(sed -n "$(((repeats + 1) / 2))p" <<< "$sorted")
    per_cpu=$(awk -v n="$iterations" -v r="$repeats" -v c="$cpu" \
        'BEGIN { printf "%.0f", n * r / c }')
    echo "threads $threads: best $best runs/s, median $median runs/s," \
        "$per_cpu runs per CPU second, peak memory ${peak} kB"
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
