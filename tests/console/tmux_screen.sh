# Sourced by the console tests that run a program in the tmux session "removal" of the tmux server
# named by $socket.

# The screen as the terminal shows it, with any line scrolled off above: blanks at line ends and
# the empty rows below cut off, and the line tmux adds for an ended pane.
screen() {
    tmux -L "$socket" capture-pane -p -S - -t removal | sed -e 's/[[:space:]]*$//' -e '/^Pane is dead/d' |
        awk '{ line[NR] = $0 } $0 != "" { last = NR } END { for (i = 1; i <= last; i++) print line[i] }'
}

# Waits up to a minute for the text to show; otherwise says so, shows the screen and fails.
wait_for() {
    for _ in $(seq 600); do
        screen | grep -qF -- "$1" && return 0
        sleep 0.1
    done
    echo "the screen never showed: $1"
    screen
    return 1
}
