# Sourced by the scripts that start the real tarn in a virtual X server and
# drive it with xdotool. The sourcing script sets $work, a scratch folder
# that it removes itself, or has begin_x11_test make it. Every wait has a
# deadline.

# In a sanitizer build, the system libraries SDL loads and unloads again
# before the leak check (D-Bus, the GL drivers) leave leaks that cannot even
# be told apart, and would fail tarn's exit status; the unit tests check the
# program's own code for leaks.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

tarn_title='Tarn - A Level Editor For Jill (Version 1.1)'
tarn_pid=""
tarn_folder=""
xvfb_pid=""
window=""
other_window=""

# begin_x11_test WHAT PROGRAM...: skips the test (status 77) where there is
# no Xvfb, fails it where one of the programs is missing, and makes $work,
# removed with the X server stopped when the script ends.
begin_x11_test() {
    if ! command -v Xvfb >/dev/null 2>&1; then
        echo "Xvfb is not installed: $1 skipped"
        exit 77
    fi
    local program
    for program in "${@:2}"; do
        command -v "$program" >/dev/null 2>&1 || { echo "FAIL: $program is not installed"; exit 1; }
    done
    work=$(mktemp -d)
    trap 'stop_x_server; rm -rf "$work"' EXIT
}

# board_word FILE X Y: the board word of cell (X, Y) of a level file.
board_word() {
    od -An -tu2 -j $((2 * ($2 * 64 + $3))) -N2 "$1" | tr -d ' '
}

fail() {
    echo "FAIL: $*"
    [ -f "$work/tarn.err" ] && sed 's/^/tarn: /' "$work/tarn.err"
    [ -f "$work/zenity.calls" ] && sed 's/^/zenity: /' "$work/zenity.calls"
    show_tarn_state
    exit 1
}

# show_tarn_state: what tarn was doing, for a failure that does not say it
# itself: its log, the stacks of its threads while it still runs, and the
# windows the X server has.
show_tarn_state() {
    if [ -n "$tarn_folder" ] && [ -f "$tarn_folder/log.txt" ]; then
        tr -d '\r' <"$tarn_folder/log.txt" | sed 's/^/log: /'
    fi
    if [ -n "$tarn_pid" ] && kill -0 "$tarn_pid" 2>/dev/null; then
        if command -v gdb >/dev/null 2>&1; then
            timeout 60 gdb -batch -p "$tarn_pid" -ex 'thread apply all bt' 2>&1 |
                grep -E '^(Thread|#)' | sed 's/^/stack: /' || true
        else
            echo "stack: gdb is not installed"
        fi
    fi
    if [ -n "${DISPLAY:-}" ]; then xwininfo -root -tree 2>&1 | sed 's/^/window: /' || true; fi
}

# wait_for SECONDS WHAT COMMAND...: runs COMMAND until it succeeds.
wait_for() {
    local seconds=$1 what=$2
    shift 2
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || fail "$what"
        if [ -n "$tarn_pid" ] && ! kill -0 "$tarn_pid" 2>/dev/null; then
            local status=0
            wait "$tarn_pid" || status=$?
            fail "tarn ended early (status $status), waiting for: $what"
        fi
        sleep 0.1
    done
}

# start_x_server: a 1600 x 900 Xvfb on a display number it picks itself.
# Without -noreset the server resets each time its last client leaves, as
# every probe of these scripts does while tarn is not yet connected; a
# connection that arrives during the reset is dropped, and tarn finds no
# display (a desktop's server, with its session's clients, never resets so).
# start_x_server [WIDTHxHEIGHT]: the screen is 1600x900 unless given.
start_x_server() {
    Xvfb -displayfd 3 -screen 0 "${1:-1600x900}x24" -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.err" &
    xvfb_pid=$!
    wait_for 10 "Xvfb did not start: $(cat "$work/xvfb.err" 2>/dev/null)" test -s "$work/display"
    export DISPLAY=":$(head -n1 "$work/display")"
}

stop_x_server() {
    [ -n "$tarn_pid" ] && kill "$tarn_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    tarn_pid=""
    xvfb_pid=""
}

# install_fake_zenity DIR: a zenity in DIR that appends its arguments (one
# per line, then a line "--") to $work/zenity.calls and answers with the
# next line of $work/zenity.answers, "STATUS OUTPUT" (status 0 when none).
install_fake_zenity() {
    mkdir -p "$1"
    cat >"$1/zenity" <<ZENITY
#!/bin/bash
calls="$work/zenity.calls"
for a in "\$@"; do printf '%s\n' "\$a" >>"\$calls"; done
echo -- >>"\$calls"
n=\$(grep -c '^--\$' "\$calls")
line=\$(sed -n "\${n}p" "$work/zenity.answers" 2>/dev/null)
[ -n "\$line" ] || exit 0
printf '%s\n' "\${line#* }"
exit "\${line%% *}"
ZENITY
    chmod +x "$1/zenity"
}
zenity_calls() { [ -f "$work/zenity.calls" ] && grep -c '^--$' "$work/zenity.calls" || echo 0; }

# in_folder DIR COMMAND...: runs COMMAND in DIR, in place of this shell.
in_folder() { cd "$1" && shift && exec "$@"; }

# start_window COMMAND...: runs COMMAND in the background and waits for
# its mapped window titled as Tarn (not $other_window, a Tarn window
# already open); sets $window and $tarn_pid.
start_window() {
    tarn_folder=$PWD
    [ "$1" != in_folder ] || tarn_folder=$2
    "$@" >"$work/tarn.out" 2>"$work/tarn.err" &
    tarn_pid=$!
    window=""
    wait_for 30 "no window titled \"$tarn_title\"" find_tarn_window
}
find_tarn_window() {
    window=$(xdotool search --onlyvisible --name "^${tarn_title//[()]/.}\$" 2>/dev/null |
        grep -vxF -e "${other_window:-none}" | sed -n 1p || true)
    [ -n "$window" ]
}

# wait_exit WHAT: waits for tarn to end by itself, with status 0.
wait_exit() {
    local status="" deadline=$((SECONDS + 30))
    while [ "$SECONDS" -lt "$deadline" ]; do
        if ! kill -0 "$tarn_pid" 2>/dev/null; then
            set +e
            wait "$tarn_pid"
            status=$?
            set -e
            tarn_pid=""
            break
        fi
        sleep 0.1
    done
    [ -n "$status" ] || fail "tarn is still running 30 s after $1"
    [ "$status" -eq 0 ] || fail "tarn ended with status $status after $1"
}

# Input goes to tarn's window; each gets a moment, as the editor reads its
# input once a frame and a modifier must be seen held.
key() { xdotool key --window "$window" "$@"; sleep 0.15; }
move() { xdotool mousemove --window "$window" "$1" "$2"; sleep 0.15; }
press() { xdotool mousedown --window "$window" "$1"; sleep 0.15; }
release() { xdotool mouseup --window "$window" "$1"; sleep 0.15; }
click() { press "$1"; release "$1"; }
with_key() {
    xdotool keydown --window "$window" "$1"; sleep 0.15
    "${@:2}"
    xdotool keyup --window "$window" "$1"; sleep 0.15
}
# click_menu_entry N [WIDTH HEIGHT]: the main menu's entries, 16 pixels each,
# centred in the window (1280 x 720 unless given). One xdotool call, since
# "Quit" may close the window before the button is up.
click_menu_entry() {
    local width=${2:-1280} height=${3:-720}
    xdotool mousemove --window "$window" $(((width - 112) / 2 + 20)) $(((height - 112) / 2 + 8 + 16 * $1)) click 1
}
