#!/usr/bin/env bash
# Runs a Windows program under Wine with a screen: a throw-away copy of a
# clean Wine prefix, a private Xvfb display and a Wine virtual desktop of
# 1024x768 (so that windows get their frames). Gives the program's exit code
# and removes everything it started on every way out.
#   KORVANE_GUI_TEMPLATE    the clean prefix that is copied (default:
#                           build/gui-wineprefix, made on first use and never
#                           run in itself, so no test leaves anything in it)
#   KORVANE_SCREENSHOT_DIR  where the program may ask for screenshots: a file
#                           NAME.request holding WxH+X+Y is answered with
#                           NAME.png of that part of the screen
#   KORVANE_GUI_KEEP=1      keep the run's folder (prefix, logs) for a look
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[ $# -ge 1 ] || { echo "usage: $0 program.exe [arguments]" >&2; exit 2; }
source "$here/wine-env.sh"

template=${KORVANE_GUI_TEMPLATE:-$korvane_root/build/gui-wineprefix}
WINEPREFIX=$template korvane_wine_prefix_ready

run=$(mktemp -d /tmp/korvane-gui.XXXXXX)
xvfb_pid=""
watcher_pid=""
cleanup() {
  set +e
  [ -n "$watcher_pid" ] && kill "$watcher_pid" 2>/dev/null && wait "$watcher_pid" 2>/dev/null
  WINEPREFIX=$run/prefix wineserver -k 2>/dev/null
  WINEPREFIX=$run/prefix wineserver -w 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  if [ "${KORVANE_GUI_KEEP:-0}" = 1 ]; then echo "kept $run" >&2; else rm -rf "$run"; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

cp -a "$template" "$run/prefix"
rm -f "$run/prefix/.korvane-ready"
export WINEPREFIX=$run/prefix
# Every window of this prefix on one virtual desktop of the screen's size.
# The registry files are plain text and no wineserver has this copy open yet.
stamp=$(date +%s)
cat >> "$WINEPREFIX/user.reg" <<REG

[Software\\\\Wine\\\\Explorer] $stamp
"Desktop"="Default"

[Software\\\\Wine\\\\Explorer\\\\Desktops] $stamp
"Default"="1024x768"
REG

# A display of our own: Xvfb picks a free number and tells it on fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$run/display" >"$run/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do
  [ -s "$run/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { echo "Xvfb did not start" >&2; cat "$run/xvfb.log" >&2; exit 1; }
  sleep 0.1
done
[ -s "$run/display" ] || { echo "Xvfb gave no display" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$run/display")"

if [ -n "${KORVANE_SCREENSHOT_DIR:-}" ]; then
  mkdir -p "$KORVANE_SCREENSHOT_DIR"
  rm -f "$KORVANE_SCREENSHOT_DIR"/*.request "$KORVANE_SCREENSHOT_DIR"/*.part
  (
    while sleep 0.2; do
      for request in "$KORVANE_SCREENSHOT_DIR"/*.request; do
        [ -f "$request" ] || continue
        geometry=$(head -n1 "$request" | tr -d '\r')
        picture=${request%.request}.png
        import -display "$DISPLAY" -window root -crop "$geometry" +repage "$picture.tmp.png" 2>>"$run/import.log" &&
          mv "$picture.tmp.png" "$picture"
        rm -f "$request"
      done
    done
  ) &
  watcher_pid=$!
fi

status=0
"$korvane_wine" "$@" || status=$?
exit "$status"
