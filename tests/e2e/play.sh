#!/usr/bin/env bash
# Plays the real program under a virtual X server and checks what a player would see: the status
# lines in the ship's green, the help page on F1, a white HUD in the free camera, a burst of light
# when the enemy explodes, a minute of mixed play without a crash, and Escape ending it cleanly.
# Usage: bash play.sh <kavo-ship program> <data folder>
# KAVO_E2E_SHOTS=<folder> keeps the screenshots there for a person to look at.
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/xvfb_session.bash"

# Without auto-repeat a held once-key (F1, W, F2..F4) acts exactly once.
start_xvfb -r
copy_data "${2:-}"
start_program "$program"

# Keys sent before the window is mapped are lost, so wait for it.
timeout 60 xdotool search --sync --name '^Kavo Ship - OpenGL$' >/dev/null ||
    fail "the window did not appear"

shots=${KAVO_E2E_SHOTS:-$work_dir}
mkdir -p "$shots"
shot() { import -window root "$shots/kavo-play-$1.png" || fail "no screenshot"; }

# The program sees a key only if a frame runs while it is down, and software GL under Xvfb on a
# busy machine may draw only a few frames per second: hold each key for several frames.
hold() {
    xdotool keydown "$1"
    sleep "${2:-0.7}"
    xdotool keyup "$1"
}

# Number of pixels in region WxH+X+Y of a screenshot whose r, g, b meet an awk condition.
count_pixels() {
    convert "$shots/kavo-play-$1.png" -crop "$2" +repage -depth 8 txt:- |
        sed -n 's/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' |
        awk "{ r = \$1; g = \$2; b = \$3; if ($3) n++ } END { print n + 0 }"
}

# Mean brightness (0..1) of a region.
brightness() {
    convert "$shots/kavo-play-$1.png" -crop "$2" +repage -colorspace Gray -format '%[fx:mean]' info:
}

still_running() { kill -0 "$program_pid" 2>/dev/null || fail "the program ended unasked"; }

green='g > 200 && r < 140 && b < 140'
white='r > 200 && g > 200 && b > 200'
top_left='300x70+0+0'
# The middle of the screen above the transport, where the help page stands.
help_area='380x230+270+90'
centre='600x500+212+134'

# The window shows before the font and the world are built: wait for the first HUD.
hud_green=0
for _ in $(seq 60); do
    still_running
    shot start
    hud_green=$(count_pixels start "$top_left" "$green")
    [[ $hud_green -gt 150 ]] && break
    sleep 1
done
[[ $hud_green -gt 150 ]] || fail "no green status lines at the top left ($hud_green pixels)"
[[ $(count_pixels start "$top_left" "$white") -lt 30 ]] ||
    fail "the status lines are not in the ship's colour"

help_before=$(count_pixels start "$help_area" "$green")
hold F1
sleep 1.5
shot help
help_after=$(count_pixels help "$help_area" "$green")
[[ $help_after -gt $((help_before + 1500)) ]] ||
    fail "F1 shows no help page ($help_before -> $help_after green pixels)"
hold F1
sleep 1.5
shot help-off
[[ $(count_pixels help-off "$help_area" "$green") -lt $((help_before + 500)) ]] ||
    fail "a second F1 does not hide the help page"

hold c
sleep 1.5
shot free
[[ $(count_pixels free "$top_left" "$white") -gt 150 ]] || fail "the free camera's HUD is not white"
[[ $(count_pixels free "$top_left" "$green") -lt 30 ]] || fail "the free camera's HUD is still green"

# Follow the enemy, let the camera settle behind it, then blow it up in front of the camera.
hold F4
sleep 4
shot enemy
before=$(brightness enemy "$centre")
hold e 0.5
burst=0
for i in 1 2 3; do
    sleep 0.3
    shot "burst$i"
    burst=$(awk -v a="$(brightness "burst$i" "$centre")" -v b="$burst" \
        'BEGIN { print (a > b) ? a : b }')
done
awk -v a="$burst" -v b="$before" 'BEGIN { exit !(a > b * 1.3 + 0.01) }' ||
    fail "no bright burst after E (brightness $before -> $burst)"

# A minute of mixed play: fly, turn, fire, change ships and cameras, drop the cargo, explode and
# respawn the enemy, fly the free camera.
end=$((SECONDS + 60))
round=0
while [[ $SECONDS -lt $end ]]; do
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
    still_running
done
# The last round ended in the free camera.
shot played
[[ $(count_pixels played "$top_left" "$white") -gt 50 ]] ||
    fail "after $round rounds of play the HUD is gone"

xdotool key Escape
expect_clean_exit 100
echo "PASS: HUD colours, help page, free camera, explosion, $round rounds of play, Escape"
