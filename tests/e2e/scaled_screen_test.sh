#!/usr/bin/env bash
# scaled_screen_test.sh TARN X11_WINDOW_TOOL TARN_CLI MAP_VIEW_CHECK: the real
# editor on a 3840 x 2160 screen whose desktop asks for 192 dpi (the X
# server's Xft.dpi resource, as desktops set it). The window opens at
# 2560 x 1440, its map view is the level's mapshot with every pixel a 2 x 2
# block (tiles 32 pixels wide), a click on a cell's first pixel paints that
# cell, and F9 goes to 3x: the map view follows with 3 x 3 blocks, and
# "tarn.ini" keeps the factor and the window in logical pixels.
#
# Every wait has a deadline. Skips (status 77) only when there is no Xvfb.
set -euo pipefail

tarn=$1
tool=$2
cli=$3
check=$4

source "$(dirname "$0")/x11_session.sh"
begin_x11_test "scaled screen test" xdotool xwininfo xprop

mkdir "$work/run"
"$cli" sample-game "$work/run/game" >/dev/null
level=$work/run/game/showcase.jn1
cp "$level" "$work/original.jn1"
"$cli" mapshot "$level" "$work/expected.png"
start_x_server 3840x2160
xprop -root -format RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "$(printf 'Xft.dpi:\t192\n')"
install_fake_zenity "$work/bin"
start_window in_folder "$work/run" env PATH="$work/bin:/usr/bin:/bin" "$tarn" game/showcase.jn1

geometry=$(xwininfo -id "$window")
width=$(awk '/^ *Width:/ {print $2}' <<<"$geometry")
height=$(awk '/^ *Height:/ {print $2}' <<<"$geometry")
[ "$width" = 2560 ] && [ "$height" = 1440 ] || fail "client area is ${width} x ${height}, not 2560 x 1440"

map_matches() {   # ZOOM SCALE
    "$tool" snapshot "$window" "$work/map.ppm" >/dev/null &&
        "$check" "$work/map.ppm" "$work/original.jn1" "$work/expected.png" 0 0 "$1" "$2" >"$work/check.out"
}
move 200 1200                                  # over the tileset, off the map
key 2; key 2                                   # pictures only, no outlines
wait_for 10 "the map view at 2x is not the mapshot: $(cat "$work/check.out" 2>/dev/null)" map_matches 1 2

# Tileset entry 45 as the brush, then a click on the first window pixel of
# cell (5, 3): logical (400, 48), window (800, 96).
move $((2 * (16 * 5 + 8))) $((2 * (16 + 16 * 2 + 8)))
click 1
move $((2 * (320 + 16 * 5))) $((2 * 16 * 3))
click 1
key ctrl+s
painted() { [ "$(board_word "$level" 5 3)" = 45 ]; }
wait_for 10 "cell (5, 3) was not painted with tile 45 and saved" painted
for cell in "4 3" "6 3" "5 2" "5 4"; do
    [ "$(board_word "$level" $cell)" = "$(board_word "$work/original.jn1" $cell)" ] ||
        fail "cell ($cell) changed: the click landed beside its cell"
done
cp "$level" "$work/original.jn1"
"$cli" mapshot "$level" "$work/expected.png"

move 200 1200                                  # off the map again: no brush preview
key F9
wait_for 10 "after F9 the map view at 3x is not the mapshot: $(cat "$work/check.out" 2>/dev/null)" map_matches 1 3
"$tool" close "$window"
wait_exit "the close request"
log=$(tr -d '\r' <"$work/run/log.txt")
grep -qx 'Interface scale 2x: display density 192 dpi (Xft.dpi)' <<<"$log" || fail "the log does not give the scale"
grep -q $'^SCALE *= 3\r$' "$work/run/tarn.ini" || fail "tarn.ini does not keep the factor 3"
grep -q $'^WIDTH *= 853\r$' "$work/run/tarn.ini" || fail "tarn.ini does not keep the width in logical pixels"
echo "scaled screen: 2560 x 1440 at 2x from Xft.dpi 192, a click paints its cell, F9 to 3x"
