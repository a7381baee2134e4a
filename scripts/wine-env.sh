# Sourced: the environment of every Wine run of the project.
# The tests run the 64-bit build under wine64: this machine's kernel cannot
# run the 32-bit Wine loader natively.
korvane_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${KORVANE_WINEPREFIX:-$korvane_root/build/wineprefix}
export WINEARCH=win64
export WINELOADER=/usr/lib/wine/wine64
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
# Code page 936, so that the GBK texts are shown as Chinese.
export LC_ALL=zh_CN.UTF-8
export LANG=zh_CN.UTF-8
korvane_wine=$WINELOADER

# Creates the prefix once; concurrent callers wait for the first.
korvane_wine_prefix_ready() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.korvane-ready" ]; then
      rm -rf "$WINEPREFIX"
      "$korvane_wine" wineboot -i >/dev/null 2>&1 || true
      wineserver -w
      touch "$WINEPREFIX/.korvane-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
}

# Starts the wineserver (kept for a minute after the last program) and Wine's
# own services, detached from the caller's output: a service started by a
# test program would hold the test's output open and CTest would wait for it.
korvane_wine_up() {
  korvane_wine_prefix_ready
  wineserver -p60 </dev/null >/dev/null 2>&1 &
  "$korvane_wine" cmd /c exit </dev/null >/dev/null 2>&1 || true
}
