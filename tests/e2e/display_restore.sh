#!/usr/bin/env bash
# The desktop gets its own mode back, end to end, on a screen that really switches modes: an X
# server with the dummy video driver (Xvfb has one fixed mode). The desktop runs at 1024x768 and
# the program asks for 800x600. The program is ended three ways (Escape, SIGTERM, SIGINT); each
# time it must return 0 with the desktop back at 1024x768. In the first run another window takes
# the focus and gives it back: the desktop mode must come back meanwhile, and the program's mode
# when it has the focus again.
# Skips (exit 77) when no such X server can run here.
# Usage: bash display_restore.sh <kavo-ship program> <data folder>
set -euo pipefail
program=$(realpath "$1")
script_dir=$(cd "$(dirname "$0")" && pwd)
source "$script_dir/xvfb_session.bash"

readonly desktop_size=1024x768
readonly program_size=800x600
xorg_pid=""
other_pid=""

skip() {
    echo "SKIP: $*" >&2
    exit 77
}

# The shared clean-up ends the program and removes the folder; the X server and the other window
# are ours to end before that.
cleanup_xorg() {
    if [[ -n $other_pid ]]; then
        kill "$other_pid" 2>/dev/null || true
        wait "$other_pid" 2>/dev/null || true
    fi
    if [[ -n $program_pid ]] && kill -0 "$program_pid" 2>/dev/null; then
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
    fi
    program_pid=""
    if [[ -n $xorg_pid ]]; then
        kill "$xorg_pid" 2>/dev/null || true
        wait "$xorg_pid" 2>/dev/null || true
    fi
    cleanup
}
trap cleanup_xorg EXIT

# The server's own errors, without its complaints about the missing system bus.
xorg_log_tail() {
    if [[ -f $work_dir/xorg.log ]]; then
        grep -E '\(EE\)|Fatal' "$work_dir/xorg.log" | grep -v dbus | tail -n 5 >&2 || true
    fi
    if [[ -f $work_dir/xorg.out ]]; then
        tail -n 5 "$work_dir/xorg.out" >&2 || true
    fi
}

# Like the virtual server of the other scripts: the first free display, moving on when another
# server wins the race for it. -sharevts and -novtswitch keep it off the machine's consoles.
start_xorg() {
    command -v Xorg >/dev/null || skip "Xorg is not installed (xserver-xorg-core)"
    [[ -f /usr/lib/xorg/modules/drivers/dummy_drv.so ]] ||
        skip "the dummy video driver is not installed (xserver-xorg-video-dummy)"
    local number
    for number in $(seq 171 230); do
        [[ -e /tmp/.X$number-lock || -e /tmp/.X11-unix/X$number ]] && continue
        Xorg ":$number" -config "$script_dir/xorg-dummy.conf" -noreset -nolisten tcp \
            -sharevts -novtswitch -logfile "$work_dir/xorg.log" >"$work_dir/xorg.out" 2>&1 &
        xorg_pid=$!
        for _ in $(seq 100); do
            kill -0 "$xorg_pid" 2>/dev/null || break
            # The server answering must be ours, not one that won the display meanwhile.
            if [[ $(tr -d " " 2>/dev/null <"/tmp/.X$number-lock") == "$xorg_pid" ]] &&
                DISPLAY=":$number" xdpyinfo >/dev/null 2>&1; then
                export DISPLAY=":$number"
                return 0
            fi
            sleep 0.1
        done
        kill "$xorg_pid" 2>/dev/null || true
        wait "$xorg_pid" 2>/dev/null || true
        xorg_pid=""
        # Another server on this display is worth the next number; anything else will not get
        # better there.
        grep -q 'already active' "$work_dir/xorg.out" 2>/dev/null || break
    done
    xorg_log_tail
    skip "Xorg with the dummy driver could not be started here (user $(id -un)); see above"
}

screen_size() {
    xdpyinfo | awk '/dimensions:/ { print $2 }'
}

# Waits up to $2 tenths of a second for the screen to show the size $1.
expect_screen_size() {
    local size=""
    for _ in $(seq "$2"); do
        size=$(screen_size)
        [[ $size == "$1" ]] && return 0
        sleep 0.1
    done
    fail "$3: the screen is ${size:-unknown}, not $1"
}

# A background job of a script ignores SIGINT unless told otherwise, and SDL keeps an ignored
# signal ignored; start the program as it would be from a terminal.
start_program_interruptible() {
    cd "$work_dir"
    env --default-signal=INT "$program" >"$work_dir/program.log" 2>&1 &
    program_pid=$!
}

# Starts the program and waits until its window (kept in program_window) shows in the program's
# mode.
program_window=""
start_in_program_mode() {
    start_program_interruptible
    program_window=$(timeout 30 xdotool search --sync --name '^Kavo Ship - OpenGL$' |
        awk 'NR == 1') || fail "$1: the window did not appear"
    [[ -n $program_window ]] || fail "$1: the window did not appear"
    expect_screen_size "$program_size" 100 "$1, after start-up"
}

# Another application takes the focus, then the program gets it back.
lose_and_regain_focus() {
    local window=$1 other
    xmessage -name kavo-other "another application" >/dev/null 2>&1 &
    other_pid=$!
    other=$(timeout 10 xdotool search --sync --classname '^kavo-other$' | awk 'NR == 1') ||
        fail "the other window did not appear"
    xdotool windowfocus --sync "$other"
    expect_screen_size "$desktop_size" 50 "focus given to another window"
    xdotool windowfocus --sync "$window"
    expect_screen_size "$program_size" 50 "focus back at the program"
    kill "$other_pid" 2>/dev/null || true
    wait "$other_pid" 2>/dev/null || true
    other_pid=""
    # Going full screen again may move the focus for a moment; a key pressed then would be lost.
    local focused=""
    for _ in $(seq 50); do
        focused=$(xdotool getwindowfocus 2>/dev/null || true)
        [[ $focused == "$window" ]] && return 0
        sleep 0.1
    done
    fail "the program's window does not have the focus back (focus: ${focused:-none})"
}

end_and_expect_desktop() {
    expect_clean_exit 100
    expect_screen_size "$desktop_size" 20 "$1, after the program ended"
    echo "$1: exit status 0, desktop back at $desktop_size"
}

start_xorg
echo "Xorg with the dummy driver on $DISPLAY"
copy_data "${2:-}"
printf '800 600 32 \t// resolution, bitrate\n60 \t\t// refresh rate\n1\n0\n1\n' >"$work_dir/res.cfg"
[[ $(screen_size) == "$desktop_size" ]] || fail "the desktop does not start at $desktop_size"

start_in_program_mode "Escape"
lose_and_regain_focus "$program_window"
xdotool key Escape
end_and_expect_desktop "Escape"

start_in_program_mode "SIGTERM"
kill -TERM "$program_pid"
end_and_expect_desktop "SIGTERM"

start_in_program_mode "SIGINT"
kill -INT "$program_pid"
end_and_expect_desktop "SIGINT"

echo "PASS"
