#!/usr/bin/env bash
# Runs the README's "Sweeps on a cluster" as written there, with the built
# mirvok-cli first on the PATH: the Slurm submission (through a stand-in for
# sbatch that runs the array script once per task with the variables Slurm
# sets, then the dependent join job), GNU parallel over cores, and GNU
# parallel over ssh with the local machine (":") as the only host. Each
# summary.csv must be byte for byte the one of the sweep run whole, which is
# the array script run as the only task of a one-task array.
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
mkdir -p "$work/bin"
cat > "$work/bin/sbatch" <<'STANDIN'
#!/usr/bin/env bash
# sbatch [--parsable] [--dependency=afterok:ID] SCRIPT: runs SCRIPT now, an
# array script once per task in turn, output into slurm-JOB[_TASK].out.
set -euo pipefail
parsable=0
dependency=""
while [[ $1 == --* ]]; do
    case $1 in
        --parsable) parsable=1 ;;
        --dependency=*) dependency=${1#--dependency=} ;;
        *) echo "sbatch stand-in: unknown option $1" >&2; exit 1 ;;
    esac
    shift
done
script=$1
if [ -n "$dependency" ] && [ "$dependency" != "afterok:4242" ]; then
    echo "sbatch stand-in: the dependency $dependency is not on the array job" >&2
    exit 1
fi
range=$(sed -n 's/^#SBATCH --array=//p' "$script")
cpus=$(sed -n 's/^#SBATCH --cpus-per-task=//p' "$script")
if [ -n "$range" ]; then
    first=${range%-*}
    last=${range#*-}
    for ((id = first; id <= last; id++)); do
        SLURM_ARRAY_TASK_ID=$id SLURM_ARRAY_TASK_COUNT=$((last - first + 1)) \
            SLURM_CPUS_PER_TASK=${cpus:-1} bash "$script" > "slurm-4242_$id.out" 2>&1
    done
else
    bash "$script" > slurm-4243.out 2>&1
fi
if [ "$parsable" = 1 ]; then echo 4242; else echo "Submitted batch job 4242"; fi
STANDIN
chmod +x "$work/bin/sbatch"
export PATH="$bindir:$work/bin:$PATH"

array=$(block cluster-slurm-array)
join=$(block cluster-slurm-join)
submit=$(block cluster-slurm-submit)
cores=$(block cluster-parallel-cores)
ssh=$(block cluster-parallel-ssh)
for name in array join submit cores ssh; do
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

mkdir "$work/slurm"
(cd "$work/slurm" && echo "$array" > sweep.sh && echo "$join" > join.sh &&
    bash -euo pipefail -c "$submit" > /dev/null)
cmp "$work/slurm/$out/summary.csv" "$whole" || fail "the Slurm parts joined differ"

mkdir "$work/cores"
(cd "$work/cores" && bash -euo pipefail -c "$cores" > /dev/null)
cmp "$work/cores/$out/summary.csv" "$whole" || fail "the parallel parts joined differ"

# Over ssh, with this machine as the only host.
mkdir "$work/ssh"
(cd "$work/ssh" && bash -euo pipefail -c "${ssh/node1,node2,node3,node4/:}" > /dev/null)
cmp "$work/ssh/$out/summary.csv" "$whole" || fail "the parallel parts over ssh joined differ"

if command -v python3 > /dev/null; then
    for json in "$work/slurm/$out"/*.json; do
        python3 -m json.tool "$json" > /dev/null || fail "$json is no valid JSON"
    done
fi
echo "cluster sweeps: $(($(wc -l < "$whole") - 1)) points, joined alike by Slurm, parallel and ssh"
