#!/usr/bin/env bash
# The uninstaller as Windows meets it: ovuninstall.exe, uninstlib.dll and uninst.exe lie in the
# Windows directory of a sample machine, where the suite's installer puts them, and the suite's
# runtime library in its program directory on the Path. The whole suite is removed; the first
# restart runs the library's two RunOnce values, which remove ovuninstall.exe and uninstlib.dll;
# after the second nothing of the suite is left, uninst.exe included. A command for any other
# file is refused, logged, and changes nothing.
set -euo pipefail
. "$(dirname "$0")/sample_machine_prefix.sh"
sample_machine_prefix uninstaller-restarts "$@"

windows=$prefix/drive_c/windows
runonce='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\RunOnce'
cp "$bin/ovuninstall.exe" "$bin/uninstlib.dll" "$bin/uninst.exe" "$windows/"
cp "$bin/ovrt.dll" "$prefix/drive_c/Orvanta/"

wine 'C:\windows\ovuninstall.exe' remove --all --yes >/dev/null </dev/null || true
for value in rem_ov_uninst1 rem_ov_uninst2; do
    wine reg query "$runonce" /v $value >/dev/null 2>&1 || fail "no RunOnce value $value"
done

wine 'C:\windows\uninst.exe' -a '-dC:\windows\notepad.exe' && fail "uninst.exe removed notepad.exe"
[ -f "$windows/notepad.exe" ] || fail "notepad.exe went"
log=$(find "$prefix/drive_c/users" -name ovuninstall.log | head -n 1)
grep -q 'notepad.exe: refused' "$log" 2>/dev/null || fail "no refusal in the log ($log)"

wineboot -r
for file in ovuninstall.exe uninstlib.dll; do
    [ ! -e "$windows/$file" ] || fail "$file is still there after the first restart"
done
wine reg query "$runonce" 2>/dev/null | grep -q rem_ov_uninst && fail "a RunOnce value stayed"

wineboot -r
[ ! -e "$windows/uninst.exe" ] || fail "uninst.exe is still there after the second restart"
[ ! -e "$prefix/drive_c/Orvanta" ] || fail "the suite's program directory is still there"
wine reg query 'HKLM\SOFTWARE\Tarvelle' >/dev/null 2>&1 && fail "the suite's settings stayed"
echo "two restarts after the whole removal left nothing of the suite"
