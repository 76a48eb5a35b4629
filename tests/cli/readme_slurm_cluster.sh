#!/usr/bin/env bash
# The README's Slurm job array run on a real one-node cluster of this
# machine (scripts/local-slurm.sh): its sweep.sh and join.sh as written
# there, with only the array size and the CPUs per task made to fit the
# node, submitted as its submit block says. The joined summary.csv must be
# byte for byte the one of the sweep run whole by mirvok-cli.
#   array    the array and its dependent join
#   requeue  one task is sent SIGTERM while it runs: it must say how far it
#            got and fail, and the array and join submitted again must
#            complete the sweep
# Usage: readme_slurm_cluster.sh array|requeue README.md DIRECTORY_OF_MIRVOK_CLI
# Exits 77 (skipped) where no cluster can be started.
set -euo pipefail
mode=$1
readme=$2
bindir=$(cd "$3" && pwd)
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
fail() {
    echo "FAIL: $*"
    exit 1
}
skip() {
    echo "SKIPPED: $*"
    exit 77
}

[ "$(id -u)" -eq 0 ] || skip "a Slurm cluster needs root (slurmd runs jobs as their user)"
for program in munged slurmctld slurmd sbatch; do
    command -v "$program" > /dev/null || skip "$program is not installed (make deps installs it)"
done

block() {
    awk -v name="$1" '$0 == "<!-- " name ":end -->" { f = 0 } f && !/^```/ { print }
                      $0 == "<!-- " name ":begin -->" { f = 1 }' "$readme"
}

work=$(mktemp -d)
# munged, running as munge, reaches its socket through this folder.
chmod 755 "$work"
trap '"$scripts/local-slurm.sh" stop "$work/cluster" || true; rm -rf "$work"' EXIT
export PATH="$bindir:$PATH"

array=$(block cluster-slurm-array)
join=$(block cluster-slurm-join)
submit=$(block cluster-slurm-submit)
for name in array join submit; do
    [ -n "${!name}" ] || fail "no $name block in $readme"
done
out=$(sed -n 's/.*mirvok-cli join \([^ ]*\).*/\1/p' <<< "$join")
[ -n "$out" ] || fail "no folder in the join script"

# Four tasks of one CPU each take turns on the node's CPUs.
fitted=$(sed -E 's/^(#SBATCH --array=).*/\11-4/; s/^(#SBATCH --cpus-per-task=).*/\11/' <<< "$array")
grep -qx '#SBATCH --array=1-4' <<< "$fitted" || fail "no --array line in the array script"
grep -qx '#SBATCH --cpus-per-task=1' <<< "$fitted" || fail "no --cpus-per-task line"
if [ "$mode" = requeue ]; then
    # Long enough for a task to be caught while it runs: the first point of
    # task 1 is done well before its last.
    fitted=$(sed -E 's/--iterations [0-9]+/--iterations 5000/' <<< "$fitted")
fi

# The same sweep whole: the script's mirvok-cli command without its part and
# its threads.
whole=$(grep -v '^#' <<< "$fitted" | sed -e ':a' -e '/\\$/{N;s/\\\n//;ba}' |
    sed -E 's/^exec //; s/--part "[^"]*"//; s/--threads "[^"]*"//')
! grep -q SLURM <<< "$whole" || fail "the part could not be taken out of: $whole"
mkdir "$work/whole"
(cd "$work/whole" && bash -euo pipefail -c "$whole" > /dev/null)

"$scripts/local-slurm.sh" start "$work/cluster" > /dev/null
export SLURM_CONF=$work/cluster/slurm.conf

# sbatch as the submit block calls it, every job id noted in order.
sbatch() {
    local said
    said=$(command sbatch "$@")
    echo "$said"
    echo "${said##* }" | cut -d';' -f1 >> "$SUBMITTED"
}
export -f sbatch
export SUBMITTED=$work/submitted
submitted() { sed -n "$1p" "$SUBMITTED"; }

# Waits until Slurm lists job $1 (all of an array's tasks) no more.
wait_ended() {
    local deadline=$((SECONDS + 150))
    while [ -n "$(squeue --noheader --jobs="$1" 2> /dev/null)" ]; do
        [ $SECONDS -lt $deadline ] || fail "job $1 still runs: $(squeue --noheader)"
        sleep 0.5
    done
}
# Fails unless job $1 (each task of an array) ended in state $2.
ended_as() {
    local states
    states=$(scontrol --oneliner show job "$1" | sed -n 's/.* JobState=\([A-Z_]*\) .*/\1/p' |
        sort -u)
    [ "$states" = "$2" ] || fail "job $1 ended $states, not $2: $(tail -n 5 "$run"/slurm-*.out)"
}

run=$work/run
mkdir "$run"
cd "$run"
echo "$fitted" > sweep.sh
echo "$join" > join.sh
bash -euo pipefail -c "$submit" > /dev/null
tasks=$(submitted 1)
joined=$(submitted 2)

if [ "$mode" = requeue ]; then
    first=$(printf '%s/points/p-%05d.row' "$out" 0)
    deadline=$((SECONDS + 120))
    until [ -e "$first" ]; do
        [ $SECONDS -lt $deadline ] || fail "task 1 finished no point"
        sleep 0.1
    done
    # --full: the batch script itself, not only its job steps. Slurm 22.05
    # delivers the signal yet answers that the job "can not be altered now",
    # asks again 5 seconds later and then fails; what the task says counts.
    scancel --full --signal=TERM "${tasks}_1" 2> /dev/null || true
    wait_ended "$tasks"
    said=$(cat "slurm-${tasks}_1.out")
    grep -Eq "interrupted after [0-9]+ of [0-9]+ points" <<< "$said" ||
        fail "the interrupted task does not say how far it got: $said"
    # A failed task holds the join back for good (DependencyNeverSatisfied):
    # it is cancelled, and the array and the join are submitted again.
    ended_as "${tasks}_1" FAILED
    scancel "$joined"
    bash -euo pipefail -c "$submit" > /dev/null
    joined=$(submitted 4)
fi

wait_ended "$joined"
ended_as "$joined" COMPLETED
cmp "$out/summary.csv" "$work/whole/$out/summary.csv" ||
    fail "the parts joined differ from the whole sweep"
echo "slurm $mode: $(($(wc -l < "$out/summary.csv") - 1)) points joined as the whole sweep"
