#!/usr/bin/env bash
# wine_smoke_test.sh TARN_EXE LINUX_TARN_CLI: the Windows editor under Wine in
# a virtual X server, driven with real X input: its window is found by its
# title, "Save Level" with no level shows Windows' message box and Enter
# answers it, a sample level is loaded through Windows' own open dialog ("Open
# Jill Level File...", the path typed into it), a tile is painted, Ctrl+S
# saves it, "Save Level As" and "Export Mapshot" write through the save
# dialog, and "Quit" ends the program with status 0. Every wait has a
# deadline.
set -euo pipefail

tarn=$(realpath "$1")
cli=$(realpath "$2")
wine=${WINE:-/usr/lib/wine/wine64}
for program in Xvfb xdotool; do
    command -v "$program" >/dev/null 2>&1 || { echo "FAIL: $program is not installed"; exit 1; }
done

work=$(mktemp -d)
source "$(dirname "$0")/../e2e/x11_session.sh"
trap 'stop_x_server; rm -rf "$work"' EXIT

mkdir "$work/run"
"$cli" sample-game "$work/run/game" >/dev/null
level="$work/run/game/showcase.jn1"
cp "$level" "$work/original.jn1"

start_x_server
# Wine's desktop process keeps the display it was first started on, and the
# tests before this one ran Wine without any. This Wine is the build
# folder's own (WINEPREFIX): ended, it starts afresh on the virtual X server.
wineserver=${WINESERVER:-/usr/lib/wine/wineserver}
"$wineserver" -k 2>/dev/null || true
timeout 30 "$wineserver" -w || fail "Wine's processes did not end"
# Wine takes a while to start its own services on a fresh display.
start_window in_folder "$work/run" "$wine" "$tarn"
log_says() { grep -qF "$1" "$work/run/log.txt" 2>/dev/null; }
wait_for 60 "the log does not say the main menu is up" test -s "$work/run/log.txt"

# Real input (XTEST) goes where the X focus is, as a person's typing does.
focus() { xdotool windowfocus --sync "$1" 2>/dev/null; sleep 0.2; }
real_key() { xdotool key --delay 100 "$@"; sleep 0.2; }

sleep 1                                        # the first frames
# answer_dialog TITLE PATH: waits for Windows' file dialog of that title,
# types PATH over the proposed name (its field has the focus), presses
# Enter, and waits for the dialog to go.
dialog=""
answer_dialog() {
    local title=$1 path=$2
    find_dialog() {
        dialog=$(xdotool search --onlyvisible --name "^${title//./\\.}\$" 2>/dev/null | sed -n 1p || true)
        [ -n "$dialog" ]
    }
    dialog_gone() { ! find_dialog; }
    wait_for 60 "no window titled \"$title\"" find_dialog
    focus "$dialog"
    real_key End shift+Home
    xdotool type --delay 40 "$path"
    real_key Return
    wait_for 30 "the dialog \"$title\" did not close" dialog_gone
}
# The run folder as Windows names it under Wine.
windows_run="Z:${work//\//\\}\\run"

# Windows' own message box (MessageBoxW), titled as the editor: "Save Level"
# with no level loaded says so, and Enter answers it.
focus "$window"
click_menu_entry 2                             # Save Level
box=""
find_box() {
    box=$(xdotool search --onlyvisible --name "^${tarn_title//[()]/.}\$" 2>/dev/null |
        while read -r id; do [ "$id" -ne "$window" ] && echo "$id"; done | sed -n 1p || true)
    [ -n "$box" ]
}
box_gone() { ! find_box; }
wait_for 30 "no message box for \"ERROR: No Level Loaded!\"" find_box
focus "$box"
real_key Return
wait_for 20 "the message box did not close on Return" box_gone

focus "$window"
click_menu_entry 1                             # Load Level
# A path relative to the folder the dialog opens in: the editor's own.
answer_dialog "Open Jill Level File..." 'game\showcase.jn1'
wait_for 30 "the level was not read" log_says "showcase.jn1"

# A left click on tileset entry 45 takes it as the brush; one on map cell
# (10, 10) paints it; Ctrl+S saves.
focus "$window"
xdotool mousemove --window "$window" 88 56 click 1; sleep 0.3
xdotool mousemove --window "$window" $((320 + 16 * 10 + 8)) $((16 * 10 + 8)) click 1; sleep 0.3
real_key ctrl+s
saved() { ! cmp -s "$level" "$work/original.jn1"; }
wait_for 30 "Ctrl+S did not save the level" saved
[ "$(board_word "$level" 10 10)" = 45 ] || fail "cell (10, 10) holds $(board_word "$level" 10 10), not tile 45"
[ "$(cmp -l "$level" "$work/original.jn1" | wc -l)" -le 2 ] || fail "more than the painted cell changed in the file"

# In the main menu, "Save Level As" and "Export Mapshot" through Windows'
# save dialog, each name typed without its extension, which the editor adds;
# the picture is the Linux tarn-cli's mapshot of the level, byte for byte.
real_key Escape
sleep 0.5
click_menu_entry 3                             # Save Level As
answer_dialog "Save Level As ..." "$windows_run\\saved"
wait_for 20 "the level was not saved as saved.jn1" test -s "$work/run/saved.jn1"
cmp -s "$work/run/saved.jn1" "$level" || fail "saved.jn1 is not the level as saved"
click_menu_entry 4                             # Export Mapshot
answer_dialog "Export Mapshot ..." "$windows_run\\shot"
"$cli" mapshot "$level" "$work/expected.png"
wait_for 20 "the mapshot was not written as shot.png" cmp -s "$work/run/shot.png" "$work/expected.png"

# "Quit": nothing is unsaved, so no question.
sleep 0.3
click_menu_entry 6
wait_exit "Quit"
log_says "" || fail "no log.txt was written"
echo "tarn.exe under Wine: answered a message box, loaded through the open dialog, painted, saved with Ctrl+S, saved as and exported through the save dialog, and quit"
