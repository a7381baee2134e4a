#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's throw-away prefix.
# Used by CTest as the emulator of the cross build, and by the scripts.
#   KORVANE_WINEPREFIX  the prefix (default: build/wineprefix in this tree)
#   KORVANE_HOSTNAME    run the program with this host name (own UTS namespace)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"
korvane_wine_up
if [ -n "${KORVANE_HOSTNAME:-}" ]; then
  exec unshare --uts bash -c 'hostname "$1" && shift && exec "$@"' - "$KORVANE_HOSTNAME" "$korvane_wine" "$@"
fi
exec "$korvane_wine" "$@"
