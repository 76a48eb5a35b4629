#!/usr/bin/env bash
# Runs the README's sweeps with GNU parallel as written there, with the built
# mirvok-cli first on the PATH: over cores, and over ssh with the local
# machine (":") as the only host. Each summary.csv must be byte for byte the
# one of the sweep run whole, which is the README's Slurm array script run as
# the only task of a one-task array (readme_slurm_cluster.sh runs it on a
# real cluster).
# Usage: readme_cluster_sweeps.sh README.md DIRECTORY_OF_MIRVOK_CLI
set -euo pipefail
readme=$1
bindir=$(cd "$2" && pwd)
fail() { echo "FAIL: $*"; exit 1; }

block() {
    awk -v name="$1" '$0 == "<!-- " name ":end -->" { f = 0 } f && !/^```/ { print }
                      $0 == "<!-- " name ":begin -->" { f = 1 }' "$readme"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PATH="$bindir:$PATH"

array=$(block cluster-slurm-array)
join=$(block cluster-slurm-join)
cores=$(block cluster-parallel-cores)
ssh=$(block cluster-parallel-ssh)
for name in array join cores ssh; do
    [ -n "${!name}" ] || fail "no $name block in $readme"
done
out=$(sed -n 's/.*mirvok-cli join \([^ ]*\).*/\1/p' <<< "$join")
[ -n "$out" ] || fail "no folder in the join script"

# The whole sweep: the array script as the one task of a one-task array.
mkdir "$work/whole"
(cd "$work/whole" && echo "$array" > sweep.sh &&
    SLURM_ARRAY_TASK_ID=1 SLURM_ARRAY_TASK_COUNT=1 SLURM_CPUS_PER_TASK=2 bash sweep.sh)
whole="$work/whole/$out/summary.csv"
[ "$(wc -l < "$whole")" -gt 2 ] || fail "the whole sweep wrote no rows"

mkdir "$work/cores"
(cd "$work/cores" && bash -euo pipefail -c "$cores" > /dev/null)
cmp "$work/cores/$out/summary.csv" "$whole" || fail "the parallel parts joined differ"

# Over ssh, with this machine as the only host.
mkdir "$work/ssh"
(cd "$work/ssh" && bash -euo pipefail -c "${ssh/node1,node2,node3,node4/:}" > /dev/null)
cmp "$work/ssh/$out/summary.csv" "$whole" || fail "the parallel parts over ssh joined differ"

if command -v python3 > /dev/null; then
    for json in "$work/cores/$out"/*.json; do
        python3 -m json.tool "$json" > /dev/null || fail "$json is no valid JSON"
    done
fi
echo "cluster sweeps: $(($(wc -l < "$whole") - 1)) points, joined alike by parallel and ssh"
