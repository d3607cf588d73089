#!/usr/bin/env bash
# Runs every test: installs what is missing, prepares the 32-bit runtime (once per machine, scripts/win32-runtime.sh),
# configures and builds the three presets, runs the native tests (under AddressSanitizer and UBSan), then the
# Windows tests of the 64-bit build and of the 32-bit build under Wine and Xvfb, each 32-bit process under
# qemu-i386. All three run; the script fails when any of them fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/win32-runtime.sh >/dev/null

for preset in native win64 win32; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
done

failed=()
ctest --preset native || failed+=(native)

# One wineserver serves each build's run in its own prefix; it is stopped at the end of the run whatever happens.
stop_wineserver() { /usr/lib/wine/wineserver -k 2>/dev/null || true; }
trap stop_wineserver EXIT
for preset in win64 win32; do
    export WINEPREFIX="$PWD/build/$preset/wineprefix"
    xvfb-run -a -s "-screen 0 1600x1200x24" ctest --preset "$preset" || failed+=("$preset")
    stop_wineserver
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "scripts/test.sh: tests failed in: ${failed[*]}" >&2
    exit 1
fi
