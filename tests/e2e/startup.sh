#!/usr/bin/env bash
# Start-up and Escape, end to end: the program starts under a virtual X server in a fresh folder,
# writes the default res.cfg, shows its window, draws, and on Escape exits with status 0.
# Usage: bash startup.sh <kavo-ship program> <data folder>
set -euo pipefail

program=$(realpath "$1")
data_dir=${2:-}
work_dir=$(mktemp -d /tmp/kavo-e2e-startup-XXXXXX)
xvfb_pid=""
program_pid=""

cleanup() {
    if [[ -n $program_pid ]] && kill -0 "$program_pid" 2>/dev/null; then
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
    fi
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work_dir"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [[ -f $work_dir/program.log ]]; then
        echo "--- program output:" >&2
        cat "$work_dir/program.log" >&2
    fi
    exit 1
}

# Several test runs may share the machine: take the first display nobody holds, and move on when
# another server wins the race for it.
start_xvfb() {
    local number
    for number in $(seq 91 160); do
        [[ -e /tmp/.X$number-lock || -e /tmp/.X11-unix/X$number ]] && continue
        Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >"$work_dir/xvfb.log" 2>&1 &
        xvfb_pid=$!
        local tries
        for tries in $(seq 50); do
            if ! kill -0 "$xvfb_pid" 2>/dev/null; then
                break
            fi
            if DISPLAY=":$number" xdpyinfo >/dev/null 2>&1 || [[ -S /tmp/.X11-unix/X$number ]]; then
                export DISPLAY=":$number"
                return 0
            fi
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    done
    return 1
}

start_xvfb || fail "no virtual X server could be started"

if [[ -n $data_dir && -d $data_dir ]]; then
    cp -r "$data_dir/." "$work_dir/"
fi
rm -f "$work_dir/res.cfg"

cd "$work_dir"
"$program" >"$work_dir/program.log" 2>&1 &
program_pid=$!

# Keys sent before the window is mapped are lost, so wait for it.
window=$(timeout 30 xdotool search --sync --name '^Kavo Ship - OpenGL$' | head -n 1) ||
    fail "the window did not appear"
[[ -n $window ]] || fail "the window did not appear"

expected=$(printf '%s\n' \
    $'1024 768 32 \t// resolution, bitrate' \
    $'85 \t\t// refresh rate' \
    $'1 \t\t// vertex buffer; 0 - off, 1 - on' \
    $'2 \t\t// multisampling; 0 - off, 2,4,8,16,... - number of samples' \
    $'1 \t\t// background, 0 - off, 1 - on')
[[ -f res.cfg ]] || fail "res.cfg was not written"
cmp -s res.cfg <(printf '%s\n' "$expected") || fail "res.cfg is not the five default lines: $(cat -A res.cfg)"

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
for _ in $(seq 50); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$program_pid" 2>/dev/null && fail "the program did not exit within 5 seconds of Escape"
status=0
wait "$program_pid" || status=$?
program_pid=""
[[ $status -eq 0 ]] || fail "exit status $status"
echo "PASS"
