#!/usr/bin/env bash
# A library named ovrt.dll in the folder an administrator starts the uninstaller from is never
# loaded: the real one lies in the suite's program directory, reached only through the Path. A
# program that loads the way the library does, without taking the current directory out of its
# search, takes the planted one (so this test can fail); ovuninstall.exe lists and removes with
# the real one and leaves no mark.
set -euo pipefail
. "$(dirname "$0")/sample_machine_prefix.sh"
sample_machine_prefix planted-library "$@"

c=$prefix/drive_c
start=$c/users/Public/Downloads
mark=$c/planted_library_loaded
mkdir -p "$start" "$c/ovtest"
cp "$bin/ovuninstall.exe" "$bin/uninstlib.dll" "$c/windows/"
cp "$bin/ovrt.dll" "$c/Orvanta/"
cp "$bin/planted_library.dll" "$start/ovrt.dll"
cp "$bin/load_library_probe.exe" "$c/ovtest/"
cd "$start"

wine 'C:\ovtest\load_library_probe.exe' ovrt.dll >/dev/null || true
[ -e "$mark" ] || fail "the probe did not load the planted library: this test cannot fail"
rm "$mark"

listed=$(wine 'C:\windows\ovuninstall.exe' list </dev/null | tr -d '\r' || true)
[ ! -e "$mark" ] || fail "ovuninstall.exe list loaded the planted library"
grep -q '^Rendimo Manager' <<<"$listed" || fail "ovuninstall.exe list did not list the suite"
wine 'C:\windows\ovuninstall.exe' remove 'Rendimo Manager' --version 5.2 --yes >/dev/null </dev/null ||
    fail "ovuninstall.exe could not remove the Rendimo Manager"
[ ! -e "$mark" ] || fail "ovuninstall.exe remove loaded the planted library"
wine reg query 'HKLM\SOFTWARE\Tarvelle\Orvanta\Rendimo Manager' >/dev/null 2>&1 &&
    fail "the Rendimo Manager's key stayed"
echo "the planted library was never loaded"
