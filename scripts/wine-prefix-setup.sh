#!/bin/sh
# Creates the Wine prefix named by WINEPREFIX for the program and its tests, once, with the Wine loader named by
# QUILLBARROW_WINE64 (scripts/wine-run.sh sets it). With QUILLBARROW_WITH_32BIT the prefix also gets its 32-bit
# part (syswow64), which the 32-bit runtime's loader makes; a prefix made without it gets it added later.
set -e
wine=${QUILLBARROW_WINE64:-/usr/lib/wine/wine64}
if [ ! -f "$WINEPREFIX/.ready" ]; then
    $wine wineboot -i >/dev/null 2>&1
    # The set-up goes on in the background (the 32-bit part, emulated, takes seconds) and writes Wine's default
    # settings: the settings below come after it, or it overwrites them.
    /usr/lib/wine/wineserver -w
    # The tests' Xvfb has no window manager: Wine places and frames the windows itself, and does not wait for a
    # window manager to confirm that a window was hidden (it would wait two seconds each time). A prefix for a
    # real desktop (QUILLBARROW_WINE_DESKTOP=1) leaves that to the desktop's window manager.
    if [ -z "${QUILLBARROW_WINE_DESKTOP:-}" ]; then
        $wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        $wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    fi
    # Captions and message boxes use Wine's Tahoma, which has no Chinese letters: link it to a Chinese font,
    # as Windows links its own fonts.
    $wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma \
        /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
    # Waits until the new prefix has settled (its first services done and the registry written), so that the
    # first programs started in it do not stall behind that work.
    /usr/lib/wine/wineserver -w
    touch "$WINEPREFIX/.ready"
fi
if [ ! -f "$WINEPREFIX/.ready-fonts" ]; then
    # The windows are designed in SimSun, which Wine lacks: a Song face made to SimSun's metrics (lines of 1 em)
    # stands in for it, so that texts break into lines and fit as on Windows. Wine draws the caption buttons with
    # its Marlett, which this Wine does not find where it is installed.
    fonts="$WINEPREFIX/drive_c/windows/Fonts"
    /usr/bin/python3 "$(dirname "$0")/simsun-metrics-font.py" "$fonts/uming-simsun-metrics.ttf"
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
    $wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /d 'UMing SimSun Metrics' /f >/dev/null 2>&1
    /usr/lib/wine/wineserver -w
    touch "$WINEPREFIX/.ready-fonts"
fi
if [ -n "${QUILLBARROW_WITH_32BIT:-}" ] && [ ! -f "$WINEPREFIX/.ready-32bit" ]; then
    # An existing prefix is brought up to date, which installs its 32-bit system too. Until syswow64 holds its
    # files no 32-bit program starts there, not even the one that writes them: Wine's set-up mode lets them load.
    if [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
        WINEBOOTSTRAPMODE=1 $wine wineboot -u >/dev/null 2>&1
        /usr/lib/wine/wineserver -w
    fi
    if [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
        echo "wine-prefix-setup: $WINEPREFIX got no 32-bit system (syswow64/kernel32.dll): the 32-bit runtime" \
             "of $(dirname "$(dirname "$(dirname "$wine")")") did not start. Delete that folder and the prefix," \
             "and run scripts/win32-runtime.sh" >&2
        exit 1
    fi
    # The update wrote Wine's default font links again: the Chinese one goes back (both bitnesses read this key).
    $wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma \
        /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
    /usr/lib/wine/wineserver -w
    touch "$WINEPREFIX/.ready-32bit"
fi
