#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, only those
# that are missing, through sudo when not running as root.
set -euo pipefail
# The results window draws with Qt Charts (whose CMake package needs Qt's
# OpenGL module) and saves charts as SVG with Qt Svg.
packages=(
    g++ make cmake pkg-config clang-format
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev fonts-dejavu-core
    libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
    parallel xvfb xdotool
    pybind11-dev python3-dev python3-numpy python3-matplotlib
    "$@"
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
