#!/bin/sh
# Runs a Windows program of the build under wine64 in a private prefix: wine-run.sh PREFIX PROGRAM [ARGS...]
# The first call creates the prefix; a wineserver kept alive between calls makes each start fast.
set -e
prefix=$(realpath -m "$1")
shift
export WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$prefix/.ready" ]; then
    mkdir -p "$prefix"
    flock "$prefix/.create.lock" sh -c '[ -f "$WINEPREFIX/.ready" ] ||
        { /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 && touch "$WINEPREFIX/.ready"; }'
fi
/usr/lib/wine/wineserver -p60 2>/dev/null || true
exec /usr/lib/wine/wine64 "$@"
