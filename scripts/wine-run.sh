#!/bin/sh
# Runs a Windows program of the build under wine64 in a private prefix: wine-run.sh PREFIX PROGRAM [ARGS...]
# The first call creates the prefix. A wineserver kept alive between calls makes each start fast. A program
# that crashes ends at once instead of waiting in Wine's debugger.
set -e
prefix=$(realpath -m "$1")
shift
export WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml,winedbg.exe="
if [ ! -f "$prefix/.ready" ]; then
    mkdir -p "$prefix"
    flock "$prefix/.create.lock" "$(dirname "$0")/wine-prefix-setup.sh"
fi
# A new wineserver starts the prefix's background services, which keep the output of the program that
# started them open until the server ends: let a silent program start them, not the caller's.
if /usr/lib/wine/wineserver -p60 2>/dev/null; then
    /usr/lib/wine/wine64 cmd /c exit </dev/null >/dev/null 2>&1 || true
fi
exec /usr/lib/wine/wine64 "$@"
