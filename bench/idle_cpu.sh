#!/usr/bin/env bash
# idle_cpu.sh TARN TARN_CLI [SECONDS]: how much of a processor core the real
# editor uses at rest, showing the sample showcase level in a virtual X server
# (Xvfb, no GPU), with "fullrefresh" on (a redraw every pass) and off; once
# with the renderer the editor chooses itself and once with SDL's OpenGL
# renderer named in the environment. Goals: under 3% with it on, under 1% with
# it off. Prints its figures and the renderer the editor chose (from its log);
# passes or fails nothing.
set -euo pipefail

tarn=$(realpath "$1")
cli=$(realpath "$2")
seconds=${3:-10}
title='Tarn - A Level Editor For Jill (Version 1.1)'

for program in Xvfb xdotool; do
    command -v "$program" >/dev/null 2>&1 || { echo "idle_cpu: $program is not installed, no figures"; exit 0; }
done

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# wait_for SECONDS COMMAND...: runs COMMAND until it succeeds, or gives up.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || { echo "idle_cpu: gave up waiting for: $*"; exit 0; }
        sleep 0.1
    done
}

Xvfb -displayfd 3 -screen 0 1600x900x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
wait_for 10 test -s "$work/display"
export DISPLAY=":$(head -n1 "$work/display")"

mkdir -p "$work/run" "$work/bin"
"$cli" sample-game "$work/run/game" >/dev/null
# The load requester answers with the showcase level.
printf '#!/bin/sh\necho "%s"\n' "$work/run/game/showcase.jn1" >"$work/bin/zenity"
chmod +x "$work/bin/zenity"

# run_editor LABEL [VARIABLE=VALUE]: starts the editor, loads the level, measures, ends it.
run_editor() {
    local label=$1
    shift
    rm -f "$work/run/log.txt" "$work/run/tarn.ini"
    (cd "$work/run" && exec env PATH="$work/bin:/usr/bin:/bin" "$@" "$tarn") >/dev/null 2>&1 &
    tarn_pid=$!
    pids+=("$tarn_pid")
    window=""
    wait_for 30 find_window
    sleep 1
    # "Load Level", the second entry of the menu centred in the 1280 x 720 window.
    xdotool mousemove --window "$window" $(((1280 - 112) / 2 + 20)) $(((720 - 112) / 2 + 8 + 16)) click 1
    wait_for 20 grep -q 'SUCCESS' "$work/run/log.txt"
    xdotool mousemove --window "$window" 640 300
    sleep 2
    echo "idle_cpu: $label: renderer:$(grep -m1 'Renderer:' "$work/run/log.txt" | sed 's/^ *Renderer://' | tr -d '\r')"
    echo "idle_cpu: $label: at rest with fullrefresh on:  $(measure)% of a core (goal under 3%)"
    xdotool key --window "$window" F12
    sleep 1
    echo "idle_cpu: $label: at rest with fullrefresh off: $(measure)% of a core (goal under 1%)"
    kill "$tarn_pid"
    wait "$tarn_pid" 2>/dev/null || true
}

find_window() { window=$(xdotool search --onlyvisible --name "^${title//[()]/.}\$" 2>/dev/null | sed -n 1p); [ -n "$window" ]; }

# Processor time (user + system) of the editor in clock ticks.
ticks() { awk '{print $14 + $15}' "/proc/$tarn_pid/stat"; }
measure() {
    local before after
    before=$(ticks)
    sleep "$seconds"
    after=$(ticks)
    awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$seconds" 'BEGIN { printf "%.2f", 100 * t / hz / s }'
}

run_editor "its own choice"
run_editor "OpenGL named" SDL_RENDER_DRIVER=opengl
