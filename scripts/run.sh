#!/usr/bin/env bash
# Builds Quillbarrow and starts it under Wine in a private prefix (build/run-prefix).
#   scripts/run.sh          start the tool (the 64-bit build)
#   scripts/run.sh --demo   first write a sample shared profile (a favorites file and dated backup copies in
#                           DailyBackup and Backup) into the prefix, so a restore and an undo can be tried at once
#   --win32                 start the 32-bit build, the one that ships, instead: this machine runs no 32-bit code,
#                           so it runs under qemu-i386 (its runtime is prepared once per machine, see the README)
set -euo pipefail
cd "$(dirname "$0")/.."

demo=0
win32=0
for argument in "$@"; do
    case "$argument" in
        --demo) demo=1 ;;
        --win32) win32=1 ;;
        *) echo "usage: scripts/run.sh [--win32] [--demo]" >&2; exit 2 ;;
    esac
done
preset=win64
wine_mode=()
if [ "$win32" = 1 ]; then
    preset=win32
    wine_mode=(--with-32bit)
fi

scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target Quillbarrow

if [ -z "${DISPLAY:-}" ]; then
    cat >&2 <<TEXT
Quillbarrow is built (build/$preset/Quillbarrow.exe), but it is a Windows desktop program and needs a display:
DISPLAY is not set. Run it from a graphical session, or on a virtual screen with
    xvfb-run -a scripts/run.sh $*
TEXT
    exit 1
fi

if [ "$win32" = 1 ]; then
    # Says what it does when it prepares; silent once ready.
    scripts/win32-runtime.sh >/dev/null
fi
prefix="$PWD/build/run-prefix"
# This prefix serves a real desktop: its window manager frames and moves the windows.
export QUILLBARROW_WINE_DESKTOP=1
scripts/wine-run.sh "${wine_mode[@]}" "$prefix" cmd /c exit </dev/null >/dev/null 2>&1

if [ "$demo" = 1 ]; then
    profile="$prefix/drive_c/users/$(id -un)/AppData/Roaming/sogouexplorer"
    mkdir -p "$profile/DailyBackup" "$profile/Backup"
    printf 'favorites as they are now\n' >"$profile/Favorite2.dat"
    for stamp in 2012.02.25.21 2012.02.26.22 2012.02.27.22; do
        printf 'favorites saved on %s\n' "$stamp" >"$profile/DailyBackup/Favorite2.dat.$stamp"
    done
    printf 'favorites saved on 2012.01.31.09\n' >"$profile/Backup/Favorite2.dat.2012.01.31.09"
    rm -f "$profile/Favorite2Backup.dat"
    echo "Sample profile written to $profile"
fi

exec scripts/wine-run.sh "${wine_mode[@]}" "$prefix" "build/$preset/Quillbarrow.exe"
