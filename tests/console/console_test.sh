#!/bin/sh
# The Windows program on a console of its own, under wine on a terminal that tmux keeps:
# wine gives a program started from a Unix terminal a console of its own, as Explorer
# does on Windows. Wine draws its console with cursor movements, so the checks read the
# screen as tmux shows it, never the raw bytes.
#   console_test.sh CASE LOADER PICPROBE_EXE   (the wine environment set)
set -eu
case_name=$1
loader=$2
exe=$3

socket="picprobe-console-$$"
work=$(mktemp -d)
trap 'tmux -L "$socket" kill-server 2> /dev/null || true; rm -rf "$work"' EXIT
cp "$(dirname "$0")/../../examples/sample.jpg" "$work/sample.jpg"

screen() { tmux -L "$socket" capture-pane -p -t console; }

# Waits up to 20 s for the text to appear on the screen.
wait_for() {
    tries=0
    until screen | grep -qF -- "$1"; do
        tries=$((tries + 1))
        if [ "$tries" -gt 200 ]; then
            echo "never shown: $1"
            echo "--- the screen:"
            screen
            exit 1
        fi
        sleep 0.1
    done
}

must_not_show() {
    if screen | grep -qF -- "$1"; then
        echo "shown, though it must not be: $1"
        echo "--- the screen:"
        screen
        exit 1
    fi
}

# Runs the command line in a fresh terminal, 100 columns wide; the shell then prints
# the exit status and keeps the screen.
start() {
    tmux -L "$socket" new-session -d -s console -x 100 -y 30 -c "$work" \
        "$1; echo \"exit status \$?\"; sleep 60"
}

prompt="Press Enter to close this window."
program="'$loader' '$exe'"

# A console of its own: after the output, the prompt; the program waits until Enter.
waits_for_enter() { # ARGS STATUS TEXT...
    args=$1
    status=$2
    shift 2
    start "$program $args"
    wait_for "$prompt"
    for text in "$@"; do
        wait_for "$text"
    done
    sleep 1
    must_not_show "exit status"
    tmux -L "$socket" send-keys -t console Enter
    wait_for "exit status $status"
}

# Not a console of its own: the program ends at once, with no prompt.
ends_without_wait() { # COMMAND
    start "$1"
    wait_for "exit status 0"
    wait_for "        Date3: 1999:08:14 16:05:31"
    must_not_show "$prompt"
}

case $case_name in
report_then_wait)
    waits_for_enter sample.jpg 0 "      Keyword: BEACH" "        Date3: 1999:08:14 16:05:31"
    ;;
usage_then_wait)
    waits_for_enter "" 2 "usage: picprobe <filename>" "picprobe 1.0.0"
    ;;
name_shown_as_typed)
    # Written as characters, the name shows as typed, not as its UTF-8 bytes in the
    # console's code page.
    waits_for_enter "写真.jpg" 1 "ERROR: couldn't open file '写真.jpg'"
    ;;
no_wait_without_console_input)
    ends_without_wait "$program sample.jpg < /dev/null" # standard input is not the console
    ;;
no_wait_from_cmd)
    # Started from cmd, the program shares cmd's console: cmd keeps the window.
    ends_without_wait "'$loader' cmd /c \"\$('$loader' winepath -w '$exe')\" sample.jpg"
    ;;
*)
    echo "no such case: $case_name"
    exit 2
    ;;
esac
echo "$case_name: passed"
