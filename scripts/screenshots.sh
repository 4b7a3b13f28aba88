#!/usr/bin/env bash
# Takes the README's pictures from the real tarn window under Xvfb and writes
# them to docs/: the main menu, the editing screen of the sample showcase
# level, the Edit Object form, and the editing screen at interface scale 2
# on a 3840 x 2160 screen at 192 dpi. The window has the default size, the
# pointer is parked where it lights nothing, and nothing on these screens
# blinks, so the same build gives the same pictures.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j"$(nproc)" --target tarn tarn-cli x11_window_tool

build=$PWD/build/release
docs=$PWD/docs
work=$(mktemp -d)
source tests/e2e/x11_session.sh
trap 'stop_x_server; rm -rf "$work"' EXIT
mkdir -p "$docs" "$work/run"
"$build/tarn-cli" sample-game "$work/run" >/dev/null
start_x_server
install_fake_zenity "$work/bin"   # no desktop dialog may appear

shoot() {   # NAME: the window as docs/NAME.png, once the screen has settled
    sleep 1
    "$build/tests/x11_window_tool" snapshot "$window" "$docs/$1.png" >/dev/null
    echo "wrote docs/$1.png"
}
park() { move 1279 719; }   # the bottom-right corner: no entry, button or map cell lit

start_window in_folder "$work/run" env PATH="$work/bin:/usr/bin:/bin" "$build/tarn"
park
shoot main-menu
"$build/tests/x11_window_tool" close "$window"
wait_exit "the close request"

start_window in_folder "$work/run" env PATH="$work/bin:/usr/bin:/bin" "$build/tarn" showcase.jn1
park
shoot editing-screen
key Tab                                         # the object palette
move $((32 * 4 + 16)) $((16 + 32 * 2 + 16))     # palette entry 24, a door
click 3
key e                                           # "Edit"
park
shoot edit-object
key Escape
key Escape
click_menu_entry 6                              # Quit
wait_exit "Quit"

stop_x_server
start_x_server 3840x2160
xprop -root -format RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "$(printf 'Xft.dpi:\t192\n')"
start_window in_folder "$work/run" env PATH="$work/bin:/usr/bin:/bin" "$build/tarn" showcase.jn1
move 2559 1439
shoot interface-scale-2x
"$build/tests/x11_window_tool" close "$window"
wait_exit "the close request"
