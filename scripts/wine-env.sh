# Sourced: the environment of every Wine run of the project.
korvane_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${KORVANE_WINEPREFIX:-$korvane_root/build/wineprefix}
export WINEARCH=win32
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
# Code page 936, so that the GBK texts are shown as Chinese.
export LC_ALL=zh_CN.UTF-8
export LANG=zh_CN.UTF-8

# Creates the prefix once; concurrent callers wait for the first.
korvane_wine_prefix_ready() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.korvane-ready" ]; then
      rm -rf "$WINEPREFIX"
      wineboot -i >/dev/null 2>&1 || true
      wineserver -w
      touch "$WINEPREFIX/.korvane-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
}
