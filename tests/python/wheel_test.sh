#!/bin/bash
# The wheel as a researcher installs it: built offline from the project
# (python3 -m build), installed with pip into a fresh virtual environment
# that sees the system's NumPy, and used from there alone. The wheel holds
# the package and its metadata only.
#     wheel_test.sh PYTHON PROJECT_DIR
set -euo pipefail
python=$1
project=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cd "$project"
if ! "$python" -m build --wheel --no-isolation --outdir "$work/dist" > "$work/build.log" 2>&1; then
    cat "$work/build.log"
    exit 1
fi
wheel=$(echo "$work"/dist/mirvok-*.whl)
contents=$("$python" -c 'import sys, zipfile
print("\n".join(sorted(n for n in zipfile.ZipFile(sys.argv[1]).namelist()
                       if not n.startswith("mirvok-") or ".dist-info/" not in n)))' "$wheel")
expected=$(printf '%s\n' mirvok/__init__.py mirvok/__init__.pyi \
    mirvok/_keywords.py mirvok/_mirvok.cpython-*.so mirvok/_neo.py mirvok/py.typed)
# The compiled module's name carries the interpreter's tag.
if ! [[ "$contents" == $expected ]]; then
    echo "the wheel holds:"; echo "$contents"; echo "expected:"; echo "$expected"
    exit 1
fi

"$python" -m venv --system-site-packages "$work/venv"
"$work/venv/bin/python" -m pip install --quiet --no-index "$wheel"
unset PYTHONPATH
cd "$work"
"$work/venv/bin/python" - "$work/venv" <<'PY'
import json, os, sys
import mirvok
venv = os.path.realpath(sys.argv[1])
assert os.path.realpath(mirvok.__file__).startswith(venv + os.sep), mirvok.__file__
b = mirvok.batch(iterations=200, seed=3)
assert len(b["q"]) == 200 and json.loads(b["provenance"])["seed"] == 3
print("wheel", os.path.basename(sys.argv[1]), "avg", b["avg"])
PY
echo "wheel size: $(stat -c %s "$wheel") bytes"
