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

# Every line on the screen that is not blank, to compare whole.
whole_screen_is() {
    expected=$(printf '%s\n' "$@")
    if [ "$(screen | grep -v '^$')" != "$expected" ]; then
        echo "expected the screen to hold exactly:"
        printf '%s\n' "$expected"
        echo "--- the screen:"
        screen
        exit 1
    fi
}

# Writes BYTES (printf escapes) at OFFSET into FILE, a copy of the sample at first.
write_bytes() { # FILE OFFSET BYTES
    [ -f "$work/$1" ] || cp "$work/sample.jpg" "$work/$1"
    # shellcheck disable=SC2059 # the escapes are the point
    printf "$3" | dd of="$work/$1" bs=1 seek="$2" conv=notrunc 2> /dev/null
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
    shows_then_waits "$@"
    tmux -L "$socket" send-keys -t console Enter
    wait_for "exit status $2"
}

# The texts and then the prompt are shown, and the program is still waiting. STATUS is
# the one waits_for_enter expects after Enter.
shows_then_waits() { # ARGS STATUS TEXT...
    args=$1
    shift 2
    start "$program $args"
    wait_for "$prompt"
    for text in "$@"; do
        wait_for "$text"
    done
    sleep 1
    must_not_show "exit status"
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
    # console's code page, and once: nothing follows it but the prompt.
    shows_then_waits "写真.jpg" 1 "ERROR: couldn't open file '写真.jpg'"
    whole_screen_is "ERROR: couldn't open file '写真.jpg'" "$prompt"
    ;;
name_from_cmd)
    # On a console that cmd shares, nothing adds a line end after the message.
    start "'$loader' cmd /c \"\$('$loader' winepath -w '$exe')\" 写真.jpg"
    wait_for "exit status 1"
    whole_screen_is "ERROR: couldn't open file '写真.jpg'" "exit status 1"
    ;;
report_controls_as_question_marks)
    # Control bytes from the file, 0x1F and 0x7F among them, reach the console as '?'.
    write_bytes hostile.jpg 146 'A\033[2JB\037\177C\000' # the keyword
    write_bytes hostile.jpg 208 '\001\033]0;x\007'     # inside date1
    shows_then_waits hostile.jpg 0 "      Keyword: A?[2JB??C" \
        "        Date1: 1999:08:14??]0;x?31"
    ;;
maker_controls_as_question_marks)
    write_bytes not_sony.jpg 166 'EVIL\033[5m\037\000' # the maker text
    shows_then_waits not_sony.jpg 1 'ERROR: not a "SONY" file.' "(EVIL?[5m?)"
    ;;
no_wait_with_output_redirected)
    # Standard output is a file: no wait, and no prompt in the file.
    start "$program sample.jpg > out.txt"
    wait_for "exit status 0"
    must_not_show "$prompt"
    grep -qF "        Date3: 1999:08:14 16:05:31" "$work/out.txt" || {
        echo "the report is not in the file:"
        cat "$work/out.txt"
        exit 1
    }
    if grep -qF "$prompt" "$work/out.txt"; then
        echo "the prompt went into the file"
        exit 1
    fi
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
