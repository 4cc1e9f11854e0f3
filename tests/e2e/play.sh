#!/usr/bin/env bash
# Plays the real program under Xvfb and checks what a player would see: the status lines in the
# ship's green, the help page on F1, a white HUD in the free camera, a burst of light when the
# enemy explodes, a minute of mixed play without a crash, and Escape ending the program cleanly.
# Usage: play.sh <kavo-ship binary> <data folder>
# KAVO_PLAY_SHOTS=<folder> keeps the screenshots there for a person to look at.
set -uo pipefail

program=$(readlink -f "${1:?usage: play.sh <kavo-ship> <data folder>}")
data=$(readlink -f "${2:?usage: play.sh <kavo-ship> <data folder>}")
for tool in Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 0; }
done

work=$(mktemp -d /tmp/kavo-play.XXXXXX)
xvfb_pid=""
program_pid=""
failures=0

cleanup() {
    if [ -n "${KAVO_PLAY_SHOTS:-}" ]; then
        mkdir -p "$KAVO_PLAY_SHOTS" && cp "$work"/*.png "$KAVO_PLAY_SHOTS"/ 2>/dev/null
    fi
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# A display number nobody uses.
display=""
for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
        display=":$n"
        break
    fi
done
[ -n "$display" ] || { echo "FAIL: no free display number"; exit 1; }

# Without auto-repeat a held once-key (F1, W) acts exactly once.
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -r >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.2
done

# The program reads and writes its files in the working directory: give it a copy.
mkdir "$work/run"
cp -r "$data"/. "$work/run/"
(cd "$work/run" && exec "$program" >"$work/program.log" 2>&1) &
program_pid=$!

# Keys sent before the window is mapped are lost.
if ! timeout 60 xdotool search --sync --name '^Kavo Ship - OpenGL$' >/dev/null; then
    echo "FAIL: the window never appeared"
    cat "$work/program.log"
    exit 1
fi

shot() { import -window root "$work/$1.png"; }

# Holds a key long enough for the program to see it in a frame (software GL under Xvfb can be slow).
hold() {
    xdotool keydown "$1"
    sleep "${2:-0.7}"
    xdotool keyup "$1"
}

# Pixels of region WxH+X+Y of a screenshot whose r, g, b satisfy an awk condition.
count_pixels() {
    convert "$work/$1.png" -crop "$2" +repage -depth 8 txt:- |
        sed -n 's/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' |
        awk "{ r = \$1; g = \$2; b = \$3; if ($3) n++ } END { print n + 0 }"
}

# Mean brightness (0..1) of a region.
brightness() {
    convert "$work/$1.png" -crop "$2" +repage -colorspace Gray -format '%[fx:mean]' info:
}

green='g > 200 && r < 140 && b < 140'
white='r > 200 && g > 200 && b > 200'
top_left='300x70+0+0'
# The middle of the screen above the transport, where the help page stands.
help_area='380x230+270+90'

# Wait until the first frames with the HUD are on screen.
hud_green=0
for _ in $(seq 60); do
    sleep 1
    shot start
    hud_green=$(count_pixels start "$top_left" "$green")
    [ "$hud_green" -gt 150 ] && break
done
[ "$hud_green" -gt 150 ] || fail "no green status lines at the top left ($hud_green pixels)"
[ "$(count_pixels start "$top_left" "$white")" -lt 30 ] || fail "status lines are not in the ship's colour"

help_before=$(count_pixels start "$help_area" "$green")
hold F1
sleep 1.5
shot help
help_after=$(count_pixels help "$help_area" "$green")
[ "$help_after" -gt $((help_before + 1500)) ] ||
    fail "F1 shows no help page ($help_before -> $help_after green pixels)"
hold F1
sleep 1.5
shot help_off
[ "$(count_pixels help_off "$help_area" "$green")" -lt $((help_before + 500)) ] ||
    fail "a second F1 does not hide the help page"

hold c
sleep 1.5
shot free
[ "$(count_pixels free "$top_left" "$white")" -gt 150 ] || fail "the free camera's HUD is not white"
[ "$(count_pixels free "$top_left" "$green")" -lt 30 ] || fail "the free camera's HUD is still green"

# Follow the enemy, let the camera settle behind it, then blow it up in front of the camera.
hold F4
sleep 4
shot enemy
hold e 0.5
burst=0
before=$(brightness enemy '600x500+212+134')
for i in 1 2 3; do
    sleep 0.3
    shot "burst$i"
    now=$(brightness "burst$i" '600x500+212+134')
    burst=$(awk -v a="$now" -v b="$burst" 'BEGIN { print (a > b) ? a : b }')
done
awk -v a="$burst" -v b="$before" 'BEGIN { exit !(a > b * 1.3 + 0.01) }' ||
    fail "no bright burst after E (brightness $before -> $burst)"

# A minute of mixed play: fly, turn, fire, change ships and cameras, drop, explode and respawn.
end=$((SECONDS + 60))
round=0
while [ $SECONDS -lt $end ]; do
    round=$((round + 1))
    hold r 0.4
    hold F2 0.3
    xdotool keydown q keydown KP_4 keydown space
    sleep 1
    xdotool keyup KP_4 keydown KP_8 keydown KP_7
    sleep 0.7
    xdotool keyup KP_8 keyup KP_7 keyup space keyup q
    hold w 0.3
    hold "$((round % 4 + 1))" 0.4
    hold F3 0.3
    xdotool keydown a keydown KP_6 keydown KP_9
    sleep 0.8
    xdotool keyup a keyup KP_6 keyup KP_9
    hold d 0.4
    hold s 0.3
    hold F4 0.3
    hold space 0.6
    hold e 0.4
    hold c 0.4
    xdotool keydown q keydown KP_2
    sleep 0.6
    xdotool keyup q keyup KP_2
    if ! kill -0 "$program_pid" 2>/dev/null; then
        break
    fi
done
if kill -0 "$program_pid" 2>/dev/null; then
    shot played
    [ "$(count_pixels played "$top_left" "$white" )" -gt 50 ] ||
        fail "after $round rounds of play the HUD is gone"
else
    fail "the program ended during play"
    cat "$work/program.log"
fi

hold Escape 0.3
status=""
for _ in $(seq 100); do
    if ! kill -0 "$program_pid" 2>/dev/null; then
        wait "$program_pid"
        status=$?
        break
    fi
    sleep 0.2
done
program_pid_done=$program_pid
program_pid=""
if [ -z "$status" ]; then
    fail "Escape did not end the program"
    kill "$program_pid_done" 2>/dev/null
elif [ "$status" -ne 0 ]; then
    fail "the program ended with status $status"
    cat "$work/program.log"
fi

if [ "$failures" -ne 0 ]; then
    mkdir -p /tmp/kavo-play-failed
    cp "$work"/*.png /tmp/kavo-play-failed/ 2>/dev/null
    echo "$failures check(s) failed; screenshots in /tmp/kavo-play-failed"
    exit 1
fi
echo "PASS: HUD colours, help page, free camera, explosion, $round rounds of play, Escape"
