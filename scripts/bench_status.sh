#!/usr/bin/env bash
# Benchmark, not a test: what the status report costs against the real
# service manager under Wine, beside a bare window making the same four
# queries every 100 ms. Prints its figures; judges nothing.
#
#   scripts/bench_status.sh [build dir] [seconds per run]
#
# The build dir is a Windows build with KORVANE_WINE_TESTS=ON (default
# build/wine). Runs in a prefix of its own (build/wineprefix-bench, or
# KORVANE_WINEPREFIX), so the services it installs and the wineserver it
# stops at the end disturb no other run.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/wine}
seconds=${2:-20}
export KORVANE_WINEPREFIX=${KORVANE_WINEPREFIX:-$root/build/wineprefix-bench}
source "$root/scripts/wine-env.sh"
bench=$build/tests/korvane_status_bench.exe
service=$build/tests/korvane_test_service.exe
for f in "$bench" "$service"; do
  [ -f "$f" ] || { echo "missing $f: build $build first" >&2; exit 1; }
done
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# The windows need a screen: a private Xvfb display.
run=$(mktemp -d /tmp/korvane-bench.XXXXXX)
xvfb_pid=""
cleanup() {
  set +e
  "$korvane_wine" "$bench" remove >/dev/null 2>&1
  wineserver -k 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$run"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$run/display" >"$run/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do
  [ -s "$run/display" ] && break
  sleep 0.1
done
[ -s "$run/display" ] || { echo "Xvfb gave no display" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$run/display")"
# Wine comes up on that display: its desktop is made for the first window.
korvane_wine_up

# CPU ticks used so far by this prefix's wineserver and services.exe.
ticks_per_second=$(getconf CLK_TCK)
helper_ticks() {
  local total=0 pid
  for pid in $(pgrep -x 'wineserver(64)?'; pgrep -x services.exe); do
    { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
    set -- $(sed 's/^.*) //' "/proc/$pid/stat" 2>/dev/null)
    [ $# -ge 13 ] || continue
    total=$((total + ${12} + ${13}))  # utime, stime
  done
  echo "$total"
}

"$korvane_wine" "$bench" install "$(windows_path "$service")"
echo "== time per refresh (four queries each)"
"$korvane_wine" "$bench" time 200

echo "== CPU share at one refresh per 100 ms, ${seconds} s per run, alternating"
printf '%-6s %-5s %6s %9s %13s %13s %17s\n' round mode ticks "own CPU" "ms per tick" "helpers CPU" "helper ms/tick"
results=$run/results
for round in 1 2; do
  for mode in bare tool; do
    before=$(helper_ticks)
    read -r name ticks wall cpu < <("$korvane_wine" "$bench" "$mode" "$seconds" </dev/null)
    after=$(helper_ticks)
    helper=$(awk -v t=$((after - before)) -v hz="$ticks_per_second" 'BEGIN { print t / hz }')
    echo "$name $ticks $wall $cpu $helper" >>"$results"
    awk -v r="$round" -v m="$name" -v n="$ticks" -v w="$wall" -v c="$cpu" -v h="$helper" 'BEGIN {
      printf "%-6s %-5s %6d %8.2f%% %13.2f %12.2f%% %17.2f\n", r, m, n, 100 * c / w, 1000 * c / n, 100 * h / w, 1000 * h / n }'
  done
done
# Helpers: this prefix's wineserver and services.exe, counted over the whole
# run of the program, its start-up included.
awk '{ ticks[$1] += $2; wall[$1] += $3; cpu[$1] += $4; helper[$1] += $5 }
  END {
    for (m in ticks) {
      share[m] = cpu[m] / wall[m]; total[m] = (cpu[m] + helper[m]) / wall[m]
      perTick[m] = cpu[m] / ticks[m]; totalPerTick[m] = (cpu[m] + helper[m]) / ticks[m]
    }
    printf "tool / bare: own CPU share %.2f, own CPU per tick %.2f; with helpers: share %.2f, per tick %.2f\n",
      share["tool"] / share["bare"], perTick["tool"] / perTick["bare"], total["tool"] / total["bare"],
      totalPerTick["tool"] / totalPerTick["bare"]
  }' "$results"
