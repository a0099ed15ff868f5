#!/usr/bin/env bash
# The uninstall window as a person uses it: ovuninstall.exe started without arguments and without
# a console, as Programs and Features starts it, on a sample machine under Wine's X11 driver on
# Xvfb, driven with the keyboard through xdotool. A screenshot of each page is kept in the build
# folder (window-*.png; docs/images holds a set of them).
#   removal: the whole Sentrel product is chosen with Space and removed with Enter; its first
#            question is answered Yes, its second No; the last page offers a restart, and
#            "Restart later" ends the program with 3010. The machine is checked afterwards.
#   close:   Sentrel and Kestrune are chosen; the window is closed (Alt+F4) during Sentrel's
#            removal and the stop confirmed: Sentrel is finished, Kestrune never started, the
#            program ends with 1602.
# Usage: window_xvfb_test.sh removal|close WINDOWS_BIN NATIVE_OVUNINSTALL
# Not -e: a wait that runs out says what it waited for, and the log of the run is shown.
set -u
mode=$1
shift
for tool in Xvfb xdotool import convert; do
    command -v $tool >/dev/null || { echo "no $tool: the window is not tested"; exit 77; }
done
. "$(dirname "$0")/../wine/sample_machine_prefix.sh"
components="Sentrel,Paging Server,Advanced Vellgard Server,OVSNMP"
[ "$mode" = close ] && components="$components,Kestrune Console"
sample_machine_prefix "window-$mode" "$@" --components "$components" || exit 1
shots=$(dirname "$bin")
windows=$prefix/drive_c/windows
cp "$bin/ovuninstall.exe" "$bin/uninstlib.dll" "$windows/"
cp "$bin/ovrt.dll" "$prefix/drive_c/Orvanta/"

# Xvfb picks a free display number itself and writes it to the file.
numberfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$numberfile" >/dev/null 2>&1 &
xvfb=$!
program=""
trap 'kill $program $xvfb 2>/dev/null || true; wineserver -k >/dev/null 2>&1 || true; rm -rf "$prefix" "$numberfile"' EXIT
for _ in $(seq 100); do
    [ -s "$numberfile" ] && break
    sleep 0.1
done
display=:$(head -n 1 "$numberfile")
[ "$display" != : ] || fail "Xvfb did not start"
export DISPLAY=$display
# The Wine desktop that the sample machine's import started has no display: a new server, whose
# desktop starts with this one.
wineserver -k
wineserver -w
wineserver -p
for _ in $(seq 100); do
    xdotool getmouselocation >/dev/null 2>&1 && break
    sleep 0.1
done

temp=$(winepath -u "$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')")
log=$temp/ovuninstall.log
: >"$log"

# Without a console: the program opens its window.
wine 'C:\windows\ovuninstall.exe' </dev/null >/dev/null 2>&1 &
program=$!
# Whatever fails from here on shows the run's log.
fail() {
    echo "$1"
    echo "--- the log:"
    cat "$log"
    exit 1
}
window=$(timeout 120 xdotool search --sync --onlyvisible --name '^Orvanta suite uninstall$' | head -n 1) ||
    fail "the window never opened"

shot() {
    sleep 1
    import -window root "$shots/window-$mode-$1.png"
    convert "$shots/window-$mode-$1.png" -trim +repage -colors 64 "$shots/window-$mode-$1.png"
}
keys() {
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
    sleep 0.3
    shift
    xdotool key --delay 150 "$@"
}
# A message box of the program that is shown, other than the one answered last.
box=""
message_box() {
    for _ in $(seq 600); do
        for id in $(xdotool search --onlyvisible --name '^Orvanta suite uninstall$' 2>/dev/null); do
            [ "$id" != "$window" ] && [ "$id" != "$box" ] && { echo "$id"; return 0; }
        done
        sleep 0.1
    done
    return 1
}
wait_for_log() {
    for _ in $(seq 600); do
        grep -qF -- "$1" "$log" && return 0
        sleep 0.1
    done
    fail "the log never said: $1"
}
ended() {
    for _ in $(seq 600); do
        kill -0 $program 2>/dev/null || return 0
        sleep 0.1
    done
    fail "the program did not end"
}

sleep 2
shot 1-choice
if [ "$mode" = removal ]; then
    keys "$window" space
    shot 2-chosen
    keys "$window" Return
    box=$(message_box) || fail "no question about the agents"
    shot 3-question
    keys "$box" y
    box=$(message_box) || fail "no question about the leftover files"
    keys "$box" n
    wait_for_log "the RunOnce values are set"
    shot 4-end
    keys "$window" Return
    ended
    grep -qF "exit code 3010: " "$log" || fail "Restart later did not end the program with 3010"
    grep -qF "Do you want to delete all OV Sentrel Management Agents?  answer: yes" "$log" ||
        fail "the first question was not answered yes"
    grep -qF "Do you want to delete the remaining files and remove the directory?  answer: no" \
        "$log" || fail "the second question was not answered no"
    wine reg query 'HKLM\SOFTWARE\Tarvelle\Orvanta\Sentrel' >/dev/null 2>&1 &&
        fail "Sentrel's key stayed"
    [ ! -e "$prefix/drive_c/Orvanta/Sentrel" ] || fail "Sentrel's program directory stayed"
    wine reg query 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\RunOnce' /v rem_ov_uninst1 \
        >/dev/null 2>&1 || fail "no RunOnce value for the uninstaller's own files"
else
    # Sentrel and, four rows down, Kestrune. Sentrel's two questions come early in its removal,
    # which goes on for seconds after them: the window is closed then, and the removal waits at
    # its next report while the window asks whether to stop.
    keys "$window" space Down Down Down Down space
    keys "$window" alt+r
    for question in agents leftover; do
        box=$(message_box) || fail "no question about the $question"
        keys "$box" Return
    done
    keys "$window" alt+F4
    box=$(message_box) || fail "closing the window did not ask to stop"
    shot 2-stop
    keys "$box" y
    wait_for_log "not started: Kestrune"
    shot 3-end
    keys "$window" Escape
    ended
    grep -qF "exit code 1602: " "$log" || fail "a removal stopped did not end with 1602"
    grep -qF "asked in the window to stop the removal: yes" "$log" || fail "the stop is not logged"
    wine reg query 'HKLM\SOFTWARE\Tarvelle\Orvanta\Sentrel' >/dev/null 2>&1 &&
        fail "Sentrel, under way when the window was closed, was not finished"
    wine reg query 'HKLM\SOFTWARE\Tarvelle\Orvanta\Kestrune' >/dev/null 2>&1 ||
        fail "Kestrune, not started, went"
fi
echo "the window removed as it was told ($mode); screenshots in $shots/window-$mode-*.png"
