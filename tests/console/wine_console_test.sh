#!/usr/bin/env bash
# ovuninstall.exe under Wine as Windows runs it: the whole exit codes, read through the command
# interpreter (wine's own exit status keeps 8 bits), the interactive removal at a console in tmux
# while a second uninstaller is refused by the suite's mutex, and the log every run appends to
# %TEMP%\ovuninstall.log.
# Usage: wine_console_test.sh WINDOWS_BIN NATIVE_OVUNINSTALL
set -euo pipefail
# shellcheck source=../wine/sample_machine_prefix.sh
source "$(dirname "$0")/../wine/sample_machine_prefix.sh"
# shellcheck source=tmux_screen.sh
source "$(dirname "$0")/tmux_screen.sh"
socket=ovuninstall-wine-console-$$

# Examora, whose program directory holds a report the user kept (so its removal asks), and
# Kestrune: removing both removes the suite.
sample_machine_prefix console "$1" "$2" --components "Examora Server,Kestrune Console"
trap 'tmux -L "$socket" kill-server 2>/dev/null || true; wineserver -k >/dev/null 2>&1 || true; rm -rf "$prefix"' EXIT
mkdir -p "$prefix/drive_c/Orvanta/Examora"
echo kept >"$prefix/drive_c/Orvanta/Examora/kept-report.txt"
failures=0

fail() {
    echo "$1"
    failures=$((failures + 1))
}

mkdir -p "$prefix/drive_c/ov"
cp "$bin/ovuninstall.exe" "$bin/uninstlib.dll" "$bin/ovrt.dll" "$prefix/drive_c/ov/"
cd "$prefix/drive_c/ov"

# The whole exit code of ovuninstall.exe with these arguments.
exit_code() {
    wine cmd /v:on /c "ovuninstall.exe $* & echo !ERRORLEVEL!" </dev/null 2>/dev/null | tr -d '\r' | tail -n 1
}

[ "$(exit_code frobnicate)" = 1639 ] || fail "an unknown command does not end with 1639"
[ "$(exit_code)" = 1639 ] || fail "no command and no terminal does not end with 1639"

tmux -L "$socket" -f /dev/null new-session -d -s removal -x 80 -y 45 \
    "wine cmd /v:on /c 'ovuninstall.exe & echo ended with !ERRORLEVEL!'; sleep 600"
wait_for "q for nothing."
tmux -L "$socket" send-keys -t removal a Enter
wait_for "[y/N]"
tmux -L "$socket" send-keys -t removal y Enter
wait_for "directory? [y/N]"
[ "$(exit_code remove --all --yes)" = 1618 ] ||
    fail "a second uninstaller is not refused with 1618 while the first removes"
tmux -L "$socket" send-keys -t removal y Enter
wait_for "ended with"
screen | grep -qx "ended with 3010" || fail "removing the whole suite does not end with 3010"
screen | grep -qF "Removed: Kestrune 5.2" || fail "the console does not say Kestrune went"
[ "$(exit_code list)" = 1605 ] || fail "list on a machine without the suite does not end with 1605"

temp=$(winepath -u "$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')")
for line in "exit code 1639: " "exit code 1618: " "exit code 3010: " "exit code 1605: " \
    "question 40% [program files] There are still files in C:\\Orvanta\\Examora." \
    "ovuninstall started: ovuninstall.exe remove --all --yes"; do
    grep -qF -- "$line" "$temp/ovuninstall.log" || fail "the log in %TEMP% lacks: $line"
done
[ $failures -eq 0 ] || exit 1
echo "ovuninstall.exe ends with Windows Installer's codes, holds the suite's mutex and logs in %TEMP%"
