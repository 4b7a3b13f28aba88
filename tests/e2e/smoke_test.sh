#!/usr/bin/env bash
# smoke_test.sh TARN X11_WINDOW_TOOL TARN_CLI MAP_VIEW_CHECK: the real editor
# in a virtual X server, driven with real X input as a person drives it.
#
# 1. With a fake zenity on PATH (it records its arguments and gives the
#    scripted answers): start, load a sample level; scroll and zoom, and the
#    map view matches the level's mapshot; pick a brush from the tileset,
#    paint, fill, undo, paint again and save with Ctrl+S, and the file holds
#    exactly that board; place a door and a switch from the palette, link
#    them, type a value into the switch's form, add an inventory item, save,
#    and the file holds exactly that; back to the menu, save it as a new file, export a
#    mapshot, quit; then the log, "tarn.ini", the saved level and the PNG
#    are checked.
# 2. With no dialog helper at all: SDL's own message box shows, a real key
#    press answers it, and the window's close box ends the program.
# 3. On a German keyboard (setxkbmap de) Ctrl with the key labelled Z undoes
#    a stroke, and Ctrl+S sent as one instant chord saves.
# 4. A game folder copied from DOS, every name in capitals: a level chosen in
#    the requester binds its game from those files.
# 5. A left click on the tileset picks a tile; the window resized to
#    1600 x 900 paints where a click in its new area lands, and "tarn.ini"
#    keeps the size.
# 6. Killed with SIGKILL a second after an edit: the next start offers the
#    unsaved change back, and Ctrl+S saves it to the level's own file.
# 7. Two windows, each started with its own level: a brush copied with
#    Ctrl+C in one is on the system's clipboard, and Ctrl+V in the other
#    paints it there.
#
# Every wait has a deadline. Skips (status 77) only when there is no Xvfb.
set -euo pipefail

tarn=$1
tool=$2
cli=$3
check=$4
title='Tarn - A Level Editor For Jill (Version 1.1)'

source "$(dirname "$0")/x11_session.sh"
begin_x11_test "smoke test" xdotool xwininfo setxkbmap

mkdir "$work/run"
"$cli" sample-game "$work/run/game" >/dev/null
start_x_server
install_fake_zenity "$work/bin"
has_calls() { [ "$(zenity_calls)" -ge "$1" ]; }
start_tarn() { start_window in_folder "$work/run" env PATH="$1" "$tarn"; }

# Map cell (tx, ty) with the camera at (3, 2) and zoom 1; tileset entry t.
cell_x() { echo $((320 + 16 * ($1 - 3) + 8)); }
cell_y() { echo $((16 * ($1 - 2) + 8)); }

# ---- 1. The round trip with the desktop's dialog helper
cat >"$work/zenity.answers" <<EOF
0 $work/run/game/showcase.jn1
0 $work/run/saved
0 $work/run/shot
EOF
start_tarn "$work/bin:/usr/bin:/bin"

geometry=$(xwininfo -id "$window")
width=$(awk '/^ *Width:/ {print $2}' <<<"$geometry")
height=$(awk '/^ *Height:/ {print $2}' <<<"$geometry")
[ "$width" = 1280 ] && [ "$height" = 720 ] || fail "client area is ${width} x ${height}, not 1280 x 720"
lit=0
menu_drawn() {
    local snapshot
    snapshot=$("$tool" snapshot "$window" "$work/screenshot.ppm") || return 1
    read -r _ _ lit <<<"$snapshot"
    [ "$lit" -gt 0 ]
}
wait_for 20 "the window shows nothing but black" menu_drawn

level="$work/run/game/showcase.jn1"
cp "$level" "$work/original.jn1"
"$cli" mapshot "$level" "$work/expected.png"
click_menu_entry 1                                  # Load Level
wait_for 20 "no file requester for Load Level" has_calls 1
sleep 0.5                                      # the editor takes the screen

# ---- The editing screen: scroll, zoom, and the map as the mapshot shows it
move 100 600                                   # over the tileset, off the map
key 2; key 2                                   # pictures only, no outlines
key Right; key Right; key Right; key Down; key Down
map_matches() {
    "$tool" snapshot "$window" "$work/map.ppm" >/dev/null &&
        "$check" "$work/map.ppm" "$work/original.jn1" "$work/expected.png" 3 2 "$1" >"$work/check.out"
}
wait_for 10 "the map view at zoom 1 is not the mapshot: $(cat "$work/check.out" 2>/dev/null)" map_matches 1
key equal
wait_for 10 "the map view at zoom 2 is not the mapshot: $(cat "$work/check.out" 2>/dev/null)" map_matches 2
key minus

# ---- Tile editing: a 2 x 2 brush from the tileset (entries 45, 46, 65, 66)
move 88 56
press 3
move 104 72
release 3
move "$(cell_x 10)" "$(cell_y 10)"             # a stroke on cell (10, 10)
click 1
move "$(cell_x 30)" "$(cell_y 30)"             # a fill of the sky, undone
with_key Shift_L click 1
with_key Control_L key z
move "$(cell_x 20)" "$(cell_y 12)"             # another stroke
click 1
with_key Control_L key s
saved_board() { ! cmp -s "$level" "$work/original.jn1"; }
wait_for 20 "Ctrl+S did not save the level" saved_board
for expected in "10 10 45" "11 10 46" "10 11 65" "11 11 66" "20 12 45" "21 13 66"; do
    read -r x y tile <<<"$expected"
    [ "$(board_word "$level" "$x" "$y")" = "$tile" ] || fail "cell ($x, $y) holds $(board_word "$level" "$x" "$y"), not $tile"
done
[ "$(board_word "$level" 30 30)" = "$(board_word "$work/original.jn1" 30 30)" ] || fail "the undone fill was saved"
[ "$(cmp -l "$level" "$work/original.jn1" | wc -l)" -le 16 ] || fail "more than the two strokes changed in the file"
[ "$(tail -c +16385 "$level" | cmp - <(tail -c +16385 "$work/original.jn1") && echo same)" = same ] ||
    fail "saving changed more than the board"

# ---- Objects: a door and a switch from the palette, linked, one edited
cp "$level" "$work/painted.jn1"
objects_before=$(od -An -tu2 -j16384 -N2 "$level" | tr -d ' ')
key Tab                                        # the object palette
palette_entry() { move $((32 * ($1 % 10) + 16)) $((16 + 32 * ($1 / 10) + 16)); }
palette_entry 24; click 3; key s               # DOOR: "Select"
move "$(cell_x 40)" "$(cell_y 20)"; click 1    # placed, still held
palette_entry 32; click 3; key s               # SWITCH: "Select"
move "$(cell_x 44)" "$(cell_y 20)"; click 1
move "$(cell_x 40)" "$(cell_y 20)"; click 3    # drop the switch; the door's menu
key l                                          # "Link"
move "$(cell_x 44)" "$(cell_y 20)"; click 1    # the target: the link menu
key Down; key Down; key Return                 # "Use ID n (first unused ID)"
click 3; key e                                 # the switch's "Edit Object" form
key Down; key Down; key Down; key Return       # row 3, xd
key BackSpace                                  # the field starts with the value, 0
xdotool type --window "$window" --delay 50 '$10'; sleep 0.2
key Return
for _ in $(seq 13); do key Down; done
key Return                                     # "OK"
sleep 0.3
# ---- The inventory: one more item of kind 1
move 150 8; click 1                            # "INVENTORY"
for _ in $(seq 6); do key Down; done
key Right; key Return                          # "Add Item": item 1
key Down; key Return                           # "OK"
sleep 0.3
with_key Control_L key s
saved_objects() { ! cmp -s "$level" "$work/painted.jn1"; }
wait_for 20 "Ctrl+S did not save the objects" saved_objects
record() { echo $((16386 + 31 * $1)); }     # offset of object record N
field() { od -An -tu2 -j $(($(record "$1") + $2)) -N2 "$level" | tr -d ' '; }
kind() { od -An -tu1 -j "$(record "$1")" -N1 "$level" | tr -d ' '; }
n=$objects_before
[ "$(od -An -tu2 -j16384 -N2 "$level" | tr -d ' ')" = $((n + 2)) ] || fail "the level does not hold two more objects"
[ "$(kind "$n")" = 24 ] && [ "$(kind $((n + 1)))" = 32 ] || fail "the new objects are not a door and a switch"
door_id=$(field "$n" 19)
[ "$door_id" -ge 1 ] && [ "$(field $((n + 1)) 19)" = "$door_id" ] || fail "door and switch are not linked"
[ "$(field $((n + 1)) 5)" = 16 ] || fail "the switch's xd is $(field $((n + 1)) 5), not 16"
player=$((16386 + 31 * (n + 2)))
items=$(od -An -tu2 -j $((player + 4)) -N2 "$level" | tr -d ' ')
old_items=$(od -An -tu2 -j $((16386 + 31 * n + 4)) -N2 "$work/painted.jn1" | tr -d ' ')
[ "$items" = $((old_items + 1)) ] || fail "the inventory holds $items items, not $((old_items + 1))"
[ "$(od -An -tu2 -j $((player + 6 + 2 * old_items)) -N2 "$level" | tr -d ' ')" = 1 ] || fail "the added item is not 1"
cmp -s <(head -c 16384 "$level") <(head -c 16384 "$work/painted.jn1") || fail "editing objects changed the board"

key Escape                                     # back to the menu
sleep 0.5
click_menu_entry 3                                  # Save Level As
wait_for 20 "the level was not saved" test -f "$work/run/saved.jn1"
click_menu_entry 4                                  # Export Mapshot
wait_for 20 "the mapshot was not written" test -f "$work/run/shot.png"
sleep 0.3
click_menu_entry 6                                  # Quit
wait_exit "Quit"

grep -qx -- '--file-selection' "$work/zenity.calls" || fail "zenity was not asked for a file"
grep -qx -- '--title=Open Jill Level File...' "$work/zenity.calls" || fail "no open requester titled as it should be"
cmp -s "$work/run/saved.jn1" "$level" || fail "the level saved as a new file differs from the level saved"
[ "$(head -c 8 "$work/run/shot.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "shot.png is not a PNG"
[ "$(od -An -tx1 -j16 -N8 "$work/run/shot.png" | tr -d ' ')" = 0000080000000400 ] || fail "shot.png is not 2048 x 1024"
grep -q $'^This is Tarn - A Level Editor For Jill (Version 1.1) (CRC [0-9A-F]\{8\})\r$' "$work/run/log.txt" ||
    fail "no banner with the program's CRC in log.txt"
grep -q $'^ReadLevel() :: SUCCESS!\r$' "$work/run/log.txt" || fail "the log does not show the level read"
grep -q $'^Using "Jill of the Jungle"\r$' "$work/run/log.txt" || fail "the log does not show the game bound"
grep -q $'^Closed: ' "$work/run/log.txt" || fail "the log was not closed"
grep -q $'^COUNT *= 69\r$' "$work/run/tarn.ini" || fail "tarn.ini lacks the palette"
grep -q $'^WIDTH *= 1280\r$' "$work/run/tarn.ini" || fail "tarn.ini lacks the window width"
echo "PASS: loaded, viewed at two zooms, painted, filled and undid, placed, linked and edited objects, added an item, saved, saved as, exported and quit"

# ---- 2. No dialog helper: SDL's own message box, answered with a real key
rm -f "$work/zenity.calls"
start_tarn "/nonexistent"
wait_for 20 "the window shows nothing but black" menu_drawn
click_menu_entry 2                                  # Save Level, with no level loaded
# SDL names its box in UTF-8 only, which xdotool's search does not read;
# the window tree lists it with its title.
box=""
find_box() {
    box=$(xwininfo -root -children | awk -v t="\"$title\":" 'index($0, t) {print $1}' |
        while read -r id; do [ $((id)) -ne "$window" ] && echo "$id"; done | sed -n 1p)
    [ -n "$box" ]
}
wait_for 20 "no message box for \"ERROR: No Level Loaded!\"" find_box
xdotool windowfocus --sync "$box" 2>/dev/null || xdotool windowfocus "$box"
xdotool key Return
box_gone() { ! find_box; }
wait_for 20 "the message box did not close on Return" box_gone
# Without a window manager nobody hands the focus back, and the editor
# waits while its window is inactive.
xdotool windowfocus "$window"
sleep 0.3
"$tool" close "$window" || fail "could not send the close request"
wait_exit "the close request"
echo "PASS: SDL's message box shown without a helper, answered with Return; closed with status 0"

# ---- 3. A German keyboard and a chord sent at once
rm -f "$work/zenity.calls"
keyed="$work/run/game/keys.jn1"
cp "$work/original.jn1" "$keyed"
echo "0 $keyed" >"$work/zenity.answers"
start_tarn "$work/bin:/usr/bin:/bin"
wait_for 20 "the window shows nothing but black" menu_drawn
click_menu_entry 1                                  # Load Level
wait_for 20 "no file requester for Load Level" has_calls 1
sleep 0.5
move 88 56; press 3; release 3                 # tileset entry 45 as the brush
# Two strokes, with the camera at (0, 0); the second is undone.
move $((320 + 16 * 10 + 8)) $((16 * 10 + 8)); click 1
move $((320 + 16 * 20 + 8)) $((16 * 12 + 8)); click 1
setxkbmap de
sleep 0.3
with_key Control_L key z                       # the German Z: the US Y key
setxkbmap us
sleep 0.3
# The whole chord (Ctrl down, S down, S up, Ctrl up) at once, between two frames.
xdotool key --window "$window" --delay 0 ctrl+s
saved_keyed() { ! cmp -s "$keyed" "$work/original.jn1"; }
wait_for 20 "Ctrl+S sent as one chord did not save the level" saved_keyed
[ "$(board_word "$keyed" 10 10)" = 45 ] || fail "the first stroke was not saved"
[ "$(board_word "$keyed" 20 12)" = "$(board_word "$work/original.jn1" 20 12)" ] ||
    fail "Ctrl with the key labelled Z on a German keyboard did not undo the second stroke"
key Escape
sleep 0.5
click_menu_entry 6                                  # Quit
wait_exit "Quit"
echo "PASS: Ctrl+Z by its German label undid a stroke; Ctrl+S sent as one chord saved"

# ---- 4. A game folder copied from DOS: every name in capitals, a level
# called 1.JN1, chosen in the requester; it binds its game from those files.
dos="$work/dos/JILL"
mkdir -p "$dos" "$work/dos/run"
for file in "$work/run/game"/*; do
    name=$(basename "$file")
    cp "$file" "$dos/${name^^}"
done
cp "$dos/SHOWCASE.JN1" "$dos/1.JN1"
rm -f "$work/zenity.calls"
echo "0 $dos/1.JN1" >"$work/zenity.answers"
start_window in_folder "$work/dos/run" env PATH="$work/bin:/usr/bin:/bin" "$tarn"
wait_for 20 "the window shows nothing but black" menu_drawn
click_menu_entry 1                                  # Load Level
wait_for 20 "no file requester for Load Level" has_calls 1
dos_log="$work/dos/run/log.txt"
bound() { grep -q $'^Using "Jill of the Jungle"\r$' "$dos_log" 2>/dev/null; }
wait_for 20 "the level in capitals bound no game" bound
sleep 0.5                                      # the editor takes the screen
key Escape
sleep 0.5
click_menu_entry 6                                  # Quit
wait_exit "Quit"
grep -qxF -- '--file-filter=Level Files | *.[jJ][nN]1 *.[jJ][nN]2 *.[jJ][nN]3 *.[oO][nN][eE]' "$work/zenity.calls" ||
    fail "the requester does not show level files in any case"
grep -qF $'Searching for supported games in "'"$dos"$'/" ...\r' "$dos_log" || fail "the DOS folder was not searched"
grep -q $'^ Testing "Jill of the Jungle" ... SUCCESS!\r$' "$dos_log" || fail "the game's files in capitals were not found"
grep -qxF $' url = '"$dos"$'/JILL1.SHA\r' "$dos_log" || fail "the shape file was not opened by its name in capitals"
grep -q $'^ERROR' "$dos_log" && fail "the log of the DOS folder holds an error"
echo "PASS: a level from a game folder in capitals chosen in the requester bound its game from those files"

# ---- 5. Today's gestures: a left click on the tileset picks a tile, the
# window made larger with the window system's own resize, and a click in the
# area it gained paints there; the settings keep the new size.
rm -f "$work/zenity.calls"
resized="$work/run/game/resized.jn1"
cp "$work/original.jn1" "$resized"
echo "0 $resized" >"$work/zenity.answers"
rm -f "$work/run/tarn.ini"
start_tarn "$work/bin:/usr/bin:/bin"
wait_for 20 "the window shows nothing but black" menu_drawn
click_menu_entry 1                                  # Load Level
wait_for 20 "no file requester for Load Level" has_calls 1
sleep 0.5
move 88 56; click 1                            # tileset entry 45, picked with the left button
# The screen is 1600 x 900 too: the window goes to its corner first.
xdotool windowmove "$window" 0 0
xdotool windowsize "$window" 1600 900
grown() {
    xwininfo -id "$window" | grep '^ *Width: 1600$' >/dev/null && xwininfo -id "$window" | grep '^ *Height: 900$' >/dev/null &&
        "$tool" snapshot "$window" "$work/grown.ppm" >/dev/null
}
wait_for 20 "the window did not take 1600 x 900" grown
sleep 0.5
# Cell (70, 3) lies at x = 320 + 16 * 70 + 8 = 1448: beyond a 1280-pixel window.
move 1448 56; click 1
key ctrl+s
saved_resized() { [ "$(board_word "$resized" 70 3)" = 45 ]; }
wait_for 20 "a click in the area the resized window gained did not paint there" saved_resized
key Escape
sleep 0.5
click_menu_entry 6 1600 900                    # Quit, in the menu centred in the larger window
wait_exit "Quit"
grep -q $'^WIDTH *= 1600\r$' "$work/run/tarn.ini" || fail "tarn.ini does not keep the new width"
grep -q $'^HEIGHT *= 900\r$' "$work/run/tarn.ini" || fail "tarn.ini does not keep the new height"
echo "PASS: a left click picked a tile, the window grew to 1600 x 900 and a click in the new area painted there"
# The next start opens at the size of the settings again.
rm -f "$work/run/tarn.ini"

# ---- 6. Killed a second after an edit: the next start asks whether to
# restore the unsaved changes, and Ctrl+S then writes them to the level's
# own file.
rm -f "$work/zenity.calls"
killed="$work/run/game/killed.jn1"
cp "$work/original.jn1" "$killed"
printf '0 %s\n0 \n' "$killed" >"$work/zenity.answers"   # the level; then Yes to the question
start_tarn "$work/bin:/usr/bin:/bin"
wait_for 20 "the window shows nothing but black" menu_drawn
click_menu_entry 1                                  # Load Level
wait_for 20 "no file requester for Load Level" has_calls 1
sleep 0.5
move 88 56; press 3; release 3                 # tileset entry 45 as the brush
move $((320 + 16 * 10 + 8)) $((16 * 10 + 8)); click 1
has_copy() { compgen -G "$work/run/recovery/*.recovery" >/dev/null; }
wait_for 10 "no recovery copy after the edit" has_copy
kill -KILL "$tarn_pid"
wait "$tarn_pid" 2>/dev/null || true
tarn_pid=""
cmp -s "$killed" "$work/original.jn1" || fail "the level file changed without a save"
start_tarn "$work/bin:/usr/bin:/bin"
wait_for 20 "no question about the unsaved changes" has_calls 2
grep -qF 'Tarn did not end properly last time.' "$work/zenity.calls" || fail "the question is not the recovery offer"
grep -qF "$killed" "$work/zenity.calls" || fail "the question does not name the level"
sleep 0.5                                      # the editor takes the screen
with_key Control_L key s
saved_killed() { ! cmp -s "$killed" "$work/original.jn1"; }
wait_for 20 "Ctrl+S did not save the restored level" saved_killed
[ "$(board_word "$killed" 10 10)" = 45 ] || fail "the restored level lacks the edit made before the kill"
[ "$(cmp -l "$killed" "$work/original.jn1" | wc -l)" -le 2 ] || fail "more than the one edit changed in the file"
key Escape
sleep 0.5
click_menu_entry 6                                  # Quit
wait_exit "Quit"
has_copy && fail "a recovery copy is left after the changes were saved"
[ "$(zenity_calls)" = 2 ] || fail "$(zenity_calls) dialogs were shown, not 2"
echo "PASS: killed after an edit, the next start restored the change on request, and Ctrl+S saved it to the level's file"

# ---- 7. Two windows share the clipboard. They overlap, so each is raised
# and focused before its input, and the copy is seen on the clipboard before
# the focus moves: a window drops the input it has not read when it loses it.
first_level="$work/run/game/first.jn1"
second_level="$work/run/game/second.jn1"
cp "$work/original.jn1" "$first_level"
cp "$work/original.jn1" "$second_level"
mkdir "$work/second"
opened() { grep -q $'^Using "Jill of the Jungle"\r$' "$1/log.txt" 2>/dev/null; }
use_window() { window=$1 tarn_pid=$2; xdotool windowraise "$window" windowfocus "$window"; sleep 0.3; }
start_window in_folder "$work/run" "$tarn" "$first_level"
wait_for 20 "the first window did not open its level" opened "$work/run"
first_window=$window first_pid=$tarn_pid other_window=$window
start_window in_folder "$work/second" "$tarn" "$second_level"
wait_for 20 "the second window did not open its level" opened "$work/second"
second_window=$window second_pid=$tarn_pid
use_window "$first_window" "$first_pid"
move 88 56; press 3; move 104 72; release 3    # tileset entries 45, 46, 65, 66
key ctrl+c
copied() { "$tool" clipboard >"$work/clipboard" && grep -qxF "65 66" "$work/clipboard"; }
wait_for 10 "Ctrl+C did not put the brush on the clipboard" copied
grep -qxF "game: Jill of the Jungle" "$work/clipboard" || fail "the clipboard does not name the game"
use_window "$second_window" "$second_pid"
key ctrl+v
move $((320 + 16 * 10 + 8)) $((16 * 10 + 8)); click 1
key ctrl+s
saved_second() { [ "$(board_word "$second_level" 11 11)" = 66 ]; }
wait_for 20 "Ctrl+V and a click did not paint the brush copied in the other window" saved_second
[ "$(board_word "$second_level" 10 10)" = 45 ] || fail "cell (10, 10) holds $(board_word "$second_level" 10 10), not 45"
"$tool" close "$window" || fail "could not close the second window"
wait_exit "closing the second window"
use_window "$first_window" "$first_pid"
other_window=""
"$tool" close "$window" || fail "could not close the first window"
wait_exit "closing the first window"
echo "PASS: a brush copied in one window was on the clipboard and pasted and painted in another"
