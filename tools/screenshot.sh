#!/usr/bin/env bash
# Takes the picture of the main window that the README shows: the program already built in
# build/ (tools/prepare.sh --tests builds it and installs the X tools) runs on an Xvfb of
# its own against the board simulator, and its window is saved as docs/tavex.png (or the
# PNG file given).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
out=${1:-$root/docs/tavex.png}

scratch=$(mktemp -d)
pids=()
finish() {
    # The program first, so it closes the board's port while the board is still there.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    rm -rf "$scratch"
}
trap finish EXIT

# Waits up to 30 s for a command to succeed.
wait_for() {
    for _ in $(seq 300); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "screenshot: gave up waiting for: $*" >&2
    return 1
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
pids+=($!)
wait_for test -s "$scratch/display"
display=:$(cat "$scratch/display")

"$build/tools/boardsim/tavex-boardsim" --link "$scratch/board" </dev/null >"$scratch/board.log" 2>&1 &
pids+=($!)
wait_for test -e "$scratch/board"

# COM3 is the board; every other number leads where nothing exists, so no real port on
# this machine is ever opened.
mkdir -p "$scratch/config/tavex" "$scratch/home" "$scratch/runtime"
chmod 700 "$scratch/runtime"
for n in $(seq 1 18); do
    if [ "$n" -eq 3 ]; then echo "COM3=$scratch/board"; else echo "COM$n=$scratch/absent/ttyCOM$n"; fi
done >"$scratch/config/tavex/PORTAS.INI"

env -u WAYLAND_DISPLAY -u XAUTHORITY -u DBUS_SESSION_BUS_ADDRESS -u SESSION_MANAGER \
    -u QT_STYLE_OVERRIDE -u QT_SCALE_FACTOR -u QT_QPA_PLATFORMTHEME \
    QT_QPA_PLATFORM=xcb DISPLAY="$display" HOME="$scratch/home" \
    XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime" \
    "$build/app/tavex" </dev/null >"$scratch/tavex.log" 2>&1 &
pids+=($!)

# The start-up switches every relay off, relay 8 last, and then shows the window.
wait_for grep -q "relay 8 OFF" "$scratch/board.log"
wait_for env DISPLAY="$display" xdotool search --onlyvisible --name '^TAVEX$'
window=$(DISPLAY="$display" xdotool search --onlyvisible --name '^TAVEX$' | head -n 1)
# Time for the first paint.
sleep 1

mkdir -p "$(dirname "$out")"
xwd -display "$display" -id "$window" -silent | convert xwd:- -strip "png:$out"
echo "screenshot: $out"
