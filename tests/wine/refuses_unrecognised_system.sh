#!/usr/bin/env bash
# Under Wine, on a system that reports itself as Windows NT 2.50 (a version the library does not
# recognise), uninstlib.dll refuses to load: LoadLibraryA fails with 1114. On the system Wine
# reports by default the same library loads. Runs in a Wine prefix of its own, so the changed
# version does not reach the other tests.
set -eu
bin=$1
prefix=$(cd "$bin/.." && pwd)/wineprefix-unrecognised
export UNINSTLIB_WINEPREFIX=$prefix
run="$(dirname "$0")/../../cmake/wine-run.sh"
current='HKLM\Software\Microsoft\Windows NT\CurrentVersion'

"$run" "$bin/load_library_probe.exe" uninstlib.dll | tr -d '\r' | grep -qx loaded ||
    { echo "uninstlib.dll did not load on a recognised system"; exit 1; }

export WINEPREFIX=$prefix WINEDEBUG=-all
wine reg add "$current" /v CurrentVersion /d 2.50 /f >/dev/null 2>&1
wineserver -w
answer=$("$run" "$bin/load_library_probe.exe" uninstlib.dll | tr -d '\r' || true)
wine reg add "$current" /v CurrentVersion /d 6.1 /f >/dev/null 2>&1
wineserver -w
if [ "$answer" != "refused 1114" ]; then
    echo "expected the load to be refused with 1114, got: $answer"
    exit 1
fi
echo "refused with 1114 on Windows NT 2.50"
