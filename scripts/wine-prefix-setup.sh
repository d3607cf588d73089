#!/bin/sh
# Creates the Wine prefix named by WINEPREFIX for the program and its tests, once.
set -e
[ -f "$WINEPREFIX/.ready" ] && exit 0
wine=/usr/lib/wine/wine64
$wine wineboot -i >/dev/null 2>&1
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
# The windows are designed in SimSun, which Wine lacks: a Song face made to SimSun's metrics (lines of 1 em) stands
# in for it, so that texts break into lines and fit as on Windows. Wine draws the caption buttons with its Marlett,
# which this Wine does not find where it is installed.
/usr/bin/python3 "$(dirname "$0")/simsun-metrics-font.py" "$WINEPREFIX/drive_c/windows/Fonts/uming-simsun-metrics.ttf"
cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
$wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /d 'UMing SimSun Metrics' /f >/dev/null 2>&1
# Waits until the new prefix has settled (its first services done and the registry written), so that the
# first programs started in it do not stall behind that work.
/usr/lib/wine/wineserver -w
touch "$WINEPREFIX/.ready"
