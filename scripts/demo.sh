#!/usr/bin/env bash
# The tool's main job, on a demo database server under Wine: a computer
# renamed from OLDPC to NEWPC whose Oracle listener configuration still
# names OLDPC (scripts/demo-machine.sh prepares it).
#
#   bash scripts/demo.sh [build dir]
#
# With a display ($DISPLAY set) the real korvane.exe opens there, on the
# demo machine, with the host name NEWPC: answer its start-up notice, watch
# the four services, press the buttons or "修复监听 启动Oracle服务".
# Without a display it runs on a private Xvfb screen on a throw-away copy of
# the demo machine and drives one repair itself: it prints the status text
# before and after, every message box, the host entries of both files, and
# saves screenshots under the build folder (screenshots/demo-*.png).
#
# Installs what is missing first (scripts/bootstrap.sh) and builds the 64-bit
# Wine build (preset `wine`, build/wine, or the build dir given). The
# shipped 32-bit korvane.exe cannot run under this machine's Wine; the
# 64-bit build of the same sources stands in for it (see README).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/bootstrap.sh

targets=(korvane korvane_demo_machine korvane_demo_drive korvane_test_service korvane_e2e_listener)
if [ $# -ge 1 ]; then
  build=$1
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DKORVANE_WINE_TESTS=ON >/dev/null
  cmake --build "$build" -j2 --target "${targets[@]}"
else
  build=$root/build/wine
  cmake --preset wine >/dev/null
  cmake --build --preset wine --target "${targets[@]}"
fi
build=$(cd "$build" && pwd)

export KORVANE_WINEPREFIX=${KORVANE_WINEPREFIX:-$root/build/demo-prefix}
bash scripts/demo-machine.sh "$build"
source scripts/wine-env.sh

if [ -n "${DISPLAY:-}" ]; then
  echo "== korvane.exe on the demo machine, host name NEWPC, display $DISPLAY"
  echo "   backup folder: $WINEPREFIX/drive_c/Korvane/Oracle配置备份"
  echo "   configuration: $WINEPREFIX/drive_c/app/Administrator/product/11.2.0/dbhome_1/NETWORK/ADMIN"
  KORVANE_HOSTNAME=NEWPC exec bash scripts/wine-run.sh 'C:\Korvane\korvane.exe'
fi

# No display: the demo machine becomes the template of a throw-away prefix
# on a private screen (scripts/wine-gui.sh). Its wineserver ends first, so
# that the registry with the services is on disk.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
shots=$build/screenshots
echo "== no display: driving one repair on a private screen (screenshots in $shots)"
KORVANE_GUI_TEMPLATE=$WINEPREFIX KORVANE_SCREENSHOT_DIR=$shots \
  unshare --uts bash -c 'hostname NEWPC && exec bash "$@"' - \
  scripts/wine-gui.sh "$build/tests/korvane_demo_drive.exe" 'C:\Korvane\korvane.exe' |
  iconv -f GBK -t UTF-8 | tr -d '\r'
status=${PIPESTATUS[0]}
ls "$shots"/demo-*.png 2>/dev/null || true
exit "$status"
