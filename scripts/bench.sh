#!/usr/bin/env bash
# Builds and runs the benchmarks and prints their figures: MD5 against OpenSSL (native, without sanitizers),
# and under Wine the browser detection, the backup scan, the account search and the program's start.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake --preset native -B build/native-bench -DQUILLBARROW_SANITIZE=OFF >/dev/null
cmake --build build/native-bench
cmake --preset win64 >/dev/null
cmake --build --preset win64
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Quillbarrow

export WINEPREFIX="$PWD/build/win64/wineprefix"
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
run() { xvfb-run -a -s "-screen 0 1280x1024x24" scripts/wine-run.sh "$WINEPREFIX" "$@"; }

for program in build/native-bench/bench/*; do
    [ -f "$program" ] && [ -x "$program" ] && { echo "== ${program##*/}"; "$program"; }
done
for program in build/win64/bench/*.exe build/win64/tests/startup_bench.exe; do
    [ -f "$program" ] && { echo "== ${program##*/}"; run "$program"; }
done
