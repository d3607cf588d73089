#!/bin/sh
# Runs a Windows program of the build under Wine in a private prefix: wine-run.sh [--with-32bit] PREFIX PROGRAM [ARGS...]
# The first call creates the prefix. A wineserver kept alive between calls makes each start fast. A program
# that crashes ends at once instead of waiting in Wine's debugger.
# --with-32bit: the prefix also runs 32-bit programs, each under qemu-i386 through the runtime that
# scripts/win32-runtime.sh prepares (once per machine); 64-bit processes stay native.
set -e
scripts=$(dirname "$(realpath "$0")")
wine=/usr/lib/wine/wine64
if [ "$1" = --with-32bit ]; then
    shift
    # It tells what it does on stderr and the runtime's folder on stdout: the caller may be reading the program's
    # output (CTest lists the tests so).
    wine="$("$scripts/win32-runtime.sh")/lib/wine/wine64"
    export QUILLBARROW_WITH_32BIT=1
fi
prefix=$(realpath -m "$1")
shift
export WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml,winedbg.exe="
export QUILLBARROW_WINE64="$wine"
# The set-up does each of its parts once (a prefix made before gets a new part, such as the 32-bit system, the
# first time it is asked for) and returns at once when all are done.
mkdir -p "$prefix"
flock "$prefix/.create.lock" "$scripts/wine-prefix-setup.sh"
# A new wineserver starts the prefix's background services, which keep the output of the program that
# started them open until the server ends: let a silent program start them, not the caller's.
if /usr/lib/wine/wineserver -p60 2>/dev/null; then
    "$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true
fi
exec "$wine" "$@"
