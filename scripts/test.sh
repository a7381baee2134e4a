#!/usr/bin/env bash
# Runs every test: the Linux unit tests; the shipped 32-bit korvane.exe's
# format; then the Windows side, built from the same sources for 64-bit, under
# Wine. Installs what is missing first.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/bootstrap.sh

cmake --preset linux >/dev/null
cmake --build --preset linux
ctest --preset linux

cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows

cmake --preset wine >/dev/null
cmake --build --preset wine
source scripts/wine-env.sh
korvane_wine_up
trap 'wineserver -k 2>/dev/null || true' EXIT
ctest --preset wine
