#!/usr/bin/env bash
# The caller guide's C example, cross-built, under Wine against the real uninstlib.dll. A fresh
# prefix takes a sample machine written by the native build (its registry imported with regedit,
# its drive copied onto C:); the example removes the Rendimo Manager and checks the library's
# answers itself; afterwards Wine's registry and C: must have lost the product's key and task.
set -euo pipefail
bin=$(cd "$1" && pwd)
ovuninstall=$2
prefix=$(cd "$bin/.." && pwd)/wineprefix-caller-example
template=$prefix-template
scratch=$(mktemp -d)
trap 'WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true; rm -rf "$scratch" "$prefix"' EXIT
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

fail() {
    echo "$1"
    exit 1
}

if [ ! -f "$template/system.reg" ]; then
    mkdir -p "$template"
    WINEPREFIX=$template wineboot -i >/dev/null 2>&1 || true
    WINEPREFIX=$template wineserver -w
fi
rm -rf "$prefix"
cp -a "$template" "$prefix"
export WINEPREFIX=$prefix

"$ovuninstall" demo "$scratch/machine" >/dev/null
cp -r "$scratch/machine/drive_c/." "$prefix/drive_c/"
# The registry editor's version 5 format means UTF-16 text: Wine's regedit reads the hex form of
# text values in an 8-bit file as 8-bit text.
{ printf '\xff\xfe'; iconv -f latin1 -t UTF-16LE "$scratch/machine/registry.reg"; } \
    >"$prefix/drive_c/machine.reg"
wine regedit /s 'C:\machine.reg' || fail "regedit could not take the sample machine's registry"

mkdir -p "$prefix/drive_c/caller"
cp "$bin/caller_example.exe" "$bin/uninstlib.dll" "$bin/ovrt.dll" "$prefix/drive_c/caller/"
(cd "$prefix/drive_c/caller" && wine caller_example.exe "Rendimo Manager" </dev/null) | tr -d '\r' ||
    fail "the example failed under Wine"

[ ! -e "$prefix/drive_c/Lotus/Domino/novstatg.exe" ] ||
    fail "the Rendimo Manager's server task is still on C:"
wine reg query 'HKLM\SOFTWARE\Tarvelle\Orvanta\Rendimo Manager' >/dev/null 2>&1 &&
    fail "the Rendimo Manager's key is still in Wine's registry"
wine reg query 'HKLM\SOFTWARE\Tarvelle\Orvanta\Examora' >/dev/null 2>&1 ||
    fail "the Examora key should stay"
echo "the example removed the Rendimo Manager under Wine"
