#!/usr/bin/env bash
# Runs every test: installs what is missing, configures and builds the three presets, runs the native tests
# (under AddressSanitizer and UBSan) and then the 64-bit Windows tests under Wine and Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

for preset in native win64 win32; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
done

ctest --preset native

# One wineserver serves the whole run; it is stopped at the end whatever happens.
export WINEPREFIX="$PWD/build/win64/wineprefix"
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
xvfb-run -a -s "-screen 0 1600x1200x24" ctest --preset win64
