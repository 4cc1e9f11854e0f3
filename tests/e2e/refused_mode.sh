#!/usr/bin/env bash
# A screen mode the display refuses: start-up ends with the window-creation message and no game
# window, and the program ends with a failure status once the message is dismissed.
# Usage: bash refused_mode.sh <kavo-ship program> <data folder>
set -euo pipefail
program=$(realpath "$1")
source "$(dirname "$0")/xvfb_session.bash"

start_xvfb
copy_data "${2:-}"
# The virtual screen has one mode, 1024 x 768; ask for another.
printf '800 600 32 \t// resolution, bitrate\n85\n0\n0\n1\n' >"$work_dir/res.cfg"
start_program "$program"

# The box's title is a UTF-8 name, which xdotool's name search does not see.
box=""
for _ in $(seq 300); do
    box=$(xwininfo -root -tree | awk '$2 == "\"Error!\":" { print $1; exit }')
    [[ -n $box ]] && break
    sleep 0.1
done
[[ -n $box ]] || fail "no error message appeared"
grep -qxF 'Error!: Error creating window. Try to change screen resolution or bitrate.' \
    "$work_dir/program.log" || fail "the message is not the window-creation one"
if xwininfo -root -tree | grep -qF '"Kavo Ship - OpenGL"'; then
    fail "a game window exists although the mode was refused"
fi
# The refused request must not have rewritten the user's file.
[[ $(head -n 1 "$work_dir/res.cfg") == $'800 600 32 \t// resolution, bitrate' ]] ||
    fail "res.cfg was changed"

# No window manager here: give the box the keyboard, then press its default button.
xdotool windowfocus --sync "$box"
xdotool key Return
expect_exit 100 nonzero
echo "PASS"
