#!/usr/bin/env bash
# Runs every test: the Linux unit tests, then the Windows build's tests and
# scenarios under Wine. Installs what is missing first.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/bootstrap.sh

cmake --preset linux >/dev/null
cmake --build --preset linux
ctest --preset linux

cmake --preset windows >/dev/null
cmake --build --preset windows
source scripts/wine-env.sh
korvane_wine_prefix_ready
# One wineserver for the whole run: starting Wine afresh for each test is slow.
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
ctest --preset windows
