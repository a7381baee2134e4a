#!/usr/bin/env bash
# Prepares a throw-away Wine prefix that looks like a database server whose
# host has been renamed from OLDPC to NEWPC:
#   - the services MSSQLSERVER, MSSQL$SQLEXPRESS, OracleServiceORCL and the
#     listener OracleOraDb11g_home1TNSListener, all running, played by the
#     test service program (they take a second or more to start and stop);
#   - the listener's image path C:\app\Administrator\product\11.2.0\dbhome_1\BIN\TNSLSNR,
#     and beside it NETWORK\ADMIN\listener.ora and tnsnames.ora naming OLDPC;
#   - korvane.exe in C:\Korvane (its backup folder will appear beside it).
# Run the tool there with the new host name:
#   KORVANE_WINEPREFIX=<prefix> KORVANE_HOSTNAME=NEWPC scripts/wine-run.sh 'C:\Korvane\korvane.exe'
#
#   scripts/demo-machine.sh [build dir]
# The build dir is the 64-bit Wine build (default build/wine, preset `wine`),
# already built. The prefix is KORVANE_WINEPREFIX (default build/demo-prefix);
# an earlier prefix made by these scripts there is removed first.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/wine}" && pwd)
export KORVANE_WINEPREFIX=${KORVANE_WINEPREFIX:-$root/build/demo-prefix}
source "$root/scripts/wine-env.sh"

tool=$build/src/korvane.exe
machine=$build/tests/korvane_demo_machine.exe
service=$build/tests/korvane_test_service.exe
listener=$build/tests/korvane_e2e_listener.exe
for f in "$tool" "$machine" "$service" "$listener"; do
  [ -f "$f" ] || { echo "missing $f: build $build first (cmake --build --preset wine)" >&2; exit 1; }
done

# Throw-away: only a prefix these scripts made is removed.
if [ -e "$WINEPREFIX" ]; then
  [ -f "$WINEPREFIX/.korvane-ready" ] || { echo "$WINEPREFIX exists and is not a Korvane prefix; not touching it" >&2; exit 1; }
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  rm -rf "$WINEPREFIX"
fi
echo "== preparing the demo machine in $WINEPREFIX"
korvane_wine_up
"$korvane_wine" "$machine" install "$service" "$listener" "$root/tests/fixtures"

mkdir -p "$WINEPREFIX/drive_c/Korvane"
cp "$tool" "$WINEPREFIX/drive_c/Korvane/korvane.exe"
echo "tool: C:\\Korvane\\korvane.exe ($WINEPREFIX/drive_c/Korvane)"
