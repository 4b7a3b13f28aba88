#!/usr/bin/env bash
# dosbox_play_test.sh TARN X11_WINDOW_TOOL TARN_CLI: F5 with Debian's real DOSBox, in
# a virtual X server. The sample game's "program" is a batch file that copies
# the level it finds beside it to RESULT.TXT and ends. A stroke is painted and
# F5 pressed, unsaved: DOSBox must start on the scratch copy, run the program
# there and end by itself; the result, kept in play/kept as something the
# game wrote, must be a whole level with the stroke, while the user's level
# file stays as it was.
#
# Every wait has a deadline. Skips (status 77) when Xvfb or DOSBox is missing.
set -euo pipefail

tarn=$1
tool=$2
cli=$3
command -v Xvfb >/dev/null || { echo "SKIP: no Xvfb"; exit 77; }
command -v dosbox >/dev/null || { echo "SKIP: no dosbox"; exit 77; }

work=$(mktemp -d)
source "$(dirname "$0")/x11_session.sh"
trap 'stop_x_server; rm -rf "$work"' EXIT
run=$work/run
mkdir -p "$run" "$work/home"
"$cli" sample-game "$run" >/dev/null
printf '@echo off\r\ncopy showcase.jn1 result.txt\r\n' >"$run/jill1.bat"
original=$(md5sum <"$run/showcase.jn1")

start_x_server
install_fake_zenity "$work/bin"
# A home of its own: DOSBox writes its configuration there on a first start.
start_window in_folder "$run" env HOME="$work/home" SDL_AUDIODRIVER=dummy PATH="$work/bin:/usr/bin:/bin" \
    "$tarn" showcase.jn1
# A tile picked and painted; the recovery copy a second later shows that the
# stroke reached the level (clicks before the editor is ready are lost).
edited() {
    move 40 40
    click 1
    move 400 300
    click 1
    ls "$run"/recovery/*.recovery >/dev/null 2>&1
}
wait_for 30 "the stroke to change the level" edited
key F5
# DOSBox's window takes the keyboard, and tarn waits while its own window is
# inactive; with no window manager here to give it back when DOSBox's window
# goes, the test does, as a person's click would.
played() {
    xdotool windowfocus "$window" 2>/dev/null || true
    grep -q "Play :: DOSBox ended" "$run/log.txt"
}
wait_for 60 "DOSBox to run the batch file and end" played
[ "$(md5sum <"$run/showcase.jn1")" = "$original" ] || fail "playing changed the user's level file"
result=$(ls "$run/play/kept/" | grep -i '^result\.txt$') || fail "no RESULT.TXT kept: $(ls -R "$run/play")"
ls -d "$run"/play/run-* >/dev/null 2>&1 && fail "the scratch copy was not removed"
# The unsaved stroke reached DOSBox: the level it saw is a whole level, and
# not the one on disk.
cp "$run/play/kept/$result" "$work/seen.jn1"
"$cli" info "$work/seen.jn1" >/dev/null || fail "DOSBox saw no whole level"
cmp -s "$run/showcase.jn1" "$work/seen.jn1" && fail "DOSBox saw the level on disk, not the one in the editor"
[ "$(stat -c %s "$work/seen.jn1")" = "$(stat -c %s "$run/showcase.jn1")" ] || fail "DOSBox saw a level of another size"
kill "$tarn_pid" 2>/dev/null || true
wait "$tarn_pid" 2>/dev/null || true
echo "PASS: F5 played the unsaved level in the real DOSBox on a scratch copy, which ran the program and ended by itself"
