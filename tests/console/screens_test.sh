#!/usr/bin/env bash
# The console's interactive removal on a real terminal. ovuninstall is started without a command in
# tmux at 50, 80 and 200 columns on a machine with Examora (whose program directory holds reports
# the user kept, so the removal asks) and Kestrune: everything is chosen (at 200 columns only the
# Examora Server component) and confirmed; at the library's question the screen must be
# screens/COLUMNS-question.txt. Meanwhile a second ovuninstall remove on the same machine must
# refuse (6, Windows: 1618). Then Ctrl-C and yes: Examora is finished, Kestrune not started, the
# program ends with 4 (Windows: 1602; at 200 columns, with nothing left to start, 0), and the
# screen must be screens/COLUMNS-end.txt. A progress line that wrapped, a question or a verdict
# written over a progress line, would leave its remains on these screens.
# Usage: screens_test.sh OVUNINSTALL [--update]
set -euo pipefail
ovuninstall=$1
screens=$(cd "$(dirname "$0")" && pwd)/screens
update=${2:-}
scratch=$(mktemp -d)
socket=ovuninstall-screens-$$
trap 'tmux -L "$socket" kill-server 2>/dev/null || true; rm -rf "$scratch"' EXIT
failures=0

"$ovuninstall" demo "$scratch/template" --components "Examora Server,Kestrune Console" >/dev/null
mkdir -p "$scratch/template/drive_c/Orvanta/Examora"
echo kept >"$scratch/template/drive_c/Orvanta/Examora/kept-report.txt"

# shellcheck source=tmux_screen.sh
source "$(dirname "$0")/tmux_screen.sh"

compare() {
    if [ "$update" = --update ]; then
        screen >"$screens/$1.txt"
    elif ! screen | diff -u "$screens/$1.txt" - >"$scratch/diff"; then
        echo "the screen differs from screens/$1.txt:"
        cat "$scratch/diff"
        failures=$((failures + 1))
    fi
}

for run in "50 a" "80 a" "200 1.1"; do
    read -r columns choice <<<"$run"
    machine=$scratch/machine-$columns
    cp -r "$scratch/template" "$machine"
    # The shell that shows the exit status ignores Ctrl-C; the program catches it for itself.
    tmux -L "$socket" -f /dev/null new-session -d -s removal -x "$columns" -y 45 \
        "trap '' INT; '$ovuninstall' --machine '$machine'; echo \"ovuninstall ended with \$?\"" \; \
        set-window-option remain-on-exit on
    wait_for "q for nothing."
    tmux -L "$socket" send-keys -t removal "$choice" Enter
    wait_for "[y/N]"
    tmux -L "$socket" send-keys -t removal y Enter
    wait_for "directory? [y/N]"
    compare "$columns-question"

    status=0
    "$ovuninstall" --machine "$machine" remove --all --yes >"$scratch/second" 2>&1 || status=$?
    if [ $status -ne 6 ] || ! grep -q "another ovuninstall is working on the machine image" "$scratch/second"; then
        echo "$columns columns: a second ovuninstall ended with $status while the first removed:"
        cat "$scratch/second"
        failures=$((failures + 1))
    fi

    tmux -L "$socket" send-keys -t removal C-c
    tmux -L "$socket" send-keys -t removal y Enter
    wait_for "ovuninstall ended with"
    compare "$columns-end"
    tmux -L "$socket" kill-server
done
[ $failures -eq 0 ] || exit 1
echo "the screens at 50, 80 and 200 columns are the expected ones"
