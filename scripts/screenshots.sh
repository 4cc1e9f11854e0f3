#!/usr/bin/env bash
# Makes the README's screenshots: the program runs under a virtual X server from a copy of the
# generated data, is played a little, and three moments are saved small into docs/:
# flight.png (the fighter with its HUD and reticle), help.png (the F1 page), explosion.png.
# Usage: scripts/screenshots.sh [kavo-ship program] [data folder]   (defaults: build/...)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$root/build/kavo-ship}")
data=$(realpath "${2:-$root/build/data}")
[[ -x $program ]] || { echo "no program at $program; run make build first" >&2; exit 1; }
docs=$root/docs
mkdir -p "$docs"

source "$root/tests/e2e/xvfb_session.bash"
start_xvfb -r
copy_data "$data"
start_program "$program"
timeout 60 xdotool search --sync --name '^Kavo Ship - OpenGL$' >/dev/null ||
    fail "the window did not appear"

# Software GL may draw only a few frames per second: hold keys for several frames.
hold() {
    xdotool keydown "$1"
    sleep "${2:-0.7}"
    xdotool keyup "$1"
}

# 640 pixels wide with a 256-colour palette keeps each picture well under 150 KB.
save() {
    import -window root "$work_dir/shot.png"
    convert "$work_dir/shot.png" -resize 640x -strip -dither None -colors 256 "PNG8:$docs/$1"
    echo "$docs/$1: $(stat -c %s "$docs/$1") bytes"
}

# Wait for the world and the HUD, then fly a little so the exhaust shows.
sleep 8
xdotool keydown q
sleep 3
xdotool keyup q
hold KP_4 1.2
sleep 1
save flight.png

hold F1
sleep 2
save help.png
hold F1

# Follow the enemy, let the camera settle behind it, and explode it in front of the camera.
hold F4
sleep 4
hold e 0.5
sleep 0.3
save explosion.png

xdotool key Escape
expect_clean_exit 100
