#!/usr/bin/env bash
# Benchmark, not a test: korvane.exe beside a bare Win32 window that makes
# the same four service queries every 100 ms and writes an edit box
# (tests/win/e2e/bare_window.cpp), measured in the same run, on the demo
# machine (all four services present and running), under Wine on a private
# Xvfb screen. Prints a table; judges nothing but says which target is met.
#
#   scripts/bench.sh [wine build dir] [shipped build dir]
#
#   wine build dir     64-bit build with KORVANE_WINE_TESTS=ON (default
#                      build/wine): what runs under Wine here
#   shipped build dir  32-bit build (default build/windows): its korvane.exe
#                      is the one that ships; only its size is measured, as
#                      this machine cannot run 32-bit Wine
#   KORVANE_BENCH_IDLE_SECONDS  length of the idle measurement (default 30)
#   KORVANE_BENCH_ROUNDS        start-ups measured per program (default 5)
#   KORVANE_BENCH_IDLE_ROUNDS   idle measurements per program, alternating
#                               (default 2; the table shows their mean)
#   KORVANE_WINEPREFIX          prefix (default build/bench-prefix; remade)
#
# Start-up: from just before CreateProcess to the first top-level window on
# screen, and to the main window (korvane.exe shows its start-up notice
# first; the probe answers it at once); median of the rounds, after one
# start of each that is not counted. Idle CPU: user+system time of the
# program's own process over the idle time, as a share of one core; the
# wineserver and services.exe, which answer the queries of both, are shown
# apart. Peak working set: VmHWM of the program's process at the end.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
wine_build=$(cd "${1:-$root/build/wine}" && pwd)
shipped_build=$(cd "${2:-$root/build/windows}" && pwd)
idle=${KORVANE_BENCH_IDLE_SECONDS:-30}
rounds=${KORVANE_BENCH_ROUNDS:-5}
idle_rounds=${KORVANE_BENCH_IDLE_ROUNDS:-2}
export KORVANE_WINEPREFIX=${KORVANE_WINEPREFIX:-$root/build/bench-prefix}

tool64=$wine_build/src/korvane.exe
tool32=$shipped_build/src/korvane.exe
bare=$wine_build/tests/korvane_bare_window.exe
probe=$wine_build/tests/korvane_bench_probe.exe
machine=$wine_build/tests/korvane_demo_machine.exe
for f in "$tool64" "$tool32" "$bare" "$probe" "$machine"; do
  [ -f "$f" ] || { echo "missing $f: build it first (cmake --build --preset wine / --preset windows)" >&2; exit 1; }
done

bash "$root/scripts/demo-machine.sh" "$wine_build" >/dev/null
source "$root/scripts/wine-env.sh"
cp "$bare" "$WINEPREFIX/drive_c/Korvane/bare_window.exe"
# Windows on a Wine virtual desktop, as under scripts/wine-gui.sh: with no
# window manager, Wine's X11 driver waits 2 s for one on every hidden
# window, which is not what a user sees. The registry is edited with the
# prefix's wineserver down.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
stamp=$(date +%s)
cat >>"$WINEPREFIX/user.reg" <<REG

[Software\\\\Wine\\\\Explorer] $stamp
"Desktop"="Default"

[Software\\\\Wine\\\\Explorer\\\\Desktops] $stamp
"Default"="1024x768"
REG

run=$(mktemp -d /tmp/korvane-bench.XXXXXX)
xvfb_pid=""
cleanup() {
  set +e
  wineserver -k 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$run"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$run/display" >"$run/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do [ -s "$run/display" ] && break; sleep 0.1; done
[ -s "$run/display" ] || { echo "Xvfb gave no display" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$run/display")"
korvane_wine_up
"$korvane_wine" "$machine" start

declare -A windows_path=([bare]='C:\Korvane\bare_window.exe' [tool]='C:\Korvane\korvane.exe')
hz=$(getconf CLK_TCK)

# Linux processes of this prefix whose command line starts with $1.
prefix_pids() {
  local pid
  for pid in $(pgrep -f -- "$1" || true); do
    if tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX"; then echo "$pid"; fi
  done
}
cpu_ticks() {  # utime + stime of the given processes
  local total=0 pid
  for pid in "$@"; do
    [[ $pid =~ ^[0-9]+$ && -r /proc/$pid/stat ]] || continue
    set -- $(sed 's/^.*) //' "/proc/$pid/stat")
    total=$((total + ${12} + ${13}))
  done
  echo "$total"
}
helper_pids() { prefix_pids wineserver; prefix_pids 'C:\\windows\\system32\\services.exe'; }

# One start of a program, $2 seconds idle; sets first, main, own_cpu,
# helper_cpu, peak_kib.
measure() {
  local which=$1 seconds=$2 out=$run/probe.out pid="" own0 own1 help0 help1
  : >"$out"
  "$korvane_wine" "$probe" "${windows_path[$which]}" "$seconds" >"$out" 2>"$run/probe.err" &
  local probe_pid=$!
  while ! grep -q '^idle-begin' "$out"; do
    kill -0 "$probe_pid" 2>/dev/null || { cat "$run/probe.err" >&2; echo "probe failed for $which" >&2; exit 1; }
    sleep 0.02
  done
  pid=$(prefix_pids "^${windows_path[$which]//\\/\\\\}" | head -n1)
  own0=$(cpu_ticks "$pid"); help0=$(cpu_ticks $(helper_pids))
  while ! grep -q '^idle-end' "$out"; do sleep 0.02; done
  own1=$(cpu_ticks "$pid"); help1=$(cpu_ticks $(helper_pids))
  peak_kib=$(awk '/^VmHWM:/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)
  peak_kib=${peak_kib:-0}
  wait "$probe_pid" || { cat "$run/probe.err" >&2; exit 1; }
  first=$(awk '/^first-window/ {print $2}' "$out")
  main=$(awk '/^main-window/ {print $2}' "$out")
  own_cpu=$(awk -v t=$((own1 - own0)) -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.2f", (s > 0 ? 100 * t / hz / s : 0) }')
  helper_cpu=$(awk -v t=$((help1 - help0)) -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.2f", (s > 0 ? 100 * t / hz / s : 0) }')
}

median() { tr ' ' '\n' | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "== start-up, $rounds rounds each after one uncounted start (ms: first window / main window)"
for which in bare tool; do measure "$which" 0; done
declare -A firsts mains
for round in $(seq 1 "$rounds"); do
  for which in bare tool; do
    measure "$which" 0
    firsts[$which]="${firsts[$which]:-} $first"
    mains[$which]="${mains[$which]:-} $main"
    echo "round $round $which: $first / $main"
  done
done

echo "== idle, ${idle} s each, $idle_rounds rounds"
declare -A cpu helpers peak
for round in $(seq 1 "$idle_rounds"); do
  for which in bare tool; do
    measure "$which" "$idle"
    cpu[$which]="${cpu[$which]:-} $own_cpu"; helpers[$which]="${helpers[$which]:-} $helper_cpu"
    # The highest peak of the rounds.
    [ "${peak[$which]:-0}" -ge "$peak_kib" ] || peak[$which]=$peak_kib
    echo "round $round $which: own CPU ${own_cpu}%, wineserver+services.exe ${helper_cpu}%, peak working set ${peak_kib} KiB"
  done
done
mean() { tr ' ' '\n' | awk 'NF { s += $1; n++ } END { printf "%.2f", n ? s / n : 0 }'; }
for which in bare tool; do
  cpu[$which]=$(echo ${cpu[$which]} | mean); helpers[$which]=$(echo ${helpers[$which]} | mean)
done

size_tool32=$(stat -c %s "$tool32")
size_tool64=$(stat -c %s "$tool64")
size_bare=$(stat -c %s "$bare")
f_bare=$(echo ${firsts[bare]} | median); f_tool=$(echo ${firsts[tool]} | median)
m_bare=$(echo ${mains[bare]} | median); m_tool=$(echo ${mains[tool]} | median)

echo
echo "Korvane benchmark under $("$korvane_wine" --version) (64-bit build; the shipped 32-bit korvane.exe is measured for size only)"
awk -v fb="$f_bare" -v ft="$f_tool" -v mb="$m_bare" -v mt="$m_tool" \
    -v cb="${cpu[bare]}" -v ct="${cpu[tool]}" -v hb="${helpers[bare]}" -v ht="${helpers[tool]}" \
    -v pb="${peak[bare]}" -v pt="${peak[tool]}" -v s32="$size_tool32" -v s64="$size_tool64" -v sb="$size_bare" \
    -v idle="$idle" '
function verdict(ok) { return ok ? "met" : "NOT met" }
BEGIN {
  printf "%-44s %12s %12s  %s\n", "", "bare window", "korvane.exe", "target"
  printf "%-44s %12d %12d  %s\n", "start-up to first window, ms (median)", fb, ft, "-"
  printf "%-44s %12d %12d  %s\n", "start-up to main window, ms (median)", mb, mt, "-"
  ratio = cb > 0 ? ct / cb : 0
  printf "%-44s %11.2f%% %11.2f%%  <= 1.25x bare: %.2fx, %s\n", "idle CPU over " idle " s, own process (mean)", cb, ct, ratio, verdict(cb > 0 && ratio <= 1.25)
  printf "%-44s %11.2f%% %11.2f%%  %s\n", "  wineserver + services.exe meanwhile (mean)", hb, ht, "-"
  diff = (pt - pb) / 1024
  printf "%-44s %8.1f MiB %8.1f MiB  <= bare + 4 MiB: %+.1f MiB, %s\n", "peak working set", pb / 1024, pt / 1024, diff, verdict(diff <= 4)
  printf "%-44s %12s %12d  < 1.5 MB: %s\n", "korvane.exe size, shipped 32-bit, bytes", "", s32, verdict(s32 < 1500000)
  printf "%-44s %12d %12d  < 1.5 MB: %s\n", "size of the 64-bit build run here, bytes", sb, s64, verdict(s64 < 1500000)
}'
