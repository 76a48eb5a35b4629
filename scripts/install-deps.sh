#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, only those
# that are missing, through sudo when not running as root.
set -euo pipefail
# The results window draws with Qt Charts (whose CMake package needs Qt's
# OpenGL module), saves charts as SVG with Qt Svg, and takes the gamma
# distribution function its interval histogram is compared with from
# Boost.Math's regularised incomplete gamma (header-only, window only).
# nlohmann-json writes and parses the JSON files (provenance, sweep.json) so
# that any valid JSON a user or another tool leaves there reads back.
# ccache keeps what each build stage compiled, so later stages and
# rebuilds compile only what changed.
# mypy's stubtest checks the Python package's stub against the package, so
# that what IDEs and type checkers read is what the package takes; mypy
# checks the README's examples too. Neo and quantities are the spike trains
# the package takes and gives (optional for its users, tested here);
# build, venv, setuptools and pip build its wheel offline and install it
# into a fresh environment.
# clang and its sanitizer runtimes (libFuzzer among them) build the fuzz
# targets that make test runs.
packages=(
    g++ make cmake pkg-config clang-format ccache clang libclang-rt-14-dev
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev fonts-dejavu-core libboost-math-dev
    libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev
    parallel xvfb xdotool
    pybind11-dev python3-dev python3-numpy python3-matplotlib python3-mypy
    python3-neo python3-quantities python3-build python3-venv python3-setuptools python3-pip
    "$@"
)
# Slurm and its authentication, for the cluster tests: scripts/local-slurm.sh
# runs daemons of its own from them. The system's own services stay off.
services=(munge slurmctld slurmd slurm-client)

missing_of() {
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            echo "$p"
    done
}
mapfile -t missing < <(missing_of "${packages[@]}")
mapfile -t missing_services < <(missing_of "${services[@]}")
[ ${#missing[@]} -eq 0 ] && [ ${#missing_services[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
install() {
    echo "Installing: $*"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$@"
}
$sudo apt-get update -qq
[ ${#missing[@]} -eq 0 ] || install "${missing[@]}"
[ ${#missing_services[@]} -eq 0 ] && exit 0

# Debian's maintainer scripts start a service only when /usr/sbin/policy-rc.d
# allows it; exit status 101 refuses. A policy already there that refuses is
# kept; any other is set aside for the install and put back afterwards.
policy=/usr/sbin/policy-rc.d
status=0
[ -x "$policy" ] && { "$policy" munge start > /dev/null 2>&1 || status=$?; }
if [ "$status" -ne 101 ]; then
    trap '$sudo rm -f "$policy"; [ ! -e "$policy.mirvok-saved" ] ||
          $sudo mv "$policy.mirvok-saved" "$policy"' EXIT
    [ ! -e "$policy" ] || $sudo mv "$policy" "$policy.mirvok-saved"
    printf '#!/bin/sh\n# Left by mirvok install-deps.sh while it installs Slurm.\nexit 101\n' |
        $sudo tee "$policy" > /dev/null
    $sudo chmod 755 "$policy"
fi
install "${missing_services[@]}"
# Nor at the next boot: the services of the packages installed here are
# disabled (a package that was there before keeps its own setting).
if command -v systemctl > /dev/null; then
    for p in "${missing_services[@]}"; do
        $sudo systemctl disable --quiet "$p.service" 2> /dev/null || true
    done
fi
