#!/usr/bin/env bash
# smoke_test.sh TARN X11_WINDOW_TOOL: starts the real editor in a virtual X
# server, finds its window by title, checks the size of its client area and
# that something is drawn in it, closes it as a window manager would, and
# checks that the editor ends with status 0. Skips (status 77) only when there
# is no Xvfb to run.
set -euo pipefail

tarn=$1
tool=$2
title='Tarn - A Level Editor For Jill (Version 1.1)'

if ! command -v Xvfb >/dev/null 2>&1; then
    echo "Xvfb is not installed: smoke test skipped"
    exit 77
fi
for program in xdotool xwininfo; do
    command -v "$program" >/dev/null 2>&1 || { echo "FAIL: $program is not installed"; exit 1; }
done

# In a sanitizer build, D-Bus (loaded by SDL and unloaded again before the
# leak check, so its leaks cannot even be told apart) would fail the exit
# status; the unit tests check the program's own code for leaks.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

work=$(mktemp -d)
xvfb_pid=""
tarn_pid=""
cleanup() {
    [ -n "$tarn_pid" ] && kill "$tarn_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    [ -f "$work/tarn.err" ] && sed 's/^/tarn: /' "$work/tarn.err"
    exit 1
}

# The server picks a free display number itself and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1600x900x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.err" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.err")"
export DISPLAY=":$(head -n1 "$work/display")"

# The editor writes its settings and log into the folder it runs in.
(cd "$work" && exec "$tarn") >"$work/tarn.out" 2>"$work/tarn.err" &
tarn_pid=$!

# Generous waits, as the test may run beside others on a busy machine, yet
# all of them together stay inside the time CTest gives the test, so that
# the clean-up above always runs.
window=""
deadline=$((SECONDS + 30))
while [ "$SECONDS" -lt "$deadline" ]; do
    # Only a mapped window can be read back; the title is set before mapping.
    window=$(xdotool search --onlyvisible --name "^${title//[()]/.}\$" 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    kill -0 "$tarn_pid" 2>/dev/null || fail "tarn ended before its window appeared"
    sleep 0.1
done
[ -n "$window" ] || fail "no window titled \"$title\""

geometry=$(xwininfo -id "$window")
width=$(awk '/^ *Width:/ {print $2}' <<<"$geometry")
height=$(awk '/^ *Height:/ {print $2}' <<<"$geometry")
[ "$width" = 1280 ] && [ "$height" = 720 ] || fail "client area is ${width} x ${height}, not 1280 x 720"

# A few frames for the first drawing to land, then the screenshot.
lit=0
deadline=$((SECONDS + 20))
while [ "$SECONDS" -lt "$deadline" ]; do
    if snapshot=$("$tool" snapshot "$window" "$work/screenshot.ppm"); then
        read -r _ _ lit <<<"$snapshot"
        [ "$lit" -gt 0 ] && break
    fi
    sleep 0.1
done
[ "$lit" -gt 0 ] || fail "the window shows nothing but black"

# Still running, so that the exit below can only come from the close request.
kill -0 "$tarn_pid" 2>/dev/null || fail "tarn ended before the close request"
"$tool" close "$window" || fail "could not send the close request"
status=""
deadline=$((SECONDS + 30))
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
[ -n "$status" ] || fail "tarn is still running 30 s after the close request"
[ "$status" -eq 0 ] || fail "tarn ended with status $status"
echo "PASS: window found, 1280 x 720, $lit pixels drawn, closed with status 0"
