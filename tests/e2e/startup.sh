#!/usr/bin/env bash
# Start-up and Escape, end to end: the program starts under a virtual X server in a fresh folder,
# writes the default res.cfg, shows its window, draws, and on Escape exits with status 0.
# Usage: bash startup.sh <kavo-ship program> <data folder>
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/xvfb_session.bash"

start_xvfb
copy_data "${2:-}"
start_program "$program"

# Keys sent before the window is mapped are lost, so wait for it.
window=$(timeout 30 xdotool search --sync --name '^Kavo Ship - OpenGL$' | head -n 1) ||
    fail "the window did not appear"
[[ -n $window ]] || fail "the window did not appear"

# Full screen: the window covers the whole 1024 x 768 screen.
geometry=$(xdotool getwindowgeometry "$window" | awk '/Geometry:/ { print $2 }')
[[ $geometry == 1024x768 ]] || fail "the window is $geometry, not 1024x768"

[[ -f res.cfg ]] || fail "res.cfg was not written"
cmp -s res.cfg <(printf '%s\n' \
    $'1024 768 32 \t// resolution, bitrate' \
    $'85 \t\t// refresh rate' \
    $'1 \t\t// vertex buffer; 0 - off, 1 - on' \
    $'2 \t\t// multisampling; 0 - off, 2,4,8,16,... - number of samples' \
    $'1 \t\t// background, 0 - off, 1 - on') ||
    fail "res.cfg is not the five default lines: $(cat -A res.cfg)"

# The window shows before the font and the world are built: photograph the screen until the first
# frame is on it, and keep the picture for a person to look at.
screenshot=${KAVO_E2E_SHOTS:-/tmp}/kavo-e2e-startup.png
drawn=no
for _ in $(seq 60); do
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended before Escape"
    import -window root "$screenshot" || fail "no screenshot"
    if [[ $(convert "$screenshot" -format '%[fx:maxima]' info:) != 0 ]]; then
        drawn=yes
        break
    fi
    sleep 0.5
done
[[ $drawn == yes ]] || fail "nothing was drawn within 30 seconds"
echo "screenshot: $screenshot"

xdotool key Escape
expect_clean_exit 50
# Nothing of the program may outlive it (a message box, say, runs in a child process).
if pgrep -f "^$program" >/dev/null; then
    fail "a process of the program is still running after it ended"
fi
echo "PASS"
