#!/usr/bin/env bash
# Runs a Windows test program under Wine in a prefix of its own beside the program, headless.
set -eu
program=$1
shift
prefix=${UNINSTLIB_WINEPREFIX:-$(cd "$(dirname "$program")/.." && pwd)/wineprefix}
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$prefix"
    wineboot -i >/dev/null 2>&1 || true
    # DDE without a display needs Wine's null graphics driver.
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 || true
    wineserver -w || true
fi
exec wine "$program" "$@"
