#!/usr/bin/env bash
# Runs the GNU parallel example of the README's "Large sweeps" section as it
# is written there, with the built mirvok-cli first on the PATH, and checks
# what it made: every part a header and its records, the joined file all the
# parts, every summary its averages and seed.
# Usage: readme_sweep_example.sh README.md DIRECTORY_OF_MIRVOK_CLI
set -euo pipefail
readme=$1
bindir=$(cd "$2" && pwd)
example=$(awk '/<!-- sweep-example:end -->/ { f = 0 } f && !/^```/ { print }
               /<!-- sweep-example:begin -->/ { f = 1 }' "$readme")
if [ -z "$example" ]; then
    echo "no sweep example found in $readme"
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
PATH="$bindir:$PATH" bash -euo pipefail -c "$example"

fail() { echo "FAIL: $*"; exit 1; }
parts=(sweep/part-*.csv)
[ "${#parts[@]}" -ge 2 ] || fail "expected several parts, found ${#parts[@]}"
for part in "${parts[@]}"; do
    header=$(head -n 1 "$part")
    [[ "$header" =~ ^NEW\;isi:\ [0-9.]+\;\ shape:\ [0-9.]+\;\ #:\ ([0-9]+)$ ]] ||
        fail "$part: bad header '$header'"
    records=$(($(wc -l < "$part") - 1))
    [ "$records" -eq "${BASH_REMATCH[1]}" ] || fail "$part: $records records"
    [ "$(grep -c '^NEW;' "$part")" -eq 1 ] || fail "$part: more than one header"
done
cat "${parts[@]}" | cmp - sweep.csv || fail "sweep.csv is not the parts joined"
[ "$(grep -c '^NEW;' sweep.csv)" -eq "${#parts[@]}" ] || fail "headers in sweep.csv"
for summary in sweep/summary-*.txt; do
    grep -Eq '^avg: -?[0-9]+\.[0-9]{5}$' "$summary" || fail "$summary: no avg"
    grep -Eq '^avl: -?[0-9]+\.[0-9]{5}$' "$summary" || fail "$summary: no avl"
    grep -Eq '^seed: [0-9]+$' "$summary" || fail "$summary: no seed"
done
# Each part is the batch its seed makes, however it was run.
first=${parts[0]}
[[ "$first" =~ part-g([0-9.]+)-s([0-9]+)\.csv$ ]] || fail "part name $first"
iterations=$(($(wc -l < "$first") - 1))
PATH="$bindir:$PATH" mirvok-cli batch --quiet --threads 2 --iterations "$iterations" \
    --gamma1 "${BASH_REMATCH[1]}" --seed "${BASH_REMATCH[2]}" --output again.csv > /dev/null
cmp again.csv "$first" || fail "$first differs from the same batch run alone"
echo "sweep example: ${#parts[@]} parts, $(grep -vc '^NEW;' sweep.csv) records"
