#!/usr/bin/env bash
# Start-up time of the real program under a virtual X server, median of 5 starts: from launching
# the program to (a) its window being mapped and (b) the first frame on the screen, seen as the
# first screenshot of the root window that is not all black. The program is not changed for
# this; the screenshot poll takes about a tenth of a second per picture, which bounds how finely
# (b) is measured.
# Usage: bash startup_time.sh <kavo-ship program> <data folder> [starts]
set -euo pipefail
program=$(realpath "$1")
data=$(realpath "$2")
starts=${3:-5}
source "$(dirname "$0")/../tests/e2e/xvfb_session.bash"

now_ms() { date +%s%3N; }

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

start_xvfb
shot=$work_dir/startup.png
mapped_times=()
frame_times=()
for run in $(seq "$starts"); do
    copy_data "$data"
    started=$(now_ms)
    start_program "$program"
    timeout 30 xdotool search --sync --onlyvisible --name '^Kavo Ship - OpenGL$' >/dev/null ||
        fail "the window did not appear"
    mapped=$(now_ms)
    drawn=""
    while [[ -z $drawn ]]; do
        kill -0 "$program_pid" 2>/dev/null || fail "the program ended during start-up"
        (($(now_ms) - started < 30000)) || fail "nothing was drawn within 30 seconds"
        import -window root "$shot" 2>/dev/null || continue
        if [[ $(convert "$shot" -format '%[fx:maxima]' info:) != 0 ]]; then
            drawn=$(now_ms)
        fi
    done
    mapped_times+=($((mapped - started)))
    frame_times+=($((drawn - started)))
    echo "start $run: window mapped after $((mapped - started)) ms, first frame after $((drawn - started)) ms"
    xdotool key Escape
    expect_clean_exit 100
done
echo "start-up to window mapped (median of $starts): $(printf '%s\n' "${mapped_times[@]}" | median) ms"
echo "start-up to first frame (median of $starts): $(printf '%s\n' "${frame_times[@]}" | median) ms"
